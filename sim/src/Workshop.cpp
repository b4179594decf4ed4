#include "Workshop.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tovik::sim {

namespace {

bool ReadFile(const std::string& path, Bytes* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

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

// ---- modules and connections

std::vector<VciItemData> Workshop::ModuleItems() const {
  std::lock_guard guard(lock_);
  std::vector<VciItemData> items;
  for (const auto& module : modules_) items.push_back(module.item);
  return items;
}

LONG Workshop::ModuleInfo(ULONG serial, VciInfoData* info) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = FindModule(serial);
  if (module == nullptr) return scenario_.codes.unknownModule;
  *info = module->info;
  bool owned = std::any_of(info->clients.begin(), info->clients.end(),
                           [](const ClientData& c) { return c.owner != VARIANT_FALSE; });
  for (const auto& c : connections_) {
    if (c.serial != serial) continue;
    ClientData client;
    client.owner = owned ? VARIANT_FALSE : VARIANT_TRUE;
    owned = true;
    client.connectionType = c.mode;
    client.connectionInterface = module->item.vciInterface;
    client.name = c.client;
    client.connectTime = scenario_.connections.connectTime;
    info->clients.push_back(client);
  }
  return 0;
}

LONG Workshop::Connect(ULONG serial, ULONG mode, const std::string* clientName, ULONG* handle) {
  std::lock_guard guard(lock_);
  if (FindModule(serial) == nullptr) return scenario_.codes.unknownModule;
  Connection c;
  c.handle = nextHandle_++;
  c.serial = serial;
  c.mode = mode;
  c.client = clientName ? *clientName : scenario_.connections.clientName;
  connections_.push_back(c);
  *handle = c.handle;
  return 0;
}

LONG Workshop::Disconnect(ULONG handle) {
  std::lock_guard guard(lock_);
  auto it = std::find_if(connections_.begin(), connections_.end(),
                         [&](const Connection& c) { return c.handle == handle; });
  if (it == connections_.end()) return scenario_.codes.unknownConnection;
  connections_.erase(it);
  return 0;
}

LONG Workshop::ConnectionStatus(ULONG handle, ULONG* status) const {
  std::lock_guard guard(lock_);
  for (const auto& c : connections_) {
    if (c.handle == handle) {
      *status = scenario_.connections.openStatus;
      return 0;
    }
  }
  *status = 0;
  return scenario_.codes.unknownConnection;
}

VersionInfoData Workshop::Versions() const {
  std::lock_guard guard(lock_);
  return scenario_.versions;
}

// ---- events

void Workshop::Attach(EventSink* sink) {
  std::lock_guard guard(lock_);
  sinks_.insert(sink);
}

void Workshop::Detach(EventSink* sink) {
  std::lock_guard guard(lock_);
  sinks_.erase(sink);
}

LONG Workshop::Register(EventSink* sink, ULONG first, ULONG second) {
  std::lock_guard guard(lock_);
  lastRegistration_ = {first, second};
  sink->registered = true;
  sink->queue.insert(sink->queue.end(), unclaimed_.begin(), unclaimed_.end());
  unclaimed_.clear();
  sink->wake.notify_all();
  return 0;
}

VARIANT_BOOL Workshop::Wait(EventSink* sink) {
  std::unique_lock guard(lock_);
  sink->waiting = true;
  ++waiting_;
  waitersChanged_.notify_all();
  sink->wake.wait(guard, [&] { return !sink->queue.empty() || sink->cancelled; });
  const bool cancelled = sink->cancelled;
  sink->cancelled = false;
  sink->waiting = false;
  --waiting_;
  waitersChanged_.notify_all();
  return cancelled ? VARIANT_TRUE : VARIANT_FALSE;
}

bool Workshop::NextEvent(EventSink* sink, std::array<ULONG, 3>* event) {
  std::lock_guard guard(lock_);
  if (sink->queue.empty()) return false;
  *event = sink->queue.front();
  sink->queue.pop_front();
  return true;
}

void Workshop::Cancel(EventSink* sink) {
  std::lock_guard guard(lock_);
  if (!sink->waiting) return;  // ends a wait in progress only
  sink->cancelled = true;
  sink->wake.notify_all();
}

void Workshop::Post(const std::array<ULONG, 3>& event) {
  std::lock_guard guard(lock_);
  bool delivered = false;
  for (EventSink* sink : sinks_) {
    if (!sink->registered) continue;
    sink->queue.push_back(event);
    sink->wake.notify_all();
    delivered = true;
  }
  if (!delivered) unclaimed_.push_back(event);
}

int Workshop::WaitingCount() const {
  std::lock_guard guard(lock_);
  return waiting_;
}

bool Workshop::WaitForWaiters(int count, int timeoutMs) {
  std::unique_lock guard(lock_);
  return waitersChanged_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                  [&] { return waiting_ >= count; });
}

