#include "core/TextConversion.h"

_bstr_t AnsiToBstr(const char* text) {
  if (text == nullptr) return _bstr_t();
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);  // with the terminating zero
  BSTR converted = size > 0 ? SysAllocStringLen(nullptr, static_cast<UINT>(size - 1)) : nullptr;
  if (converted == nullptr) _com_issue_error(E_OUTOFMEMORY);
  MultiByteToWideChar(CP_ACP, 0, text, -1, converted, size);
  return _bstr_t(converted, false);
}

_bstr_t WideToBstr(const OLECHAR* text) {
  if (text == nullptr) return _bstr_t();
  BSTR copy = SysAllocString(text);
  if (copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return _bstr_t(copy, false);
}

char* BstrToLocalAnsi(const OLECHAR* text, UINT length) {
  if (text == nullptr || length == 0) return nullptr;
  const int wideLength = static_cast<int>(length);
  const int size = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return nullptr;
  char* block = static_cast<char*>(LocalAlloc(LPTR, static_cast<SIZE_T>(size) + 1));
  if (block == nullptr) return nullptr;
  WideCharToMultiByte(CP_ACP, 0, text, wideLength, block, size, nullptr, nullptr);
  return block;
}
