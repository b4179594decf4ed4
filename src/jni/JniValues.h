#pragma once
// Delivering values from the native methods to Java: the class table of the result objects and
// the calls that make and fill them. Everything here reports failures the way the frame
// expects: a pending Java exception ends the method through CAbortJniException*
// (jni/NativeFrame.h). The general owners and conversions it builds on are in java/
// (LocalOwner.h, PinnedArray.h, JavaText.h).
//
// How a feature native method is written (vtxGetConfigItems as the pattern; the frame writes
// the entry and exit lines, finds the facade and stores the result code):
//
//   extern "C" JNIEXPORT jobjectArray JNICALL
//   Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetConfigItems(JNIEnv* env, jobject, jlong manager,
//                                                                     jlong connection, jobject result) {
//     return RunFacadeMethod(
//         env, FACADE_METHOD(vtxGetConfigItems, "GetConfigItems", ExitWithCode{"GetConfigItems done "}),
//         manager, result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
//           CTovikConfigItemsIF* itemsOut = nullptr;
//           const jlong code = facade.GetConfigItems(static_cast<ULONG>(connection), &itemsOut);
//           std::unique_ptr<CTovikConfigItemsIF> items(itemsOut);   // deleted on every path
//           if (items) {
//             CJClassWrapper itemClass(JavaClass::TovikConfigItem);
//             CJavaEnvironment::CheckException();
//             const ULONG count = items->Count();
//             CJObjectArrayBuilder elements(itemClass, static_cast<jsize>(std::min<ULONG>(count, 1024)));
//             for (ULONG i = 0; i < count; ++i) {
//               std::unique_ptr<CTovikConfigItemIF> item(items->GetItem(i));
//               if (!item) continue;                                 // dense array: no gap
//               const CLocalText value(item->GetConfigValue());      // LocalAlloc'ed, LocalFree'd
//               const CLocalRef<jstring> text = JavaText(value.get(), NullText::AsEmpty);
//               elements.Add(NewWithData(itemClass, "(JLjava/lang/String;)V", item->GetConfigItem(), text.get()));
//             }
//             array = elements.Finish();                             // shrunk to the items added
//           }
//           return code;                                             // LONG: sign-extended
//         });
//   }
//
// Arguments of setData and constructors are checked against the signature (java/
// JavaArguments.h): pass LONG results as LONG (sign-extended into J), ULONG/DWORD values as
// they are (zero-extended into J, cut into I), bool for Z, jobject/jstring/arrays or nullptr
// for references.

#include <jni.h>

#include "core/ResultCodes.h"
#include "java/CAbortJniException.h"
#include "java/CJClassWrapper.h"
#include "java/CJObjectWrapper.h"
#include "java/CJavaEnvironment.h"
#include "java/JavaText.h"
#include "java/LocalOwner.h"
#include "java/PinnedArray.h"
#include "tovik/platform.h"

// ---- result codes and handles ---------------------------------------------------------------

// kResultNoFacade (0x50000007), kResultNoInterface (0x50000003), kResultNoByteArray
// (0x50000006) come from core/ResultCodes.h.
inline constexpr jlong kInvalidHandle = 0xFFFFFFFFLL;  // failed vtxInitializeRuntime / vtxConnect

// ---- Java classes of the results --------------------------------------------------------------