int Workshop::QueuedEventCount() const {
  std::lock_guard guard(lock_);
  std::size_t count = unclaimed_.size();
  for (EventSink* sink : sinks_) count += sink->queue.size();
  return static_cast<int>(count);
}

std::vector<ULONG> Workshop::LastRegistration() const {
  std::lock_guard guard(lock_);
  return lastRegistration_;
}

// ---- applications

std::vector<AppPcData> Workshop::AppsPc() const {
  std::lock_guard guard(lock_);
  return scenario_.appsPc;
}

LONG Workshop::AppsVci(ULONG connection, std::vector<AppVciData>* apps) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *apps = module->apps;
  return 0;
}

AppStatusData Workshop::StatusOf(const Job& job) const {
  AppStatusData status;
  const ULONG total = scenario_.jobs.components;
  status.totalComponents = total;
  status.componentNumber = std::min(job.polls, total);
  status.status = job.polls >= total ? scenario_.jobs.done : scenario_.jobs.running;
  status.componentTimeout = scenario_.jobs.componentTimeout;
  status.totalTimeout = scenario_.jobs.totalTimeout;
  status.componentName = job.name;
  return status;
}

void Workshop::Finish(Job& job) {
  if (job.applied || job.polls < scenario_.jobs.components) return;
  job.applied = true;
  ModuleConfig* module = FindModule(job.serial);
  if (module == nullptr) return;
  auto& apps = module->apps;
  if (job.kind == JobKind::Install) {
    AppVciData app;
    app.app = job.app.app;
    app.name = job.app.name;
    app.version = job.app.version;
    app.date = job.app.date;
    app.state = scenario_.jobs.installedState;
    app.versionText = job.app.versionText;
    app.branch = job.app.branch;
    app.dateText = job.app.dateText;
    auto it = std::find_if(apps.begin(), apps.end(), [&](const AppVciData& a) { return a.app == app.app; });
    if (it != apps.end())
      *it = app;
    else
      apps.push_back(app);
  } else if (job.kind == JobKind::Uninstall) {
    apps.erase(std::remove_if(apps.begin(), apps.end(), [&](const AppVciData& a) { return a.name == job.name; }),
               apps.end());
  }
}

LONG Workshop::StartJob(ModuleConfig& module, JobKind kind, AppPcData app, std::string name,
                        AppStatusData* status, ULONG* jobId) {
  Job job;
  job.kind = kind;
  job.serial = module.item.serial;
  job.app = std::move(app);
  job.name = std::move(name);
  Finish(job);  // a job without components is done at once
  const ULONG id = nextJob_++;
  *status = StatusOf(job);
  *jobId = id;
  jobs_[id] = std::move(job);
  return 0;
}

LONG Workshop::InstallByName(ULONG connection, const std::string& name, AppStatusData* status, ULONG* job) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (const auto& app : scenario_.appsPc)
    if (app.name == name) return StartJob(*module, JobKind::Install, app, app.name, status, job);
  return scenario_.codes.unknownApp;
}

LONG Workshop::InstallByNumber(ULONG connection, ULONG number, AppStatusData* status, ULONG* job) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (const auto& app : scenario_.appsPc)
    if (app.app == number) return StartJob(*module, JobKind::Install, app, app.name, status, job);
  return scenario_.codes.unknownApp;
}

LONG Workshop::Uninstall(ULONG connection, const std::string& name, AppStatusData* status, ULONG* job) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (const auto& app : module->apps)
    if (app.name == name) return StartJob(*module, JobKind::Uninstall, {}, app.name, status, job);
  return scenario_.codes.notInstalled;
}

LONG Workshop::UpdateFirmware(ULONG connection, AppStatusData* status, ULONG* job) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  return StartJob(*module, JobKind::Firmware, {}, scenario_.jobs.firmwareName, status, job);
}

LONG Workshop::JobStatus(ULONG connection, ULONG jobId, AppStatusData* status) {
  std::lock_guard guard(lock_);
  if (ModuleOf(connection) == nullptr) return scenario_.codes.unknownConnection;
  auto it = jobs_.find(jobId);
  if (it == jobs_.end()) return scenario_.codes.unknownJob;
  Job& job = it->second;
  if (job.polls < scenario_.jobs.components) ++job.polls;
  Finish(job);
  *status = StatusOf(job);
  return 0;
}

