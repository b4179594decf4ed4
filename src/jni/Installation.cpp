// Installation jobs: vtxInstallVciApp, vtxInstallVciApp2, vtxUninstallVciApp,
// vtxUpdateSystemFirmware and vtxInstallGetStatus.
//
// Each method calls one facade operation that may hand back a status wrapper and copies the
// status into the TovikAppStatus that Java passed in. Its first field is the job value: what
// the provider issued for the four job-starting methods, and for vtxInstallGetStatus the value
// Java passed, echoed unchanged. The library keeps no table of jobs; Java carries the value
// from one status into the next poll.

#include <jni.h>

#include <memory>

#include "facade/CTovikManagerIF.h"
#include "core/LogStream.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"
#include "wrappers/AppWrappers.h"

namespace {

#define TOVIK_INSTALL_FN(name) "Java_com_holm_zep_tovik_api_jni_TovikApiManager_" name

// vtxInstallGetStatus hands the provider the job value without its top four bits.
constexpr jlong kJobValueMask = 0x0FFFFFFF;

// The log texts of one method.
struct StatusMethod {
  const char* function;
  const char* opening;
  const char* closing;
};

// A job-starting facade call: gives the status and the provider's job value.
struct JobCall {
  CTovikAppStatusIF* status = nullptr;
  ULONG job = 0;
};

// Copies the status into the Java target. Getters are read in the order the provider's
// answer is consumed; the text is converted at once.
void DeliverStatus(CTovikAppStatusIF& status, jobject target, jlong job) {
  CLocalRef<jstring> componentName;
  {
    CLocalText name(status.ComponentName());
    componentName = JavaText(name.get(), NullText::AsEmpty);
  }
  const ULONG totalTimeout = status.TotalTimeout();
  const ULONG componentTimeout = status.ComponentTimeout();
  const ULONG totalComponents = status.TotalNumberOfComponents();
  const ULONG componentNumber = status.ComponentNumber();
  const LONG errorNumber = status.ErrorNumber();
  const ULONG statusValue = status.Status();
  SetDataOn(JavaClass::TovikAppStatus, target, "(JJIJJJJLjava/lang/String;)V", job, statusValue, errorNumber,
            componentNumber, totalComponents, componentTimeout, totalTimeout,
            static_cast<jobject>(componentName.get()));
}

// The frame all five share. `call(facade, &status, &job)` runs the facade operation once the
// facade is found, stores the wrapper it got in `status` and the value for the target's first
// field in `job`, and returns the facade's result.
template <typename Call>
void RunStatusMethod(JNIEnv* env, const StatusMethod& method, jlong manager, jobject target, jobject result,
                     Call&& call) {
  RunNativeFrame(env, [&] {
    NATIVE_LOG(method.function) << method.opening << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      CTovikAppStatusIF* statusOut = nullptr;
      jlong job = 0;
      code = call(*facade, &statusOut, &job);  // LONG: sign-extended
      std::unique_ptr<CTovikAppStatusIF> status(statusOut);
      if (status) DeliverStatus(*status, target, job);
    }
    SetLongValue(result, code);
    NATIVE_LOG(method.function) << method.closing << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallVciApp(
    JNIEnv* env, jobject, jlong manager, jlong target, jstring appName, jobject status, jobject result) {
  static const StatusMethod kMethod{TOVIK_INSTALL_FN("vtxInstallVciApp"), "Install VCI App", "Install VCI App done"};
  RunStatusMethod(env, kMethod, manager, status, result,
                  [&](CTovikManagerIF& facade, CTovikAppStatusIF** out, jlong* job) -> LONG {
                    const CAnsiText name = AnsiFromJava(appName);  // null stays null
                    NATIVE_LOG(kMethod.function) << "App name is " << name.c_str() << LogEnd;
                    CJavaEnvironment::CheckException();
                    ULONG issued = 0;
                    const LONG code = facade.InstallVCIApp(static_cast<ULONG>(target), name.c_str(), out, &issued);
                    *job = issued;
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallVciApp2(
    JNIEnv* env, jobject, jlong manager, jlong target, jlong appNumber, jobject status, jobject result) {
  // Closes with the same text as vtxInstallVciApp.
  static const StatusMethod kMethod{TOVIK_INSTALL_FN("vtxInstallVciApp2"), "Install VCI App2", "Install VCI App done"};
  RunStatusMethod(env, kMethod, manager, status, result,
                  [&](CTovikManagerIF& facade, CTovikAppStatusIF** out, jlong* job) -> LONG {
                    ULONG issued = 0;
                    const LONG code = facade.InstallVCIApp_2(static_cast<ULONG>(target),
                                                             static_cast<ULONG>(appNumber), out, &issued);
                    *job = issued;
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxUninstallVciApp(
    JNIEnv* env, jobject, jlong manager, jlong target, jstring appName, jobject status, jobject result) {
  static const StatusMethod kMethod{TOVIK_INSTALL_FN("vtxUninstallVciApp"), "Uninstall VCI App",
                                    "Uninstall VCI App done"};
  RunStatusMethod(env, kMethod, manager, status, result,
                  [&](CTovikManagerIF& facade, CTovikAppStatusIF** out, jlong* job) -> LONG {
                    const CAnsiText name = AnsiFromJava(appName);  // null stays null
                    ULONG issued = 0;
                    const LONG code =
                        facade.UninstallVCIApp(static_cast<ULONG>(target), name.c_str(), out, &issued);
                    *job = issued;
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxUpdateSystemFirmware(
    JNIEnv* env, jobject, jlong manager, jlong target, jobject status, jobject result) {
  static const StatusMethod kMethod{TOVIK_INSTALL_FN("vtxUpdateSystemFirmware"), "UpdateSystemFirmware",
                                    "UpdateSystemFirmware done"};
  RunStatusMethod(env, kMethod, manager, status, result,
                  [&](CTovikManagerIF& facade, CTovikAppStatusIF** out, jlong* job) -> LONG {
                    ULONG issued = 0;
                    const LONG code = facade.UpdateSystemFirmware(static_cast<ULONG>(target), out, &issued);
                    *job = issued;
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallGetStatus(
    JNIEnv* env, jobject, jlong manager, jlong target, jlong job, jobject status, jobject result) {
  static const StatusMethod kMethod{TOVIK_INSTALL_FN("vtxInstallGetStatus"), "Install Get Status App",
                                    "Install Get Status done"};
  RunStatusMethod(env, kMethod, manager, status, result,
                  [&](CTovikManagerIF& facade, CTovikAppStatusIF** out, jlong* echoed) -> LONG {
                    *echoed = job;  // all 64 bits, as Java passed it
                    return facade.InstallGetStatus(static_cast<ULONG>(target),
                                                   static_cast<ULONG>(job & kJobValueMask), out);
                  });
}

#undef TOVIK_INSTALL_FN
