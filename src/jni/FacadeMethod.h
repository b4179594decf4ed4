#pragma once
// The frame of the native methods backed by the manager facade (inside the frame of
// jni/NativeFrame.h): entry line, the facade's look-up, the result code into the LongValue,
// exit line. The method gives only its texts and what it does with the facade.

#include <jni.h>

#include <type_traits>

#include "core/LogStream.h"
#include "facade/CTovikManagerIF.h"
#include "java/JavaLogSink.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

// What a facade-backed method writes before and after its work. entry is a text, or a callable
// that writes the entry line(s) itself, ending each with LogEndCheck, given the stream with the
// line begun (e.g. a text followed by an argument). exit is a text, or a callable given the
// begun line and the result code that ends the line itself.
template <typename Entry, typename Exit>
struct FacadeMethod {
  const char* function;
  int line;  // of the method's definition: its entry and exit lines carry it
  Entry entry;
  Exit exit;
};

template <typename Entry, typename Exit>
FacadeMethod<Entry, Exit> MakeFacadeMethod(const char* function, int line, Entry entry, Exit exit) {
  return {function, line, entry, exit};
}

#define FACADE_METHOD(method, entry, exit) MakeFacadeMethod(TOVIK_NATIVE_NAME(method), __LINE__, entry, exit)

// An entry line of the text followed by an argument, in hexadecimal when asked.
struct EntryWithValue {
  const char* text;
  jlong value;
  bool hex = false;
  void operator()(CLogStream& line) const {
    line << text;
    if (hex) line << LogHex;
    line << value << LogEndCheck;
  }
};

// An exit line of the text followed by the result code.
struct ExitWithCode {
  const char* text;
  void operator()(CLogStream& line, jlong code) const { line << text << code << LogEndCheck; }
};

namespace native_frame {

template <typename Entry>
void WriteEntry(const char* function, int line, const Entry& entry) {
  CLogStream& stream = NativeLog().Begin(function, line);
  if constexpr (std::is_convertible_v<const Entry&, const char*>) {
    stream << static_cast<const char*>(entry) << LogEndCheck;
  } else {
    entry(stream);
  }
}

template <typename Exit>
void WriteExit(const char* function, int line, const Exit& exit, jlong code) {
  CLogStream& stream = NativeLog().Begin(function, line);
  if constexpr (std::is_convertible_v<const Exit&, const char*>) {
    stream << static_cast<const char*>(exit) << LogEndCheck;
  } else {
    exit(stream, code);
  }
}

}  // namespace native_frame

// The frame of a native method with a return value that maps the facade of `manager` to a
// result code: the entry line, the facade's look-up (kResultNoFacade without one), the body
// `jlong body(CTovikManagerIF& facade, R& returnValue)` that returns the result code, the code
// into the LongValue `result`, the exit line. The return value starts as failureValue.
template <typename R, typename Entry, typename Exit, typename Body>
R RunFacadeMethod(JNIEnv* env, const FacadeMethod<Entry, Exit>& method, jlong manager, jobject result, R failureValue,
                  Body&& body) noexcept {
  return RunNativeFrame(env, failureValue, [&](R& returnValue) {
    native_frame::WriteEntry(method.function, method.line, method.entry);
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) code = body(*facade, returnValue);
    SetLongValue(result, code);
    native_frame::WriteExit(method.function, method.line, method.exit, code);
  });
}

// As above for a method without a return value: `jlong body(CTovikManagerIF& facade)`.
template <typename Entry, typename Exit, typename Body>
void RunFacadeMethod(JNIEnv* env, const FacadeMethod<Entry, Exit>& method, jlong manager, jobject result,
                     Body&& body) noexcept {
  RunNativeFrame(env, [&] {
    native_frame::WriteEntry(method.function, method.line, method.entry);
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) code = body(*facade);
    SetLongValue(result, code);
    native_frame::WriteExit(method.function, method.line, method.exit, code);
  });
}
