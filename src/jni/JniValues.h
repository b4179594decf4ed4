#pragma once
// Delivering values between the native methods and Java: the toolkit every native method of
// TovikApiManager shares. Everything here reports failures the way the frame expects: a
// pending Java exception ends the method through CAbortJniException* (jni/NativeFrame.h).
//
// How a feature native method is written (vtxGetAppsPc as the pattern):
//
//   extern "C" JNIEXPORT jobjectArray JNICALL
//   Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc(JNIEnv* env, jobject, jlong manager,
//                                                                 jobject result) {
//     static const char kFn[] = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc";
//     return RunNativeFrame(env, jobjectArray{}, [&](jobjectArray& array) {
//       NATIVE_LOG(kFn) << "Getting APPS-PC" << LogEnd;
//       CJavaEnvironment::CheckException();
//       jlong code = kResultNoFacade;
//       if (FacadeRef facade = FindFacade(manager)) {
//         CTovikAppPcItemListIF* listOut = nullptr;
//         code = facade->GetAppsPC(&listOut);               // LONG: sign-extended
//         std::unique_ptr<CTovikAppPcItemListIF> list(listOut);
//         if (list) {
//           CJClassWrapper itemClass(JavaClass::TovikAppPcItem);
//           CJavaEnvironment::CheckException();
//           const ULONG count = list->Count();
//           NATIVE_LOG(kFn) << "Number of client items " << count << LogEnd;
//           CJavaEnvironment::CheckException();
//           CJObjectArrayBuilder items(itemClass, count);
//           for (ULONG i = 0; i < count; ++i) {
//             std::unique_ptr<CTovikAppPcItemIF> item(list->Item(i));
//             if (!item) continue;                            // dense array: no gap
//             CLocalText name(item->GetName());               // LocalAlloc'ed, LocalFree'd
//             CLocalRef<jstring> jname = JavaText(name.get(), NullText::AsEmpty);
//             items.Add(NewWithData(itemClass, "(Ljava/lang/String;JJ)V",
//                                   jname.get(), item->GetVersion(), item->GetSize()));
//           }
//           array = items.Finish();                           // shrunk to the items added
//         }
//       }
//       SetLongValue(result, code);
//       NATIVE_LOG(kFn) << "Getting APPS-DONE" << LogEnd;
//       CJavaEnvironment::CheckException();
//     });
//   }
//
// Arguments of setData and constructors are checked against the signature (java/
// JavaArguments.h): pass LONG results as LONG (sign-extended into J), ULONG/DWORD values as
// they are (zero-extended into J, cut into I), bool for Z, jobject/jstring/arrays or nullptr
// for references.

#include <jni.h>

#include <string>
#include <utility>

#include "core/ResultCodes.h"
#include "java/CAbortJniException.h"
#include "java/CJClassWrapper.h"
#include "java/CJObjectWrapper.h"
#include "java/CJavaEnvironment.h"
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

// ---- local references -------------------------------------------------------------------------

// Owns one JNI local reference of the calling thread and deletes it when it goes.
template <typename T>
class CLocalRef {
 public:
  CLocalRef() = default;
  explicit CLocalRef(T reference) : m_reference(reference) {}
  CLocalRef(CLocalRef&& other) noexcept : m_reference(std::exchange(other.m_reference, nullptr)) {}
  CLocalRef& operator=(CLocalRef&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_reference, nullptr));
    return *this;
  }
  CLocalRef(const CLocalRef&) = delete;
  CLocalRef& operator=(const CLocalRef&) = delete;
  ~CLocalRef() { Reset(); }

  T get() const { return m_reference; }
  explicit operator bool() const { return m_reference != nullptr; }
  // Hands the reference over (for the method's return value).
  T release() { return std::exchange(m_reference, nullptr); }
  void Reset(T reference = nullptr) {
    if (m_reference) CJavaEnvironment::DeleteLocalRef(m_reference);
    m_reference = reference;
  }

 private:
  T m_reference = nullptr;
};

// ---- blocks from LocalAlloc ---------------------------------------------------------------------

// Owns a block that a wrapper getter or facade operation allocated with LocalAlloc (texts as
// char*, data as unsigned char*) and frees it with LocalFree.
template <typename T>
class CLocalBlock {
 public:
  CLocalBlock() = default;
  explicit CLocalBlock(T* block) : m_block(block) {}
  CLocalBlock(CLocalBlock&& other) noexcept : m_block(std::exchange(other.m_block, nullptr)) {}
  CLocalBlock& operator=(CLocalBlock&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_block, nullptr));
    return *this;
  }
  CLocalBlock(const CLocalBlock&) = delete;
  CLocalBlock& operator=(const CLocalBlock&) = delete;
  ~CLocalBlock() { Reset(); }

  T* get() const { return m_block; }
  explicit operator bool() const { return m_block != nullptr; }
  // For operations that hand a block out through a T** parameter; frees a held block first.
  T** Receive() {
    Reset();
    return &m_block;
  }
  void Reset(T* block = nullptr) {
    if (m_block) LocalFree(static_cast<HLOCAL>(m_block));
    m_block = block;
  }

 private:
  T* m_block = nullptr;
};

using CLocalText = CLocalBlock<char>;
using CLocalBytes = CLocalBlock<unsigned char>;

