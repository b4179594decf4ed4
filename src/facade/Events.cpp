// Events: registration, the event thread that runs the provider's blocking
// wait, draining the pending events and cancelling a wait.
//
// The event thread of a facade and the thread waiting in WaitForEvents talk
// through the facade's three manual-reset events:
//   start  - set by a waiter: run one provider wait;
//   done   - set by the event thread: a wait ended, or the thread stops;
//   cancel - set by CancelEventNotification or the destroy command: stop.
// The provider's own CancelEventNotification (command thread) is what ends a
// provider wait in progress; the cancel event then ends the idle thread.
//
// The provider forgets a cancel that arrives while none of its waits runs, so
// a cancel sent just before the event thread entered its wait would be lost.
// The event lock closes that gap: the event thread decides under it whether
// to wait at all, and a canceller that finds a wait started before its cancel
// event was set repeats the provider's cancel until that wait has ended.

#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"

using TovikApiProviderLib::ITovikManagerPtr;

namespace {

constexpr const char* kEventProc = "WaitForEventProc";
constexpr const char* kGetNextEvent = "CTovikManagerIF::CmdGetNextEvent";

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

// One provider wait. A failing wait counts as one that delivered nothing, so
// the waiter is released with a non-zero result.
VARIANT_BOOL ProviderWait(TovikApiProviderLib::ITovikManager* manager) {
  try {
    const VARIANT_BOOL result = manager->WaitForEvents();
    CORE_LOG(kEventProc) << "Waiting for Events done " << result << LogEnd;
    return result;
  } catch (_com_error& e) {
    CORE_LOG(kEventProc) << "com error " << static_cast<LONG>(e.Error()) << " "
                         << static_cast<const char*>(e.Description()) << LogEnd;
    return VARIANT_TRUE;
  }
}

}  // namespace

LONG CTovikManagerIF::RegisterForEvents(ULONG first, ULONG second) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdRegisterForEvents, first, second));
}

int CTovikManagerIF::GetNextEvent(ULONG* first, ULONG* second, ULONG* third) {
  return static_cast<int>(SubmitCommand(this, &CTovikManagerIF::CmdGetNextEvent, first, second, third));
}

int CTovikManagerIF::GetNextEvents(std::vector<TovikEventValues>* events) {
  if (events == nullptr) return 0;
  return static_cast<int>(SubmitCommand(this, &CTovikManagerIF::CmdGetNextEvents, events));
}

void CTovikManagerIF::CancelEventNotification() {
  SubmitCommand(this, &CTovikManagerIF::CmdCancelEventNotification);
  bool repeat = false;
  ULONG wait = 0;
  {
    CSingleLock lock(&m_eventLock, TRUE);
    SetEvent(m_cancelEvent);
    if (m_waiterActive) m_cancelPending = true;
    repeat = m_providerWaiting;
    wait = m_waitCount;
  }
  if (repeat) RepeatLostCancel(wait);
}

void CTovikManagerIF::EndEventWaits() {
  {
    CSingleLock lock(&m_eventLock, TRUE);
    m_closing = true;
  }
  CancelEventNotification();
}

void CTovikManagerIF::RepeatLostCancel(ULONG wait) {
  for (;;) {
    {
      CSingleLock lock(&m_eventLock, TRUE);
      if (!m_providerWaiting || m_waitCount != wait) return;
    }
    // Set once the wait ends; a wait that outlasts the interval missed the cancel.
    if (WaitForSingleObject(m_waitEndedEvent, kCancelRepeatMs) == WAIT_TIMEOUT)
      SubmitCommand(this, &CTovikManagerIF::CmdCancelEventNotification);
  }
}

void CTovikManagerIF::LeaveWait() {
  CSingleLock lock(&m_eventLock, TRUE);
  m_waiterActive = false;
  m_cancelPending = false;
  m_waiterAnswer = nullptr;
}

void CTovikManagerIF::Answer(HANDLE doneEvent) {
  bool drainFollows = false;
  {
    CSingleLock lock(&m_eventLock, TRUE);
    if (m_waiterAnswer != nullptr) {
      *m_waiterAnswer = m_lastWaitResult;
      drainFollows = m_lastWaitResult == 0;
      m_waiterAnswer = nullptr;
      m_waiterActive = false;
      m_cancelPending = false;
    }
    SetEvent(doneEvent);
  }
  // A waiter answered with 0 asks the command thread for the pending events
  // as soon as it runs: wake the command thread now, so that its wake-up
  // overlaps the waiter's instead of following it.
  if (drainFollows) CThreadManager::ExpectCommand();
}