LONG Workshop::ControlApp(ULONG connection, ULONG app, ULONG action) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (auto& installed : module->apps) {
    if (installed.app == app) {
      installed.state = action;
      return 0;
    }
  }
  return scenario_.codes.notInstalled;
}

LONG Workshop::SetConfig(ULONG app, ULONG item, ULONG value) {
  std::lock_guard guard(lock_);
  appConfig_[{app, item}] = value;
  return 0;
}

LONG Workshop::GetConfig(ULONG app, ULONG item, ULONG* value) const {
  std::lock_guard guard(lock_);
  auto it = appConfig_.find({app, item});
  if (it == appConfig_.end()) return scenario_.codes.notFound;
  *value = it->second;
  return 0;
}

// ---- client information

ULONG Workshop::Used(const ModuleConfig& module, bool volatileStore) const {
  ULONG used = 0;
  for (const auto& block : module.blocks)
    if ((block.location == scenario_.clientInfo.volatileLocation) == volatileStore)
      used += static_cast<ULONG>(block.bytes.size());
  return used;
}

ULONG Workshop::Total(const ModuleConfig& module, bool volatileStore) const {
  return volatileStore ? module.volatileTotal : module.nonVolatileTotal;
}

AccessData Workshop::NewAccess(ULONG serial, ULONG status, LONG error, std::size_t size, bool read, Bytes bytes) {
  const ULONG blockSize = std::max<ULONG>(scenario_.clientInfo.blockSize, 1);
  const ULONG blocks = static_cast<ULONG>((size + blockSize - 1) / blockSize);
  AccessData data;
  data.clientInfo = nextAccess_++;
  data.status = status;
  data.errorCode = error;
  data.totalBlocks = blocks;
  data.currentBlock = error == 0 ? blocks : 0;
  data.timeStampMs = clock_;
  clock_ += scenario_.clientInfo.clockStepMs;
  accesses_[data.clientInfo] = Access{serial, data, read, std::move(bytes)};
  return data;
}

LONG Workshop::StoreLocked(ModuleConfig& module, const std::string& id, ULONG location, const Bytes& bytes,
                           AccessData* access) {
  const bool isVolatile = location == scenario_.clientInfo.volatileLocation;
  auto existing = std::find_if(module.blocks.begin(), module.blocks.end(),
                               [&](const StoredBlock& b) { return b.id == id && b.location == location; });
  const std::uint64_t freed = existing != module.blocks.end() ? existing->bytes.size() : 0;
  const std::uint64_t used = Used(module, isVolatile) - freed;
  if (used + bytes.size() > Total(module, isVolatile)) {
    const LONG code = scenario_.codes.noSpace;
    *access = NewAccess(module.item.serial, scenario_.clientInfo.failed, code, bytes.size(), false, {});
    return code;
  }
  if (existing != module.blocks.end())
    existing->bytes = bytes;
  else
    module.blocks.push_back(StoredBlock{id, location, bytes});
  *access = NewAccess(module.item.serial, scenario_.clientInfo.complete, 0, bytes.size(), false, {});
  return 0;
}

LONG Workshop::Store(ULONG connection, const std::string& id, ULONG location, const Bytes& bytes,
                     AccessData* access, bool* withItem) {
  std::lock_guard guard(lock_);
  *withItem = false;
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *withItem = true;
  return StoreLocked(*module, id, location, bytes, access);
}

LONG Workshop::StoreFile(ULONG connection, const std::string& id, ULONG location, const std::string& path,
                         AccessData* access, bool* withItem) {
  Bytes bytes;
  const bool readable = ReadFile(path, &bytes);
  std::lock_guard guard(lock_);
  *withItem = false;
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *withItem = true;
  if (readable) return StoreLocked(*module, id, location, bytes, access);
  const LONG code = scenario_.codes.fileError;
  *access = NewAccess(module->item.serial, scenario_.clientInfo.failed, code, 0, false, {});
  return code;
}

LONG Workshop::Delete(ULONG connection, const std::string& id, ULONG location) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  auto it = std::find_if(module->blocks.begin(), module->blocks.end(),
                         [&](const StoredBlock& b) { return b.id == id && b.location == location; });
  if (it == module->blocks.end()) return scenario_.codes.notFound;
  module->blocks.erase(it);
  return 0;
}

LONG Workshop::AccessStatus(ULONG connection, ULONG accessId, AccessData* access) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  auto it = accesses_.find(accessId);
  if (it == accesses_.end() || it->second.serial != module->item.serial) return scenario_.codes.unknownAccess;
  *access = it->second.data;
  return 0;
}

