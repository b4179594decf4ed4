#include "Journal.h"

#include <cstdio>

#include "Text.h"

namespace tovik::sim {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string SafeArrayText(SAFEARRAY* array, VARTYPE elementType) {
  if (array == nullptr) return "null";
  if (SafeArrayGetDim(array) != 1) return "array[dims=" + std::to_string(SafeArrayGetDim(array)) + "]";
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  const std::size_t count = upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0;
  if (elementType != VT_UI1 && elementType != VT_I1) return "array[" + std::to_string(count) + "]";
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) return "bytes[" + std::to_string(count) + "]:locked";
  std::string text = FormatBytes(static_cast<const BYTE*>(data), count);
  SafeArrayUnaccessData(array);
  return text;
}

}  // namespace

Journal& Journal::Instance() {
  // Never destroyed: objects and waiting threads may outlive static destruction.
  static Journal* const journal = new Journal;
  return *journal;
}

void Journal::Add(std::string line) {
  std::lock_guard guard(lock_);
  lines_.push_back(std::move(line));
  TrimLocked();
}

std::vector<std::string> Journal::Lines() const {
  std::lock_guard guard(lock_);
  return {lines_.begin(), lines_.end()};
}

void Journal::Clear() {
  std::lock_guard guard(lock_);
  lines_.clear();
  dropped_ = 0;
}

void Journal::SetCapacity(std::size_t capacity) {
  std::lock_guard guard(lock_);
  capacity_ = capacity > 0 ? capacity : 1;
  TrimLocked();
}

std::uint64_t Journal::Dropped() const {
  std::lock_guard guard(lock_);
  return dropped_;
}

void Journal::TrimLocked() {
  while (lines_.size() > capacity_) {
    lines_.pop_front();
    ++dropped_;
  }
}

std::string FormatArg(ULONG value) { return std::to_string(value); }
std::string FormatArg(LONG value) { return std::to_string(value); }
std::string FormatArg(VARIANT_BOOL value) { return std::to_string(value); }

std::string FormatArg(BSTR text) {
  if (text == nullptr) return "null";
  return Quoted(Utf8FromBstr(text));
}

std::string FormatBytes(const BYTE* data, std::size_t length) {
  static const char digits[] = "0123456789abcdef";
  std::string text = "bytes[" + std::to_string(length) + "]:";
  for (std::size_t i = 0; i < length; ++i) {
    text.push_back(digits[data[i] >> 4]);
    text.push_back(digits[data[i] & 0x0F]);
  }
  return text;
}

std::string FormatObject(const IUnknown* object) { return object ? "object" : "null"; }

std::string FormatArg(const VARIANT& value) {
  const VARTYPE vt = value.vt;
  if (vt & VT_BYREF) return "VT_BYREF|" + std::to_string(vt & VT_TYPEMASK);
  if (vt & VT_ARRAY) {
    VARTYPE element = static_cast<VARTYPE>(vt & VT_TYPEMASK);
    std::string name = element == VT_UI1 ? "VT_ARRAY|VT_UI1" : "VT_ARRAY|" + std::to_string(element);
    return name + " " + SafeArrayText(value.parray, element);
  }
  switch (vt) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_NULL: return "VT_NULL";
    case VT_I2: return "VT_I2 " + std::to_string(value.iVal);
    case VT_I4: return "VT_I4 " + std::to_string(value.lVal);
    case VT_UI1: return "VT_UI1 " + std::to_string(value.bVal);
    case VT_UI4: return "VT_UI4 " + std::to_string(value.ulVal);
    case VT_BOOL: return "VT_BOOL " + std::to_string(value.boolVal);
    case VT_BSTR: return "VT_BSTR " + FormatArg(value.bstrVal);
    default: return "VT " + std::to_string(vt);
  }
}

}  // namespace tovik::sim
