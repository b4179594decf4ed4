// Storing and deleting client information, access status and free client space:
// vtxStoreClientInfo, vtxStoreClientInfoFile, vtxDeleteClientInfo, vtxGetClientAccessStatus,
// vtxGetAvailableClientSpace.
//
// Identifiers and file names travel to the facade as narrow text in the ANSI code page
// (characters outside it arrive as '?'); a null Java string arrives as a null text. One that
// holds a NUL is refused with 0x50000003 before anything reaches the provider.

#include <jni.h>

#include <memory>
#include <new>

#include "facade/CTovikManagerIF.h"
#include "jni/ClientAccessItemDelivery.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/ClientInfoWrappers.h"

namespace {

// Java longs that the provider takes as 32-bit values keep their low 32 bits.
ULONG Low32(jlong value) { return static_cast<ULONG>(value); }

// Hands a returned access item to the Java object and deletes the wrapper.
void DeliverAndDelete(jobject target, CTovikClientAccessItemIF* itemOut) {
  std::unique_ptr<CTovikClientAccessItemIF> item(itemOut);
  if (item) DeliverAccessItem(target, *item);
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxStoreClientInfo(
    JNIEnv* env, jobject, jlong manager, jlong connection, jstring identifier, jlong location, jbyteArray data,
    jlong option, jobject item, jobject result) {
  RunFacadeMethod(
      env, FACADE_METHOD(vtxStoreClientInfo, "Store Client Info", "Store Client Info done"), manager, result,
      [&](CTovikManagerIF& facade) {
        jlong code = kResultNoFacade;
        const jsize length = data ? CJavaEnvironment::GetArrayLength(data) : 0;
        CJavaEnvironment::CheckException();
        if (length < 1) {
          code = kResultNoInterface;  // null or empty array: the facade is not called
        } else {
          // length + 1 bytes; only the first length are filled.
          std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[static_cast<size_t>(length) + 1]());
          if (!buffer) {
            code = kResultNoByteArray;
          } else {
            CJavaEnvironment::CopyByteArray(data, buffer.get(), length);
            const CAnsiText id = AnsiFromJava(identifier);
            if (HasEmbeddedNul(id)) {
              code = kResultNoInterface;  // the identifier would be cut at its NUL: nothing is stored
            } else {
              CTovikClientAccessItemIF* itemOut = nullptr;
              code = facade.StoreClientInfo(Low32(connection), id.c_str(), Low32(location), buffer.get(),
                                            static_cast<ULONG>(length), Low32(option), &itemOut);
              DeliverAndDelete(item, itemOut);
            }
          }
        }
        return code;
      });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxStoreClientInfoFile(
    JNIEnv* env, jobject, jlong manager, jlong connection, jstring identifier, jlong location, jstring fileName,
    jlong option, jobject item, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxStoreClientInfoFile, "Store Client Info File", "Store Client Info File done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    const CAnsiText id = AnsiFromJava(identifier);
                    const CAnsiText file = AnsiFromJava(fileName);
                    if (HasEmbeddedNul(id) || HasEmbeddedNul(file)) {
                      code = kResultNoInterface;  // cut at the NUL they would name other data or another file
                    } else {
                      CTovikClientAccessItemIF* itemOut = nullptr;
                      code = facade.StoreClientInfoFile(Low32(connection), id.c_str(), Low32(location), file.c_str(),
                                                        Low32(option), &itemOut);
                      DeliverAndDelete(item, itemOut);
                    }
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxDeleteClientInfo(
    JNIEnv* env, jobject, jlong manager, jlong connection, jstring identifier, jlong location, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxDeleteClientInfo, "Delete Client Info", "Delete Client Info File done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    const CAnsiText id = AnsiFromJava(identifier);
                    // Cut at a NUL the identifier would name other stored data: nothing is deleted.
                    const jlong code = HasEmbeddedNul(id)
                                           ? kResultNoInterface
                                           : facade.DeleteClientInfo(Low32(connection), id.c_str(), Low32(location));
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetClientAccessStatus(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlong accessId, jobject item, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxGetClientAccessStatus, "Client Access Item", "Client Access Item done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    CTovikClientAccessItemIF* itemOut = nullptr;
                    const jlong code = facade.GetClientAccessStatus(Low32(connection), Low32(accessId), &itemOut);
                    DeliverAndDelete(item, itemOut);
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAvailableClientSpace(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject space, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxGetAvailableClientSpace, "GetAvailableSpace", "GetAvailableSpace done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    CTovikClientSpaceIF* spaceOut = nullptr;
                    const jlong code = facade.GetAvailableClientSpace(Low32(connection), &spaceOut);
                    std::unique_ptr<CTovikClientSpaceIF> wrapper(spaceOut);
                    if (wrapper) {
                      const ULONG volRemaining = wrapper->VolRemaining();
                      const ULONG volTotal = wrapper->VolTotal();
                      const ULONG nonVolRemaining = wrapper->NonVolRemaining();
                      const ULONG nonVolTotal = wrapper->NonVolTotal();
                      SetDataOn(JavaClass::TovikClientSpace, space, "(JJJJ)V", volRemaining, volTotal, nonVolRemaining,
                                nonVolTotal);
                    }
                    return code;
                  });
}
