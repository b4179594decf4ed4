#pragma once
// Kernel objects of the stand-in. All object state (signal states, waiter
// lists, message queues, the handle table) is guarded by one kernel lock;
// each waiting thread sleeps on its own condition variable and is woken only
// by the objects it waits for. Waiters are notified once the kernel lock is
// released (see WakeList): a thread notified under the lock would wake only
// to block on that lock again at once, two switches instead of one.

#include <atomic>
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
// Shared, so that a notification made after the lock is released never
// reaches a waiter that has meanwhile returned and gone.
using WaiterPtr = std::shared_ptr<Waiter>;

struct KernelObject {
  virtual ~KernelObject() = default;
  // Guarded by the kernel lock.
  virtual bool IsSignalled() const = 0;
  // A wait was satisfied by this object (auto-reset events reset here).
  virtual void Consume() {}

  std::vector<WaiterPtr> waiters;
};

// The waiters of objects whose state changed, notified when the list is
// destroyed. Declare it before the kernel lock's guard, so that it outlives
// the guard: the notifications then come after the lock is released. A
// waiter notified after it already returned sees a spurious wake-up in its
// next wait, which looks at its objects again.
class WakeList {
 public:
  WakeList() = default;
  WakeList(const WakeList&) = delete;
  WakeList& operator=(const WakeList&) = delete;
  ~WakeList() {
    for (const WaiterPtr& w : m_waiters) w->cv.notify_one();
  }
  // Kernel lock held.
  void Add(const KernelObject& object) { m_waiters.insert(m_waiters.end(), object.waiters.begin(), object.waiters.end()); }

 private:
  std::vector<WaiterPtr> m_waiters;
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
  // Written under the kernel lock with every change of `messages`; read
  // without it by the owning thread's PeekMessageA, so that a loop that
  // empties an empty queue after every command does not take the lock.
  void Changed() { size.store(messages.size(), std::memory_order_release); }
  std::deque<MSG> messages;
  std::atomic<std::size_t> size{0};
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
