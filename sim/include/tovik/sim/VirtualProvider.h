#pragma once
// Control surface of the virtual provider (libTovikProviderSim.so).
//
// The virtual provider is a stateful stand-in for the module vendor's
// TovikApiProviderLib component. Loading libTovikProviderSim.so registers its
// three class factories (manager, pendant LED collection, pendant display)
// with the COM runtime; the library then creates the objects with
// CoCreateInstance as it would on Windows. All manager objects of the process
// share one workshop model (modules, connections, stored blocks, jobs, ...).
//
// This header is what native tests use to prepare scenarios, inject faults
// and look at what reached the provider. Every function is thread-safe.
//
// Names used below:
//   method key   "Interface.Method" as the provider declares it, e.g.
//                "ITovikManager.GetModuleIds", "ITovikVciItems.Item",
//                "ITovikByteBuffer.Length"; property reads use the property
//                name ("ITovikVciItem.ModuleName"), property writes
//                "put_" + name ("ITovikPendantLed.put_LedValid").
//   journal line the method key followed by its arguments as received, e.g.
//                ITovikManager.Connect(1, 4294967295)
//                ITovikManager.EnableAutoWifi(-1)
//                ITovikManager.Connect2(1, 2, "text")      (null BSTR: null)
//                ITovikManager.StoreClientInfo(7, "id", 1, VT_ARRAY|VT_UI1 bytes[3]:0a0b0c, 0)
//                ITovikVciItems.Item(1)
//                Output pointers are not printed. Unsigned values print
//                unsigned, LONG and VARIANT_BOOL values signed.
//
// The scenario format (JSON) is described in docs/SCENARIOS.md.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#  if defined(TOVIK_SIM_BUILD)
#    define TOVIK_SIM_API __declspec(dllexport)
#  else
#    define TOVIK_SIM_API __declspec(dllimport)
#  endif
#else
#  define TOVIK_SIM_API __attribute__((visibility("default")))
#endif

