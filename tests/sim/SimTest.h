#pragma once
// Shared set-up of the virtual provider tests: an initialised apartment, the
// default workshop and a manager created by class id, as the library does.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "provider/TovikApiProviderLib.h"
#include "tovik/platform.h"
#include "tovik/sim/VirtualProvider.h"

namespace simtest {

namespace P = TovikApiProviderLib;
namespace sim = tovik::sim;

template <class I>
_com_ptr_t<_com_IIID<I, &__uuidof(I)>> CreateByClassId(const CLSID& clsid) {
  _com_ptr_t<_com_IIID<I, &__uuidof(I)>> object;
  EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_ALL, __uuidof(I), reinterpret_cast<void**>(&object)));
  return object;
}

inline std::string Text(BSTR text) {
  std::string out;
  if (text)
    for (UINT i = 0; i < SysStringLen(text); ++i) out.push_back(static_cast<char>(text[i]));
  SysFreeString(text);
  return out;
}

// A BSTR owned by the test.
class Bstr {
 public:
  explicit Bstr(const char* text) {
    std::basic_string<OLECHAR> wide(text, text + std::char_traits<char>::length(text));
    b_ = SysAllocString(wide.c_str());
  }
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return b_; }

 private:
  BSTR b_ = nullptr;
};

// A VT_ARRAY | VT_UI1 variant owned by the test.
class ByteVariant {
 public:
  explicit ByteVariant(const std::vector<BYTE>& bytes) {
    VariantInit(&v_);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
    v_.vt = VT_ARRAY | VT_UI1;
    v_.parray = array;
  }
  ~ByteVariant() { VariantClear(&v_); }
  const VARIANT& get() const { return v_; }

 private:
  VARIANT v_;
};

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    sim::Reset();
    baseline_ = sim::LiveObjects();
    ASSERT_EQ(S_OK, CoCreateInstance(P::CLSID_TovikManager, nullptr, CLSCTX_ALL, __uuidof(P::ITovikManager),
                                     reinterpret_cast<void**>(&manager_)));
  }

  void TearDown() override {
    manager_ = nullptr;
    EXPECT_EQ(baseline_, sim::LiveObjects()) << "provider objects leaked";
    sim::Reset();
    CoUninitialize();
  }

  // Calls a manager method whose last parameter takes the provider's result;
  // the call itself must succeed. Returns the result.
  template <class M, class... A>
  LONG Call(M method, A&&... args) {
    LONG result = -1;
    EXPECT_EQ(S_OK, (manager_.GetInterfacePtr()->*method)(std::forward<A>(args)..., &result));
    return result;
  }

  // Opens a connection to the module with this serial number.
  ULONG Connect(ULONG serial, ULONG mode = 1) {
    ULONG handle = 0;
    LONG result = -1;
    EXPECT_EQ(S_OK, manager_->raw_Connect(serial, mode, &handle, &result));
    EXPECT_EQ(0, result);
    return handle;
  }

  P::ITovikManagerPtr manager_;
  long baseline_ = 0;
};

// Serial numbers of the default workshop's modules.
inline constexpr ULONG kBay1 = 200101;
inline constexpr ULONG kBay2 = 200102;
inline constexpr ULONG kBench = 100017;

}  // namespace simtest
