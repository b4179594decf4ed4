#pragma once
// Text conversions between the library's narrow strings (ANSI code page),
// the provider's BSTRs and LocalAlloc blocks handed to callers.

#include "TovikExport.h"
#include "tovik/platform.h"

// A new BSTR with the text converted from the ANSI code page; null stays a
// null BSTR. Raises _com_error(E_OUTOFMEMORY) when the string cannot be made.
TOVIK_API _bstr_t AnsiToBstr(const char* text);

// A new BSTR copied from a wide string; null stays a null BSTR. Raises
// _com_error(E_OUTOFMEMORY) when the string cannot be made.
TOVIK_API _bstr_t WideToBstr(const OLECHAR* text);

// The text in the ANSI code page in a zero-filled LocalAlloc(LPTR) block of
// the converted length plus one byte; the caller frees it with LocalFree.
// Null for an empty or null text and when the block cannot be allocated.
TOVIK_API char* BstrToLocalAnsi(const OLECHAR* text, UINT length);
inline char* BstrToLocalAnsi(const _bstr_t& text) {
  return BstrToLocalAnsi(static_cast<const OLECHAR*>(text), text.length());
}
