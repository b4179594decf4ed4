// SAFEARRAY: the descriptor is preceded by a small header that keeps the
// element VARTYPE; data is one zeroed block. Bounds are stored rightmost
// dimension first, as on Windows.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "internal.h"

using standin::detail::AllocationAllowed;
using standin::detail::g_liveSafeArrays;

namespace {
struct alignas(16) Prefix {
  VARTYPE vt;
};

ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_UNKNOWN: case VT_DISPATCH: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
  }
}

USHORT Features(VARTYPE vt) {
  switch (vt) {
    case VT_BSTR: return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_UNKNOWN: return FADF_UNKNOWN | FADF_HAVEVARTYPE;
    case VT_DISPATCH: return FADF_DISPATCH | FADF_HAVEVARTYPE;
    case VT_VARIANT: return FADF_VARIANT | FADF_HAVEVARTYPE;
    default: return FADF_HAVEVARTYPE;
  }
}

Prefix* PrefixOf(SAFEARRAY* psa) { return reinterpret_cast<Prefix*>(psa) - 1; }

std::atomic_ref<ULONG> Locks(SAFEARRAY* psa) { return std::atomic_ref<ULONG>(psa->cLocks); }

std::size_t ElementCount(const SAFEARRAY* psa) {
  std::size_t n = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) n *= psa->rgsabound[i].cElements;
  return n;
}

void ClearElements(SAFEARRAY* psa) {
  const std::size_t n = ElementCount(psa);
  if (psa->fFeatures & FADF_BSTR) {
    auto* items = static_cast<BSTR*>(psa->pvData);
    for (std::size_t i = 0; i < n; ++i) SysFreeString(std::exchange(items[i], nullptr));
  } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    auto* items = static_cast<IUnknown**>(psa->pvData);
    for (std::size_t i = 0; i < n; ++i)
      if (IUnknown* p = std::exchange(items[i], nullptr)) p->Release();
  } else if (psa->fFeatures & FADF_VARIANT) {
    auto* items = static_cast<VARIANT*>(psa->pvData);
    for (std::size_t i = 0; i < n; ++i) VariantClear(&items[i]);
  }
}

// Dimension nDim (1-based, leftmost first) lives at rgsabound[cDims - nDim].
SAFEARRAYBOUND* Bound(SAFEARRAY* psa, UINT nDim) {
  if (nDim < 1 || nDim > psa->cDims) return nullptr;
  return &psa->rgsabound[psa->cDims - nDim];
}
}  // namespace

extern "C" {

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  const ULONG elemSize = ElementSize(vt);
  if (elemSize == 0 || cDims == 0 || cDims > 0xFFFF || rgsabound == nullptr) return nullptr;
  std::size_t count = 1;
  for (UINT i = 0; i < cDims; ++i) {
    count *= rgsabound[i].cElements;
    if (count > 0xFFFFFFFFu) return nullptr;
  }
  const std::size_t dataBytes = count * elemSize;
  if (dataBytes > 0xFFFFFFFFu || !AllocationAllowed(dataBytes)) return nullptr;

  const std::size_t descBytes = sizeof(Prefix) + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
  void* block = std::calloc(1, descBytes);
  if (block == nullptr) return nullptr;
  void* data = std::calloc(dataBytes ? dataBytes : 1, 1);
  if (data == nullptr) {
    std::free(block);
    return nullptr;
  }
  auto* prefix = static_cast<Prefix*>(block);
  prefix->vt = vt;
  auto* psa = reinterpret_cast<SAFEARRAY*>(prefix + 1);
  psa->cDims = static_cast<USHORT>(cDims);
  psa->fFeatures = Features(vt);
  psa->cbElements = elemSize;
  psa->cLocks = 0;
  psa->pvData = data;
  for (UINT i = 0; i < cDims; ++i) psa->rgsabound[i] = rgsabound[cDims - 1 - i];
  ++g_liveSafeArrays;
  return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
  if (psa == nullptr) return S_OK;
  if (Locks(psa).load() > 0) return DISP_E_ARRAYISLOCKED;
  ClearElements(psa);
  std::free(psa->pvData);
  std::free(PrefixOf(psa));
  --g_liveSafeArrays;
  return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (Locks(psa).fetch_add(1) >= 0xFFFF) {
    Locks(psa).fetch_sub(1);
    return E_UNEXPECTED;
  }
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  ULONG locks = Locks(psa).load();
  do {
    if (locks == 0) return E_UNEXPECTED;
  } while (!Locks(psa).compare_exchange_weak(locks, locks - 1));
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (psa == nullptr || ppvData == nullptr) return E_INVALIDARG;
  const HRESULT hr = SafeArrayLock(psa);
  *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
  return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (psa == nullptr || plLbound == nullptr) return E_INVALIDARG;
  const SAFEARRAYBOUND* b = Bound(psa, nDim);
  if (b == nullptr) return DISP_E_BADINDEX;
  *plLbound = b->lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (psa == nullptr || plUbound == nullptr) return E_INVALIDARG;
  const SAFEARRAYBOUND* b = Bound(psa, nDim);
  if (b == nullptr) return DISP_E_BADINDEX;
  *plUbound = static_cast<LONG>(static_cast<std::int64_t>(b->lLbound) + b->cElements - 1);
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (psa == nullptr || pvt == nullptr) return E_INVALIDARG;
  if (psa->fFeatures & FADF_HAVEVARTYPE)
    *pvt = PrefixOf(psa)->vt;
  else if (psa->fFeatures & FADF_BSTR)
    *pvt = VT_BSTR;
  else if (psa->fFeatures & FADF_UNKNOWN)
    *pvt = VT_UNKNOWN;
  else if (psa->fFeatures & FADF_DISPATCH)
    *pvt = VT_DISPATCH;
  else if (psa->fFeatures & FADF_VARIANT)
    *pvt = VT_VARIANT;
  else
    return E_INVALIDARG;
  return S_OK;
}
}
