#pragma once
// Arguments of Java method calls, checked against the method's JNI signature.
//
// Each argument remembers whether it is a number or a reference. BuildJValues then fills the
// jvalue slot that the signature asks for: a number goes into J (64-bit), I (32-bit: the low
// half), S, B, C (cut the same way) or Z (true when not 0); a reference goes into an L... or
// [... slot. Whether a 32-bit value is widened signed or unsigned follows its C++ type: a
// LONG is sign-extended, a ULONG or DWORD zero-extended.
//
// A count or kind that does not match the signature raises a Java exception (programming
// error in the caller) instead of handing the virtual machine a broken argument list.

#include <jni.h>

#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

class CJArg {
 public:
  template <typename T>
    requires std::is_integral_v<T>
  CJArg(T value) : m_isReference(false), m_number(static_cast<std::int64_t>(value)), m_reference(nullptr) {}
  CJArg(jobject reference) : m_isReference(true), m_number(0), m_reference(reference) {}
  CJArg(std::nullptr_t) : m_isReference(true), m_number(0), m_reference(nullptr) {}

  bool IsReference() const { return m_isReference; }
  std::int64_t Number() const { return m_number; }
  jobject Reference() const { return m_reference; }

 private:
  bool m_isReference;
  std::int64_t m_number;
  jobject m_reference;
};

using CJArgs = std::initializer_list<CJArg>;

// The jvalues for `args` in the parameter order of `signature` ("(JLjava/lang/String;Z)V").
// `context` starts the message of the Java exception raised on a mismatch.
std::vector<jvalue> BuildJValues(const char* context, const char* signature, CJArgs args);
