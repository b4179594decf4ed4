#include "core/ThreadManager.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "java/LogStream.h"

namespace {

using Clock = std::chrono::steady_clock;
using Nanos = std::chrono::nanoseconds;

// How long a side spins before it sleeps, learnt from its own recent waits:
// about twice a typical wait when waits are short, shrinking towards nothing
// when they are long (an idle library). A spin that finds itself taken off
// the processor (the clock jumps between two looks) means the machine has
// more runnable threads than processors; spinning then only takes time from
// the thread it waits for, so the side stops spinning for a while and sleeps
// at once, which also keeps the scheduler's wake-up preference for it.
class SpinBudget {
 public:
  static constexpr Nanos kMaximum{50'000};
  static constexpr Nanos kMinimum{1'000};

  // Spins until ready() or the budget is spent; true when ready() came true.
  // The spin never yields: on a busy machine a yield hands the processor to
  // other work for a whole scheduler slice, far longer than sleeping on the
  // event and being woken.
  template <class Ready>
  bool Spin(Ready ready, Clock::time_point start) {
    if (ready()) return true;
    const int quiet = m_quietWaits.load(std::memory_order_relaxed);
    if (quiet > 0) {
      m_quietWaits.store(quiet - 1, std::memory_order_relaxed);
      return false;
    }
    const Nanos budget{m_budget.load(std::memory_order_relaxed)};
    Clock::time_point last = start;
    for (unsigned i = 1;; ++i) {
      if (ready()) return true;
      if (i % 16 != 0) {
        CpuRelax();
        continue;
      }
      const Clock::time_point now = Clock::now();
      if (now - last > kDescheduled) {
        m_quietWaits.store(kQuietWaits, std::memory_order_relaxed);
        return ready();
      }
      if (now - start >= budget) return false;
      last = now;
    }
  }

  // Takes one finished wait into account: `waited` is the time from the
  // start of the wait until the other side had done its part.
  void Learn(Nanos waited) {
    Nanos budget{m_budget.load(std::memory_order_relaxed)};
    if (waited > kMaximum) {
      budget /= 2;
    } else {
      budget += (std::min(2 * waited, kMaximum) - budget) / 4;
    }
    m_budget.store(std::max(budget, kMinimum).count(), std::memory_order_relaxed);
  }

 private:
  // A gap this long between two looks of a spin is a trip off the processor.
  static constexpr Nanos kDescheduled{20'000};
  // Waits that sleep at once after such a trip.
  static constexpr int kQuietWaits = 1000;

  static void CpuRelax() {
#if defined(_MSC_VER)
    _mm_pause();
#elif defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
  }

  std::atomic<Nanos::rep> m_budget{kMaximum.count()};
  std::atomic<int> m_quietWaits{0};
};

// One direction of the hand-over: a flag the waiting side spins on, and a
// Win32 event that is set only when the waiting side has announced that it
// sleeps on it. Both sides use sequentially consistent operations on the
// flag and on `asleep`, so at least one of them sees the other's store: the
// waiter sees the flag, or the signaller sees the sleeper (a spare signal is
// harmless, waiters look at the flag after every wake).
struct HandOff {
  std::atomic<bool> flag{false};
  std::atomic<bool> asleep{false};
  std::atomic<Clock::rep> signalledAt{0};  // when the flag was raised for a sleeper
  SpinBudget budget;

  void Raise(HANDLE event) {
    flag.store(true);
    if (asleep.load()) {
      signalledAt.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
      if (event != nullptr) SetEvent(event);
    }
  }

  // Announces sleep; false when the flag came up meanwhile (then no sleep).
  bool PrepareSleep() {
    asleep.store(true);
    if (flag.load()) {
      asleep.store(false);
      return false;
    }
    return true;
  }

  // After a wake: the time the flag took since `start`, for Learn().
  Nanos WaitedSince(Clock::time_point start) const {
    const Clock::time_point raised{Clock::duration{signalledAt.load(std::memory_order_relaxed)}};
    return raised > start ? Nanos{raised - start} : Nanos{Clock::now() - start};
  }

  void Reset() {
    flag.store(false);
    asleep.store(false);
  }
};

// Process-wide state of the command thread. The lock exists from load to
// unload; the events and the thread object from the first Start on.
CCriticalSection g_commandLock;
HANDLE g_commandReady = nullptr;  // auto-reset: wakes the command thread (see g_ready)
HANDLE g_commandDone = nullptr;   // auto-reset: wakes the submitter (see g_done)
HANDLE g_stop = nullptr;          // manual-reset: end the loop
CThreadCommandCore* g_currentCommand = nullptr;
int g_startCount = 0;
CWinThread* g_thread = nullptr;

HandOff g_ready;  // a command waits in the slot; the command thread waits on it
HandOff g_done;   // the command thread is done with it; the submitter waits on it

constexpr const char* kProc = "CThreadManager::ObjectManagerThreadProc";

// True when the wait ended through `index`, or when something else ended it
// and a zero-timeout test finds the event signalled.
bool Signalled(DWORD waitResult, DWORD index, HANDLE event) {
  if (waitResult == WAIT_OBJECT_0 + index) return true;
  return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

void RunCurrentCommand() {
  if (g_currentCommand == nullptr) return;
  try {
    g_currentCommand->Execute();
  } catch (_com_error& e) {
    CORE_LOG(kProc) << "com error: 0x" << LogHex << static_cast<ULONG>(e.Error()) << " - " << e.ErrorMessage()
                    << LogEnd;
  }
}

// Command thread: takes the waiting command, if any, runs it and lets the
// submitter go.
void TakeCommand() {
  if (!g_ready.flag.exchange(false)) return;
  RunCurrentCommand();
  g_done.Raise(g_commandDone);
}

}  // namespace

void CThreadManager::Start() {
  CSingleLock lock(&g_commandLock, TRUE);
  if (g_startCount == 0) {
    g_ready.Reset();
    g_done.Reset();
    g_commandReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_commandDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_thread = AfxBeginThread(ObjectManagerThreadProc, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (g_thread != nullptr) {
      g_thread->m_bAutoDelete = FALSE;
      g_thread->ResumeThread();
    }
  }
  ++g_startCount;
}

INT_PTR CThreadManager::Submit(CThreadCommandCore* command) {
  CSingleLock lock(&g_commandLock, TRUE);
  g_currentCommand = command;
  g_done.flag.store(false);
  g_ready.Raise(g_commandReady);
  WaitForCommandDone();
  // Not taken (no command thread, or it ended): the slot is free again.
  g_ready.flag.store(false);
  const INT_PTR result = g_currentCommand != nullptr ? g_currentCommand->GetResult() : 0;
  g_currentCommand = nullptr;
  return result;
}

void CThreadManager::WaitForCommandDone() {
  if (g_commandDone == nullptr) return;
  const Clock::time_point start = Clock::now();
  const auto done = [] { return g_done.flag.load(); };
  if (g_done.budget.Spin(done, start)) {
    g_done.budget.Learn(Clock::now() - start);
    return;
  }
  for (;;) {
    if (!g_done.PrepareSleep()) break;
    const DWORD wait = WaitForSingleObject(g_commandDone, 1000);
    g_done.asleep.store(false);
    if (done()) {
      g_done.budget.Learn(g_done.WaitedSince(start));
      return;
    }
    if (wait != WAIT_TIMEOUT) continue;  // a spare signal of an earlier command
    // Timed out: give up once the command thread is gone.
    if (g_thread == nullptr || g_thread->m_hThread == INVALID_HANDLE_VALUE) return;
    if (WaitForSingleObject(g_thread->m_hThread, 0) != WAIT_TIMEOUT) return;
  }
  g_done.budget.Learn(Clock::now() - start);
}

UINT CThreadManager::ObjectManagerThreadProc(LPVOID) {
  CORE_LOG(kProc) << "Command thread started" << LogEnd;
  const HANDLE waitList[2] = {g_commandReady, g_stop};
  bool stop = false;
  bool comInitialised = false;

  const HRESULT init = CoInitialize(nullptr);
  if (FAILED(init)) {
    CORE_LOG(kProc) << "Failed toto initialize COM " << LogHex << static_cast<ULONG>(init) << LogEnd;
  } else {
    comInitialised = true;
    const HRESULT security = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                                  RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) {
      CORE_LOG(kProc) << "Failed to initialize COM security " << LogHex << static_cast<ULONG>(security) << LogEnd;
    }
  }

  const auto commandWaiting = [] { return g_ready.flag.load(); };
  while (!stop) {
    // Right after a command the next one often follows at once: look for it
    // a little while before sleeping.
    const Clock::time_point start = Clock::now();
    if (g_ready.budget.Spin(commandWaiting, start)) {
      g_ready.budget.Learn(Clock::now() - start);
      TakeCommand();
    } else if (g_ready.PrepareSleep()) {
      const DWORD wait = MsgWaitForMultipleObjects(2, waitList, FALSE, INFINITE, QS_ALLINPUT);
      g_ready.asleep.store(false);
      // The ready event may also carry a spare signal; the flag decides.
      Signalled(wait, 0, waitList[0]);
      if (commandWaiting()) g_ready.budget.Learn(g_ready.WaitedSince(start));
      TakeCommand();
      if (Signalled(wait, 1, waitList[1])) {
        CORE_LOG(kProc) << "Stopping" << LogEnd;
        stop = true;
      }
    } else {
      TakeCommand();
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

  CORE_LOG(kProc) << "Uninit COM" << LogEnd;
  if (comInitialised) CoUninitialize();
  CORE_LOG(kProc) << "Command thread terminating" << LogEnd;
  return 0;
}

void CThreadManager::Stop() {
  CSingleLock lock(&g_commandLock, TRUE);
  if (g_thread != nullptr) {
    SetEvent(g_stop);
    WaitForSingleObject(g_thread->m_hThread, INFINITE);
    delete g_thread;
    g_thread = nullptr;
  }
  for (HANDLE* event : {&g_commandReady, &g_commandDone, &g_stop}) {
    if (*event != nullptr) CloseHandle(*event);
    *event = nullptr;
  }
  g_startCount = 0;
}
