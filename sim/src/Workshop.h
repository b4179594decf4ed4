#pragma once
// The workshop model: one per process, shared by every manager object.
// Every operation takes the workshop lock; waits for events block on a
// condition variable of their manager.

#include <array>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "Data.h"
#include "Scenario.h"

namespace tovik::sim {

// Event state of one manager object.
struct EventSink {
  std::deque<std::array<ULONG, 3>> queue;
  bool registered = false;
  bool waiting = false;
  bool cancelled = false;
  std::condition_variable wake;
};

class Workshop {
 public:
  static Workshop& Instance();

  // ---- scenario
  void Load(Scenario scenario);  // also clears connections, jobs, accesses, events

  // ---- runtime
  void InitializeRuntime(const std::string& first, const std::string& second, VARIANT_BOOL flag);
  std::vector<std::string> LastInitializeRuntime() const;

  // ---- modules and connections
  std::vector<VciItemData> ModuleItems() const;
  LONG ModuleInfo(ULONG serial, VciInfoData* info) const;
  LONG Connect(ULONG serial, ULONG mode, const std::string* clientName, ULONG* handle);
  LONG Disconnect(ULONG handle);
  LONG ConnectionStatus(ULONG handle, ULONG* status) const;
  VersionInfoData Versions() const;

  // ---- events
  void Attach(EventSink* sink);
  void Detach(EventSink* sink);
  LONG Register(EventSink* sink, ULONG first, ULONG second);
  VARIANT_BOOL Wait(EventSink* sink);
  bool NextEvent(EventSink* sink, std::array<ULONG, 3>* event);
  void Cancel(EventSink* sink);
  void Post(const std::array<ULONG, 3>& event);
  int WaitingCount() const;
  bool WaitForWaiters(int count, int timeoutMs);
  int QueuedEventCount() const;
  std::vector<ULONG> LastRegistration() const;

  // ---- applications
  std::vector<AppPcData> AppsPc() const;
  LONG AppsVci(ULONG connection, std::vector<AppVciData>* apps) const;
  LONG InstallByName(ULONG connection, const std::string& name, AppStatusData* status, ULONG* job);
  LONG InstallByNumber(ULONG connection, ULONG app, AppStatusData* status, ULONG* job);
  LONG Uninstall(ULONG connection, const std::string& name, AppStatusData* status, ULONG* job);
  LONG UpdateFirmware(ULONG connection, AppStatusData* status, ULONG* job);
  LONG JobStatus(ULONG connection, ULONG job, AppStatusData* status);
  LONG ControlApp(ULONG connection, ULONG app, ULONG action);
  LONG SetConfig(ULONG app, ULONG item, ULONG value);
  LONG GetConfig(ULONG app, ULONG item, ULONG* value) const;

  // ---- client information
  LONG Store(ULONG connection, const std::string& id, ULONG location, const Bytes& bytes, AccessData* access,
             bool* withItem);
  LONG StoreFile(ULONG connection, const std::string& id, ULONG location, const std::string& path,
                 AccessData* access, bool* withItem);
  LONG Delete(ULONG connection, const std::string& id, ULONG location);
  LONG AccessStatus(ULONG connection, ULONG accessId, AccessData* access) const;
  LONG Read(ULONG connection, const std::string& id, ULONG location, AccessData* access);
  LONG ReadResult(ULONG connection, ULONG accessId, Bytes* bytes) const;
  LONG ReadToFile(ULONG connection, const std::string& id, ULONG location, const std::string& path,
                  AccessData* access, bool* withItem);
  LONG BlockList(ULONG connection, std::vector<ClientInfoItemData>* items) const;
  LONG Space(ULONG connection, SpaceData* space) const;

  // ---- pendant
  ULONG LedCount() const;
  LONG SetLeds(ULONG connection, const std::vector<LedData>& leds);
  LONG GetLeds(ULONG connection, std::vector<LedData>* leds) const;
  LONG SetSegments(ULONG connection, const SegmentData& segments, ULONG first, ULONG second);
  LONG GetSegments(ULONG connection, SegmentData* segments, ULONG* first, ULONG* second) const;
  LONG SetAudio(ULONG connection, const std::array<ULONG, 4>& audio);
  LONG GetAudio(ULONG connection, ULONG* first, ULONG* second) const;

  // ---- wireless and diagnostics
  LONG AccessPoint(ULONG connection, ApStateData* state) const;
  void SetManualScan(VARIANT_BOOL enable);
  void SetAutoWifi(VARIANT_BOOL enable);
  VARIANT_BOOL ManualScan() const;
  VARIANT_BOOL AutoWifi() const;
  std::vector<AdapterData> Adapters(VARIANT_BOOL flags[3]) const;
  LONG SelfTest(ULONG connection, Bytes* bytes) const;
  LONG ConfigItems(ULONG connection, std::vector<ConfigItemData>* items) const;

  // ---- inspection
  std::vector<ULONG> ConnectionHandles() const;
  bool ConnectionModule(ULONG handle, ULONG* serial) const;
  std::vector<StoredBlock> Blocks(ULONG serial) const;
  bool ModuleState(ULONG serial, ModuleConfig* module) const;

 private:
  struct Connection {
    ULONG handle = 0;
    ULONG serial = 0;
    ULONG mode = 0;
    std::string client;
  };
  enum class JobKind { Install, Uninstall, Firmware };
  struct Job {
    JobKind kind = JobKind::Install;
    ULONG serial = 0;
    AppPcData app;
    std::string name;
    ULONG polls = 0;
    bool applied = false;
  };
  struct Access {
    ULONG serial = 0;
    AccessData data;
    bool read = false;
    Bytes bytes;
  };

  Workshop();

  ModuleConfig* FindModule(ULONG serial);
  const ModuleConfig* FindModule(ULONG serial) const;
  // The module behind a connection handle (or the first module when the
  // scenario does not require connections); null when there is none.
  ModuleConfig* ModuleOf(ULONG connection);
  const ModuleConfig* ModuleOf(ULONG connection) const;
  LONG StartJob(ModuleConfig& module, JobKind kind, AppPcData app, std::string name, AppStatusData* status,
                ULONG* job);
  AppStatusData StatusOf(const Job& job) const;
  void Finish(Job& job);
  AccessData NewAccess(ULONG serial, ULONG status, LONG error, std::size_t size, bool read, Bytes bytes);
  LONG StoreLocked(ModuleConfig& module, const std::string& id, ULONG location, const Bytes& bytes,
                   AccessData* access);
  ULONG Used(const ModuleConfig& module, bool volatileStore) const;
  ULONG Total(const ModuleConfig& module, bool volatileStore) const;

  mutable std::mutex lock_;
  std::condition_variable waitersChanged_;
  Scenario scenario_;
  std::vector<ModuleConfig> modules_;
  std::vector<Connection> connections_;
  ULONG nextHandle_ = 0;
  std::map<ULONG, Job> jobs_;
  ULONG nextJob_ = 0;
  std::map<ULONG, Access> accesses_;
  ULONG nextAccess_ = 0;
  ULONG clock_ = 0;
  std::map<std::pair<ULONG, ULONG>, ULONG> appConfig_;
  VARIANT_BOOL autoWifi_ = 0;
  VARIANT_BOOL manualScan_ = 0;
  std::set<EventSink*> sinks_;
  std::deque<std::array<ULONG, 3>> unclaimed_;
  int waiting_ = 0;
  std::vector<ULONG> lastRegistration_;
  std::vector<std::string> lastInitialize_;
};

}  // namespace tovik::sim
