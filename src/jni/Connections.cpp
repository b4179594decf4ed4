// Connections: vtxConnect, vtxConnect2, vtxGetConStatus, vtxDisconnect. Connection handles
// and states are the provider's 32-bit values, zero-extended for Java; on the way back only
// their low 32 bits are used.

#include <jni.h>

#include "facade/CTovikManagerIF.h"
#include "core/LogStream.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

namespace {

// vtxConnect and vtxConnect2: `connect` calls the facade with the output handle variable.
template <typename Connect>
jlong RunConnect(JNIEnv* env, const char* function, const char* entryText, const char* exitText, jlong manager,
                 jobject result, Connect connect) {
  return RunNativeFrame(env, kInvalidHandle, [&](jlong& connection) {
    NATIVE_LOG(function) << entryText << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    // The handle would be lost with the result object: open nothing without one.
    RequireResultObject(result);
    if (FacadeRef facade = FindFacade(manager)) {
      ULONG handle = 0xFFFFFFFF;  // stays so when the provider writes no handle
      code = connect(*facade, &handle);
      connection = static_cast<jlong>(handle);
    }
    SetLongValue(result, code);
    NATIVE_LOG(function) << exitText << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

}  // namespace

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jobject result) {
  return RunConnect(env, "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect", "connect", "connect done",
                    manager, result, [&](CTovikManagerIF& facade, ULONG* handle) {
                      return facade.Connect(static_cast<ULONG>(first), static_cast<ULONG>(second), handle);
                    });
}

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect2(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jstring text, jobject result) {
  return RunConnect(env, "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect2", "connect2", "connect2 done",
                    manager, result, [&](CTovikManagerIF& facade, ULONG* handle) {
                      const CAnsiText connectText = AnsiFromJava(text);  // null stays null
                      return facade.Connect2(static_cast<ULONG>(first), static_cast<ULONG>(second), handle,
                                             connectText.c_str());
                    });
}

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConStatus(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConStatus";
  return RunNativeFrame(env, jlong{0}, [&](jlong& status) {
    NATIVE_LOG(kFn) << "GetConStatus" << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      ULONG value = 0;
      code = facade->GetConStatus(static_cast<ULONG>(connection), &value);
      status = static_cast<jlong>(value);
    }
    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "GetConStatus done" << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxDisconnect(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxDisconnect";
  RunNativeFrame(env, [&] {
    const ULONG handle = static_cast<ULONG>(connection);
    NATIVE_LOG(kFn) << "disconnect " << LogHex << connection << LogEnd;
    CJavaEnvironment::CheckException();
    NATIVE_LOG(kFn) << "disconnect " << LogHex << handle << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      code = facade->Disconnect(handle);
      CJavaEnvironment::CheckException();  // the operation logs on this thread
    }
    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "disconnect done" << LogEnd;
    CJavaEnvironment::CheckException();
  });
}
