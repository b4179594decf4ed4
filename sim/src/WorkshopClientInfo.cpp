// The workshop model: stored client information and client space.

#include "Workshop.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tovik::sim {

namespace {

// A folder (or anything else that is not a plain file) cannot be read as a
// block: reading a folder through a stream throws on some libraries.
bool ReadFile(const std::string& path, Bytes* bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  } catch (const std::exception&) {
    return false;
  }
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

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

}  // namespace tovik::sim
