// Application control and configuration: vtxControlApp, vtxSetConfigApp, vtxGetConfigApp.
// Numbers only: each value is cut to its low 32 bits on the way in; the configuration value
// read back reaches Java zero-extended, the result codes sign-extended.

#include <jni.h>

#include "facade/CTovikManagerIF.h"
#include "core/LogStream.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"

namespace {

typedef LONG (CTovikManagerIF::*ThreeValueOperation)(ULONG first, ULONG second, ULONG third);

// vtxControlApp and vtxSetConfigApp: three values in, a result code out.
void RunThreeValueMethod(JNIEnv* env, const char* function, const char* opening, const char* closing,
                         ThreeValueOperation operation, jlong manager, jlong first, jlong second, jlong third,
                         jobject result) {
  RunNativeFrame(env, [&] {
    NATIVE_LOG(function) << opening << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      code = ((*facade).*operation)(static_cast<ULONG>(first), static_cast<ULONG>(second),
                                    static_cast<ULONG>(third));
    }
    SetLongValue(result, code);
    NATIVE_LOG(function) << closing << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxControlApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  RunThreeValueMethod(env, "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxControlApp", "Control App",
                      "Control App done", &CTovikManagerIF::ControlApp, manager, first, second, third, result);
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxSetConfigApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  RunThreeValueMethod(env, "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxSetConfigApp", "Set Config App",
                      "Set Config App done", &CTovikManagerIF::SetConfigApp, manager, first, second, third, result);
}

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConfigApp(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jobject result) {
  static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConfigApp";
  return RunNativeFrame(env, jlong{0}, [&](jlong& configValue) {
    NATIVE_LOG(kFn) << "Get Config App" << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      ULONG value = 0;
      code = facade->GetConfigApp(static_cast<ULONG>(first), static_cast<ULONG>(second), &value);
      configValue = value;  // zero-extended
    }
    SetLongValue(result, code);
    NATIVE_LOG(kFn) << "Get Config App" << LogEnd;  // the closing line repeats the opening text
    CJavaEnvironment::CheckException();
  });
}
