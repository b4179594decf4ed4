// Diagnostics: vtxRunSelfTest (the raw self-test bytes) and vtxGetConfigItems (key and text
// value pairs).

#include <jni.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/ConfigWrappers.h"

extern "C" JNIEXPORT jbyteArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxRunSelfTest(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxRunSelfTest);
  return RunFacadeMethod(env, FACADE_METHOD(vtxRunSelfTest, "RunSelfTest", ExitWithCode{"RunSelfTest done "}), manager,
                         result, jbyteArray{}, [&](CTovikManagerIF& facade, jbyteArray& bytes) {
                           unsigned int length = 0;
                           CLocalBytes data;  // freed with LocalFree on every path
                           const jlong code =
                               facade.RunSelfTest(static_cast<ULONG>(connection), &length, data.Receive());
                           if (length != 0 && data && length <= static_cast<unsigned int>(INT32_MAX)) {
                             bytes = NewByteArrayFrom(data.get(), static_cast<jsize>(length)).release();
                           } else {
                             // The length is the provider's signed count: a negative one is logged as it came.
                             NATIVE_LOG(kFn) << "No results " << static_cast<LONG>(length) << " "
                                             << static_cast<const void*>(data.get()) << LogEndCheck;
                           }
                           return code;
                         });
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConfigItems(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetConfigItems);
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetConfigItems, "GetConfigItems", ExitWithCode{"GetConfigItems done "}),
                         manager, result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           CTovikConfigItemsIF* itemsOut = nullptr;
                           const jlong code = facade.GetConfigItems(static_cast<ULONG>(connection), &itemsOut);
                           std::unique_ptr<CTovikConfigItemsIF> items(itemsOut);
                           if (!items) {
                             NATIVE_LOG(kFn) << "No config items " << LogEndCheck;
                           } else {
                             CJClassWrapper itemClass(JavaClass::TovikConfigItem);
                             CJavaEnvironment::CheckException();
                             const ULONG count = items->Count();
                             // The builder grows past its first size, so the provider's count alone never makes a
                             // huge allocation.
                             CJObjectArrayBuilder elements(itemClass, static_cast<jsize>(std::min<ULONG>(count, 1024)));
                             for (ULONG i = 0; i < count; ++i) {
                               std::unique_ptr<CTovikConfigItemIF> item(items->GetItem(i));
                               if (!item) continue;  // no element for it: the array is shorter than the count
                               const CLocalText value(item->GetConfigValue());
                               const CLocalRef<jstring> text = JavaText(value.get(), NullText::AsEmpty);
                               const ULONG key = item->GetConfigItem();
                               elements.Add(NewWithData(itemClass, "(JLjava/lang/String;)V", key, text.get()));
                             }
                             array = elements.Finish();
                           }
                           return code;
                         });
}
