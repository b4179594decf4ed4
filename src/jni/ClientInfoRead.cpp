// Retrieving client information: vtxGetClientInfoList, vtxGetClientInfo,
// vtxGetClientInfoResult, vtxGetClientInfoFile.
//
// Identifiers and file names on this road stay UTF-16 all the way to the provider; a null
// Java string arrives as a null BSTR. One that holds a NUL is refused with 0x50000003 before
// anything reaches the provider.

#include <jni.h>

#include <algorithm>
#include <memory>

#include "facade/CTovikManagerIF.h"
#include "jni/ClientAccessItemDelivery.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/ClientInfoWrappers.h"

namespace {

ULONG Low32(jlong value) { return static_cast<ULONG>(value); }

// The array is allocated for at most this many items up front; a longer list grows it.
constexpr ULONG kInitialListCapacity = 1024;

// One Java TovikClientInfoItem from a list entry (identifier, file size, location read in
// this order); the identifier block is freed before returning.
CLocalRef<jobject> NewClientInfoItem(CJClassWrapper& itemClass, CTovikClientInfoItemIF& item) {
  CLocalText id(item.GetClientInfoId());
  CLocalRef<jstring> javaId = JavaText(id.get(), NullText::AsEmpty);
  const ULONG fileSize = item.GetFileSize();
  const ULONG location = item.GetClientInfoLocation();
  return NewWithConstructor(itemClass, "(JLjava/lang/String;J)V", location, javaId.get(), fileSize);
}

// Starts a read with GetClientInfo and fills the Java access item from the answer.
void ReadClientInfo(const char* function, CTovikManagerIF& facade, ULONG connection, const _bstr_t& id, ULONG location,
                    ULONG option, jobject item, jlong& code) {
  CTovikClientAccessItemIF* itemOut = nullptr;
  code = facade.GetClientInfo(connection, id, location, option, &itemOut);
  std::unique_ptr<CTovikClientAccessItemIF> access(itemOut);
  if (access) {
    // ClientInfo is read once: the log line shows the value that goes to Java.
    const ULONG clientInfo = access->ClientInfo();
    NATIVE_LOG(function) << "Client Info is " << clientInfo << LogEndCheck;
    DeliverAccessItem(item, *access, clientInfo);
  } else {
    NATIVE_LOG(function) << "Null item" << LogEndCheck;
  }
}

}  // namespace

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetClientInfoList(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  return RunFacadeMethod(
      env, FACADE_METHOD(vtxGetClientInfoList, "GetClientInfoList", ExitWithCode{"GetClientInfoList done "}), manager,
      result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
        CTovikClientInfoListIF* listOut = nullptr;
        const jlong code = facade.GetClientInfoList(Low32(connection), &listOut);
        std::unique_ptr<CTovikClientInfoListIF> list(listOut);
        if (list) {
          const ULONG count = list->Count();
          CJClassWrapper itemClass(JavaClass::TovikClientInfoItem);
          CJavaEnvironment::CheckException();
          CJObjectArrayBuilder items(itemClass, static_cast<jsize>(std::min(count, kInitialListCapacity)));
          for (ULONG i = 0; i < count; ++i) {
            std::unique_ptr<CTovikClientInfoItemIF> item(list->Item(i));
            if (!item) continue;  // an entry the provider cannot deliver is left out
            items.Add(NewClientInfoItem(itemClass, *item));
          }
          array = items.Finish();
        }
        return code;
      });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetClientInfo(
    JNIEnv* env, jobject, jlong manager, jlong connection, jstring identifier, jlong location, jlong option,
    jobject item, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetClientInfo);
  RunFacadeMethod(env, FACADE_METHOD(vtxGetClientInfo, "GetClientInfo", ExitWithCode{"GetClientInfo done "}), manager,
                  result, [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    const _bstr_t id = BstrFromJava(identifier);
                    if (HasEmbeddedNul(id)) {
                      code = kResultNoInterface;  // cut at its NUL the identifier would name other stored data
                    } else {
                      ReadClientInfo(kFn, facade, Low32(connection), id, Low32(location), Low32(option), item, code);
                    }
                    return code;
                  });
}

extern "C" JNIEXPORT jbyteArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetClientInfoResult(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlong accessId, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetClientInfoResult);
  return RunFacadeMethod(
      env, FACADE_METHOD(vtxGetClientInfoResult, "GetClientInfoResult", ExitWithCode{"GetClientInfoResult done "}),
      manager, result, jbyteArray{}, [&](CTovikManagerIF& facade, jbyteArray& bytes) {
        unsigned int length = 0;
        CLocalBytes data;
        NATIVE_LOG(kFn) << "A1" << LogEndCheck;
        NATIVE_LOG(kFn) << static_cast<const void*>(data.get()) << LogEndCheck;
        NATIVE_LOG(kFn) << "A2" << LogEndCheck;
        const jlong code = facade.GetClientInfoResult(Low32(connection), Low32(accessId), &length, data.Receive());
        NATIVE_LOG(kFn) << "A" << LogEndCheck;
        NATIVE_LOG(kFn) << "pResults " << static_cast<const void*>(data.get()) << LogEndCheck;
        if (length != 0 && data) {
          NATIVE_LOG(kFn) << "Copying data" << LogEndCheck;
          bytes = NewByteArrayFrom(data.get(), static_cast<jsize>(length)).release();
        } else {
          NATIVE_LOG(kFn) << "No results " << static_cast<const void*>(data.get()) << " " << LogEndCheck;
        }
        data.Reset();  // LocalFree of the block, also one that came back with length 0
        return code;
      });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetClientInfoFile(
    JNIEnv* env, jobject, jlong manager, jlong connection, jstring identifier, jlong location, jstring fileName,
    jobject item, jobject result) {
  RunFacadeMethod(env,
                  FACADE_METHOD(vtxGetClientInfoFile, "GetClientInfoFile", ExitWithCode{"GetClientInfoFile done "}),
                  manager, result, [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    const _bstr_t id = BstrFromJava(identifier);
                    const _bstr_t file = BstrFromJava(fileName);
                    if (HasEmbeddedNul(id) || HasEmbeddedNul(file)) {
                      code = kResultNoInterface;  // cut at the NUL they would name other data or another file
                    } else {
                      CTovikClientAccessItemIF* itemOut = nullptr;
                      code = facade.GetClientInfoFile(Low32(connection), id, Low32(location), file, &itemOut);
                      std::unique_ptr<CTovikClientAccessItemIF> access(itemOut);
                      if (access) DeliverAccessItem(item, *access);
                    }
                    return code;
                  });
}
