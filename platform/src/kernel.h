#pragma once
// Kernel objects of the stand-in. All object state (signal states, waiter
// lists, message queues, the handle table) is guarded by one kernel lock;
// each waiting thread sleeps on its own condition variable and is woken only
// by the objects it waits for.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "internal.h"

namespace standin::detail {

std::mutex& KernelLock();

struct Waiter {
  std::condition_variable cv;
};

struct KernelObject {
  virtual ~KernelObject() = default;
  // Guarded by the kernel lock.
  virtual bool IsSignalled() const = 0;
  // A wait was satisfied by this object (auto-reset events reset here).
  virtual void Consume() {}

  void Wake() {
    for (Waiter* w : waiters) w->cv.notify_one();
  }
  std::vector<Waiter*> waiters;
};

struct Event final : KernelObject {
  Event(bool manual, bool initial) : manualReset(manual), signalled(initial) {}
  bool IsSignalled() const override { return signalled; }
  void Consume() override {
    if (!manualReset) signalled = false;
  }
  bool manualReset;
  bool signalled;
};

struct Thread final : KernelObject {
  bool IsSignalled() const override { return finished; }
  DWORD id = 0;
  DWORD suspendCount = 0;
  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
  std::condition_variable resumed;
};

struct MessageQueue final : KernelObject {
  bool IsSignalled() const override { return !messages.empty(); }
  std::deque<MSG> messages;
};

using ObjectPtr = std::shared_ptr<KernelObject>;

// Handle table; callers hold the kernel lock.
HANDLE InsertHandle(ObjectPtr object);
ObjectPtr FindHandle(HANDLE h);
bool EraseHandle(HANDLE h);

// The calling thread's message queue (created on first use); kernel lock held.
MessageQueue& CurrentThreadQueue();

// Waits for `objects` (and, when non-null, for `queue` to hold a message).
// Returns WAIT_OBJECT_0 + index, WAIT_OBJECT_0 + objects.size() for the queue,
// or WAIT_TIMEOUT. The kernel lock is held by `lock`.
DWORD WaitLocked(std::unique_lock<std::mutex>& lock, const std::vector<ObjectPtr>& objects, bool waitAll,
                 DWORD milliseconds, MessageQueue* queue);

// Assigns the calling thread's id (threads started by CreateThread).
void SetCurrentThreadId(DWORD id);
DWORD NewThreadId();

}  // namespace standin::detail
