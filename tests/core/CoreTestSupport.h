#pragma once
// Shared fixture of the core suites: a capturing core-log sink, the virtual
// provider reset to its default workshop, and the check that every live
// counter is back at its baseline after each test.

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/LogStream.h"
#include "facade/CTovikManagerIF.h"
#include "tovik/platform.h"
#include "provider/TovikApiProviderLib.h"
#include "tovik/sim/VirtualProvider.h"

using Texts = std::vector<std::string>;

class LogCapture {
 public:
  static void Sink(const char* line) {
    std::lock_guard lock(Mutex());
    Store().emplace_back(line);
  }
  static void Clear() {
    std::lock_guard lock(Mutex());
    Store().clear();
  }
  static std::vector<std::string> Lines() {
    std::lock_guard lock(Mutex());
    return Store();
  }
  // Lines that contain `text`.
  static Texts Containing(const std::string& text) {
    Texts found;
    for (const std::string& line : Lines())
      if (line.find(text) != std::string::npos) found.push_back(line);
    return found;
  }
  // Lines of `function` ("function:line: text"), text part only.
  static Texts TextsOf(const std::string& function) {
    Texts texts;
    for (const std::string& line : Lines()) {
      if (line.rfind(function + ":", 0) != 0) continue;
      const std::size_t start = line.find(": ", function.size());
      texts.push_back(start == std::string::npos ? std::string() : line.substr(start + 2));
    }
    return texts;
  }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<std::string>& Store() {
    static std::vector<std::string> lines;
    return lines;
  }
};

#if defined(_WIN32)
// Whether the provider runs out of process: the test program was linked
// against the server's remote control instead of the provider DLL.
inline bool ProviderIsOutOfProcess() {
  static const bool remote = GetModuleHandleA("TovikSimRemote.dll") != nullptr;
  return remote;
}

// What Wine 8 answers when asked to revoke a global interface table entry
// that holds a proxy into another process: the table drops the entry, but its
// CoReleaseMarshalData releases table marshal data only for objects of its
// own process, so the reference that data holds on the server's object is
// never given back.
inline constexpr HRESULT kProxyEntryNotRevocable = RPC_E_INVALID_OBJREF;

// Registrations whose revocation Wine refused for that reason: each still
// holds its server object.
inline std::size_t StrandedGitEntries() {
  return ProviderIsOutOfProcess() ? standin::RefusedGitRevocationCount(kProxyEntryNotRevocable) : 0;
}
#else
inline std::size_t StrandedGitEntries() { return 0; }
#endif

// What the process holds of the provider and the platform.
struct LiveCounters {
  long providerObjects;
  std::size_t gitEntries;
  std::size_t bstrs;
  std::size_t safeArrays;
  std::size_t localAllocs;

  static LiveCounters Now() {
    return {tovik::sim::LiveObjects(), standin::GitEntryCount(), standin::LiveBstrCount(),
            standin::LiveSafeArrayCount(), standin::LiveLocalAllocCount()};
  }
  // The counts without `stranded` registrations Wine refused to revoke and
  // the one server object each of them keeps alive.
  LiveCounters Without(std::size_t stranded) const {
    LiveCounters rest = *this;
    rest.providerObjects -= static_cast<long>(stranded);
    rest.gitEntries -= stranded;
    return rest;
  }
  bool operator==(const LiveCounters&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LiveCounters& c) {
  return out << "{provider objects " << c.providerObjects << ", GIT entries " << c.gitEntries << ", BSTRs "
             << c.bstrs << ", safe arrays " << c.safeArrays << ", LocalAlloc blocks " << c.localAllocs << "}";
}

// The pointer as the log streams print it.
inline std::string PointerText(const void* pointer) {
  char text[2 * sizeof(void*) + 1];
  std::snprintf(text, sizeof text, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
  return text;
}

// A LocalAlloc text handed out by a wrapper getter, copied; the block is freed.
inline std::optional<std::string> Take(char* text) {
  if (text == nullptr) return std::nullopt;
  std::string copy(text);
  LocalFree(text);
  return copy;
}

// Lowers the platform's allocation limit for one scope.
struct AllocationLimit {
  explicit AllocationLimit(std::size_t bytes) { standin::SetAllocationLimit(bytes); }
  ~AllocationLimit() { standin::SetAllocationLimit(0); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
};

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tovik::sim::Reset();
    CoreLog().SetSink(&LogCapture::Sink);
    LogCapture::Clear();
    m_stranded = StrandedGitEntries();
    m_baseline = LiveCounters::Now();
  }
  void TearDown() override {
    tovik::sim::ClearFaults();
    EXPECT_EQ(Held(), m_baseline) << "something was left alive";
    CoreLog().SetSink(nullptr);
  }

  // What is alive now, less what this test's registrations left behind only
  // because Wine refused to revoke them: a registration nobody revoked, a
  // proxy nobody released or a wrapper nobody deleted still shows, in either
  // provider mode.
  LiveCounters Held() const { return LiveCounters::Now().Without(StrandedGitEntries() - m_stranded); }

  static void Load(const std::string& json) {
    std::string error;
    ASSERT_TRUE(tovik::sim::LoadScenarioJson(json, &error)) << error;
  }
  static Texts ManagerCalls() { return tovik::sim::JournalWithPrefix("ITovikManager."); }

  LiveCounters m_baseline{};
  std::size_t m_stranded = 0;
};

// A fixture whose test thread has its own apartment, for tests that touch
// the global interface table or provider objects directly.
class ApartmentTest : public CoreTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    CoreTest::SetUp();
  }
  void TearDown() override {
    CoreTest::TearDown();
    CoUninitialize();
  }
};

// Makes CoCreateInstance of one of the provider's classes fail with `failure`
// for as long as it lives, through the virtual provider's own class factory,
// so that it holds in every apartment.
class FailingFactory {
 public:
  explicit FailingFactory(const CLSID& clsid, HRESULT failure = E_FAIL) {
    tovik::sim::FailMethod(KeyOf(clsid), failure);
  }
  ~FailingFactory() { tovik::sim::ClearFaults(); }
  FailingFactory(const FailingFactory&) = delete;
  FailingFactory& operator=(const FailingFactory&) = delete;

 private:
  static std::string KeyOf(const CLSID& clsid) {
    if (clsid == TovikApiProviderLib::CLSID_TovikPendantLeds) return "TovikPendantLeds.CreateInstance";
    if (clsid == TovikApiProviderLib::CLSID_TovikPendantDisp) return "TovikPendantDisp.CreateInstance";
    return "TovikManager.CreateInstance";
  }
};

// A facade whose provider object could not be made.
inline std::unique_ptr<CTovikManagerIF> FacadeWithoutProvider() {
  FailingFactory refuse(TovikApiProviderLib::CLSID_TovikManager);
  return std::make_unique<CTovikManagerIF>(&LogCapture::Sink);
}
