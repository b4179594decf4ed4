#include "jni/HandleTable.h"

#include "facade/CTovikManagerIF.h"

CHandleTable& CHandleTable::Instance() {
  static CHandleTable* table = new CHandleTable;
  return *table;
}

jlong CHandleTable::Add(std::unique_ptr<CTovikManagerIF> facade) {
  FacadeRef shared(std::move(facade));
  CSingleLock hold(&m_lock, TRUE);
  const jlong handle = m_facades.empty() ? 1 : m_facades.rbegin()->first + 1;
  m_facades.emplace(handle, std::move(shared));
  return handle;
}

FacadeRef CHandleTable::Find(jlong handle) {
  CSingleLock hold(&m_lock, TRUE);
  auto found = m_facades.find(handle);
  return found == m_facades.end() ? nullptr : found->second;
}

FacadeRef CHandleTable::Remove(jlong handle) {
  FacadeRef removed;
  CSingleLock hold(&m_lock, TRUE);
  auto found = m_facades.find(handle);
  if (found == m_facades.end()) return nullptr;
  removed = std::move(found->second);
  m_facades.erase(found);
  return removed;
}

std::size_t CHandleTable::Size() {
  CSingleLock hold(&m_lock, TRUE);
  return m_facades.size();
}
