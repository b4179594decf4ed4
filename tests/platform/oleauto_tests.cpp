// BSTR, SAFEARRAY, VARIANT, _bstr_t, the allocation limit and the counters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tovik/platform.h"

namespace {

// Restores the unlimited state however a test ends.
struct AllocationLimit {
  explicit AllocationLimit(std::size_t bytes) { standin::SetAllocationLimit(bytes); }
  ~AllocationLimit() { standin::SetAllocationLimit(0); }
};

TEST(Bstr, LengthPrefixTerminatorAndEmbeddedZeros) {
  const std::size_t before = standin::LiveBstrCount();
  const OLECHAR text[] = {u'a', 0, u'b', u'c'};
  BSTR s = SysAllocStringLen(text, 4);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(standin::LiveBstrCount(), before + 1);
  EXPECT_EQ(SysStringLen(s), 4u);
  EXPECT_EQ(SysStringByteLen(s), 8u);
  std::uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(s) - 4, 4);
  EXPECT_EQ(prefix, 8u);
  EXPECT_EQ(s[1], 0);
  EXPECT_EQ(s[3], u'c');
  EXPECT_EQ(s[4], 0);  // terminator after the counted characters

  BSTR zeroed = SysAllocStringLen(nullptr, 3);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(SysStringLen(zeroed), 3u);
  EXPECT_EQ(zeroed[0], 0);
  EXPECT_EQ(zeroed[3], 0);

  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  BSTR plain = SysAllocString(u"hello");
  EXPECT_EQ(SysStringLen(plain), 5u);
  EXPECT_TRUE(SysReAllocString(&plain, u"hi"));
  EXPECT_EQ(std::u16string(plain), u"hi");

  SysFreeString(s);
  SysFreeString(zeroed);
  SysFreeString(plain);
  SysFreeString(nullptr);
  EXPECT_EQ(standin::LiveBstrCount(), before);
}

TEST(SafeArray, VectorBoundsLockRulesAndDestruction) {
  const std::size_t before = standin::LiveSafeArrayCount();
  SAFEARRAY* psa = SafeArrayCreateVector(VT_UI1, 5, 4);
  ASSERT_NE(psa, nullptr);
  EXPECT_EQ(standin::LiveSafeArrayCount(), before + 1);
  EXPECT_EQ(SafeArrayGetDim(psa), 1u);
  EXPECT_EQ(SafeArrayGetElemsize(psa), 1u);
  LONG lower = 0, upper = 0;
  EXPECT_EQ(SafeArrayGetLBound(psa, 1, &lower), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(psa, 1, &upper), S_OK);
  EXPECT_EQ(lower, 5);
  EXPECT_EQ(upper, 8);
  EXPECT_EQ(SafeArrayGetLBound(psa, 2, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetUBound(psa, 0, &upper), DISP_E_BADINDEX);
  VARTYPE vt = VT_EMPTY;
  EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
  EXPECT_EQ(vt, VT_UI1);

  BYTE* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)), S_OK);
  EXPECT_EQ(data[0] | data[1] | data[2] | data[3], 0);  // zero-initialised
  std::memcpy(data, "\x01\x02\x03\x04", 4);
  EXPECT_EQ(psa->cLocks, 1u);
  EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayLock(psa), S_OK);
  EXPECT_EQ(SafeArrayUnlock(psa), S_OK);
  EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayUnaccessData(psa), S_OK);
  EXPECT_EQ(SafeArrayUnlock(psa), E_UNEXPECTED);
  EXPECT_EQ(static_cast<BYTE*>(psa->pvData)[3], 4);

  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(standin::LiveSafeArrayCount(), before);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(SafeArray, MultipleDimensionsKeepTheirBounds) {
  SAFEARRAYBOUND bounds[2] = {{3, 1}, {5, -2}};
  SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
  ASSERT_NE(psa, nullptr);
  EXPECT_EQ(SafeArrayGetDim(psa), 2u);
  EXPECT_EQ(SafeArrayGetElemsize(psa), 4u);
  LONG value = 0;
  SafeArrayGetLBound(psa, 1, &value);
  EXPECT_EQ(value, 1);
  SafeArrayGetUBound(psa, 1, &value);
  EXPECT_EQ(value, 3);
  SafeArrayGetLBound(psa, 2, &value);
  EXPECT_EQ(value, -2);
  SafeArrayGetUBound(psa, 2, &value);
  EXPECT_EQ(value, 2);
  // Stored rightmost dimension first, as Windows stores them.
  EXPECT_EQ(psa->rgsabound[0].cElements, 5u);
  EXPECT_EQ(psa->rgsabound[1].cElements, 3u);
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, bounds), nullptr);
}

