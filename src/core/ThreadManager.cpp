#include "core/ThreadManager.h"

#include "core/CommandTicket.h"
#include "core/SpinHandOff.h"
#include "tovik/threadlocal.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>

#include "core/LogStream.h"

namespace {

using tovik::Clock;
using tovik::HandOff;
using tovik::Nanos;
using tovik::SpinBudget;

using Ticket = CCommandTicket;

// The auto-reset event a submitting thread sleeps on, made on its first
// submission and closed when the thread ends. It is only ever signalled for
// a ticket of this thread that went to sleep, and each such signal is
// consumed before the ticket is left, so no spare signal outlives a ticket.
class WakeEvent {
 public:
  ~WakeEvent() {
    if (m_event != nullptr) CloseHandle(m_event);
  }
  HANDLE Get() {
    if (m_event == nullptr) m_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    return m_event;
  }

 private:
  HANDLE m_event = nullptr;
};
thread_local Ticket* t_ticket = nullptr;  // this thread's ticket in flight
thread_local bool t_commandThread = false;  // set by the command thread for itself

// Process-wide state of the command thread. The command lock serialises
// Start and Stop; the queue lock guards the queue and, for submitters, the
// events and the thread object (held only for a few instructions, never
// while a command runs). The events and the thread exist from the first
// Start on.
CCriticalSection g_commandLock;
std::mutex g_queueLock;
bool g_accepting = false;         // a Start made the events: submissions queue
Ticket* g_queueHead = nullptr;    // submitted tickets in submission order
Ticket* g_queueTail = nullptr;
HANDLE g_commandReady = nullptr;  // auto-reset: wakes the command thread (see g_ready)
HANDLE g_stop = nullptr;          // manual-reset: end the loop
int g_startCount = 0;
CWinThread* g_thread = nullptr;

HandOff g_ready;         // tickets wait in the queue; the command thread waits on it
std::atomic<bool> g_commandExpected{false};  // see ExpectCommand
SpinBudget g_doneBudget;  // how long a submitter spins for its ticket

constexpr const char* kProc = "CThreadManager::ObjectManagerThreadProc";

// True when the wait ended through `index`, or when something else ended it
// and a zero-timeout test finds the event signalled.
bool Signalled(DWORD waitResult, DWORD index, HANDLE event) {
  if (waitResult == WAIT_OBJECT_0 + index) return true;
  return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

void RunCommand(CThreadCommandCore* command) {
  if (command == nullptr) return;
  try {
    command->Execute();
  } catch (_com_error& e) {
    CThreadManager::ReportComError(e);
  }
}

// Lets the submitter go. After the exchange the ticket may be gone: only the
// event read before it is used.
void Complete(Ticket* ticket) {
  const HANDLE wake = ticket->wake;
  if (ticket->state.exchange(Ticket::kDone) == Ticket::kSleeping) SetEvent(wake);
}

// Queue lock held. Unlinks the ticket if it is still queued.
bool Unqueue(Ticket* ticket) {
  for (Ticket** link = &g_queueHead; *link != nullptr; link = &(*link)->next) {
    if (*link != ticket) continue;
    *link = ticket->next;
    if (g_queueTail == ticket) {
      g_queueTail = nullptr;
      for (Ticket* t = g_queueHead; t != nullptr; t = t->next) g_queueTail = t;
    }
    return true;
  }
  return false;
}

// Queue lock held: no thread to run commands, or it has ended.
bool CommandThreadGone() {
  if (g_thread == nullptr || g_thread->m_hThread == INVALID_HANDLE_VALUE) return true;
  return WaitForSingleObject(g_thread->m_hThread, 0) != WAIT_TIMEOUT;
}

// Command thread: takes every waiting ticket and runs them one after the
// other in submission order.
void TakeCommands() {
  Ticket* batch = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    batch = g_queueHead;
    g_queueHead = g_queueTail = nullptr;
    g_ready.flag.store(false);
  }
  while (batch != nullptr) {
    Ticket* const next = batch->next;  // read before the ticket is let go
    RunCommand(batch->command);
    Complete(batch);
    batch = next;
  }
}

// Command thread, ending: tickets still queued are let go unrun.
void ReleaseQueued() {
  std::lock_guard<std::mutex> lock(g_queueLock);
  while (g_queueHead != nullptr) {
    Ticket* const ticket = g_queueHead;
    g_queueHead = ticket->next;
    Complete(ticket);
  }
  g_queueTail = nullptr;
  g_ready.flag.store(false);
}

}  // namespace

void CThreadManager::ReportComError(const _com_error& error) {
  CORE_LOG(kProc) << "com error: 0x" << LogHex << static_cast<ULONG>(error.Error()) << " - " << error.ErrorMessage()
                  << LogEnd;
}

