#include "core/ThreadManager.h"

#include "java/LogStream.h"

namespace {

// Process-wide state of the command thread. The lock exists from load to
// unload; the events and the thread object from the first Start on.
CCriticalSection g_commandLock;
HANDLE g_commandReady = nullptr;  // auto-reset: a command waits in the slot
HANDLE g_commandDone = nullptr;   // auto-reset: the command thread is done with it
HANDLE g_stop = nullptr;          // manual-reset: end the loop
CThreadCommandCore* g_currentCommand = nullptr;
int g_startCount = 0;
CWinThread* g_thread = nullptr;

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

}  // namespace

void CThreadManager::Start() {
  CSingleLock lock(&g_commandLock, TRUE);
  if (g_startCount == 0) {
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
  if (g_commandReady != nullptr) SetEvent(g_commandReady);
  WaitForCommandDone();
  const INT_PTR result = g_currentCommand != nullptr ? g_currentCommand->GetResult() : 0;
  g_currentCommand = nullptr;
  return result;
}

void CThreadManager::WaitForCommandDone() {
  if (g_commandDone == nullptr) return;
  for (;;) {
    const DWORD wait = WaitForSingleObject(g_commandDone, 1000);
    if (wait == WAIT_OBJECT_0) return;
    if (wait != WAIT_TIMEOUT) continue;
    // Timed out: give up once the command thread is gone.
    if (g_thread == nullptr || g_thread->m_hThread == INVALID_HANDLE_VALUE) return;
    if (WaitForSingleObject(g_thread->m_hThread, 0) != WAIT_TIMEOUT) return;
  }
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

  while (!stop) {
    const DWORD wait = MsgWaitForMultipleObjects(2, waitList, FALSE, INFINITE, QS_ALLINPUT);
    if (Signalled(wait, 0, waitList[0])) {
      RunCurrentCommand();
      SetEvent(g_commandDone);
    }
    if (Signalled(wait, 1, waitList[1])) {
      CORE_LOG(kProc) << "Stopping" << LogEnd;
      stop = true;
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
