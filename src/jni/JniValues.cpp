#include "jni/JniValues.h"

#include <utility>

void SetLongValue(jobject longValue, jlong code) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  CJObjectWrapper target(JavaClass::LongValue, longValue);
  CJavaEnvironment::CheckException();
  target.CallVoidMethod("set", "(J)V", code);
  CJavaEnvironment::CheckException();
}

void RequireResultObject(jobject longValue) {
  if (!longValue) CJavaEnvironment::ThrowJavaException("the LongValue result is null");
}

CLocalRef<jobject> NewWithDataArgs(CJClassWrapper& cls, const char* setDataSignature, CJArgs args) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  // The class wrapper keeps the constructor and setData ids for the elements that follow.
  CLocalRef<jobject> reference(CJObjectWrapper::CreateObjectArgs(&cls, "()V", {}));
  CJObjectWrapper object(&cls, reference.get());
  object.CallVoidMethodArgs("setData", setDataSignature, args);
  CJavaEnvironment::CheckException();
  return reference;
}

CLocalRef<jobject> NewWithConstructorArgs(CJClassWrapper& cls, const char* constructorSignature, CJArgs args) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  return CLocalRef<jobject>(CJObjectWrapper::CreateObjectArgs(&cls, constructorSignature, args));
}

void SetDataOnArgs(const char* className, jobject target, const char* setDataSignature, CJArgs args) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  CJObjectWrapper object(className, target);
  CJavaEnvironment::CheckException();
  object.CallVoidMethodArgs("setData", setDataSignature, args);
  CJavaEnvironment::CheckException();
}

CJObjectArrayBuilder::CJObjectArrayBuilder(const CJClassWrapper& elementClass, jsize expectedCount)
    : m_class(elementClass.GetClass()), m_capacity(expectedCount > 0 ? expectedCount : 0) {
  CJavaEnvironment::CheckException();
  if (!m_class) CJavaEnvironment::ThrowJavaException("CJavaEnvironment::NewObjectArray - invalid class specified");
  m_env = CJavaEnvironment::GetEnvironment();
  if (!m_env) CJavaEnvironment::ThrowJavaException(" CJavaEnvironment::NewObjectArray - no environment found");
  m_array.Reset(m_env->NewObjectArray(m_capacity, m_class, nullptr));
  CJavaEnvironment::CheckException();
}

void CJObjectArrayBuilder::Add(CLocalRef<jobject> element) {
  if (m_size == m_capacity) Resize(m_capacity < 8 ? 8 : m_capacity * 2);
  m_env->SetObjectArrayElement(m_array.get(), m_size, element.get());
  CJavaEnvironment::CheckException();
  ++m_size;
}

void CJObjectArrayBuilder::Resize(jsize capacity) {
  CLocalRef<jobjectArray> resized(m_env->NewObjectArray(capacity, m_class, nullptr));
  CJavaEnvironment::CheckException();
  for (jsize i = 0; i < m_size; ++i) {
    CLocalRef<jobject> element(m_env->GetObjectArrayElement(m_array.get(), i));
    m_env->SetObjectArrayElement(resized.get(), i, element.get());
  }
  m_array = std::move(resized);
  m_capacity = capacity;
}

jobjectArray CJObjectArrayBuilder::Finish() {
  if (m_size != m_capacity) Resize(m_size);
  return m_array.release();
}

CLocalRef<jbyteArray> NewByteArrayFrom(const void* data, jsize length) {
  CJavaEnvironment::CheckException();  // e.g. thrown by the log method during a facade call
  CLocalRef<jbyteArray> array = NewPrimitiveArray<jbyteArray>(length);
  if (array && length > 0 && data) {
    CJavaEnvironment::GetEnvironment()->SetByteArrayRegion(array.get(), 0, length, static_cast<const jbyte*>(data));
    CJavaEnvironment::CheckException();
  }
  return array;
}