int CTovikManagerIF::WaitForEvents() {
  {
    CSingleLock lock(&m_eventLock, TRUE);
    if (m_closing || m_waiterActive) return 1;
    m_waiterActive = true;
  }
  // Until the hand-over this thread gives its place up itself; from then on
  // the event thread answers it and this thread touches the facade no more
  // (a destroy may be freeing it as soon as the answer is there).
  struct Leave {
    CTovikManagerIF* facade;
    ~Leave() {
      if (facade != nullptr) facade->LeaveWait();
    }
  } leave{this};

  // A thread that has been told to stop serves no more waits, even if it has
  // not seen the request yet: let it end, so that a new thread serves this
  // wait instead of the termination answering it.
  if (m_eventThread != nullptr && IsSet(m_cancelEvent)) WaitForSingleObject(m_eventThread->m_hThread, INFINITE);

  DWORD exitCode = 0;
  if (m_eventThread != nullptr) GetExitCodeThread(m_eventThread->m_hThread, &exitCode);
  if (exitCode != STILL_ACTIVE) {
    delete m_eventThread;
    m_eventThread = nullptr;
    {
      // A cancel meant for this waiter must not be erased with the old thread's.
      CSingleLock lock(&m_eventLock, TRUE);
      if (m_closing || m_cancelPending) return m_lastWaitResult;
      ResetEvent(m_cancelEvent);
    }
    CWinThread* thread =
        AfxBeginThread(&CTovikManagerIF::WaitForEventProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread != nullptr) {
      thread->m_bAutoDelete = FALSE;
      thread->ResumeThread();
      m_eventThread = thread;
    }
  }
  if (m_eventThread == nullptr) return 1;

  VARIANT_BOOL answer = m_lastWaitResult;
  // Every way the event thread ends answers first, so its handle releases
  // this thread only once the answer is there.
  const HANDLE answers[] = {m_doneEvent, m_eventThread->m_hThread};
  {
    CSingleLock lock(&m_eventLock, TRUE);
    if (m_cancelPending) return m_lastWaitResult;
    // An answer left from an earlier wait is stale: this wait needs its own.
    ResetEvent(m_doneEvent);
    m_waiterAnswer = &answer;
    leave.facade = nullptr;
    SetEvent(m_startEvent);
  }
  WaitForMultipleObjects(2, answers, FALSE, INFINITE);
  return answer;
}

void CTovikManagerIF::ServeWait(TovikApiProviderLib::ITovikManager* manager) {
  {
    CSingleLock lock(&m_eventLock, TRUE);
    // A cancellation that came while this wait was being handed over found no
    // provider wait to end; starting one now would block until the next event.
    if (IsSet(m_cancelEvent)) return;
    m_providerWaiting = true;
    ++m_waitCount;
    ResetEvent(m_waitEndedEvent);
  }
  const VARIANT_BOOL result = ProviderWait(manager);
  CSingleLock lock(&m_eventLock, TRUE);
  m_lastWaitResult = result;
  m_providerWaiting = false;
  SetEvent(m_waitEndedEvent);
}

UINT CTovikManagerIF::WaitForEventProc(LPVOID parameter) {
  CTovikManagerIF* facade = static_cast<CTovikManagerIF*>(parameter);
  const HRESULT init = CoInitialize(nullptr);
  CORE_LOG(kEventProc) << "Initialize " << LogHex << static_cast<ULONG>(init) << LogEnd;

  // The destroy command waits for this thread before it closes the events.
  const HANDLE cancelEvent = facade->m_cancelEvent;
  const HANDLE startEvent = facade->m_startEvent;
  const HANDLE doneEvent = facade->m_doneEvent;
  {
    ITovikManagerPtr manager(TovikManagerObjects.Get(facade), false);
    if (!manager) {
      facade->Answer(doneEvent);  // no wait can be served: release a waiter
    } else {
      const HANDLE requests[] = {cancelEvent, startEvent};  // cancel first: it wins when both are set
      bool running = true;
      while (running) {
        switch (WaitForMultipleObjects(2, requests, FALSE, INFINITE)) {
          case WAIT_OBJECT_0:
            CORE_LOG(kEventProc) << "Terminating started" << LogEnd;
            running = false;
            facade->Answer(doneEvent);
            CORE_LOG(kEventProc) << "Terminating continue" << LogEnd;
            break;
          case WAIT_OBJECT_0 + 1:
            ResetEvent(startEvent);
            CORE_LOG(kEventProc) << "Waiting for Events" << LogEnd;
            facade->ServeWait(manager);
            facade->Answer(doneEvent);
            break;
          case WAIT_FAILED:
            // The events are gone; nothing can reach this thread any more.
            running = false;
            facade->Answer(doneEvent);
            break;
          default:
            break;
        }
      }
    }
  }

  CORE_LOG(kEventProc) << "Done" << LogEnd;
  if (SUCCEEDED(init)) CoUninitialize();
  return 0;
}

INT_PTR CTovikManagerIF::CmdRegisterForEvents(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoInterface;
  return manager->RegisterForEvents(manager.Ulong(0), manager.Ulong(1));
}

INT_PTR CTovikManagerIF::NextEvent(TovikApiProviderLib::ITovikManager* manager, ULONG* first, ULONG* second,
                                   ULONG* third) {
  CORE_LOG(kGetNextEvent) << "start" << LogEnd;
  INT_PTR result = 0;
  if (manager == nullptr) {
    CORE_LOG(kGetNextEvent) << "NULL interface pointer" << LogEnd;
  } else if (first != nullptr && second != nullptr && third != nullptr) {
    try {
      result = manager->GetNextEvent(first, second, third);
    } catch (_com_error& e) {
      CORE_LOG(kGetNextEvent) << "com error " << static_cast<LONG>(e.Error()) << " "
                              << static_cast<const char*>(e.Description()) << LogEnd;
    }
  }
  CORE_LOG(kGetNextEvent) << "done" << LogEnd;
  return result;
}

INT_PTR CTovikManagerIF::CmdGetNextEvent(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.HasArgs(3)) return NextEvent(manager.Get(), nullptr, nullptr, nullptr);  // no provider call
  return NextEvent(manager.Get(), manager.Out<ULONG>(0), manager.Out<ULONG>(1), manager.Out<ULONG>(2));
}

INT_PTR CTovikManagerIF::CmdGetNextEvents(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.HasArgs(1)) return 0;
  auto* events = manager.Out<std::vector<TovikEventValues>>(0);
  const std::size_t before = events->size();
  TovikEventValues event{};
  while (NextEvent(manager.Get(), &event.first, &event.second, &event.third) != 0) events->push_back(event);
  return static_cast<INT_PTR>(events->size() - before);
}

INT_PTR CTovikManagerIF::CmdCancelEventNotification(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return 0;
  manager->CancelEventNotification();
  return 0;
}
