// The C++ control surface (tovik/sim/VirtualProvider.h).

#include <fstream>
#include <sstream>

#include "ComObject.h"
#include "Faults.h"
#include "Journal.h"
#include "PausePoints.h"
#include "Scenario.h"
#include "Workshop.h"
#include "tovik/sim/VirtualProvider.h"

namespace tovik::sim {

std::atomic<long>& LiveObjectCounter() {
  static std::atomic<long> counter{0};
  return counter;
}

namespace {

bool Apply(const std::string& json, std::string* error) {
  std::string problem;
  auto scenario = ParseScenario(json, problem);
  if (!scenario) {
    if (error) *error = problem;
    return false;
  }
  Workshop::Instance().Load(std::move(*scenario));
  return true;
}

}  // namespace

void Reset() {
  PausePoints::Instance().ResumeAll();
  Faults::Instance().Clear();
  Journal::Instance().Clear();
  Journal::Instance().SetCapacity(Journal::kDefaultCapacity);
  Apply(DefaultScenarioText(), nullptr);
}

bool LoadScenarioJson(const std::string& json, std::string* error) { return Apply(json, error); }

bool LoadScenarioFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = path + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string problem;
  if (Apply(text.str(), &problem)) return true;
  if (error) *error = path + ": " + problem;
  return false;
}

std::string DefaultScenarioJson() { return DefaultScenarioText(); }

void FailMethod(const std::string& key, std::int32_t hr, bool once, const std::string& description) {
  Faults::Instance().Fail(key, hr, once, description);
}

void SetResult(const std::string& key, std::int32_t result) { Faults::Instance().SetResult(key, result); }
void WithholdOutput(const std::string& key) { Faults::Instance().Withhold(key); }
void SetMissingItem(const std::string& listInterface, std::uint32_t index) {
  Faults::Instance().SetMissing(listInterface, index);
}
void SetByteBufferLength(std::int32_t claimedLength) { Faults::Instance().SetBufferLength(claimedLength); }
void ClearFaults() { Faults::Instance().Clear(); }

void PostEvent(std::uint32_t first, std::uint32_t second, std::uint32_t third) {
  Workshop::Instance().Post({first, second, third});
}
int WaitingCount() { return Workshop::Instance().WaitingCount(); }
bool WaitForWaiters(int count, int timeoutMs) { return Workshop::Instance().WaitForWaiters(count, timeoutMs); }
int QueuedEventCount() { return Workshop::Instance().QueuedEventCount(); }

std::vector<std::string> Journal() { return Journal::Instance().Lines(); }
void ClearJournal() { Journal::Instance().Clear(); }
void SetJournalCapacity(std::size_t lines) { Journal::Instance().SetCapacity(lines); }
std::uint64_t JournalDropped() { return Journal::Instance().Dropped(); }

void ArmPausePoint(const std::string& point) { PausePoints::Instance().Arm(point); }
bool WaitPaused(const std::string& point, int timeoutMs) { return PausePoints::Instance().WaitPaused(point, timeoutMs); }
void ResumePoint(const std::string& point) { PausePoints::Instance().Resume(point); }
std::vector<std::string> JournalWithPrefix(const std::string& prefix) {
  std::vector<std::string> lines;
  for (auto& line : Journal::Instance().Lines())
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(std::move(line));
  return lines;
}

long LiveObjects() { return LiveObjectCounter().load(); }

int ConnectionCount() { return static_cast<int>(Workshop::Instance().ConnectionHandles().size()); }
std::vector<std::uint32_t> ConnectionHandles() {
  const std::vector<ULONG> handles = Workshop::Instance().ConnectionHandles();
  return {handles.begin(), handles.end()};
}
bool ConnectionModule(std::uint32_t handle, std::uint32_t* serial) {
  ULONG module = 0;
  if (!Workshop::Instance().ConnectionModule(handle, &module)) return false;
  *serial = module;
  return true;
}

std::vector<ClientBlockInfo> StoredBlocks(std::uint32_t serial) {
  std::vector<ClientBlockInfo> blocks;
  for (auto& block : Workshop::Instance().Blocks(serial))
    blocks.push_back(ClientBlockInfo{block.id, block.location, block.bytes});
  return blocks;
}

bool StoredBlock(std::uint32_t serial, const std::string& id, std::uint32_t location,
                 std::vector<std::uint8_t>* bytes) {
  for (auto& block : Workshop::Instance().Blocks(serial)) {
    if (block.id == id && block.location == location) {
      if (bytes) *bytes = block.bytes;
      return true;
    }
  }
  return false;
}

namespace {
bool Module(std::uint32_t serial, ModuleConfig* module) { return Workshop::Instance().ModuleState(serial, module); }
}  // namespace

std::vector<LedState> PendantLeds(std::uint32_t serial) {
  ModuleConfig module;
  std::vector<LedState> leds;
  if (Module(serial, &module))
    for (const auto& led : module.leds) leds.push_back(LedState{led.valid, led.control, led.blinkFrequency});
  return leds;
}

std::vector<std::uint32_t> PendantSegments(std::uint32_t serial) {
  ModuleConfig module;
  if (!Module(serial, &module)) return {};
  std::vector<std::uint32_t> values(std::begin(module.segments.segments), std::end(module.segments.segments));
  values.push_back(module.display[0]);
  values.push_back(module.display[1]);
  return values;
}

std::vector<std::uint32_t> PendantAudio(std::uint32_t serial) {
  ModuleConfig module;
  if (!Module(serial, &module)) return {};
  return std::vector<std::uint32_t>(std::begin(module.audio), std::end(module.audio));
}

std::vector<std::string> LastInitializeRuntime() { return Workshop::Instance().LastInitializeRuntime(); }
std::vector<std::uint32_t> LastRegistration() {
  const std::vector<ULONG> values = Workshop::Instance().LastRegistration();
  return {values.begin(), values.end()};
}

std::vector<std::uint32_t> InstalledApps(std::uint32_t serial) {
  ModuleConfig module;
  std::vector<std::uint32_t> apps;
  if (Module(serial, &module))
    for (const auto& app : module.apps) apps.push_back(app.app);
  return apps;
}

std::int16_t AutoWifiSwitch() { return Workshop::Instance().AutoWifi(); }
std::int16_t ManualScanSwitch() { return Workshop::Instance().ManualScan(); }

}  // namespace tovik::sim
