// Handle table, events and waits.
#include <chrono>
#include <unordered_map>

#include "kernel.h"

namespace standin::detail {

namespace {
struct HandleTable {
  std::unordered_map<std::uintptr_t, ObjectPtr> objects;
  std::uintptr_t next = 0x100;
};

// Never destroyed: detached threads may still use it while the process exits.
HandleTable& Handles() {
  static auto* table = new HandleTable();
  return *table;
}
}  // namespace

std::mutex& KernelLock() {
  static auto* lock = new std::mutex();
  return *lock;
}

HANDLE InsertHandle(ObjectPtr object) {
  HandleTable& t = Handles();
  const std::uintptr_t value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

ObjectPtr FindHandle(HANDLE h) {
  HandleTable& t = Handles();
  auto it = t.objects.find(reinterpret_cast<std::uintptr_t>(h));
  return it == t.objects.end() ? nullptr : it->second;
}

bool EraseHandle(HANDLE h) { return Handles().objects.erase(reinterpret_cast<std::uintptr_t>(h)) != 0; }

DWORD WaitLocked(std::unique_lock<std::mutex>& lock, const std::vector<ObjectPtr>& objects, bool waitAll,
                 DWORD milliseconds, MessageQueue* queue) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  WaiterPtr self;  // made when the thread first has to sleep
  bool registered = false;
  bool timedOut = false;
  DWORD result = WAIT_TIMEOUT;

  for (;;) {
    if (waitAll) {
      bool all = queue == nullptr || queue->IsSignalled();
      for (const ObjectPtr& o : objects) all = all && o->IsSignalled();
      if (all) {
        for (const ObjectPtr& o : objects) o->Consume();
        result = WAIT_OBJECT_0;
        break;
      }
    } else {
      bool found = false;
      for (std::size_t i = 0; i < objects.size() && !found; ++i) {
        if (objects[i]->IsSignalled()) {
          objects[i]->Consume();
          result = WAIT_OBJECT_0 + static_cast<DWORD>(i);
          found = true;
        }
      }
      if (!found && queue != nullptr && queue->IsSignalled()) {
        result = WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
        found = true;
      }
      if (found) break;
    }
    if (milliseconds == 0 || timedOut) {
      result = WAIT_TIMEOUT;
      break;
    }
    if (!registered) {
      self = std::make_shared<Waiter>();
      for (const ObjectPtr& o : objects) o->waiters.push_back(self);
      if (queue) queue->waiters.push_back(self);
      registered = true;
    }
    if (milliseconds == INFINITE)
      self->cv.wait(lock);
    else if (self->cv.wait_until(lock, deadline) == std::cv_status::timeout)
      timedOut = true;  // one last look at the objects, then give up
  }

  if (registered) {
    auto unregister = [&self](KernelObject& o) {
      for (auto it = o.waiters.begin(); it != o.waiters.end(); ++it) {
        if (*it == self) {
          o.waiters.erase(it);
          break;
        }
      }
    };
    for (const ObjectPtr& o : objects) unregister(*o);
    if (queue) unregister(*queue);
  }
  return result;
}

namespace {
// Resolves handles into objects; false (with the error set) for a bad one.
bool Resolve(DWORD count, const HANDLE* handles, std::vector<ObjectPtr>& out) {
  out.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    ObjectPtr o = FindHandle(handles[i]);
    if (!o) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    out.push_back(std::move(o));
  }
  return true;
}

template <class T>
std::shared_ptr<T> FindAs(HANDLE h) {
  return std::dynamic_pointer_cast<T>(FindHandle(h));
}
}  // namespace

}  // namespace standin::detail

using namespace standin::detail;

extern "C" {

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR) {
  auto event = std::make_shared<Event>(bManualReset != FALSE, bInitialState != FALSE);
  std::lock_guard lock(KernelLock());
  return InsertHandle(std::move(event));
}

BOOL SetEvent(HANDLE hEvent) {
  WakeList wake;
  std::lock_guard lock(KernelLock());
  auto event = FindAs<Event>(hEvent);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  event->signalled = true;
  wake.Add(*event);
  return TRUE;
}

BOOL ResetEvent(HANDLE hEvent) {
  std::lock_guard lock(KernelLock());
  auto event = FindAs<Event>(hEvent);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  event->signalled = false;
  return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
  ObjectPtr keep;  // destroyed outside the lock
  std::lock_guard lock(KernelLock());
  keep = FindHandle(hObject);
  if (!keep || !EraseHandle(hObject)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
  if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || lpHandles == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::unique_lock lock(KernelLock());
  std::vector<ObjectPtr> objects;
  if (!Resolve(nCount, lpHandles, objects)) return WAIT_FAILED;
  return WaitLocked(lock, objects, bWaitAll != FALSE, dwMilliseconds, nullptr);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds,
                                DWORD dwWakeMask) {
  if (nCount > MAXIMUM_WAIT_OBJECTS - 1 || (nCount > 0 && pHandles == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::unique_lock lock(KernelLock());
  std::vector<ObjectPtr> objects;
  if (!Resolve(nCount, pHandles, objects)) return WAIT_FAILED;
  // Only posted messages exist here; other input kinds never arrive.
  MessageQueue* queue =
      (dwWakeMask & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)) ? &CurrentThreadQueue() : nullptr;
  return WaitLocked(lock, objects, fWaitAll != FALSE, dwMilliseconds, queue);
}
}
