// Access point and Wi-Fi: vtxGetAccessPointState, vtxEnableManualScan, vtxEnableAutoWifi,
// vtxGetAutoWifiInfo. The switches and the adapter list are PC-wide: they take no connection.

#include <jni.h>

#include <algorithm>
#include <memory>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/WirelessWrappers.h"

namespace {

// Expected element count for an array builder: the provider's count, but no huge allocation
// up front on its word alone (the builder grows when more elements come).
jsize ExpectedCount(ULONG count) { return static_cast<jsize>(std::min<ULONG>(count, 1024)); }

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAccessPointState(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlong selector, jobject item, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxGetAccessPointState, "GetAccessPointState", "GetAccessPointState done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    CTovikApStateItemIF* stateOut = nullptr;
                    const jlong code = facade.GetAccessPointState(static_cast<ULONG>(connection),
                                                                  static_cast<ULONG>(selector), &stateOut);
                    std::unique_ptr<CTovikApStateItemIF> state(stateOut);
                    if (state) {
                      // Each read is a provider call: one statement each, in the interface's order (the
                      // order in which arguments of one call are evaluated is unspecified).
                      const ULONG wifiState = state->WifiState();
                      const ULONG mode = state->Mode();
                      const ULONG apState = state->ApState();
                      const ULONG numBars = state->NumBars();
                      const ULONG linkQuality = state->LinkQualityRaw();
                      const LONG noiseLevel = state->NoiseLevel();
                      const LONG signalLevel = state->SignalLevel();
                      // Five unsigned values zero-extended into J, the two levels as signed ints.
                      SetDataOn(JavaClass::TovikApStateItem, item, "(JJJJJII)V", wifiState, mode, apState, numBars,
                                linkQuality, noiseLevel, signalLevel);
                    }
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxEnableManualScan(
    JNIEnv* env, jobject, jlong manager, jboolean enable, jobject result) {
  RunFacadeMethod(
      env, FACADE_METHOD(vtxEnableManualScan, (EntryWithValue{"EnableManualScan ", enable}), "EnableManualScan done"),
      manager, result, [&](CTovikManagerIF& facade) { return facade.EnableManualScan(enable == JNI_TRUE); });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxEnableAutoWifi(
    JNIEnv* env, jobject, jlong manager, jboolean enable, jobject result) {
  RunFacadeMethod(env,
                  FACADE_METHOD(vtxEnableAutoWifi, (EntryWithValue{"EnableAutoWifi", enable}), "EnableAutoWifi done"),
                  manager, result, [&](CTovikManagerIF& facade) { return facade.EnableAutoWifi(enable == JNI_TRUE); });
}

extern "C" JNIEXPORT jobject JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAutoWifiInfo(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetAutoWifiInfo);
  return RunFacadeMethod(env,
                         FACADE_METHOD(vtxGetAutoWifiInfo, "GetAutoWifiInfo", ExitWithCode{"GetAutoWifiInfo done "}),
                         manager, result, jobject{}, [&](CTovikManagerIF& facade, jobject& info) {
                           bool flag1 = false;
                           bool flag2 = false;
                           bool flag3 = false;
                           CTovikAdaptInfoItemsIF* listOut = nullptr;
                           const jlong code = facade.GetAutoWifiInfo(&listOut, flag1, flag2, flag3);
                           std::unique_ptr<CTovikAdaptInfoItemsIF> list(listOut);

                           CJClassWrapper infoClass(JavaClass::TovikAdaptInfoList);
                           CJavaEnvironment::CheckException();
                           CJClassWrapper stringClass(JavaClass::String);
                           CJavaEnvironment::CheckException();

                           // Without a list the three arrays stay null and the name array is empty.
                           CLocalRef<jlongArray> vendorIds;
                           CLocalRef<jlongArray> productIds;
                           CLocalRef<jbooleanArray> inserted;
                           // The count is read once: the arrays and the names follow the same answer.
                           const ULONG count = list ? list->Count() : 0;
                           CJObjectArrayBuilder names(stringClass, ExpectedCount(count));
                           if (list) {
                             NATIVE_LOG(kFn) << "Processing " << count << " items" << LogEndCheck;
                             const jsize length = static_cast<jsize>(count);
                             vendorIds = NewPrimitiveArray<jlongArray>(length);
                             productIds = NewPrimitiveArray<jlongArray>(length);
                             inserted = NewPrimitiveArray<jbooleanArray>(length);
                             const CPinnedLongArray vendor(vendorIds.get());
                             const CPinnedLongArray product(productIds.get());
                             const CPinnedBooleanArray present(inserted.get());
                             for (jsize i = 0; i < length; ++i) {
                               NATIVE_LOG(kFn) << "Processing item " << i << LogEndCheck;
                               std::unique_ptr<CTovikAdaptInfoItemIF> item(list->GetItem(static_cast<ULONG>(i)));
                               if (!item) continue;  // 0 / 0 / false here, and no name: the name array gets shorter
                               vendor[i] = static_cast<jlong>(item->getVid());
                               product[i] = static_cast<jlong>(item->getPid());
                               present[i] = item->getIsInserted() ? JNI_TRUE : JNI_FALSE;
                               const CLocalText name(item->getCardName());
                               names.Add(JavaText(name.get(), NullText::AsEmpty));
                             }
                           }  // the pinned arrays are copied back here
                           list.reset();
                           const CLocalRef<jobjectArray> nameArray(names.Finish());
                           info = NewWithData(infoClass, "(ZZZ[J[J[Z[Ljava/lang/String;)V", flag1, flag2, flag3,
                                              vendorIds.get(), productIds.get(), inserted.get(), nameArray.get())
                                      .release();
                           return code;
                         });
}
