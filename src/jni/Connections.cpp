// Connections: vtxConnect, vtxConnect2, vtxGetConStatus, vtxDisconnect. Connection handles
// and states are the provider's 32-bit values, zero-extended for Java; on the way back only
// their low 32 bits are used.

#include <jni.h>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"

namespace {

// The entry line of the connect methods. The handle would be lost with the result object:
// they open nothing without one.
struct ConnectEntry {
  const char* text;
  jobject result;
  void operator()(CLogStream& line) const {
    line << text << LogEndCheck;
    RequireResultObject(result);
  }
};

// Runs connect(&handle); the handle stays 0xFFFFFFFF when the provider writes none.
template <typename Connect>
LONG ConnectInto(jlong& connection, Connect connect) {
  ULONG handle = 0xFFFFFFFF;
  const LONG code = connect(&handle);
  connection = static_cast<jlong>(handle);
  return code;
}

}  // namespace

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect(JNIEnv* env, jobject,
                                                                                              jlong manager,
                                                                                              jlong first, jlong second,
                                                                                              jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxConnect, (ConnectEntry{"connect", result}), "connect done"), manager,
                         result, kInvalidHandle, [&](CTovikManagerIF& facade, jlong& connection) {
                           return ConnectInto(connection, [&](ULONG* handle) {
                             return facade.Connect(static_cast<ULONG>(first), static_cast<ULONG>(second), handle);
                           });
                         });
}

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxConnect2(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jstring text, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxConnect2, (ConnectEntry{"connect2", result}), "connect2 done"), manager,
                         result, kInvalidHandle, [&](CTovikManagerIF& facade, jlong& connection) {
                           return ConnectInto(connection, [&](ULONG* handle) {
                             const CAnsiText connectText = AnsiFromJava(text);  // null stays null
                             return facade.Connect2(static_cast<ULONG>(first), static_cast<ULONG>(second), handle,
                                                    connectText.c_str());
                           });
                         });
}

extern "C" JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConStatus(JNIEnv* env, jobject,
                                                                                                   jlong manager,
                                                                                                   jlong connection,
                                                                                                   jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetConStatus, "GetConStatus", "GetConStatus done"), manager, result,
                         jlong{0}, [&](CTovikManagerIF& facade, jlong& status) {
                           ULONG value = 0;
                           const LONG code = facade.GetConStatus(static_cast<ULONG>(connection), &value);
                           status = static_cast<jlong>(value);
                           return code;
                         });
}

// The entry logs the handle twice: as Java passed it and cut to the 32 bits the provider gets.
extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxDisconnect(JNIEnv* env, jobject,
                                                                                                jlong manager,
                                                                                                jlong connection,
                                                                                                jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxDisconnect);
  const ULONG handle = static_cast<ULONG>(connection);
  const auto entry = [&](CLogStream& line) {
    line << "disconnect " << LogHex << connection << LogEndCheck;
    NATIVE_LOG(kFn) << "disconnect " << LogHex << handle << LogEndCheck;
  };
  RunFacadeMethod(env, FACADE_METHOD(vtxDisconnect, entry, "disconnect done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    const LONG code = facade.Disconnect(handle);
                    CJavaEnvironment::CheckException();  // the operation logs on this thread
                    return code;
                  });
}
