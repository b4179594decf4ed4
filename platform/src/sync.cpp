// Critical sections and the thread's last-error value.
#include <mutex>
#include <new>

#include "internal.h"

namespace {
thread_local DWORD t_lastError = 0;

std::recursive_mutex& Impl(LPCRITICAL_SECTION cs) { return *static_cast<std::recursive_mutex*>(cs->impl); }
}  // namespace

extern "C" {

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  lpCriticalSection->impl = new std::recursive_mutex();
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD) {
  lpCriticalSection->impl = new (std::nothrow) std::recursive_mutex();
  return lpCriticalSection->impl != nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) { Impl(lpCriticalSection).lock(); }

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  return Impl(lpCriticalSection).try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) { Impl(lpCriticalSection).unlock(); }

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  delete static_cast<std::recursive_mutex*>(lpCriticalSection->impl);
  lpCriticalSection->impl = nullptr;
}
}
