#pragma once
// Small COM objects for the platform tests.

#include <atomic>

#include "tovik/platform.h"

namespace platform_test {

struct ITestThing;
}
TOVIK_DECLARE_UUID(platform_test::ITestThing, 0x1F59BB30, 0xE0AC, 0x46AB, 0x9E, 0xAA, 0x58, 0x72, 0x84, 0xDE, 0xEA,
                   0x6D);

namespace platform_test {

struct ITestThing : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Fail(HRESULT hr, const OLECHAR* description) = 0;
};

inline constexpr CLSID CLSID_TestThing = {0x0A1B2C3D, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

// Counts its references; reports errors through the thread's error info.
class TestThing final : public ITestThing, public ISupportErrorInfo {
 public:
  static std::atomic<int>& Live() {
    static std::atomic<int> live{0};
    return live;
  }
  explicit TestThing(bool supportsErrorInfo = true) : supports_(supportsErrorInfo) { ++Live(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == __uuidof(ITestThing)) {
      *ppv = static_cast<ITestThing*>(this);
    } else if (riid == IID_ISupportErrorInfo && supports_) {
      *ppv = static_cast<ISupportErrorInfo*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) {
      --Live();
      delete this;
    }
    return left;
  }
  ULONG Refs() const { return refs_; }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return riid == __uuidof(ITestThing) ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Fail(HRESULT hr, const OLECHAR* description) override {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
      create->SetDescription(const_cast<LPOLESTR>(description));
      create->SetSource(const_cast<LPOLESTR>(u"TestThing"));
      IErrorInfo* info = nullptr;
      create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
      SetErrorInfo(0, info);
      info->Release();
      create->Release();
    }
    return hr;
  }

 private:
  ~TestThing() = default;
  std::atomic<ULONG> refs_{1};
  bool supports_;
};

class TestFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* thing = new TestThing();
    const HRESULT hr = thing->QueryInterface(riid, ppv);
    thing->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  std::atomic<ULONG> refs{0};  // static lifetime in the tests; counts only
};

// Initialises COM on the current thread for a scope.
struct ComScope {
  explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED) : hr(CoInitializeEx(nullptr, model)) {}
  ~ComScope() {
    if (SUCCEEDED(hr)) CoUninitialize();
  }
  HRESULT hr;
};

}  // namespace platform_test
