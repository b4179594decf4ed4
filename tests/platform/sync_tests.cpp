// Events, waits, threads, thread message queues, critical sections and the
// framework's thread and lock classes.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tovik/platform.h"

namespace {

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h) CloseHandle(h);
  }
  operator HANDLE() const { return h; }
};

TEST(Events, AutoResetIsConsumedByOneWaitManualResetStays) {
  Handle autoEvent(CreateEventA(nullptr, FALSE, TRUE, nullptr));
  Handle manualEvent(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  ASSERT_NE(autoEvent.h, nullptr);

  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_TIMEOUT);

  EXPECT_EQ(WaitForSingleObject(manualEvent, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manualEvent, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(manualEvent));
  EXPECT_EQ(WaitForSingleObject(manualEvent, 0), WAIT_TIMEOUT);

  EXPECT_TRUE(SetEvent(autoEvent));
  EXPECT_TRUE(SetEvent(autoEvent));  // a second set does not count twice
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_TIMEOUT);
}

TEST(Events, BadHandlesAndThreadIdsFail) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(0, nullptr, FALSE, 0), WAIT_FAILED);

  // A thread without a message queue cannot be posted to.
  DWORD id = 0;
  std::thread([&] { id = GetCurrentThreadId(); }).join();
  EXPECT_FALSE(PostThreadMessageA(id, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

TEST(Waits, WaitAnyReportsLowestSignalledIndexAndConsumesOnlyIt) {
  Handle a(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  Handle b(CreateEventA(nullptr, FALSE, TRUE, nullptr));
  Handle c(CreateEventA(nullptr, FALSE, TRUE, nullptr));
  HANDLE list[] = {a, b, c};
  EXPECT_EQ(WaitForMultipleObjects(3, list, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(3, list, FALSE, 0), WAIT_OBJECT_0 + 2);
  EXPECT_EQ(WaitForMultipleObjects(3, list, FALSE, 30), WAIT_TIMEOUT);
}

TEST(Waits, WaitAllNeedsEveryObjectAndTakesNothingOtherwise) {
  Handle a(CreateEventA(nullptr, FALSE, TRUE, nullptr));
  Handle b(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  HANDLE list[] = {a, b};
  EXPECT_EQ(WaitForMultipleObjects(2, list, TRUE, 10), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);  // a was left alone
  SetEvent(a);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(2, list, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
}

TEST(Waits, WaitAllCompletesWhenTheLastObjectIsSetFromAnotherThread) {
  Handle a(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  Handle b(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  HANDLE list[] = {a, b};
  std::thread setter([&] {
    Sleep(20);
    SetEvent(b);
  });
  EXPECT_EQ(WaitForMultipleObjects(2, list, TRUE, INFINITE), WAIT_OBJECT_0);
  setter.join();
}

TEST(Waits, AutoResetSignalReleasesExactlyOneOfManyWaiters) {
  Handle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  Handle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i) {
    waiters.emplace_back([&] {
      HANDLE list[] = {event, stop};
      if (WaitForMultipleObjects(2, list, FALSE, INFINITE) == WAIT_OBJECT_0) ++woken;
    });
  }
  Sleep(30);
  SetEvent(event);
  // Give every waiter the chance to (wrongly) take the same signal.
  Sleep(50);
  SetEvent(stop);
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woken.load(), 1);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
}

TEST(Messages, PostedMessageWakesMsgWaitFromAnotherThread) {
  Handle never(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  std::atomic<DWORD> targetId{0};
  Handle queueReady(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  DWORD waitResult = 0;
  MSG received{};
  BOOL peeked = FALSE;
  const std::size_t dispatchedBefore = standin::DispatchedMessageCount();

  std::thread target([&] {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // creates the queue
    targetId = GetCurrentThreadId();
    SetEvent(queueReady);
    HANDLE list[] = {never};
    waitResult = MsgWaitForMultipleObjects(1, list, FALSE, 5000, QS_ALLINPUT);
    peeked = PeekMessageA(&received, nullptr, 0, 0, PM_REMOVE);
    if (peeked) DispatchMessageA(&received);
  });
  ASSERT_EQ(WaitForSingleObject(queueReady, 5000), WAIT_OBJECT_0);
  Sleep(20);
  EXPECT_TRUE(PostThreadMessageA(targetId, WM_USER + 7, 11, 22));
  target.join();

  EXPECT_EQ(waitResult, WAIT_OBJECT_0 + 1);
  ASSERT_TRUE(peeked);
  EXPECT_EQ(received.message, static_cast<UINT>(WM_USER + 7));
  EXPECT_EQ(received.wParam, 11u);
  EXPECT_EQ(received.lParam, 22);
  EXPECT_EQ(received.hwnd, nullptr);
  EXPECT_EQ(standin::DispatchedMessageCount(), dispatchedBefore + 1);
}

TEST(Messages, PeekRemoveAndNoRemoveAndFilters) {
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER, 1, 0));
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 5, 2, 0));

  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 9, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  // A queued message ends a message wait at once; the handles come first.
  Handle set(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  HANDLE list[] = {set};
  EXPECT_EQ(MsgWaitForMultipleObjects(1, list, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
  ResetEvent(set);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, list, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, list, FALSE, 0, QS_KEY), WAIT_TIMEOUT);

  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(MsgWaitForMultipleObjects(1, list, FALSE, 10, QS_ALLINPUT), WAIT_TIMEOUT);
}

DWORD WINAPI ReturnParameter(LPVOID p) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(p)); }

TEST(Threads, SuspendedThreadRunsAfterResumeAndReportsItsExitCode) {
  DWORD id = 0;
  Handle thread(CreateThread(nullptr, 0, ReturnParameter, reinterpret_cast<LPVOID>(42), CREATE_SUSPENDED, &id));
  ASSERT_NE(thread.h, nullptr);
  EXPECT_NE(id, 0u);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 30), WAIT_TIMEOUT);  // still suspended
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
}

struct WorkerState {
  HANDLE release;
  std::atomic<DWORD> threadId{0};
  std::atomic<bool> ran{false};
};

UINT Worker(LPVOID p) {
  auto* state = static_cast<WorkerState*>(p);
  state->threadId = GetCurrentThreadId();
  WaitForSingleObject(state->release, INFINITE);
  state->ran = true;
  return 7;
}

TEST(MfcThreads, ThreadWithoutAutoDeleteKeepsObjectAndHandle) {
  Handle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  WorkerState state{release};
  CWinThread* thread = AfxBeginThread(Worker, &state, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(thread->m_bAutoDelete);
  thread->m_bAutoDelete = FALSE;
  Sleep(20);
  EXPECT_FALSE(state.ran);
  thread->ResumeThread();

  DWORD code = 0;
  GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(code, STILL_ACTIVE);
  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_EQ(state.threadId.load(), thread->m_nThreadID);
  delete thread;
}

class Tracked : public CWinThread {
 public:
  Tracked(AFX_THREADPROC proc, LPVOID p, std::atomic<bool>* deleted) : CWinThread(proc, p), deleted_(deleted) {}
  ~Tracked() override { *deleted_ = true; }

 private:
  std::atomic<bool>* deleted_;
};

TEST(MfcThreads, AutoDeleteThreadDeletesItselfWhenItEnds) {
  Handle release(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  WorkerState state{release};
  std::atomic<bool> deleted{false};
  auto* thread = new Tracked(Worker, &state, &deleted);
  ASSERT_TRUE(thread->CreateThread());
  for (int i = 0; i < 500 && !deleted; ++i) Sleep(5);
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(state.ran);
}

TEST(CriticalSections, RecursiveExclusiveAndReleasedByTheirLocks) {
  CCriticalSection section;
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 2000; ++i) {
      CSingleLock lock(&section, TRUE);
      EXPECT_TRUE(lock.IsLocked());
      CSingleLock nested(&section);  // the same thread may lock again
      EXPECT_TRUE(nested.Lock());
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 4000);

  CSingleLock lock(&section);
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_TRUE(lock.Lock());
  EXPECT_TRUE(TryEnterCriticalSection(&section.m_sect));  // same thread: recursion
  BOOL free = TRUE;
  std::thread([&] { free = TryEnterCriticalSection(&section.m_sect); }).join();
  EXPECT_FALSE(free) << "held by another thread";
  LeaveCriticalSection(&section.m_sect);
  EXPECT_TRUE(lock.Unlock());
  EXPECT_FALSE(lock.IsLocked());
  std::thread([&] {
    free = TryEnterCriticalSection(&section.m_sect);
    if (free) LeaveCriticalSection(&section.m_sect);
  }).join();
  EXPECT_TRUE(free);
}

}  // namespace