TEST(SafeArray, BstrArraysAndVariantsFreeWhatTheyOwn) {
  const std::size_t bstrs = standin::LiveBstrCount();
  const std::size_t arrays = standin::LiveSafeArrayCount();
  SAFEARRAY* names = SafeArrayCreateVector(VT_BSTR, 0, 2);
  ASSERT_NE(names, nullptr);
  BSTR* items = nullptr;
  SafeArrayAccessData(names, reinterpret_cast<void**>(&items));
  items[0] = SysAllocString(u"one");
  items[1] = SysAllocString(u"two");
  SafeArrayUnaccessData(names);
  VARTYPE vt = VT_EMPTY;
  SafeArrayGetVartype(names, &vt);
  EXPECT_EQ(vt, VT_BSTR);

  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  V_VT(&v) = VT_ARRAY | VT_BSTR;
  V_ARRAY(&v) = names;
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(V_VT(&v), VT_EMPTY);
  EXPECT_EQ(standin::LiveBstrCount(), bstrs);
  EXPECT_EQ(standin::LiveSafeArrayCount(), arrays);

  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(u"text");
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(standin::LiveBstrCount(), bstrs);

  // A locked array stays with the VARIANT.
  SAFEARRAY* locked = SafeArrayCreateVector(VT_I4, 0, 1);
  SafeArrayLock(locked);
  V_VT(&v) = VT_ARRAY | VT_I4;
  V_ARRAY(&v) = locked;
  EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
  SafeArrayUnlock(locked);
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(standin::LiveSafeArrayCount(), arrays);
}

TEST(AllocationLimit, LargeRequestsFailSmallOnesSucceed) {
  AllocationLimit limit(16);
  BSTR small = SysAllocStringLen(nullptr, 8);  // 16 bytes
  EXPECT_NE(small, nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 9), nullptr);
  EXPECT_EQ(SysAllocString(u"seventeen chars!!"), nullptr);
  EXPECT_EQ(SafeArrayCreateVector(VT_UI1, 0, 17), nullptr);
  SAFEARRAY* fits = SafeArrayCreateVector(VT_UI1, 0, 16);
  EXPECT_NE(fits, nullptr);
  EXPECT_EQ(LocalAlloc(LPTR, 17), nullptr);
  HLOCAL block = LocalAlloc(LPTR, 16);
  EXPECT_NE(block, nullptr);
  EXPECT_THROW(_bstr_t("a text longer than sixteen bytes"), _com_error);

  SysFreeString(small);
  SafeArrayDestroy(fits);
  LocalFree(block);
  standin::SetAllocationLimit(0);
  BSTR big = SysAllocStringLen(nullptr, 1000);
  EXPECT_NE(big, nullptr);
  SysFreeString(big);
}

TEST(BstrT, ConversionsSharingAndOwnership) {
  const std::size_t before = standin::LiveBstrCount();
  {
    _bstr_t narrow("Gr\xFC\xDF \x80");  // "Grüß €" in Windows-1252
    EXPECT_EQ(narrow.length(), 6u);
    EXPECT_EQ(std::u16string(static_cast<const OLECHAR*>(narrow)), u"Grüß €");
    EXPECT_STREQ(static_cast<const char*>(narrow), "Gr\xFC\xDF \x80");

    _bstr_t wide(u"Grüß €");
    EXPECT_TRUE(wide == narrow);
    _bstr_t shared = wide;  // shares the string
    EXPECT_EQ(static_cast<const OLECHAR*>(shared), static_cast<const OLECHAR*>(wide));
    EXPECT_EQ(standin::LiveBstrCount(), before + 2);

    _bstr_t none(static_cast<const char*>(nullptr));
    EXPECT_TRUE(!none);
    EXPECT_EQ(none.length(), 0u);
    EXPECT_EQ(static_cast<const char*>(none), nullptr);
    EXPECT_FALSE(none == _bstr_t(u""));

    BSTR raw = SysAllocStringLen(u"x\0y", 3);
    _bstr_t attached(raw, false);
    EXPECT_EQ(attached.GetBSTR(), raw);
    _bstr_t copied(raw, true);
    EXPECT_NE(copied.GetBSTR(), raw);
    EXPECT_EQ(copied.length(), 3u);
    EXPECT_TRUE(copied == attached);
    EXPECT_THROW(shared.Detach(), _com_error);  // shared with `wide`
    BSTR detached = attached.Detach();
    EXPECT_EQ(detached, raw);
    EXPECT_TRUE(!attached);
    SysFreeString(detached);

    BSTR* out = copied.GetAddress();  // frees the held string
    EXPECT_EQ(*out, nullptr);
    *out = SysAllocString(u"filled");
    EXPECT_EQ(copied.length(), 6u);
    BSTR copy = copied.copy();
    EXPECT_NE(copy, copied.GetBSTR());
    SysFreeString(copy);

    _bstr_t joined = _bstr_t("ab") + _bstr_t(u"cd");
    EXPECT_STREQ(static_cast<const char*>(joined), "abcd");
  }
  EXPECT_EQ(standin::LiveBstrCount(), before);
}

TEST(ComUtil, ConvertsThroughTheAnsiCodePage) {
  BSTR wide = _com_util::ConvertStringToBSTR("\x80\x41");
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(SysStringLen(wide), 2u);
  EXPECT_EQ(wide[0], u'€');
  char* narrow = _com_util::ConvertBSTRToString(wide);
  EXPECT_STREQ(narrow, "\x80\x41");
  delete[] narrow;
  SysFreeString(wide);

  BSTR unmappable = SysAllocString(u"\u0100z");
  narrow = _com_util::ConvertBSTRToString(unmappable);
  EXPECT_STREQ(narrow, "?z");
  delete[] narrow;
  SysFreeString(unmappable);
  EXPECT_EQ(_com_util::ConvertStringToBSTR(nullptr), nullptr);
  EXPECT_EQ(_com_util::ConvertBSTRToString(nullptr), nullptr);
}

}  // namespace
