#pragma once
// One object of type T per thread: created on the thread's first use,
// destroyed on that thread as it ends. There is one such object per thread
// and type, so each use gives its state a type of its own.
//
//   struct Lines { ... };
//   Lines& lines = tovik::ThreadLocal<Lines>();
//
// On Windows the objects live in fiber-local storage, whose callback runs as
// the thread ends while the rest of the thread's state is still in place.
// C++ thread_local is no place there for an object with a destructor: the
// mingw-w64 runtime emulates thread-local storage and frees a thread's block
// before it runs the destructors of the thread_local objects in it, so they
// would run on freed memory (and free it a second time). thread_local stays
// fine for values without a destructor.

#include "tovik/platform.h"

#if defined(_WIN32)
#include <memory>
#endif

namespace tovik {

#if defined(_WIN32)

template <class T>
class CFiberLocalSlot {
 public:
  CFiberLocalSlot() : m_index(FlsAlloc(&CFiberLocalSlot::Release)) {}
  CFiberLocalSlot(const CFiberLocalSlot&) = delete;
  CFiberLocalSlot& operator=(const CFiberLocalSlot&) = delete;
  // Runs when the library is unloaded: no callback may reach it afterwards.
  ~CFiberLocalSlot() {
    if (m_index != FLS_OUT_OF_INDEXES) FlsFree(m_index);
  }

  T& Get() {
    if (m_index != FLS_OUT_OF_INDEXES) {
      if (auto* entry = static_cast<Entry*>(FlsGetValue(m_index))) return entry->value;
      auto entry = std::make_unique<Entry>();
      if (FlsSetValue(m_index, entry.get())) return entry.release()->value;
    }
    // No slot to be had: the thread's object then lives until the process ends.
    thread_local T* unslotted = nullptr;
    if (unslotted == nullptr) unslotted = new T();
    return *unslotted;
  }

 private:
  struct Entry {
    DWORD owner = GetCurrentThreadId();
    T value{};
  };

  // Called as the owning thread ends, and by FlsFree on the unloading thread
  // for the objects of threads still running. An object's destructor belongs
  // on its own thread (it may detach that thread from the Java VM, for
  // instance), so the objects of other threads are left behind then.
  static void WINAPI Release(void* data) {
    auto* entry = static_cast<Entry*>(data);
    if (entry != nullptr && entry->owner == GetCurrentThreadId()) delete entry;
  }

  DWORD m_index;
};

template <class T>
T& ThreadLocal() {
  static CFiberLocalSlot<T> slot;
  return slot.Get();
}

#else

template <class T>
T& ThreadLocal() {
  thread_local T value;
  return value;
}

#endif

}  // namespace tovik
