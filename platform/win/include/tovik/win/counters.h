#pragma once
// The platform's test counters on Windows. What the Windows-side layer takes
// part in is counted for real: global interface table registrations made
// through CComGITPtr (reported to tovik::CountGitRegistration), and messages
// that threads of the process take from their queues for dispatching (seen
// through a WH_GETMESSAGE hook, installed by the first DispatchedMessageCount
// call). BSTRs, safe arrays and LocalAlloc blocks belong to the system's DLLs
// and cannot be seen from here: those counters report 0, so the baseline
// checks of the tests cover them only on the stand-in; nor can their
// allocations be limited. Tests that need either check
// TOVIK_PLATFORM_TRACKS_ALLOCATIONS (0 here, 1 on the stand-in) and skip.

#include <cstddef>

#include "tovik/export.h"

#define TOVIK_PLATFORM_TRACKS_ALLOCATIONS 0

namespace standin {
TOVIK_PLATFORM_API std::size_t LiveBstrCount();
TOVIK_PLATFORM_API std::size_t LiveSafeArrayCount();
TOVIK_PLATFORM_API std::size_t LiveLocalAllocCount();
TOVIK_PLATFORM_API std::size_t GitEntryCount();
// Of those entries, the ones whose revocation first failed with `failure`
// and never succeeded (they are still counted by GitEntryCount).
TOVIK_PLATFORM_API std::size_t RefusedGitRevocationCount(HRESULT failure);
TOVIK_PLATFORM_API std::size_t DispatchedMessageCount();
// No effect here: the system's allocators cannot be limited from outside.
inline void SetAllocationLimit(std::size_t) {}
}  // namespace standin