LONG Workshop::Read(ULONG connection, const std::string& id, ULONG location, AccessData* access) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (const auto& block : module->blocks) {
    if (block.id == id && block.location == location) {
      *access = NewAccess(module->item.serial, scenario_.clientInfo.complete, 0, block.bytes.size(), true,
                          block.bytes);
      return 0;
    }
  }
  return scenario_.codes.notFound;
}

LONG Workshop::ReadResult(ULONG connection, ULONG accessId, Bytes* bytes) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  auto it = accesses_.find(accessId);
  if (it == accesses_.end() || !it->second.read || it->second.serial != module->item.serial)
    return scenario_.codes.unknownAccess;
  *bytes = it->second.bytes;
  return 0;
}

LONG Workshop::ReadToFile(ULONG connection, const std::string& id, ULONG location, const std::string& path,
                          AccessData* access, bool* withItem) {
  std::lock_guard guard(lock_);
  *withItem = false;
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (const auto& block : module->blocks) {
    if (block.id != id || block.location != location) continue;
    *withItem = true;
    if (!WriteFile(path, block.bytes)) {
      const LONG code = scenario_.codes.fileError;
      *access = NewAccess(module->item.serial, scenario_.clientInfo.failed, code, block.bytes.size(), false, {});
      return code;
    }
    *access = NewAccess(module->item.serial, scenario_.clientInfo.complete, 0, block.bytes.size(), false, {});
    return 0;
  }
  return scenario_.codes.notFound;
}

LONG Workshop::BlockList(ULONG connection, std::vector<ClientInfoItemData>* items) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  items->clear();
  for (const auto& block : module->blocks)
    items->push_back(ClientInfoItemData{block.location, block.id, static_cast<ULONG>(block.bytes.size())});
  return 0;
}

LONG Workshop::Space(ULONG connection, SpaceData* space) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  space->volTotal = module->volatileTotal;
  space->volRemaining = module->volatileTotal - std::min(module->volatileTotal, Used(*module, true));
  space->nonVolTotal = module->nonVolatileTotal;
  space->nonVolRemaining = module->nonVolatileTotal - std::min(module->nonVolatileTotal, Used(*module, false));
  return 0;
}

// ---- pendant

ULONG Workshop::LedCount() const {
  std::lock_guard guard(lock_);
  return scenario_.ledCount;
}

LONG Workshop::SetLeds(ULONG connection, const std::vector<LedData>& leds) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (std::size_t i = 0; i < leds.size() && i < module->leds.size(); ++i) module->leds[i] = leds[i];
  return 0;
}

LONG Workshop::GetLeds(ULONG connection, std::vector<LedData>* leds) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *leds = module->leds;
  return 0;
}

LONG Workshop::SetSegments(ULONG connection, const SegmentData& segments, ULONG first, ULONG second) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  module->segments = segments;
  module->display[0] = first;
  module->display[1] = second;
  return 0;
}

LONG Workshop::GetSegments(ULONG connection, SegmentData* segments, ULONG* first, ULONG* second) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *segments = module->segments;
  *first = module->display[0];
  *second = module->display[1];
  return 0;
}

LONG Workshop::SetAudio(ULONG connection, const std::array<ULONG, 4>& audio) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  std::copy(audio.begin(), audio.end(), module->audio);
  return 0;
}

LONG Workshop::GetAudio(ULONG connection, ULONG* first, ULONG* second) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *first = module->audio[0];
  *second = module->audio[1];
  return 0;
}

// ---- wireless and diagnostics

LONG Workshop::AccessPoint(ULONG connection, ApStateData* state) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *state = module->accessPoint;
  return 0;
}

void Workshop::SetManualScan(VARIANT_BOOL enable) {
  std::lock_guard guard(lock_);
  manualScan_ = enable;
}

void Workshop::SetAutoWifi(VARIANT_BOOL enable) {
  std::lock_guard guard(lock_);
  autoWifi_ = enable;
}

VARIANT_BOOL Workshop::ManualScan() const {
  std::lock_guard guard(lock_);
  return manualScan_;
}

VARIANT_BOOL Workshop::AutoWifi() const {
  std::lock_guard guard(lock_);
  return autoWifi_;
}

std::vector<AdapterData> Workshop::Adapters(VARIANT_BOOL flags[3]) const {
  std::lock_guard guard(lock_);
  flags[0] = autoWifi_;
  flags[1] = manualScan_;
  flags[2] = scenario_.wifiConnected;
  return scenario_.adapters;
}

LONG Workshop::SelfTest(ULONG connection, Bytes* bytes) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *bytes = module->selfTest;
  return 0;
}

LONG Workshop::ConfigItems(ULONG connection, std::vector<ConfigItemData>* items) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *items = module->configItems;
  return 0;
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
