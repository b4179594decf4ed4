#pragma once
// Shared state of the stand-in's translation units (not installed).

#include <atomic>
#include <cstddef>

#include "tovik/platform.h"

namespace standin::detail {

extern std::atomic<std::size_t> g_liveBstrs;
extern std::atomic<std::size_t> g_liveSafeArrays;
extern std::atomic<std::size_t> g_liveLocalAllocs;
extern std::atomic<std::size_t> g_dispatchedMessages;

// False when a test-set allocation limit forbids a request of `bytes`.
bool AllocationAllowed(std::size_t bytes) noexcept;

std::size_t GitEntries() noexcept;

// True when the calling thread has an initialised apartment.
bool ApartmentInitialised() noexcept;

// Per-thread cleanup run when a thread ends (error information, message queue);
// idempotent, also run by thread-local destructors.
void ReleaseThreadErrorInfo() noexcept;
void DestroyThreadMessageQueue() noexcept;

}  // namespace standin::detail
