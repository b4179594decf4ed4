#pragma once
// UTF-8 <-> UTF-16 conversion for the texts that cross the provider's
// interfaces as BSTRs and the control surface as std::string / Java strings.

#include <string>

#include "tovik/platform.h"

namespace tovik::sim {

// Text in OLECHAR units (16-bit on every platform; wchar_t on Windows).
using OleString = std::basic_string<OLECHAR>;

OleString Utf16FromUtf8(const std::string& text);
std::string Utf8FromUtf16(const OLECHAR* text, std::size_t length);

// A BSTR's text as UTF-8; a null BSTR gives the empty text.
std::string Utf8FromBstr(BSTR text);

// A new BSTR holding `text`; the receiver frees it.
BSTR NewBstr(const std::string& text);

}  // namespace tovik::sim