namespace tovik::sim {

// ---- scenarios ------------------------------------------------------------

// Back to the built-in default workshop: clears faults, journal, events,
// connections, jobs and accesses, and the model state. Live objects stay
// alive (they keep their snapshots); managers keep existing.
TOVIK_SIM_API void Reset();

// Replaces the workshop with the scenario in `json`. On a malformed scenario
// nothing changes, false is returned and *error (when given) names the
// problem and where it is, e.g.
//   "modules[1].serial: expected an unsigned 32-bit number, got \"abc\"".
// Loading a scenario also clears connections, jobs, accesses and queued
// events (not faults and not the journal).
TOVIK_SIM_API bool LoadScenarioJson(const std::string& json, std::string* error = nullptr);
TOVIK_SIM_API bool LoadScenarioFile(const std::string& path, std::string* error = nullptr);

// The built-in default scenario as JSON text (a valid scenario file).
TOVIK_SIM_API std::string DefaultScenarioJson();

// ---- faults ---------------------------------------------------------------

// Makes the method fail with `hr` (a failing HRESULT) before it does
// anything: no output is written and the model is unchanged. `once`: only
// the next call fails. A non-empty `description` is delivered as error
// information (SetErrorInfo; the objects support ISupportErrorInfo);
// otherwise the thread's error information is cleared.
TOVIK_SIM_API void FailMethod(const std::string& key, std::int32_t hr, bool once = false,
                              const std::string& description = {});

// Object creation fails the same way under the keys
// "TovikManager.CreateInstance", "TovikPendantLeds.CreateInstance" and
// "TovikPendantDisp.CreateInstance": CoCreateInstance of that class returns
// `hr` in every apartment.

// Replaces the method's own result value (the trailing LONG output; for
// ITovikManager.WaitForEvents and GetNextEvent the VARIANT_BOOL result) with
// `result` after the method has done its normal work. Applies every time
// until cleared.
TOVIK_SIM_API void SetResult(const std::string& key, std::int32_t result);

// The method does its work but hands out no interface through its output
// (the interface output stays null; an element method returns S_OK and a
// null element). Applies every time until cleared.
TOVIK_SIM_API void WithholdOutput(const std::string& key);

// The element at `index` of every list of this interface is missing: the
// element method returns S_OK and null for it. `listInterface` is the list's
// interface name, e.g. "ITovikVciItems", "ITovikVersionItemList",
// "ITovikVciInfo" (its ClientAt), "ITovikPendantLeds".
TOVIK_SIM_API void SetMissingItem(const std::string& listInterface, std::uint32_t index);

// Every byte buffer handed out from now on reports `claimedLength` from
// Length (its bytes stay what they are; Item beyond them yields 0), so a
// caller's allocation failure can be driven. ClearFaults() ends it.
TOVIK_SIM_API void SetByteBufferLength(std::int32_t claimedLength);

// Removes every fault, result override, withheld output, missing element and
// byte-buffer length.
TOVIK_SIM_API void ClearFaults();

// ---- events ---------------------------------------------------------------

// Queues one event for every manager object that has registered for events
// (RegisterForEvents). With no registered manager the event is kept and
// handed to the next manager that registers. A manager blocked in
// WaitForEvents wakes up.
TOVIK_SIM_API void PostEvent(std::uint32_t first, std::uint32_t second, std::uint32_t third);

// Number of manager objects currently blocked in WaitForEvents (lets a test
// cancel exactly when a wait is in progress, without sleeping).
TOVIK_SIM_API int WaitingCount();

// Blocks until WaitingCount() >= count or `timeoutMs` elapsed; returns
// whether the count was reached. Never spins.
TOVIK_SIM_API bool WaitForWaiters(int count, int timeoutMs);

// Number of events queued for managers (all managers) and kept for the
// next registration.
TOVIK_SIM_API int QueuedEventCount();

// ---- pause points ---------------------------------------------------------

// A pause point stops a thread inside a provider call at a known place, so a
// test can force an interleaving once and for certain. Every method has two:
// its method key ("ITovikManager.WaitForEvents"), reached after its journal
// line and injected faults, before it does its work (for WaitForEvents:
// before the wait begins), and the key followed by ":done", reached after
// its work, just before it returns to the caller.

// The next thread that reaches `point` stops there until ResumePoint(point).
TOVIK_SIM_API void ArmPausePoint(const std::string& point);
// Blocks until a thread is stopped at `point` or `timeoutMs` elapsed; returns
// whether one is.
TOVIK_SIM_API bool WaitPaused(const std::string& point, int timeoutMs);
// Lets the thread stopped at `point` go on; disarms the point if no thread
// has reached it. Reset() resumes and disarms every point.
TOVIK_SIM_API void ResumePoint(const std::string& point);

// ---- journal --------------------------------------------------------------

// The provider calls since the last ClearJournal(), in call order (see the
// line format above), at most the newest JournalCapacity lines. Calls on
// result objects are included; filter by prefix as needed.
TOVIK_SIM_API std::vector<std::string> Journal();
// Empties the journal and the count of dropped lines.
TOVIK_SIM_API void ClearJournal();
// The journal keeps the newest `lines` lines (default 100000, at least 1);
// older ones are dropped and counted. Reset() restores the default.
TOVIK_SIM_API void SetJournalCapacity(std::size_t lines);
// Lines dropped since the last ClearJournal().
TOVIK_SIM_API std::uint64_t JournalDropped();

// Journal lines that start with `prefix` (e.g. "ITovikManager.").
TOVIK_SIM_API std::vector<std::string> JournalWithPrefix(const std::string& prefix);

// ---- objects --------------------------------------------------------------

// Number of provider objects alive (managers, result objects, pendant
// objects); class factories are not counted.
TOVIK_SIM_API long LiveObjects();

// ---- model inspection -----------------------------------------------------

struct LedState {
  std::uint32_t valid = 0;
  std::uint32_t control = 0;
  std::uint32_t blinkFrequency = 0;
};

struct ClientBlockInfo {
  std::string id;                // UTF-8
  std::uint32_t location = 0;
  std::vector<std::uint8_t> bytes;
};

// Open connections (issued by Connect/Connect2, not yet disconnected).
TOVIK_SIM_API int ConnectionCount();
// Handles of the open connections, in issue order.
TOVIK_SIM_API std::vector<std::uint32_t> ConnectionHandles();
// Serial number of the module behind an open connection; false if none.
TOVIK_SIM_API bool ConnectionModule(std::uint32_t handle, std::uint32_t* serial);

// Client information stored on the module with this serial number.
TOVIK_SIM_API std::vector<ClientBlockInfo> StoredBlocks(std::uint32_t serial);
// Bytes of one stored block; false if there is none.
TOVIK_SIM_API bool StoredBlock(std::uint32_t serial, const std::string& id, std::uint32_t location,
                               std::vector<std::uint8_t>* bytes);

// Pendant state of a module: LEDs, segments (A..G, decimal point) with the
// two display values, and the four audio values last set.
TOVIK_SIM_API std::vector<LedState> PendantLeds(std::uint32_t serial);
TOVIK_SIM_API std::vector<std::uint32_t> PendantSegments(std::uint32_t serial);  // 8 segments + 2 values
TOVIK_SIM_API std::vector<std::uint32_t> PendantAudio(std::uint32_t serial);     // 4 values

// Arguments of the last InitializeRuntime (UTF-8; null BSTR as "null") and
// of the last RegisterForEvents.
TOVIK_SIM_API std::vector<std::string> LastInitializeRuntime();
TOVIK_SIM_API std::vector<std::uint32_t> LastRegistration();

// Applications installed on a module (their App numbers).
TOVIK_SIM_API std::vector<std::uint32_t> InstalledApps(std::uint32_t serial);

// Current automatic-Wi-Fi and manual-scan switches, as received.
TOVIK_SIM_API std::int16_t AutoWifiSwitch();
TOVIK_SIM_API std::int16_t ManualScanSwitch();

}  // namespace tovik::sim
