// Text conversion: the library's conversions between ANSI text, BSTRs and LocalAlloc blocks,
// and the platform's code-page conversions with exact, generous and too-short buffers.
// Windows-1252 is a single-byte code page: every byte but the five it leaves undefined maps
// to one UTF-16 unit and back to itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/TextConversion.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool Undefined1252(unsigned char c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

void NarrowRoundTrip(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // up to the first NUL, as the library receives it
  _bstr_t wide = AnsiToBstr(text.c_str());
  Require(wide.length() == text.size());
  char* back = BstrToLocalAnsi(wide);
  if (text.empty()) {
    Require(back == nullptr);
    return;
  }
  Require(back != nullptr);
  Require(std::strlen(back) == text.size());
  for (std::size_t i = 0; i < text.size(); i++) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!Undefined1252(c)) Require(back[i] == text[i]);
  }
  LocalFree(back);
}

void WideToNarrow(const std::uint8_t* data, std::size_t size) {
  std::vector<OLECHAR> units(size / 2 + 1, 0);  // NUL-terminated, as WideToBstr takes it
  std::memcpy(units.data(), data, (units.size() - 1) * 2);
  units.pop_back();
  if (units.empty()) return;
  units.push_back(0);
  _bstr_t wide = WideToBstr(units.data());
  units.pop_back();
  Require(wide.length() <= units.size());
  char* narrow = BstrToLocalAnsi(wide);
  if (narrow) LocalFree(narrow);
  // A BSTR's length may include NULs; the conversion goes by the length.
  BSTR counted = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
  Require(counted != nullptr);
  narrow = BstrToLocalAnsi(counted, SysStringLen(counted));
  if (narrow) LocalFree(narrow);
  SysFreeString(counted);
}

void CodePageBuffers(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const int length = static_cast<int>(size);
  const int needed = MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
  Require(needed == length);
  std::vector<OLECHAR> wide(needed + 1);
  Require(MultiByteToWideChar(CP_ACP, 0, bytes, length, wide.data(), needed) == needed);
  if (needed > 1) {  // a size of 0 would ask for the length
    std::vector<OLECHAR> small(needed - 1);
    Require(MultiByteToWideChar(CP_ACP, 0, bytes, length, small.data(), needed - 1) == 0);
  }
  const int narrowNeeded = WideCharToMultiByte(CP_ACP, 0, wide.data(), needed, nullptr, 0, nullptr, nullptr);
  Require(narrowNeeded >= 0);
  std::vector<char> narrow(narrowNeeded + 1);
  Require(WideCharToMultiByte(CP_ACP, 0, wide.data(), needed, narrow.data(), narrowNeeded, nullptr, nullptr) ==
          narrowNeeded);
  if (narrowNeeded > 1) {
    std::vector<char> small(narrowNeeded - 1);
    Require(WideCharToMultiByte(CP_ACP, 0, wide.data(), needed, small.data(), narrowNeeded - 1, nullptr,
                                nullptr) == 0);
  }
  // The bytes as UTF-16 units, unpaired surrogates included.
  std::vector<OLECHAR> units(size / 2 + 1);
  std::memcpy(units.data(), data, (size / 2) * 2);
  units.pop_back();
  const int unitCount = static_cast<int>(units.size());
  const int out = WideCharToMultiByte(CP_ACP, 0, units.data(), unitCount, nullptr, 0, nullptr, nullptr);
  Require(out >= 0);
  std::vector<char> buffer(out + 1);
  Require(WideCharToMultiByte(CP_ACP, 0, units.data(), unitCount, buffer.data(), out, nullptr, nullptr) == out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  switch (data[0] % 3) {
    case 0: NarrowRoundTrip(data + 1, size - 1); break;
    case 1: WideToNarrow(data + 1, size - 1); break;
    default: CodePageBuffers(data + 1, size - 1); break;
  }
  return 0;
}
