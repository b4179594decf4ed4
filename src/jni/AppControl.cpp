// Application control and configuration: vtxControlApp, vtxSetConfigApp, vtxGetConfigApp.
// Numbers only: each value is cut to its low 32 bits on the way in; the configuration value
// read back reaches Java zero-extended, the result codes sign-extended.

#include <jni.h>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxControlApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxControlApp, "Control App", "Control App done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    return facade.ControlApp(static_cast<ULONG>(first), static_cast<ULONG>(second),
                                             static_cast<ULONG>(third));
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxSetConfigApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxSetConfigApp, "Set Config App", "Set Config App done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    return facade.SetConfigApp(static_cast<ULONG>(first), static_cast<ULONG>(second),
                                               static_cast<ULONG>(third));
                  });
}

// The closing line repeats the opening text.
extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConfigApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetConfigApp, "Get Config App", "Get Config App"), manager, result,
                         jlong{0}, [&](CTovikManagerIF& facade, jlong& configValue) {
                           ULONG value = 0;
                           const LONG code =
                               facade.GetConfigApp(static_cast<ULONG>(first), static_cast<ULONG>(second), &value);
                           configValue = value;  // zero-extended
                           return code;
                         });
}
