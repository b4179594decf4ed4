#pragma once
// Test support: live-object counters of the stand-in and an allocation limit
// that lets tests drive allocation failures.

#include <cstddef>

#include "standin/types.h"

namespace standin {
STANDIN_API std::size_t LiveBstrCount();
STANDIN_API std::size_t LiveSafeArrayCount();
STANDIN_API std::size_t LiveLocalAllocCount();
STANDIN_API std::size_t GitEntryCount();
STANDIN_API std::size_t DispatchedMessageCount();
// Requests above `bytes` fail in LocalAlloc, SysAllocString*/SysAllocStringLen
// and SafeArrayCreate* (they return NULL). 0 removes the limit.
STANDIN_API void SetAllocationLimit(std::size_t bytes);
}  // namespace standin
