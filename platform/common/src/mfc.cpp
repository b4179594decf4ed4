// Worker threads and critical-section locks of the hosting framework, for
// Windows and the stand-in alike. Only starting a thread differs (StartThread).
#include "tovik/platform.h"

#if defined(_WIN32)
#include <process.h>
#endif

#include <new>

namespace {

// Starts entry(param) as a new thread; null when that fails.
HANDLE StartThread(LPSECURITY_ATTRIBUTES security, UINT stackSize, UINT(WINAPI* entry)(LPVOID), LPVOID param,
                   DWORD flags, DWORD* threadId) {
#if defined(_WIN32)
  // Through the C runtime, so that the runtime's per-thread data is set up
  // and released with the thread.
  unsigned id = 0;
  const uintptr_t handle = _beginthreadex(security, stackSize, entry, param, flags, &id);
  *threadId = id;
  return reinterpret_cast<HANDLE>(handle);
#else
  // The stand-in's threads need no C runtime set-up of their own.
  return ::CreateThread(security, stackSize, entry, param, flags, threadId);
#endif
}

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_hThread(nullptr),
      m_nThreadID(0),
      m_bAutoDelete(TRUE),
      m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
}

UINT WINAPI CWinThread::ThreadEntry(LPVOID self) {
  auto* thread = static_cast<CWinThread*>(self);
  const UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
  if (thread->m_bAutoDelete) delete thread;
  return result;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  DWORD id = 0;
  const HANDLE handle =
      StartThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &id);
  if (handle == nullptr) return FALSE;
  m_hThread = handle;
  m_nThreadID = id;
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(m_hThread);
  return TRUE;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  auto* thread = new (std::nothrow) CWinThread(pfnThreadProc, pParam);
  if (thread == nullptr) return nullptr;
  if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(nPriority);
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
  return thread;
}

// ---- locks ----------------------------------------------------------------

CSyncObject::CSyncObject(LPCTSTR) : m_hObject(nullptr) {}

CSyncObject::~CSyncObject() {
  if (m_hObject != nullptr) CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
  const DWORD r = WaitForSingleObject(m_hObject, dwTimeout);
  return (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED_0) ? TRUE : FALSE;
}

BOOL CSyncObject::Unlock(LONG, LPLONG) { return TRUE; }

CCriticalSection::CCriticalSection() : CSyncObject(nullptr) { InitializeCriticalSection(&m_sect); }

CCriticalSection::~CCriticalSection() { DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock() {
  EnterCriticalSection(&m_sect);
  return TRUE;
}

BOOL CCriticalSection::Lock(DWORD) { return Lock(); }

BOOL CCriticalSection::Unlock() {
  LeaveCriticalSection(&m_sect);
  return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject ? pObject->m_hObject : nullptr), m_bAcquired(FALSE) {
  if (bInitialLock) Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD dwTimeOut) {
  if (m_bAcquired) return TRUE;
  m_bAcquired = m_pObject->Lock(dwTimeOut);
  return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
  return !m_bAcquired;
}
