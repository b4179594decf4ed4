// Construction and destruction of the manager facade, the runtime
// initialisation and the two interface configuration operations.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"

using TovikApiProviderLib::ITovikManager;
using TovikApiProviderLib::ITovikManagerPtr;

namespace {

constexpr const char* kDestroy = "CTovikManagerIF::CmdDestroyObject";

void CloseEvent(HANDLE& event) {
  if (event != nullptr) CloseHandle(event);
  event = nullptr;
}

}  // namespace

CTovikManagerIF::CTovikManagerIF(void (*logSink)(const char*))
    : m_cancelEvent(nullptr),
      m_startEvent(nullptr),
      m_doneEvent(nullptr),
      m_eventThread(nullptr),
      m_waitEndedEvent(nullptr),
      m_waitCount(0),
      m_lastWaitResult(static_cast<VARIANT_BOOL>(-1)),  // like a wait that delivered nothing
      m_providerWaiting(false),
      m_waiterActive(false),
      m_cancelPending(false),
      m_waiterAnswer(nullptr),
      m_closing(false) {
  m_cancelEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_startEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_doneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_waitEndedEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  CoreLog().SetSink(logSink);
  CThreadManager::Start();
  SubmitCommand(this, &CTovikManagerIF::CmdCreateObject);
}

CTovikManagerIF::~CTovikManagerIF() {
  SubmitCommand(this, &CTovikManagerIF::CmdDestroyObject);
  // Only when no command thread ran the destroy command: the events must
  // not outlive the facade (an event thread would still use them).
  if (m_eventThread == nullptr) {
    CloseEvent(m_cancelEvent);
    CloseEvent(m_startEvent);
    CloseEvent(m_doneEvent);
    CloseEvent(m_waitEndedEvent);
  }
}

LONG CTovikManagerIF::InitializeRuntime(const char* first, const char* second, bool flag) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdInitializeRuntime, first, second, flag));
}

LONG CTovikManagerIF::ConfigureUsbInterface() {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdConfigureUsbInterface));
}

LONG CTovikManagerIF::ConfigureWifiInterface() {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdConfigureWifiInterface));
}

INT_PTR CTovikManagerIF::CmdCreateObject(Args&) {
  ITovikManager* created = nullptr;
  const HRESULT hr = CoCreateInstance(TovikApiProviderLib::CLSID_TovikManager, nullptr, CLSCTX_ALL,
                                      __uuidof(ITovikManager), reinterpret_cast<void**>(&created));
  if (FAILED(hr)) {
    CORE_LOG("CTovikManagerIF::CmdCreateObject") << "failed to create object hresult " << LogHex
                                                 << static_cast<ULONG>(hr) << LogEnd;
    return 0;
  }
  ITovikManagerPtr manager(created, false);  // released here; the registry keeps its own
  CORE_LOG("CTovikManagerIF::CmdCreateObject") << "Create TOVIK Manager IF " << static_cast<const void*>(this)
                                               << LogEnd;
  TovikManagerObjects.Add(this, manager);
  return 0;
}

INT_PTR CTovikManagerIF::CmdDestroyObject(Args&) {
  {
    CSingleLock lock(&m_eventLock, TRUE);
    m_closing = true;
  }
  ITovikManagerPtr manager(TovikManagerObjects.Remove(this), false);
  if (manager) {
    CORE_LOG(kDestroy) << "removing TOVIK Manager IF " << static_cast<const void*>(this) << LogEnd;
    // Ends a provider wait of the event thread. A failure here must not keep
    // the thread from being stopped and the events from being closed.
    try {
      manager->CancelEventNotification();
    } catch (_com_error& e) {
      CORE_LOG(kDestroy) << "com error: 0x" << LogHex << static_cast<ULONG>(e.Error()) << " - " << e.ErrorMessage()
                         << LogEnd;
    }
  }
  StopEventThread(manager);
  CloseEvent(m_cancelEvent);
  CloseEvent(m_startEvent);
  CloseEvent(m_doneEvent);
  CloseEvent(m_waitEndedEvent);
  if (manager) {
    CORE_LOG(kDestroy) << "Releasing" << LogEnd;
    const ULONG count = manager.Detach()->Release();
    CORE_LOG(kDestroy) << count << LogEnd;
    CORE_LOG(kDestroy) << "Final release " << LogEnd;
  }
  return 0;
}

void CTovikManagerIF::StopEventThread(TovikApiProviderLib::ITovikManager* manager) {
  if (m_eventThread == nullptr) return;
  CORE_LOG(kDestroy) << "stopping event thread" << LogEnd;
  SetEvent(m_cancelEvent);
  CORE_LOG(kDestroy) << "Waiting for thread done" << LogEnd;
  // The provider's cancel ends a wait that is in progress. One sent just before
  // the event thread entered its wait is lost, so it is repeated until the
  // thread has ended.
  while (WaitForSingleObject(m_eventThread->m_hThread, kCancelRepeatMs) == WAIT_TIMEOUT && manager != nullptr) {
    try {
      manager->CancelEventNotification();
    } catch (_com_error&) {
      // reported once above; the thread is still waited for
    }
  }
  CORE_LOG(kDestroy) << "Deleting thread" << LogEnd;
  delete m_eventThread;
  m_eventThread = nullptr;
  CORE_LOG(kDestroy) << "stopping event thread done" << LogEnd;
}

INT_PTR CTovikManagerIF::CmdInitializeRuntime(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  try {
    const _bstr_t first = AnsiToBstr(manager.Text(0));
    const _bstr_t second = AnsiToBstr(manager.Text(1));
    manager->InitializeRuntime(first, second, manager.Bool(2));
    return 0;
  } catch (_com_error& e) {
    CORE_LOG("CTovikManagerIF::CmdInitializeRuntime") << "com error " << static_cast<LONG>(e.Error()) << " "
                                                      << e.ErrorMessage() << LogEnd;
    return kResultNoFacade;
  }
}

INT_PTR CTovikManagerIF::CmdConfigureUsbInterface(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return 0;
  return manager->ConfigureUsbInterface();
}

INT_PTR CTovikManagerIF::CmdConfigureWifiInterface(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return kResultNoFacade;
  return manager->ConfigureWifiInterface();
}
