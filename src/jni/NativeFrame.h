#pragma once
// The frame every native method of TovikApiManager runs in.
//
//   return RunNativeFrame(env, failureValue, [&](R& returnValue) { ...body... });
//   RunNativeFrame(env, [&] { ...body... });                      // void methods
//
// The frame registers the calling thread's JNIEnv, sets the return value to the method's
// failure value, runs the body, and unregisters the thread again. When anything in the body
// throws CAbortJniException* (a Java exception is pending: raised by CJavaEnvironment, thrown
// by a Java method, or by the Java log method), the frame deletes the exception object and
// returns at once with the return value as the body left it; the pending Java exception then
// surfaces in the caller. Objects the body owns (facade references, wrappers, texts, local
// references, pinned arrays) are released by their owners while the stack unwinds.
//
// A C++ exception of another kind (std::bad_alloc, ...) must not unwind into the virtual
// machine: the frame turns it into a java.lang.Exception carrying its text.
//
// The frame takes no lock. Every log line of a native method ends with LogEndCheck
// (java/JavaLogSink.h): the Java log method may throw, and the method must stop there.
//
// Most methods hand a facade call's result code to Java. They run in RunFacadeMethod below,
// which writes their entry line, finds the facade, stores the code the body returns in the
// LongValue and writes their exit line, so that a method gives only its texts and what it does
// with the facade:
//
//   RunFacadeMethod(env, FACADE_METHOD(vtxControlApp, "Control App", "Control App done"), manager, result,
//                   [&](CTovikManagerIF& facade) { return facade.ControlApp(first, second, third); });
//
// Methods that differ a little are each written this way, their common part a plain function
// their bodies call (Connect and Connect2, the five catalogues, the five installation jobs).

#include <jni.h>

#include <exception>
#include <type_traits>
#include <utility>

#include "java/CAbortJniException.h"
#include "java/CJavaEnvironment.h"
#include "java/JavaLogSink.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"

namespace native_frame {

// Registration of the calling thread for the length of one native method.
class CEnvironmentScope {
 public:
  explicit CEnvironmentScope(JNIEnv* env) { CJavaEnvironment::SetEnvironment(env); }
  ~CEnvironmentScope() { CJavaEnvironment::ReleaseEnvironment(); }
  CEnvironmentScope(const CEnvironmentScope&) = delete;
  CEnvironmentScope& operator=(const CEnvironmentScope&) = delete;
};

// Leaves a java.lang.Exception with the text of a C++ exception, unless one is pending.
void ThrowForNativeFailure(JNIEnv* env, const char* what) noexcept;

template <typename Body>
void Run(JNIEnv* env, Body&& body) noexcept {
  CEnvironmentScope scope(env);
  try {
    std::forward<Body>(body)();
  } catch (CAbortJniException* abort) {
    delete abort;
  } catch (const std::exception& failure) {
    ThrowForNativeFailure(env, failure.what());
  } catch (...) {
    ThrowForNativeFailure(env, "unexpected native failure");
  }
}

}  // namespace native_frame

template <typename R, typename Body>
R RunNativeFrame(JNIEnv* env, R failureValue, Body&& body) noexcept {
  R returnValue = failureValue;
  native_frame::Run(env, [&] { body(returnValue); });
  return returnValue;
}

template <typename Body>
void RunNativeFrame(JNIEnv* env, Body&& body) noexcept {
  native_frame::Run(env, std::forward<Body>(body));
}

// ---- methods backed by the manager facade ------------------------------------------------------

// The exported name of a native method of TovikApiManager, as its log lines begin.
#define TOVIK_NATIVE_NAME(method) "Java_com_holm_zep_tovik_api_jni_TovikApiManager_" #method

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
