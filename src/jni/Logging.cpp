// vtxSetLogClass: names the Java method that receives the library's trace.

#include <jni.h>

#include "java/LogClassSettings.h"
#include "java/LogStream.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxSetLogClass(
    JNIEnv* env, jobject, jstring className, jstring methodName) {
  RunNativeFrame(env, [&] {
    if (!className) {
      CLogClassSettings::Instance().Clear();
      NativeLog().SetSink(nullptr);
      return;
    }
    const CAnsiText method = AnsiFromJava(methodName);
    const CAnsiText cls = AnsiFromJava(className);
    // The settings take the log-class lock; the sink is installed after they released it,
    // since ending a line takes the stream's lock first and the log-class lock second.
    CLogClassSettings::Instance().Name(cls.c_str(), method.c_str());
    NativeLog().SetSink(JavaLogSink);
  });
}
