// The local heap: fixed blocks only. A header before each block keeps its size
// and a tag, so that LocalFree can refuse what LocalAlloc did not hand out.
#include <cstdlib>
#include <cstring>

#include "internal.h"

using standin::detail::AllocationAllowed;
using standin::detail::g_liveLocalAllocs;

namespace {
constexpr std::uint64_t kTag = 0x4C4F43414C424C4Bull;  // "LOCALBLK"

struct alignas(16) Header {
  std::uint64_t tag;
  std::size_t size;
};

Header* HeaderOf(HLOCAL h) { return static_cast<Header*>(h) - 1; }
}  // namespace

extern "C" {

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  if ((uFlags & LMEM_MOVEABLE) != 0 || uBytes > (SIZE_MAX / 2) || !AllocationAllowed(uBytes)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + (uBytes ? uBytes : 1)));
  if (header == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  header->tag = kTag;
  header->size = uBytes;
  if (uFlags & LMEM_ZEROINIT) std::memset(header + 1, 0, uBytes);
  ++g_liveLocalAllocs;
  return header + 1;
}

HLOCAL LocalFree(HLOCAL hMem) {
  if (hMem == nullptr) return nullptr;
  Header* header = HeaderOf(hMem);
  if (header->tag != kTag) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  header->tag = 0;
  std::free(header);
  --g_liveLocalAllocs;
  return nullptr;
}

SIZE_T LocalSize(HLOCAL hMem) { return hMem ? HeaderOf(hMem)->size : 0; }
}
