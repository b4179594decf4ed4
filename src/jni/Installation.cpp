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
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/AppWrappers.h"

namespace {

// vtxInstallGetStatus hands the provider the job value without its top four bits.
constexpr jlong kJobValueMask = 0x0FFFFFFF;

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

// What all five share. `call(&status, &job)` runs the facade operation, stores the wrapper it
// got in `status` and the value for the target's first field in `job`, and returns the
// facade's result; a status that came back is copied into the target.
template <typename Call>
LONG ReadStatus(jobject target, Call&& call) {
  CTovikAppStatusIF* statusOut = nullptr;
  jlong job = 0;
  const LONG code = call(&statusOut, &job);
  std::unique_ptr<CTovikAppStatusIF> status(statusOut);
  if (status) DeliverStatus(*status, target, job);
  return code;
}

// The four job-starting methods: the job value is the one the provider issued.
template <typename Start>
LONG StartJob(jobject target, Start&& start) {
  return ReadStatus(target, [&](CTovikAppStatusIF** out, jlong* job) -> LONG {
    ULONG issued = 0;
    const LONG code = start(out, &issued);
    *job = issued;
    return code;
  });
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallVciApp(
    JNIEnv* env, jobject, jlong manager, jlong target, jstring appName, jobject status, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxInstallVciApp, "Install VCI App", "Install VCI App done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    return StartJob(status, [&](CTovikAppStatusIF** out, ULONG* issued) -> LONG {
                      const CAnsiText name = AnsiFromJava(appName);  // null stays null
                      NATIVE_LOG(TOVIK_NATIVE_NAME(vtxInstallVciApp)) << "App name is " << name.c_str() << LogEndCheck;
                      return facade.InstallVCIApp(static_cast<ULONG>(target), name.c_str(), out, issued);
                    });
                  });
}

// Closes with the same text as vtxInstallVciApp.
extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallVciApp2(
    JNIEnv* env, jobject, jlong manager, jlong target, jlong appNumber, jobject status, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxInstallVciApp2, "Install VCI App2", "Install VCI App done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    return StartJob(status, [&](CTovikAppStatusIF** out, ULONG* issued) -> LONG {
                      return facade.InstallVCIApp_2(static_cast<ULONG>(target), static_cast<ULONG>(appNumber), out,
                                                    issued);
                    });
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxUninstallVciApp(
    JNIEnv* env, jobject, jlong manager, jlong target, jstring appName, jobject status, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxUninstallVciApp, "Uninstall VCI App", "Uninstall VCI App done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    return StartJob(status, [&](CTovikAppStatusIF** out, ULONG* issued) -> LONG {
                      const CAnsiText name = AnsiFromJava(appName);  // null stays null
                      return facade.UninstallVCIApp(static_cast<ULONG>(target), name.c_str(), out, issued);
                    });
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxUpdateSystemFirmware(
    JNIEnv* env, jobject, jlong manager, jlong target, jobject status, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxUpdateSystemFirmware, "UpdateSystemFirmware", "UpdateSystemFirmware done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    return StartJob(status, [&](CTovikAppStatusIF** out, ULONG* issued) -> LONG {
                      return facade.UpdateSystemFirmware(static_cast<ULONG>(target), out, issued);
                    });
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxInstallGetStatus(
    JNIEnv* env, jobject, jlong manager, jlong target, jlong job, jobject status, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxInstallGetStatus, "Install Get Status App", "Install Get Status done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    return ReadStatus(status, [&](CTovikAppStatusIF** out, jlong* echoed) -> LONG {
                      *echoed = job;  // all 64 bits, as Java passed it
                      return facade.InstallGetStatus(static_cast<ULONG>(target),
                                                     static_cast<ULONG>(job & kJobValueMask), out);
                    });
                  });
}
