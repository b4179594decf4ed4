// Apartments, process security, the class table and object creation.
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

#include "internal.h"

namespace standin::detail {
HRESULT GitQueryInterface(REFIID riid, void** ppv);
}

namespace {

struct Apartment {
  int initCount = 0;
  DWORD model = COINIT_APARTMENTTHREADED;
};
thread_local Apartment t_apartment;

std::atomic<bool> g_securityInitialised{false};

struct ClassEntry {
  DWORD cookie;
  CLSID clsid;
  IUnknown* factory;
  DWORD clsctx;
};

struct ClassTable {
  std::mutex mutex;
  std::vector<ClassEntry> entries;
  DWORD lastCookie = 0;
};

// Never destroyed: providers register from static initialisers and may revoke
// from static destructors, in any order relative to this module.
ClassTable& Classes() {
  static auto* table = new ClassTable();
  return *table;
}

// A new reference to the most recent class object registered for clsid in a
// matching context, or null.
IUnknown* FindClassObject(REFCLSID clsid, DWORD clsctx) {
  ClassTable& t = Classes();
  std::lock_guard lock(t.mutex);
  for (auto it = t.entries.rbegin(); it != t.entries.rend(); ++it) {
    if (it->clsid == clsid && (it->clsctx & clsctx) != 0) {
      it->factory->AddRef();
      return it->factory;
    }
  }
  return nullptr;
}

}  // namespace

namespace standin::detail {
bool ApartmentInitialised() noexcept { return t_apartment.initCount > 0; }
}  // namespace standin::detail

extern "C" {

HRESULT CoInitializeEx(LPVOID, DWORD dwCoInit) {
  const DWORD model = (dwCoInit & COINIT_APARTMENTTHREADED) ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
  Apartment& a = t_apartment;
  if (a.initCount > 0) {
    if (a.model != model) return RPC_E_CHANGED_MODE;
    ++a.initCount;
    return S_FALSE;
  }
  a.model = model;
  a.initCount = 1;
  return S_OK;
}

HRESULT CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize() {
  Apartment& a = t_apartment;
  if (a.initCount == 0) return;
  if (--a.initCount == 0) standin::detail::ReleaseThreadErrorInfo();
}

HRESULT CoInitializeSecurity(PSECURITY_DESCRIPTOR, LONG, SOLE_AUTHENTICATION_SERVICE*, void*, DWORD, DWORD, void*,
                             DWORD, void*) {
  if (!standin::detail::ApartmentInitialised()) return CO_E_NOTINITIALIZED;
  bool expected = false;
  return g_securityInitialised.compare_exchange_strong(expected, true) ? S_OK : RPC_E_TOO_LATE;
}

HRESULT CoRegisterClassObject(REFCLSID rclsid, IUnknown* pUnk, DWORD dwClsContext, DWORD, LPDWORD lpdwRegister) {
  if (lpdwRegister == nullptr || pUnk == nullptr) return E_INVALIDARG;
  pUnk->AddRef();
  ClassTable& t = Classes();
  std::lock_guard lock(t.mutex);
  if (++t.lastCookie == 0) ++t.lastCookie;
  t.entries.push_back({t.lastCookie, rclsid, pUnk, dwClsContext});
  *lpdwRegister = t.lastCookie;
  return S_OK;
}

HRESULT CoRevokeClassObject(DWORD dwRegister) {
  IUnknown* factory = nullptr;
  {
    ClassTable& t = Classes();
    std::lock_guard lock(t.mutex);
    for (auto it = t.entries.begin(); it != t.entries.end(); ++it) {
      if (it->cookie == dwRegister) {
        factory = it->factory;
        t.entries.erase(it);
        break;
      }
    }
  }
  if (factory == nullptr) return E_INVALIDARG;
  factory->Release();
  return S_OK;
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_INVALIDARG;
  *ppv = nullptr;
  if (!standin::detail::ApartmentInitialised()) return CO_E_NOTINITIALIZED;
  IUnknown* factory = FindClassObject(rclsid, dwClsContext);
  if (factory == nullptr) return REGDB_E_CLASSNOTREG;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_INVALIDARG;
  *ppv = nullptr;
  if (!standin::detail::ApartmentInitialised()) return CO_E_NOTINITIALIZED;
  if (rclsid == CLSID_StdGlobalInterfaceTable) {
    if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
    return standin::detail::GitQueryInterface(riid, ppv);
  }
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr == E_NOINTERFACE ? REGDB_E_CLASSNOTREG : hr;
  hr = factory->CreateInstance(pUnkOuter, riid, ppv);
  factory->Release();
  if (FAILED(hr)) *ppv = nullptr;
  return hr;
}

LPVOID CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb ? cb : 1); }
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb) { return std::realloc(pv, cb ? cb : 1); }
void CoTaskMemFree(LPVOID pv) { std::free(pv); }
}
