#include "java/CJObjectWrapper.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "java/CJavaEnvironment.h"

CJObjectWrapper::CJObjectWrapper(CJClassWrapper* cls, jobject object)
    : m_object(object), m_class(cls), m_ownsClass(false) {}

CJObjectWrapper::CJObjectWrapper(const char* className, jobject object)
    : m_object(object), m_class(new CJClassWrapper(className)), m_ownsClass(true) {}

CJObjectWrapper::~CJObjectWrapper() {
  if (m_ownsClass) delete m_class;
}

CJObjectWrapper* CJObjectWrapper::NewObjectArgs(CJClassWrapper* cls, const char* signature, CJArgs args) {
  return new CJObjectWrapper(cls, CreateObjectArgs(cls, signature, args));
}

jobject CJObjectWrapper::CreateObjectArgs(CJClassWrapper* cls, const char* signature, CJArgs args) {
  if (!signature) CJavaEnvironment::ThrowJavaException(" CJObjectWrapper:NewObject - invalid constructor description");
  // Without a class wrapper the lookup raises "invalid class specified".
  jmethodID constructor =
      cls ? cls->Constructor(signature) : CJavaEnvironment::GetObjectConstructor(nullptr, signature);
  if (!constructor) {
    CJavaEnvironment::ThrowJavaException(
        "CJObjectWrapper::NewObject - Could not find constructor with signature %s for class %s", signature,
        cls->GetName());
  }
  std::vector<jvalue> values = BuildJValues(" CJObjectWrapper::NewObject", signature, args);
  jobject object = CJavaEnvironment::NewObject(cls->GetClass(), constructor, values.data());
  CJavaEnvironment::CheckException();
  if (!object) CJavaEnvironment::ThrowJavaException(" CJObjectWrapper::NewObject - object allocation failed");
  return object;
}

void CJObjectWrapper::CallVoidMethodArgs(const char* name, const char* signature, CJArgs args) {
  if (!m_class) CJavaEnvironment::ThrowJavaException(" CJObjectWrapper::CallVoidMethod - class was invalid");
  if (!name || !signature) {
    char nameText[32];
    char signatureText[32];
    std::snprintf(nameText, sizeof nameText, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(name)));
    std::snprintf(signatureText, sizeof signatureText, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(signature)));
    CJavaEnvironment::ThrowJavaException(
        " CJObjectWrapper::CallVoidMethod - Method Name %s or Method Signature %s is NULL", nameText, signatureText);
  }
  jmethodID method = m_class->Method(name, signature);
  if (!method) {
    CJavaEnvironment::ThrowJavaException(" CJObjectWrapper::CallVoidMethod - method %s - %s not found", name,
                                         signature);
  }
  std::vector<jvalue> values = BuildJValues(" CJObjectWrapper::CallVoidMethod", signature, args);
  CJavaEnvironment::VoidMethod(m_object, method, values.data());
}
