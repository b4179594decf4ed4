// The workshop model: modules, connections and version lists.

#include "Workshop.h"

#include <algorithm>

namespace tovik::sim {

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

}  // namespace tovik::sim
