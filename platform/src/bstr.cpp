// BSTR: [32-bit byte length][characters][16-bit zero]; the BSTR points at the
// first character.
#include <cstdlib>
#include <cstring>

#include "internal.h"

using standin::detail::AllocationAllowed;
using standin::detail::g_liveBstrs;

namespace {
constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* Header(BSTR s) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(s) - kPrefix); }

// A BSTR of `bytes` bytes, filled from `src` (zeros when src is null).
BSTR AllocBytes(const void* src, std::size_t bytes) {
  if (bytes > 0xFFFFFFF0u || !AllocationAllowed(bytes)) return nullptr;
  char* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR) + 1));
  if (block == nullptr) return nullptr;
  const auto len32 = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &len32, kPrefix);
  char* data = block + kPrefix;
  if (src != nullptr)
    std::memcpy(data, src, bytes);
  else
    std::memset(data, 0, bytes);
  // zero terminator (two bytes, plus one for odd byte lengths)
  std::memset(data + bytes, 0, sizeof(OLECHAR) + 1);
  ++g_liveBstrs;
  return reinterpret_cast<BSTR>(data);
}

std::size_t Length(const OLECHAR* psz) {
  std::size_t n = 0;
  while (psz[n] != 0) ++n;
  return n;
}
}  // namespace

extern "C" {

BSTR SysAllocString(const OLECHAR* psz) {
  if (psz == nullptr) return nullptr;
  return AllocBytes(psz, Length(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  return AllocBytes(strIn, static_cast<std::size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) { return AllocBytes(psz, len); }

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (pbstr == nullptr) return FALSE;
  BSTR fresh = SysAllocStringLen(psz, len);  // psz may point into *pbstr
  if (fresh == nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  if (pbstr == nullptr) return FALSE;
  BSTR fresh = SysAllocString(psz);
  if (fresh == nullptr && psz != nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

void SysFreeString(BSTR bstrString) {
  if (bstrString == nullptr) return;
  std::free(Header(bstrString));
  --g_liveBstrs;
}

UINT SysStringByteLen(BSTR bstr) {
  if (bstr == nullptr) return 0;
  std::uint32_t len;
  std::memcpy(&len, Header(bstr), kPrefix);
  return len;
}

UINT SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }
}
