// Per-thread message queues: PostThreadMessageA, PeekMessageA, DispatchMessageA.
#include <chrono>
#include <unordered_map>

#include "kernel.h"

namespace standin::detail {
DWORD CurrentThreadId();

namespace {
// Queues by thread id; guarded by the kernel lock. Never destroyed.
std::unordered_map<DWORD, std::shared_ptr<MessageQueue>>& Queues() {
  static auto* queues = new std::unordered_map<DWORD, std::shared_ptr<MessageQueue>>();
  return *queues;
}

// Removes the thread's queue when the thread ends.
struct QueueOwner {
  std::shared_ptr<MessageQueue> queue;
  DWORD threadId = 0;
  ~QueueOwner() { DestroyThreadMessageQueue(); }
};
thread_local QueueOwner t_queue;

DWORD TickCount() {
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
}
}  // namespace

MessageQueue& CurrentThreadQueue() {
  if (!t_queue.queue) {
    t_queue.threadId = CurrentThreadId();
    t_queue.queue = std::make_shared<MessageQueue>();
    Queues()[t_queue.threadId] = t_queue.queue;
  }
  return *t_queue.queue;
}

void DestroyThreadMessageQueue() noexcept {
  if (!t_queue.queue) return;
  std::shared_ptr<MessageQueue> doomed;
  std::lock_guard lock(KernelLock());
  doomed = std::move(t_queue.queue);
  Queues().erase(t_queue.threadId);
}
}  // namespace standin::detail

using namespace standin::detail;

extern "C" {

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  WakeList wake;
  std::lock_guard lock(KernelLock());
  auto it = Queues().find(idThread);
  if (it == Queues().end()) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  it->second->messages.push_back(MSG{nullptr, Msg, wParam, lParam, TickCount(), {0, 0}});
  it->second->Changed();
  wake.Add(*it->second);
  return TRUE;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (lpMsg == nullptr) return FALSE;
  // Only this thread takes messages out of its queue: seen empty, it stays
  // empty until a post, which may as well have come after this call.
  if (t_queue.queue && t_queue.queue->size.load(std::memory_order_acquire) == 0) return FALSE;
  std::lock_guard lock(KernelLock());
  MessageQueue& queue = CurrentThreadQueue();
  // Only thread messages exist: they match a null window or (HWND)-1.
  if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return FALSE;
  const bool anyMessage = wMsgFilterMin == 0 && wMsgFilterMax == 0;
  for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
    if (anyMessage || (it->message >= wMsgFilterMin && it->message <= wMsgFilterMax)) {
      *lpMsg = *it;
      if (wRemoveMsg & PM_REMOVE) {
        queue.messages.erase(it);
        queue.Changed();
      }
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr) return 0;
  // Thread messages have no window procedure to go to.
  ++g_dispatchedMessages;
  return 0;
}
}
