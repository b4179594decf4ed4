#pragma once
// Texts between Java and the library. Native text is in the ANSI code page (Windows-1252) and
// reaches Java decoded into UTF-16, never as raw bytes; Java strings reach the provider as
// BSTRs and the facade as ANSI text ('?' for what the code page lacks).

#include <jni.h>

#include <string>
#include <utility>

#include "java/LocalOwner.h"
#include "tovik/platform.h"

enum class NullText { AsNull, AsEmpty };

// A Java string from ANSI text. Null text gives a null reference or an empty string, as asked.
CLocalRef<jstring> JavaText(const char* ansiText, NullText nullText);

// Narrow text in the ANSI code page converted from a Java string; a null string stays null
// (c_str() returns null).
class CAnsiText {
 public:
  CAnsiText() = default;
  explicit CAnsiText(std::string text) : m_text(std::move(text)), m_null(false) {}
  const char* c_str() const { return m_null ? nullptr : m_text.c_str(); }
  bool IsNull() const { return m_null; }
  const std::string& str() const { return m_text; }

 private:
  std::string m_text;
  bool m_null = true;
};

CAnsiText AnsiFromJava(jstring text);

// A wide string (BSTR inside _bstr_t) from a Java string; a null string gives a null BSTR.
_bstr_t BstrFromJava(jstring text);

// True when a converted text holds a NUL before its end. Every later step (the facade's
// narrow texts, the BSTR copies made for the provider) ends a text at its first NUL, so such
// a file name or identifier would name another file or other stored data: the methods that
// take one refuse it.
bool HasEmbeddedNul(const CAnsiText& text);
bool HasEmbeddedNul(const _bstr_t& text);

// Modified UTF-8 of a Java string, as FindClass and GetMethodID take names (GetStringUTFChars:
// no code-page conversion, an embedded NUL stays a two-byte sequence). A null string gives an
// empty text.
std::string ModifiedUtf8FromJava(jstring text);
