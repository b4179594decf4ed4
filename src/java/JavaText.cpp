#include "java/JavaText.h"

#include <memory>

#include "java/CJavaEnvironment.h"

CLocalRef<jstring> JavaText(const char* ansiText, NullText nullText) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  if (!ansiText && nullText == NullText::AsNull) return CLocalRef<jstring>();
  CLocalRef<jstring> text(CJavaEnvironment::NewStringUTF(ansiText ? ansiText : ""));
  CJavaEnvironment::CheckException();
  return text;
}

CAnsiText AnsiFromJava(jstring text) {
  if (!text) return CAnsiText();
  _bstr_t wide = BstrFromJava(text);
  const OLECHAR* chars = static_cast<const OLECHAR*>(wide);
  const int length = static_cast<int>(wide.length());
  if (!chars || length == 0) return CAnsiText(std::string());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, chars, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, chars, length, narrow.data(), bytes, nullptr, nullptr);
  return CAnsiText(std::move(narrow));
}

_bstr_t BstrFromJava(jstring text) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  BSTR wide = CJavaEnvironment::GetJavaString(text);
  CJavaEnvironment::CheckException();
  if (!wide) return _bstr_t();
  return _bstr_t(wide, false);  // takes ownership
}

bool HasEmbeddedNul(const CAnsiText& text) { return text.str().find('\0') != std::string::npos; }

bool HasEmbeddedNul(const _bstr_t& text) {
  const OLECHAR* chars = static_cast<const OLECHAR*>(text);
  const unsigned int length = text.length();
  for (unsigned int i = 0; i < length; ++i) {
    if (chars[i] == 0) return true;
  }
  return false;
}

std::string ModifiedUtf8FromJava(jstring text) {
  CJavaEnvironment::CheckException();
  JNIEnv* env = CJavaEnvironment::GetEnvironment();
  if (!text || !env) return std::string();
  auto release = [env, text](const char* chars) { env->ReleaseStringUTFChars(text, chars); };
  const std::unique_ptr<const char, decltype(release)> chars(env->GetStringUTFChars(text, nullptr), release);
  CJavaEnvironment::CheckException();  // OutOfMemoryError
  return chars ? std::string(chars.get()) : std::string();
}
