#pragma once
// Shared set-up of the virtual provider tests: an initialised apartment, the
// default workshop and a manager created by class id, as the library does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "provider/TovikApiProviderLib.h"
#include "tovik/platform.h"
#include "tovik/sim/VirtualProvider.h"

namespace simtest {

namespace P = TovikApiProviderLib;
namespace sim = tovik::sim;

// Owns one reference.
template <class I>
class Ref {
 public:
  Ref() = default;
  explicit Ref(I* p) : p_(p) {}
  ~Ref() { reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  Ref(Ref&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  Ref& operator=(Ref&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = other.p_;
      other.p_ = nullptr;
    }
    return *this;
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  I** out() {
    reset();
    return &p_;
  }
  I* get() const { return p_; }
  I* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  I* p_ = nullptr;
};

template <class I>
Ref<I> CreateByClassId(const CLSID& clsid) {
  Ref<I> object;
  EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_ALL, __uuidof(I), reinterpret_cast<void**>(object.out())));
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

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    sim::Reset();
    baseline_ = sim::LiveObjects();
    manager_ = CreateByClassId<P::ITovikManager>(P::CLSID_TovikManager);
    ASSERT_TRUE(manager_);
  }

  void TearDown() override {
    manager_.reset();
    EXPECT_EQ(baseline_, sim::LiveObjects()) << "provider objects leaked";
    sim::Reset();
    CoUninitialize();
  }

  // Opens a connection to the module with this serial number.
  ULONG Connect(ULONG serial, ULONG mode = 1) {
    ULONG handle = 0;
    LONG result = -1;
    EXPECT_EQ(S_OK, manager_->raw_Connect(serial, mode, &handle, &result));
    EXPECT_EQ(0, result);
    return handle;
  }

  Ref<P::ITovikManager> manager_;
  long baseline_ = 0;
};

// Serial numbers of the default workshop's modules.
inline constexpr ULONG kBay1 = 200101;
inline constexpr ULONG kBay2 = 200102;
inline constexpr ULONG kBench = 100017;

}  // namespace simtest
