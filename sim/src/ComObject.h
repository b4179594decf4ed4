#pragma once
// One generic COM object for all provider classes: reference counting,
// QueryInterface (IUnknown, IDispatch, the provider interface,
// ISupportErrorInfo), IDispatch stubs and the live-object count. The first
// three come from DispatchObject, which the out-of-process server's control
// object uses too.

#include <atomic>
#include <string>

#include "ProviderCall.h"
#include "provider/TovikApiProviderLib.h"
#include "tovik/platform.h"

namespace tovik::sim {

// Number of provider objects alive in the process.
std::atomic<long>& LiveObjectCounter();

#if defined(_WIN32)
// Whether the objects aggregate the free-threaded marshaler. The in-process
// server (sim/win/InprocServer.cpp) says yes: the provider is thread-safe, so
// the global interface table hands every apartment the object itself. The
// out-of-process server (sim/win/LocalServer.cpp) says no: its objects are
// reached through the system's proxies, as the vendor's server is. Each server
// defines it once, so the choice is made by what the objects are linked into.
bool ObjectsAreAgile();
#endif

template <class I>
struct InterfaceName;

#define TOVIK_SIM_NAME(I)                                   \
  template <>                                               \
  struct InterfaceName<TovikApiProviderLib::I> {            \
    static constexpr const char* value = #I;                \
  };
TOVIK_SIM_NAME(ITovikManager)
TOVIK_SIM_NAME(ITovikVciItems)
TOVIK_SIM_NAME(ITovikVciItem)
TOVIK_SIM_NAME(ITovikVciInfo)
TOVIK_SIM_NAME(ITovikClientInfo)
TOVIK_SIM_NAME(ITovikAppPcItemList)
TOVIK_SIM_NAME(ITovikAppPcItem)
TOVIK_SIM_NAME(ITovikVersionInfo)
TOVIK_SIM_NAME(ITovikVersionItemList)
TOVIK_SIM_NAME(ITovikVersionItem)
TOVIK_SIM_NAME(ITovikClientAccessItem)
TOVIK_SIM_NAME(ITovikAppVciItemList)
TOVIK_SIM_NAME(ITovikAppVciItem)
TOVIK_SIM_NAME(ITovikAppStatus)
TOVIK_SIM_NAME(ITovikPendantLeds)
TOVIK_SIM_NAME(ITovikPendantLed)
TOVIK_SIM_NAME(ITovikPendantDisp)
TOVIK_SIM_NAME(ITovikApStateItem)
TOVIK_SIM_NAME(ITovikClientSpace)
TOVIK_SIM_NAME(ITovikAdaptInfoList)
TOVIK_SIM_NAME(ITovikAdaptInfoItem)
TOVIK_SIM_NAME(ITovikConfigItemList)
TOVIK_SIM_NAME(ITovikConfigItem)
TOVIK_SIM_NAME(ITovikClientInfoList)
TOVIK_SIM_NAME(ITovikClientInfoItem)
TOVIK_SIM_NAME(ITovikByteBuffer)
#undef TOVIK_SIM_NAME

// Reference counting, QueryInterface and the IDispatch stubs of an object
// with one dual interface I (and the further interfaces Extra): what every
// object the provider's servers hand out shares.
template <class I, class... Extra>
class DispatchObject : public I, public Extra... {
 public:
  DispatchObject() = default;
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // ---- IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != __uuidof(IDispatch) && iid != __uuidof(I)) return QueryOther(iid, object);
    *object = static_cast<I*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // ---- IDispatch: callers bind early; late binding is not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  virtual ~DispatchObject() = default;

  // Interfaces beyond IUnknown, IDispatch and I (*object is null on entry);
  // a found one is handed out with a reference added.
  virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

 private:
  std::atomic<ULONG> references_{1};
};

template <class I>
class ComObject : public DispatchObject<I, ISupportErrorInfo> {
 public:
  ComObject() {
    ++LiveObjectCounter();
#if defined(_WIN32)
    if (ObjectsAreAgile() && FAILED(CoCreateFreeThreadedMarshaler(static_cast<I*>(this), &marshaler_)))
      marshaler_ = nullptr;
#endif
  }

  // ---- ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(I) ? S_OK : S_FALSE;
  }

  static std::string Key(const char* member) {
    return std::string(InterfaceName<I>::value) + "." + member;
  }

 protected:
  virtual ~ComObject() {
#if defined(_WIN32)
    if (marshaler_ != nullptr) marshaler_->Release();
#endif
    --LiveObjectCounter();
  }

  // Private interfaces of a derived class (e.g. access to its state).
  virtual void* Implementation(REFIID) { return nullptr; }

  HRESULT QueryOther(REFIID iid, void** object) override {
    if (iid == IID_ISupportErrorInfo) {
      *object = static_cast<ISupportErrorInfo*>(this);
#if defined(_WIN32)
    } else if (iid == IID_IMarshal && marshaler_ != nullptr) {
      return marshaler_->QueryInterface(iid, object);
#endif
    } else if (void* inner = Implementation(iid)) {
      *object = inner;
    } else {
      return E_NOINTERFACE;
    }
    this->AddRef();
    return S_OK;
  }

  // A property read: journal, faults, then the value.
  template <class T, class F>
  HRESULT Get(const char* name, T* out, F&& value) {
    ProviderCall call(Key(name), __uuidof(I));
    if (call.Failed()) return call.Hr();
    if (out == nullptr) return E_POINTER;
    *out = value();
    return S_OK;
  }

  // A property write: journal, faults, then the store.
  template <class T, class F>
  HRESULT Put(const char* name, T value, F&& store) {
    ProviderCall call(Key((std::string("put_") + name).c_str()), __uuidof(I), value);
    if (call.Failed()) return call.Hr();
    store(value);
    return S_OK;
  }

  // The enumerator slot: not offered.
  HRESULT NoEnumerator(IUnknown** enumerator) {
    ProviderCall call(Key("_NewEnum"), __uuidof(I));
    if (call.Failed()) return call.Hr();
    if (enumerator) *enumerator = nullptr;
    return E_NOTIMPL;
  }

 private:
#if defined(_WIN32)
  IUnknown* marshaler_ = nullptr;  // the aggregated free-threaded marshaler
#endif
};

// Creates an object holding one reference (the caller's).
template <class T, class... A>
T* Create(A&&... args) {
  return new T(std::forward<A>(args)...);
}

}  // namespace tovik::sim
