// The process's global interface table: one free-threaded object behind
// CLSID_StdGlobalInterfaceTable. Each registration holds one reference.
#include <map>
#include <mutex>
#include <utility>

#include "internal.h"

namespace {

class GlobalInterfaceTable final : public IGlobalInterfaceTable {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IGlobalInterfaceTable) {
      *ppv = static_cast<IGlobalInterfaceTable*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  // The table lives as long as the process.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE RegisterInterfaceInGlobal(IUnknown* pUnk, REFIID riid, DWORD* pdwCookie) override {
    if (pdwCookie == nullptr) return E_INVALIDARG;
    *pdwCookie = 0;
    if (pUnk == nullptr) return E_INVALIDARG;
    // The registration keeps the interface asked for, as marshalling would.
    IUnknown* itf = nullptr;
    const HRESULT hr = pUnk->QueryInterface(riid, reinterpret_cast<void**>(&itf));
    if (FAILED(hr)) return hr;
    std::lock_guard lock(mutex_);
    do {
      ++lastCookie_;
    } while (lastCookie_ == 0 || entries_.count(lastCookie_) != 0);
    entries_.emplace(lastCookie_, itf);
    *pdwCookie = lastCookie_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE RevokeInterfaceFromGlobal(DWORD dwCookie) override {
    IUnknown* itf = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto it = entries_.find(dwCookie);
      if (it == entries_.end()) return E_INVALIDARG;
      itf = it->second;
      entries_.erase(it);
    }
    itf->Release();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetInterfaceFromGlobal(DWORD dwCookie, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_INVALIDARG;
    *ppv = nullptr;
    IUnknown* itf = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto it = entries_.find(dwCookie);
      if (it == entries_.end()) return E_INVALIDARG;
      itf = it->second;
      itf->AddRef();  // keeps it alive against a concurrent revoke
    }
    const HRESULT hr = itf->QueryInterface(riid, ppv);
    itf->Release();
    return hr;
  }

  std::size_t Size() {
    std::lock_guard lock(mutex_);
    return entries_.size();
  }

 private:
  std::mutex mutex_;
  std::map<DWORD, IUnknown*> entries_;
  DWORD lastCookie_ = 0xFF;
};

// Never destroyed: registrations may be revoked by static destructors of
// other modules at process exit.
GlobalInterfaceTable& Table() {
  static auto* table = new GlobalInterfaceTable();
  return *table;
}

}  // namespace

namespace standin::detail {
std::size_t GitEntries() noexcept { return Table().Size(); }

HRESULT GitQueryInterface(REFIID riid, void** ppv) { return Table().QueryInterface(riid, ppv); }
}  // namespace standin::detail
