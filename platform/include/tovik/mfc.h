#pragma once
// The pieces of the hosting framework the library uses: worker threads
// (AfxBeginThread, CWinThread) and critical-section locks (CSyncObject,
// CCriticalSection, CSingleLock). One implementation for Windows and the
// stand-in, written against the Win32 names both provide.
//
// Part of tovik/platform.h, which includes it after the Win32 declarations of
// the system or the stand-in; include tovik/platform.h rather than this.

#include "tovik/export.h"

typedef UINT(WINAPIV* AFX_THREADPROC)(LPVOID);

class TOVIK_PLATFORM_API CWinThread {
 public:
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;
  // Closes the thread handle.
  virtual ~CWinThread();

  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  DWORD ResumeThread();
  BOOL SetThreadPriority(int nPriority);
  operator HANDLE() const { return m_hThread; }

  HANDLE m_hThread;
  DWORD m_nThreadID;
  // When TRUE the object deletes itself as its thread ends.
  BOOL m_bAutoDelete;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;

 private:
  // Fits both thread starters: _beginthreadex and the stand-in's CreateThread.
  static UINT WINAPI ThreadEntry(LPVOID self);
};

// Starts a worker thread (suspended when dwCreateFlags has CREATE_SUSPENDED).
// Returns null when the thread could not be created.
TOVIK_PLATFORM_API CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                              int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                              DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

class TOVIK_PLATFORM_API CSyncObject {
 public:
  explicit CSyncObject(LPCTSTR pstrName = nullptr);
  CSyncObject(const CSyncObject&) = delete;
  CSyncObject& operator=(const CSyncObject&) = delete;
  virtual ~CSyncObject();

  virtual BOOL Lock(DWORD dwTimeout = INFINITE);
  virtual BOOL Unlock() = 0;
  virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);
  operator HANDLE() const { return m_hObject; }

  HANDLE m_hObject;
};

class TOVIK_PLATFORM_API CCriticalSection : public CSyncObject {
 public:
  CCriticalSection();
  ~CCriticalSection() override;

  using CSyncObject::Unlock;
  BOOL Lock();
  BOOL Lock(DWORD dwTimeout) override;  // the time-out is not supported: waits without limit
  BOOL Unlock() override;
  operator CRITICAL_SECTION*() { return &m_sect; }

  CRITICAL_SECTION m_sect;
};

class TOVIK_PLATFORM_API CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;
  ~CSingleLock();

  BOOL Lock(DWORD dwTimeOut = INFINITE);
  BOOL Unlock();
  BOOL IsLocked() const { return m_bAcquired; }

 protected:
  CSyncObject* m_pObject;
  HANDLE m_hObject;
  BOOL m_bAcquired;
};
