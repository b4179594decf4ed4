// The workshop model: applications, installation jobs, application control and configuration.

#include "Workshop.h"

#include <algorithm>

namespace tovik::sim {

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

}  // namespace tovik::sim
