// The workshop model: the one instance, loading a scenario, the runtime
// values, lookups and inspection. The features live in Workshop*.cpp.

#include "Workshop.h"

#include <stdexcept>

namespace tovik::sim {

Workshop& Workshop::Instance() {
  // Never destroyed: objects and waiting threads may outlive static destruction.
  static Workshop* const workshop = new Workshop;
  return *workshop;
}

Workshop::Workshop() {
  std::string error;
  auto scenario = ParseScenario(DefaultScenarioText(), error);
  if (!scenario) throw std::logic_error("built-in scenario: " + error);
  Load(std::move(*scenario));
}

void Workshop::Load(Scenario scenario) {
  std::lock_guard guard(lock_);
  scenario_ = std::move(scenario);
  modules_ = scenario_.modules;
  connections_.clear();
  nextHandle_ = scenario_.connections.firstHandle;
  jobs_.clear();
  nextJob_ = scenario_.jobs.firstJob;
  accesses_.clear();
  nextAccess_ = scenario_.clientInfo.firstAccess;
  clock_ = scenario_.clientInfo.clockMs;
  appConfig_.clear();
  for (const auto& entry : scenario_.appConfig) appConfig_[{entry.app, entry.item}] = entry.value;
  autoWifi_ = scenario_.autoWifi;
  manualScan_ = scenario_.manualScan;
  for (EventSink* sink : sinks_) sink->queue.clear();
  unclaimed_.assign(scenario_.events.begin(), scenario_.events.end());
  lastRegistration_.clear();
  lastInitialize_.clear();
}

// ---- runtime

void Workshop::InitializeRuntime(const std::string& first, const std::string& second, VARIANT_BOOL flag) {
  std::lock_guard guard(lock_);
  lastInitialize_ = {first, second, std::to_string(flag)};
}

std::vector<std::string> Workshop::LastInitializeRuntime() const {
  std::lock_guard guard(lock_);
  return lastInitialize_;
}

// ---- lookups

ModuleConfig* Workshop::FindModule(ULONG serial) {
  for (auto& module : modules_)
    if (module.item.serial == serial) return &module;
  return nullptr;
}

const ModuleConfig* Workshop::FindModule(ULONG serial) const {
  return const_cast<Workshop*>(this)->FindModule(serial);
}

ModuleConfig* Workshop::ModuleOf(ULONG connection) {
  for (const auto& c : connections_)
    if (c.handle == connection) return FindModule(c.serial);
  if (!scenario_.connections.requireConnection && !modules_.empty()) return &modules_.front();
  return nullptr;
}

const ModuleConfig* Workshop::ModuleOf(ULONG connection) const {
  return const_cast<Workshop*>(this)->ModuleOf(connection);
}

// ---- inspection

std::vector<ULONG> Workshop::ConnectionHandles() const {
  std::lock_guard guard(lock_);
  std::vector<ULONG> handles;
  for (const auto& c : connections_) handles.push_back(c.handle);
  return handles;
}

bool Workshop::ConnectionModule(ULONG handle, ULONG* serial) const {
  std::lock_guard guard(lock_);
  for (const auto& c : connections_) {
    if (c.handle == handle) {
      *serial = c.serial;
      return true;
    }
  }
  return false;
}

std::vector<StoredBlock> Workshop::Blocks(ULONG serial) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = FindModule(serial);
  return module ? module->blocks : std::vector<StoredBlock>{};
}

bool Workshop::ModuleState(ULONG serial, ModuleConfig* module) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* found = FindModule(serial);
  if (found == nullptr) return false;
  *module = *found;
  return true;
}

}  // namespace tovik::sim
