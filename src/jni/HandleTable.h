#pragma once
// The process-wide table of manager handles: Java's long handle -> manager facade.
//
// The table is guarded by a lock, so runtimes may be initialised and shut down while other
// native methods run. Entries are shared references: a native method holds its facade for
// the length of the call, and Remove only drops the table's reference, so the facade is
// deleted by whoever lets go of it last - the shutdown itself, or the last native method
// still using it.

#include <jni.h>

#include <map>
#include <memory>

#include "tovik/platform.h"

class CTovikManagerIF;
using FacadeRef = std::shared_ptr<CTovikManagerIF>;

class CHandleTable {
 public:
  // Never destroyed: facades that Java never shuts down live until the process ends.
  static CHandleTable& Instance();

  // Adds the facade under one more than the largest handle in use (1 for an empty table)
  // and returns that handle. The table takes ownership.
  jlong Add(std::unique_ptr<CTovikManagerIF> facade);
  // The facade of `handle`, or null.
  FacadeRef Find(jlong handle);
  // Takes the entry out of the table and hands its reference to the caller (null when the
  // handle is unknown).
  FacadeRef Remove(jlong handle);
  std::size_t Size();

 private:
  CHandleTable() = default;
  CCriticalSection m_lock;
  std::map<jlong, FacadeRef> m_facades;
};

// Shorthand for native methods: CHandleTable::Instance().Find(handle).
inline FacadeRef FindFacade(jlong handle) { return CHandleTable::Instance().Find(handle); }