// ---- texts ------------------------------------------------------------------------------------

enum class NullText { AsNull, AsEmpty };

// A Java string from ANSI text (Windows-1252, decoded to UTF-16). Null text gives a null
// reference or an empty string, as asked.
CLocalRef<jstring> JavaText(const char* ansiText, NullText nullText);

// Narrow text in the ANSI code page converted from a Java string; a null string stays null
// (c_str() returns null). Characters outside the code page become '?'.
class CAnsiText {
 public:
  CAnsiText() = default;
  explicit CAnsiText(std::string text) : m_text(std::move(text)), m_null(false) {}
  const char* c_str() const { return m_null ? nullptr : m_text.c_str(); }
  bool IsNull() const { return m_null; }
  const std::string& str() const { return m_text; }

 private:
  std::string m_text;
  bool m_null = true;
};

CAnsiText AnsiFromJava(jstring text);

// A wide string (BSTR inside _bstr_t) from a Java string; a null string gives a null BSTR.
_bstr_t BstrFromJava(jstring text);

// True when a converted text holds a NUL before its end. Every later step (the facade's
// narrow texts, the BSTR copies made for the provider) ends a text at its first NUL, so such
// a file name or identifier would name another file or other stored data: the methods that
// take one refuse it.
bool HasEmbeddedNul(const CAnsiText& text);
bool HasEmbeddedNul(const _bstr_t& text);

// Modified UTF-8 of a Java string, as FindClass and GetMethodID take names (GetStringUTFChars:
// no code-page conversion, an embedded NUL stays a two-byte sequence). A null string gives an
// empty text.
std::string ModifiedUtf8FromJava(jstring text);

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

// ---- primitive arrays -------------------------------------------------------------------------

template <typename A>
struct PrimitiveArrayTraits;
template <>
struct PrimitiveArrayTraits<jlongArray> {
  using Element = jlong;
  static Element* Pin(JNIEnv* env, jlongArray a) { return env->GetLongArrayElements(a, nullptr); }
  static void Unpin(JNIEnv* env, jlongArray a, Element* e) { env->ReleaseLongArrayElements(a, e, 0); }
  static jlongArray New(JNIEnv* env, jsize n) { return env->NewLongArray(n); }
};
template <>
struct PrimitiveArrayTraits<jbyteArray> {
  using Element = jbyte;
  static Element* Pin(JNIEnv* env, jbyteArray a) { return env->GetByteArrayElements(a, nullptr); }
  static void Unpin(JNIEnv* env, jbyteArray a, Element* e) { env->ReleaseByteArrayElements(a, e, 0); }
  static jbyteArray New(JNIEnv* env, jsize n) { return env->NewByteArray(n); }
};
template <>
struct PrimitiveArrayTraits<jbooleanArray> {
  using Element = jboolean;
  static Element* Pin(JNIEnv* env, jbooleanArray a) { return env->GetBooleanArrayElements(a, nullptr); }
  static void Unpin(JNIEnv* env, jbooleanArray a, Element* e) { env->ReleaseBooleanArrayElements(a, e, 0); }
  static jbooleanArray New(JNIEnv* env, jsize n) { return env->NewBooleanArray(n); }
};

// The elements of a Java long[], byte[] or boolean[], pinned for the object's lifetime and
// given back with copy-back (mode 0) when it goes. A null array has length 0 and no data.
template <typename A>
class CPinnedArray {
 public:
  using Element = typename PrimitiveArrayTraits<A>::Element;

  explicit CPinnedArray(A array) : m_array(array) {
    if (!array) return;
    JNIEnv* env = CJavaEnvironment::GetEnvironment();
    if (!env) return;
    m_length = env->GetArrayLength(array);
    m_elements = PrimitiveArrayTraits<A>::Pin(env, array);
    if (!m_elements) {
      m_length = 0;
      CJavaEnvironment::CheckException();
    }
  }
  CPinnedArray(const CPinnedArray&) = delete;
  CPinnedArray& operator=(const CPinnedArray&) = delete;
  ~CPinnedArray() {
    if (!m_elements) return;
    if (JNIEnv* env = CJavaEnvironment::GetEnvironment()) PrimitiveArrayTraits<A>::Unpin(env, m_array, m_elements);
  }

  jsize Length() const { return m_length; }
  Element* Data() const { return m_elements; }
  Element& operator[](jsize index) const { return m_elements[index]; }

 private:
  A m_array;
  Element* m_elements = nullptr;
  jsize m_length = 0;
};

using CPinnedLongArray = CPinnedArray<jlongArray>;
using CPinnedByteArray = CPinnedArray<jbyteArray>;
using CPinnedBooleanArray = CPinnedArray<jbooleanArray>;

// A new zero-filled Java array of `length` elements.
template <typename A>
CLocalRef<A> NewPrimitiveArray(jsize length) {
  JNIEnv* env = CJavaEnvironment::GetEnvironment();
  if (!env) return CLocalRef<A>();
  CLocalRef<A> array(PrimitiveArrayTraits<A>::New(env, length));
  CJavaEnvironment::CheckException();
  return array;
}

// A new Java byte[] holding a copy of `length` bytes at `data`.
CLocalRef<jbyteArray> NewByteArrayFrom(const void* data, jsize length);
