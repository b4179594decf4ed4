#pragma once
// Win32 kernel objects (events, threads), waits, critical sections, thread
// message queues and the thread's last-error value.

#include "standin/types.h"

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED_0 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define MAXIMUM_WAIT_OBJECTS 64
#define STILL_ACTIVE 259u
#define CREATE_SUSPENDED 0x00000004u

#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2

// MsgWaitForMultipleObjects wake masks
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_RAWINPUT 0x0400
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY | QS_RAWINPUT)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

#define WM_NULL 0x0000
#define WM_QUIT 0x0012
#define WM_TIMER 0x0113
#define WM_USER 0x0400
#define WM_APP 0x8000

struct POINT {
  LONG x;
  LONG y;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* LPMSG;
typedef MSG* PMSG;

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);

// Recursive lock. The stand-in keeps its state behind one pointer.
struct CRITICAL_SECTION {
  void* impl;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

extern "C" {
STANDIN_API DWORD GetLastError();
STANDIN_API void SetLastError(DWORD dwErrCode);

STANDIN_API HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                                LPCSTR lpName);
STANDIN_API BOOL SetEvent(HANDLE hEvent);
STANDIN_API BOOL ResetEvent(HANDLE hEvent);
STANDIN_API BOOL CloseHandle(HANDLE hObject);

STANDIN_API DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
STANDIN_API DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                                         DWORD dwMilliseconds);
STANDIN_API DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                            DWORD dwMilliseconds, DWORD dwWakeMask);

// Threads. The handle is signalled when the thread has ended.
STANDIN_API HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                                LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags,
                                LPDWORD lpThreadId);
STANDIN_API DWORD ResumeThread(HANDLE hThread);
STANDIN_API BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
STANDIN_API BOOL SetThreadPriority(HANDLE hThread, int nPriority);
STANDIN_API DWORD GetCurrentThreadId();
STANDIN_API void Sleep(DWORD dwMilliseconds);

// Thread message queues. A thread's queue exists from its first PeekMessageA or
// MsgWaitForMultipleObjects call; posting to a thread without one fails with
// ERROR_INVALID_THREAD_ID.
STANDIN_API BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
STANDIN_API BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
STANDIN_API LRESULT DispatchMessageA(const MSG* lpMsg);

STANDIN_API void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
STANDIN_API BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD dwSpinCount);
STANDIN_API void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
STANDIN_API BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
STANDIN_API void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
STANDIN_API void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
}

inline LONG InterlockedIncrement(LONG volatile* addend) { return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedDecrement(LONG volatile* addend) { return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comperand) {
  __atomic_compare_exchange_n(destination, &comperand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comperand;
}

#define CreateEvent CreateEventA
#define PostThreadMessage PostThreadMessageA
#define PeekMessage PeekMessageA
#define DispatchMessage DispatchMessageA
