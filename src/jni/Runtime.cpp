// The runtime lifecycle: vtxInitializeRuntime, vtxShutdownRuntime, vtxConfigureUsbInterface,
// vtxConfigureWifiInterface.

#include <jni.h>

#include <memory>

#include "facade/CTovikManagerIF.h"
#include "java/JavaLogSink.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInitializeRuntime(
    JNIEnv* env, jobject, jstring firstText, jstring secondText, jboolean flag, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxInitializeRuntime);
  return RunNativeFrame(env, kInvalidHandle, [&](jlong& handle) {
    jlong code = kResultNoFacade;
    NATIVE_LOG(kFn) << "Initializing" << LogEndCheck;
    // The new handle would be lost with the result object: start nothing without one.
    RequireResultObject(result);

    std::unique_ptr<CTovikManagerIF> facade(new CTovikManagerIF(JavaLogSink));
    CJavaEnvironment::CheckException();

    const CAnsiText first = AnsiFromJava(firstText);
    const CAnsiText second = AnsiFromJava(secondText);
    code = facade->InitializeRuntime(first.c_str(), second.c_str(), flag == JNI_TRUE);
    if (code != 0) {
      NATIVE_LOG(kFn) << "not ok " << code << LogEndCheck;
      facade.reset();
    } else {
      NATIVE_LOG(kFn) << "OK " << code << LogEndCheck;
      handle = CHandleTable::Instance().Add(std::move(facade));
    }

    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "Initialization done" << LogEndCheck;
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxShutdownRuntime(JNIEnv* env,
                                                                                                     jobject,
                                                                                                     jlong manager) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxShutdownRuntime);
  RunNativeFrame(env, [&] {
    NATIVE_LOG(kFn) << "shutting down runtime" << LogEndCheck;

    if (FacadeRef facade = CHandleTable::Instance().Remove(manager)) {
      // A native method still holds the facade: it may be a thread blocked in
      // vtxWaitForEvents, or one about to start a wait. Ending the waits lets it return;
      // the facade then goes with the last reference, after that thread has left the
      // native call.
      if (facade.use_count() > 1) facade->EndEventWaits();
      facade.reset();  // deletes the facade unless a running native method still holds it
    } else {
      NATIVE_LOG(kFn) << "Could not find object to release" << LogEndCheck;
    }

    NATIVE_LOG(kFn) << "shutting down runtime complete" << LogEndCheck;
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureUsbInterface(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  RunFacadeMethod(
      env,
      FACADE_METHOD(vtxConfigureUsbInterface, "Configuring USB interface entered", "Configuring USB interface done"),
      manager, result, [](CTovikManagerIF& facade) { return facade.ConfigureUsbInterface(); });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConfigureWifiInterface(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  RunFacadeMethod(
      env,
      FACADE_METHOD(vtxConfigureWifiInterface, "ConfigureWifiInterface", ExitWithCode{"ConfigureWifiInterface done "}),
      manager, result, [](CTovikManagerIF& facade) { return facade.ConfigureWifiInterface(); });
}
