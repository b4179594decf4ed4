#include "jni/NativeFrame.h"

void native_frame::ThrowForNativeFailure(JNIEnv* env, const char* what) noexcept {
  if (!env || env->ExceptionCheck()) return;
  if (jclass exceptionClass = env->FindClass("java/lang/Exception")) {
    env->ThrowNew(exceptionClass, what);
    env->DeleteLocalRef(exceptionClass);
  }
}
