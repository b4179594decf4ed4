// Threads: waitable handles that are signalled when the thread ends.
#include <atomic>
#include <system_error>
#include <thread>

#include "kernel.h"

namespace standin::detail {
namespace {
std::atomic<DWORD> g_nextThreadId{0x1000};
thread_local DWORD t_threadId = 0;
}  // namespace

DWORD NewThreadId() { return g_nextThreadId.fetch_add(4); }
void SetCurrentThreadId(DWORD id) { t_threadId = id; }
DWORD CurrentThreadId() {
  if (t_threadId == 0) t_threadId = NewThreadId();
  return t_threadId;
}
}  // namespace standin::detail

using namespace standin::detail;

namespace {
// The end of a thread. Made before the thread procedure runs, it is the last
// of the thread's thread_local objects to be destroyed, so - as on Windows,
// where the handle is signalled only after the thread's per-thread data is
// gone - a wait on the handle returns after everything the thread owned has
// been released.
class ThreadEnd {
 public:
  ~ThreadEnd() {
    if (!m_thread) return;
    ReleaseThreadErrorInfo();
    DestroyThreadMessageQueue();
    WakeList wake;
    std::lock_guard lock(KernelLock());
    m_thread->exitCode = exitCode;
    m_thread->finished = true;
    wake.Add(*m_thread);
  }
  void Attach(std::shared_ptr<Thread> thread) { m_thread = std::move(thread); }
  DWORD exitCode = 0;

 private:
  std::shared_ptr<Thread> m_thread;
};

void RunThread(std::shared_ptr<Thread> self, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  {
    std::unique_lock lock(KernelLock());
    self->resumed.wait(lock, [&] { return self->suspendCount == 0; });
  }
  SetCurrentThreadId(self->id);
  thread_local ThreadEnd end;
  end.Attach(std::move(self));
  end.exitCode = start(parameter);
}
}  // namespace

extern "C" {

DWORD GetCurrentThreadId() { return CurrentThreadId(); }

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, LPDWORD lpThreadId) {
  if (lpStartAddress == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::make_shared<Thread>();
  thread->id = NewThreadId();
  thread->suspendCount = (dwCreationFlags & CREATE_SUSPENDED) ? 1 : 0;
  HANDLE handle;
  {
    std::lock_guard lock(KernelLock());
    handle = InsertHandle(thread);
  }
  try {
    std::thread(RunThread, thread, lpStartAddress, lpParameter).detach();
  } catch (const std::system_error&) {
    std::lock_guard lock(KernelLock());
    EraseHandle(handle);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (lpThreadId) *lpThreadId = thread->id;
  return handle;
}

DWORD ResumeThread(HANDLE hThread) {
  std::lock_guard lock(KernelLock());
  auto thread = std::dynamic_pointer_cast<Thread>(FindHandle(hThread));
  if (!thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  const DWORD previous = thread->suspendCount;
  if (previous > 0 && --thread->suspendCount == 0) thread->resumed.notify_all();
  return previous;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  std::lock_guard lock(KernelLock());
  auto thread = std::dynamic_pointer_cast<Thread>(FindHandle(hThread));
  if (!thread || lpExitCode == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *lpExitCode = thread->finished ? thread->exitCode : STILL_ACTIVE;
  return TRUE;
}

BOOL SetThreadPriority(HANDLE hThread, int) {
  std::lock_guard lock(KernelLock());
  if (!std::dynamic_pointer_cast<Thread>(FindHandle(hThread))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;  // priorities are not modelled
}

void Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
}
