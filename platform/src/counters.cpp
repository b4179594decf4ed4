#include "internal.h"

namespace standin::detail {
std::atomic<std::size_t> g_liveBstrs{0};
std::atomic<std::size_t> g_liveSafeArrays{0};
std::atomic<std::size_t> g_liveLocalAllocs{0};
std::atomic<std::size_t> g_dispatchedMessages{0};

namespace {
std::atomic<std::size_t> g_allocationLimit{0};
}

bool AllocationAllowed(std::size_t bytes) noexcept {
  const std::size_t limit = g_allocationLimit.load(std::memory_order_relaxed);
  return limit == 0 || bytes <= limit;
}
}  // namespace standin::detail

namespace standin {
using namespace detail;
std::size_t LiveBstrCount() { return g_liveBstrs.load(); }
std::size_t LiveSafeArrayCount() { return g_liveSafeArrays.load(); }
std::size_t LiveLocalAllocCount() { return g_liveLocalAllocs.load(); }
std::size_t GitEntryCount() { return GitEntries(); }
std::size_t DispatchedMessageCount() { return g_dispatchedMessages.load(); }
void SetAllocationLimit(std::size_t bytes) { g_allocationLimit.store(bytes); }
}  // namespace standin

namespace tovik {
// The stand-in's table counts its entries itself (GitEntryCount): nothing to add.
void CountGitRegistration(int) {}
void NoteGitRevocation(DWORD, HRESULT) {}
}  // namespace tovik
