// vtxSetLogClass: names the Java method that receives the library's trace.

#include <jni.h>

#include <string>

#include "java/JavaLogSink.h"
#include "java/LogClassSettings.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxSetLogClass(JNIEnv* env, jobject,
                                                                                                 jstring className,
                                                                                                 jstring methodName) {
  RunNativeFrame(env, [&] {
    if (!className) {
      CLogClassSettings::Instance().Clear();
      NativeLog().SetSink(nullptr);
      return;
    }
    if (!methodName) CJavaEnvironment::ThrowJavaException("vtxSetLogClass - a class name needs a method name");
    // The names go to FindClass and GetStaticMethodID as the modified UTF-8 these take, never
    // through the ANSI code page (which would hand the virtual machine bytes it cannot read).
    const std::string method = ModifiedUtf8FromJava(methodName);
    const std::string cls = ModifiedUtf8FromJava(className);
    // The virtual machine would answer an empty name with an error that names nothing.
    if (cls.empty()) CJavaEnvironment::ThrowJavaException("vtxSetLogClass - the class name is empty");
    // The settings take the log-class lock; the sink is installed after they released it,
    // since ending a line takes the stream's lock first and the log-class lock second. A class
    // that was not found leaves its NoClassDefFoundError pending for the caller; the sink is
    // installed all the same and drops the lines.
    CLogClassSettings::Instance().Name(cls, method);
    NativeLog().SetSink(JavaLogSink);
  });
}
