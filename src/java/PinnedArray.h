#pragma once
// The elements of a Java primitive array pinned for a native method, and new primitive arrays.
// The access calls of each element type come from one row of TOVIK_JNI_PRIMITIVE_ARRAYS.

#include <jni.h>

#include "java/CJavaEnvironment.h"
#include "java/LocalOwner.h"

// Array type, element type, and the name JNIEnv's calls carry (Get<Name>ArrayElements, ...).
#define TOVIK_JNI_PRIMITIVE_ARRAYS(X) \
  X(jlongArray, jlong, Long)          \
  X(jbyteArray, jbyte, Byte)          \
  X(jbooleanArray, jboolean, Boolean)

template <typename A>
struct PrimitiveArrayTraits;

#define TOVIK_JNI_ARRAY_TRAITS(ArrayType, Elem, Name)                                                         \
  template <>                                                                                             \
  struct PrimitiveArrayTraits<ArrayType> {                                                                    \
    using Element = Elem;                                                                                 \
    static Element* Pin(JNIEnv* env, ArrayType a) { return env->Get##Name##ArrayElements(a, nullptr); }      \
    static void Unpin(JNIEnv* env, ArrayType a, Element* e) { env->Release##Name##ArrayElements(a, e, 0); } \
    static ArrayType New(JNIEnv* env, jsize n) { return env->New##Name##Array(n); }                          \
  };
TOVIK_JNI_PRIMITIVE_ARRAYS(TOVIK_JNI_ARRAY_TRAITS)
#undef TOVIK_JNI_ARRAY_TRAITS

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
