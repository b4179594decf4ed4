#pragma once
// The class factories of the three classes the library creates. They are
// registered with the COM runtime when the virtual provider is loaded; an
// in-process server entry (DllGetClassObject on Windows) hands them out too.

#include <optional>

#include "Faults.h"
#include "tovik/platform.h"

namespace tovik::sim {
// The class factory of the objects Make{}() creates. It lives as long as the
// module and is not a provider object: its reference counting is a no-op.
// Creation fails with an injected fault under Make::kKey
// ("<class>.CreateInstance"); a Make without a key cannot be made to fail.
template <class Make>
class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if constexpr (Make::kKey != nullptr) {
      if (std::optional<Failure> failure = Faults::Instance().TakeFailure(Make::kKey)) return failure->hr;
    }
    IUnknown* created = Make{}();
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// The factory for clsid, or null for a class the provider does not make. The
// factory lives as long as the module; its reference counting is a no-op.
IClassFactory* ClassFactoryFor(REFCLSID clsid);
}  // namespace tovik::sim
