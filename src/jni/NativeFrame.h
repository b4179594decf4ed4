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
// Most methods hand a facade call's result code to Java. They run in RunFacadeMethod
// (jni/FacadeMethod.h),
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
#include <utility>

#include "java/CAbortJniException.h"
#include "java/CJavaEnvironment.h"
#include "java/JavaLogSink.h"

// The exported name of a native method of TovikApiManager, as its log lines begin.
#define TOVIK_NATIVE_NAME(method) "Java_com_holm_zep_tovik_api_jni_TovikApiManager_" #method

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
