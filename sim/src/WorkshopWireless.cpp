// The workshop model: access point, Wi-Fi switches and adapters, self test and configuration items.

#include "Workshop.h"

namespace tovik::sim {

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

}  // namespace tovik::sim
