// The runtime lifecycle: vtxInitializeRuntime, vtxShutdownRuntime, vtxConfigureUsbInterface,
// vtxConfigureWifiInterface.

#include <jni.h>

#include <memory>

#include "facade/CTovikManagerIF.h"
#include "java/JavaLogSink.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInitializeRuntime(
    JNIEnv* env, jobject, jstring firstText, jstring secondText, jboolean flag, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInitializeRuntime";
  return RunNativeFrame(env, kInvalidHandle, [&](jlong& handle) {
    jlong code = kResultNoFacade;
    NATIVE_LOG(kFn) << "Initializing" << LogEnd;
    CJavaEnvironment::CheckException();
    // The new handle would be lost with the result object: start nothing without one.
    RequireResultObject(result);

    std::unique_ptr<CTovikManagerIF> facade(new CTovikManagerIF(JavaLogSink));
    CJavaEnvironment::CheckException();

    const CAnsiText first = AnsiFromJava(firstText);
    const CAnsiText second = AnsiFromJava(secondText);
    code = facade->InitializeRuntime(first.c_str(), second.c_str(), flag == JNI_TRUE);
    if (code != 0) {
      NATIVE_LOG(kFn) << "not ok " << code << LogEnd;
      CJavaEnvironment::CheckException();
      facade.reset();
    } else {
      NATIVE_LOG(kFn) << "OK " << code << LogEnd;
      CJavaEnvironment::CheckException();
      handle = CHandleTable::Instance().Add(std::move(facade));
    }

    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "Initialization done" << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxShutdownRuntime(
    JNIEnv* env, jobject, jlong manager) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxShutdownRuntime";
  RunNativeFrame(env, [&] {
    NATIVE_LOG(kFn) << "shutting down runtime" << LogEnd;
    CJavaEnvironment::CheckException();

    if (FacadeRef facade = CHandleTable::Instance().Remove(manager)) {
      // A native method still holds the facade: it may be a thread blocked in
      // vtxWaitForEvents, or one about to start a wait. Ending the waits lets it return;
      // the facade then goes with the last reference, after that thread has left the
      // native call.
      if (facade.use_count() > 1) facade->EndEventWaits();
      facade.reset();  // deletes the facade unless a running native method still holds it
    } else {
      NATIVE_LOG(kFn) << "Could not find object to release" << LogEnd;
      CJavaEnvironment::CheckException();
    }

    NATIVE_LOG(kFn) << "shutting down runtime complete" << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureUsbInterface(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureUsbInterface";
  RunNativeFrame(env, [&] {
    NATIVE_LOG(kFn) << "Configuring USB interface entered" << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) code = facade->ConfigureUsbInterface();
    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "Configuring USB interface done" << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureWifiInterface(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureWifiInterface";
  RunNativeFrame(env, [&] {
    NATIVE_LOG(kFn) << "ConfigureWifiInterface" << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) code = facade->ConfigureWifiInterface();
    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "ConfigureWifiInterface done " << code << LogEnd;
    CJavaEnvironment::CheckException();
  });
}
