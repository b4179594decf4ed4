// Code-page conversions and the local heap.
#include <gtest/gtest.h>

#include <string>

#include "tovik/platform.h"

namespace {

std::u16string ToWide(UINT cp, const std::string& s) {
  const int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string out(n, u'\0');
  EXPECT_EQ(MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n), n);
  return out;
}

std::string ToNarrow(UINT cp, const std::u16string& s) {
  const int n = WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  EXPECT_EQ(WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr), n);
  return out;
}

TEST(CodePages, AnsiIsWindows1252) {
  EXPECT_EQ(ToWide(CP_ACP, "\x80\x8A\x9F\xA0\xFF"), u"\u20AC\u0160\u0178\u00A0\u00FF");
  EXPECT_EQ(ToWide(CP_ACP, "\x81"), u"\u0081");  // unassigned bytes keep their value
  EXPECT_EQ(ToNarrow(CP_ACP, u"\u20AC\u2122"), "\x80\x99");
  // Round trip of every byte.
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ToNarrow(CP_ACP, ToWide(CP_ACP, all)), all);
}

TEST(CodePages, UnmappableCharactersUseTheDefaultCharacter) {
  const std::u16string text = u"A\u0100\u4E2D";
  char out[8] = {};
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text.data(), 3, out, sizeof out, nullptr, &used), 3);
  EXPECT_EQ(std::string(out, 3), "A??");
  EXPECT_TRUE(used);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text.data(), 3, out, sizeof out, "#", &used), 3);
  EXPECT_EQ(std::string(out, 3), "A##");
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"plain", 5, out, sizeof out, nullptr, &used), 5);
  EXPECT_FALSE(used);
  // UTF-8 takes no default character.
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text.data(), 3, out, sizeof out, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePages, MinusOneCountsTheTerminatorAndSmallBuffersFail) {
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
  OLECHAR wide[4];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4), 4);
  EXPECT_EQ(wide[3], 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, nullptr, 0, nullptr, nullptr), 4);
  char narrow[2];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, narrow, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(437, 0, "abc", -1, nullptr, 0), 0);
}

TEST(CodePages, Utf8RoundTripsAndReplacesBrokenInput) {
  const std::u16string text = u"Grüß € \U0001F600";
  const std::string utf8 = ToNarrow(CP_UTF8, text);
  EXPECT_EQ(utf8, "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(ToWide(CP_UTF8, utf8), text);
  EXPECT_EQ(ToWide(CP_UTF8, "a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(ToNarrow(CP_UTF8, std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(LocalHeap, BlocksAreCountedZeroedAndFreedToNull) {
  const std::size_t before = standin::LiveLocalAllocCount();
  auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, 32));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(standin::LiveLocalAllocCount(), before + 1);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(block[i], 0);
  EXPECT_EQ(LocalSize(block), 32u);
  HLOCAL fixed = LocalAlloc(LMEM_FIXED, 0);
  EXPECT_NE(fixed, nullptr);
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(LocalFree(fixed), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
  EXPECT_EQ(standin::LiveLocalAllocCount(), before);
}

}  // namespace