void CThreadManager::Start() {
  CSingleLock lock(&g_commandLock, TRUE);
  if (g_startCount == 0) {
    std::lock_guard<std::mutex> queue(g_queueLock);
    g_ready.Reset();
    g_commandReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_thread = AfxBeginThread(ObjectManagerThreadProc, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (g_thread != nullptr) {
      g_thread->m_bAutoDelete = FALSE;
      g_thread->ResumeThread();
    }
    g_accepting = true;
  }
  ++g_startCount;
}

// Submitters do not hold a lock across the round trip: each queues its own
// ticket and waits for it alone, so several submitters cost the command
// thread one wake-up per batch and each submitter one wake-up, and a
// submitter never waits for another one's result. The command thread still
// runs one command at a time, in submission order.
INT_PTR CThreadManager::Submit(CThreadCommandCore* command) {
  Ticket ticket;
  Queue(ticket, command);
  Ticket* const outer = std::exchange(t_ticket, &ticket);
  WaitForCommandDone();
  t_ticket = outer;
  return command != nullptr ? command->GetResult() : 0;
}

void CThreadManager::Queue(CCommandTicket& ticket, CThreadCommandCore* command) {
  ticket.command = command;
  // Submitted by a command (RunAsOneCommand): it runs here and now, as it
  // would from the queue. Queued, the command thread would wait for itself.
  if (t_commandThread) {
    RunCommand(command);
    ticket.state.store(Ticket::kDone);
    return;
  }
  ticket.wake = tovik::ThreadLocal<WakeEvent>().Get();
  HANDLE ready = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    // Never started (or stopped): nothing runs the command.
    if (!g_accepting) {
      ticket.state.store(Ticket::kDone);
      return;
    }
    ticket.first = g_queueHead == nullptr;
    (g_queueTail != nullptr ? g_queueTail->next : g_queueHead) = &ticket;
    g_queueTail = &ticket;
    ready = g_commandReady;
  }
  // Raised after the queue lock is let go: a command thread woken by it goes
  // straight for that lock. A command thread that took the ticket before the
  // flag came up finds an empty queue on its next look; that costs nothing.
  g_ready.Raise(ready);
}

void CThreadManager::WaitForCommandDone() {
  if (t_ticket != nullptr) WaitFor(*t_ticket);
}

void CThreadManager::WaitFor(CCommandTicket& queued) {
  Ticket* const ticket = &queued;
  if (ticket->state.load() == Ticket::kDone) return;
  const Clock::time_point start = Clock::now();
  const auto done = [ticket] { return ticket->state.load() == Ticket::kDone; };
  // Only a command queued alone spins: with others ahead of it the wait is
  // longer than a spin, and spinning would take the processor the command
  // thread needs to get through them.
  if (ticket->first && g_doneBudget.Spin(done, start)) {
    g_doneBudget.Learn(Clock::now() - start);
    return;
  }
  for (;;) {
    Ticket::State expected = Ticket::kWaiting;
    if (!ticket->state.compare_exchange_strong(expected, Ticket::kSleeping)) break;  // done meanwhile
    const DWORD wait = ticket->wake != nullptr ? WaitForSingleObject(ticket->wake, 1000) : (Sleep(1), WAIT_TIMEOUT);
    if (wait != WAIT_OBJECT_0) {
      // Timed out: take the sleep back. Too late when the ticket was done
      // meanwhile: its signal is on the way and is consumed here.
      expected = Ticket::kSleeping;
      if (!ticket->state.compare_exchange_strong(expected, Ticket::kWaiting)) {
        if (ticket->wake != nullptr) WaitForSingleObject(ticket->wake, INFINITE);
        break;
      }
      // Give up once the command thread is gone; the ticket leaves the queue.
      std::lock_guard<std::mutex> lock(g_queueLock);
      if (CommandThreadGone()) {
        Unqueue(ticket);
        ticket->state.store(Ticket::kDone);
        return;
      }
      continue;
    }
    break;  // the one signal a ticket gets: it is done
  }
  if (ticket->first) g_doneBudget.Learn(Clock::now() - start);
}

void CThreadManager::ExpectCommand() {
  HANDLE ready = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (!g_accepting) return;
    ready = g_commandReady;
  }
  g_commandExpected.store(true);
  if (g_ready.asleep.load()) SetEvent(ready);
}

UINT CThreadManager::ObjectManagerThreadProc(LPVOID) {
  t_commandThread = true;
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
    const Nanos atLeast = g_commandExpected.exchange(false) ? SpinBudget::kMaximum : Nanos{0};
    if (g_ready.budget.Spin(commandWaiting, start, atLeast)) {
      g_ready.budget.Learn(Clock::now() - start);
      TakeCommands();
    } else if (g_ready.PrepareSleep()) {
      const DWORD wait = MsgWaitForMultipleObjects(2, waitList, FALSE, INFINITE, QS_ALLINPUT);
      g_ready.asleep.store(false);
      // The ready event may also carry a spare signal; the queue decides.
      Signalled(wait, 0, waitList[0]);
      if (commandWaiting()) g_ready.budget.Learn(g_ready.WaitedSince(start));
      TakeCommands();
      if (Signalled(wait, 1, waitList[1])) {
        CORE_LOG(kProc) << "Stopping" << LogEnd;
        stop = true;
      }
    } else {
      TakeCommands();
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  ReleaseQueued();

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
  }
  std::lock_guard<std::mutex> queue(g_queueLock);
  delete g_thread;
  g_thread = nullptr;
  for (HANDLE* event : {&g_commandReady, &g_stop}) {
    if (*event != nullptr) CloseHandle(*event);
    *event = nullptr;
  }
  g_accepting = false;
  g_startCount = 0;
}