namespace JavaClass {
#define TOVIK_JNI_PACKAGE "com/holm/zep/tovik/api/jni/"
inline constexpr char LongValue[] = TOVIK_JNI_PACKAGE "LongValue";
inline constexpr char TovikVciItem[] = TOVIK_JNI_PACKAGE "TovikVciItem";
inline constexpr char TovikClientInfo[] = TOVIK_JNI_PACKAGE "TovikClientInfo";
inline constexpr char TovikVciInfo[] = TOVIK_JNI_PACKAGE "TovikVciInfo";
inline constexpr char TovikVciInfo3[] = TOVIK_JNI_PACKAGE "TovikVciInfo3";
inline constexpr char TovikVersionInfo[] = TOVIK_JNI_PACKAGE "TovikVersionInfo";
inline constexpr char TovikVersionItem[] = TOVIK_JNI_PACKAGE "TovikVersionItem";
inline constexpr char TovikEventQueue[] = TOVIK_JNI_PACKAGE "TovikEventQueue";
inline constexpr char TovikEvent[] = TOVIK_JNI_PACKAGE "TovikEvent";
inline constexpr char TovikAppPcItem[] = TOVIK_JNI_PACKAGE "TovikAppPcItem";
inline constexpr char TovikAppVciItem[] = TOVIK_JNI_PACKAGE "TovikAppVciItem";
inline constexpr char TovikAppVciItem2[] = TOVIK_JNI_PACKAGE "TovikAppVciItem2";
inline constexpr char TovikAppStatus[] = TOVIK_JNI_PACKAGE "TovikAppStatus";
inline constexpr char TovikClientAccessItem[] = TOVIK_JNI_PACKAGE "TovikClientAccessItem";
inline constexpr char TovikClientSpace[] = TOVIK_JNI_PACKAGE "TovikClientSpace";
inline constexpr char TovikClientInfoItem[] = TOVIK_JNI_PACKAGE "TovikClientInfoItem";
inline constexpr char TovikPendantDisp[] = TOVIK_JNI_PACKAGE "TovikPendantDisp";
inline constexpr char TovikPendantAudioValues[] = TOVIK_JNI_PACKAGE "TovikPendantAudioValues";
inline constexpr char TovikApStateItem[] = TOVIK_JNI_PACKAGE "TovikApStateItem";
inline constexpr char TovikAdaptInfoList[] = TOVIK_JNI_PACKAGE "TovikAdaptInfoList";
inline constexpr char TovikConfigItem[] = TOVIK_JNI_PACKAGE "TovikConfigItem";
inline constexpr char String[] = "java/lang/String";
#undef TOVIK_JNI_PACKAGE
}  // namespace JavaClass

// ---- result objects ---------------------------------------------------------------------------

// LongValue.set(code) "(J)V" on the LongValue Java passed in.
void SetLongValue(jobject longValue, jlong code);

// Raises "the LongValue result is null" when Java passed none; methods that
// open something the caller must close later check it before they start.
void RequireResultObject(jobject longValue);

// A new object of `cls` made with "()V", then setData(signature, args...); returns its local
// reference.
CLocalRef<jobject> NewWithDataArgs(CJClassWrapper& cls, const char* setDataSignature, CJArgs args);
template <typename... A>
CLocalRef<jobject> NewWithData(CJClassWrapper& cls, const char* setDataSignature, A... args) {
  return NewWithDataArgs(cls, setDataSignature, {CJArg(args)...});
}

// A new object of `cls` made with the constructor of `signature` (TovikEvent, TovikClientInfoItem).
CLocalRef<jobject> NewWithConstructorArgs(CJClassWrapper& cls, const char* constructorSignature, CJArgs args);
template <typename... A>
CLocalRef<jobject> NewWithConstructor(CJClassWrapper& cls, const char* constructorSignature, A... args) {
  return NewWithConstructorArgs(cls, constructorSignature, {CJArg(args)...});
}

// setData(signature, args...) on an object Java passed in, as an instance of `className`.
void SetDataOnArgs(const char* className, jobject target, const char* setDataSignature, CJArgs args);
template <typename... A>
void SetDataOn(const char* className, jobject target, const char* setDataSignature, A... args) {
  SetDataOnArgs(className, target, setDataSignature, {CJArg(args)...});
}

// ---- object arrays ----------------------------------------------------------------------------

// Builds a Java object array element by element without piling up local references: the array
// is allocated for the expected count, each added element is stored at once and its local
// reference deleted; Finish shrinks the array to the elements added. More elements than
// expected make the array grow. A builder belongs to the thread and native call that created
// it and keeps that thread's environment.
class CJObjectArrayBuilder {
 public:
  CJObjectArrayBuilder(const CJClassWrapper& elementClass, jsize expectedCount);
  CJObjectArrayBuilder(const CJObjectArrayBuilder&) = delete;
  CJObjectArrayBuilder& operator=(const CJObjectArrayBuilder&) = delete;

  // Stores the element (null stores a null element) and deletes its local reference.
  void Add(CLocalRef<jobject> element);
  void Add(CLocalRef<jstring> element) { Add(CLocalRef<jobject>(element.release())); }
  jsize Size() const { return m_size; }
  // Makes room for `count` elements in all when the expected count was not known at first.
  void Reserve(jsize count) {
    if (count > m_capacity) Resize(count);
  }
  // The array of exactly Size() elements, as a local reference for the caller.
  jobjectArray Finish();

 private:
  void Resize(jsize capacity);

  jclass m_class;
  JNIEnv* m_env = nullptr;
  CLocalRef<jobjectArray> m_array;
  jsize m_capacity;
  jsize m_size = 0;
};

// ---- byte arrays ------------------------------------------------------------------------------

// A new Java byte[] holding a copy of `length` bytes at `data`.
CLocalRef<jbyteArray> NewByteArrayFrom(const void* data, jsize length);
