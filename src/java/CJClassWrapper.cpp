#include "java/CJClassWrapper.h"

#include <cstdio>

#include "java/CJavaEnvironment.h"

CJClassWrapper::CJClassWrapper(const char* className) : m_name(className ? className : ""), m_class(nullptr) {
  CJavaEnvironment::CheckException();  // a pending exception stops the caller before the lookup
  jclass local = CJavaEnvironment::FindClass(className);
  if (!local) {
    std::printf("\n Could not find class %s\n", m_name.c_str());
    std::fflush(stdout);
    return;
  }
  m_class = static_cast<jclass>(CJavaEnvironment::NewGlobalRef(local));
  CJavaEnvironment::DeleteLocalRef(local);
}

CJClassWrapper::~CJClassWrapper() { CJavaEnvironment::DeleteGlobalRef(m_class); }

jmethodID CJClassWrapper::Constructor(const char* signature) {
  return m_methods.Get("<init>", signature,
                       [&] { return CJavaEnvironment::GetObjectConstructor(m_class, signature); });
}

jmethodID CJClassWrapper::Method(const char* name, const char* signature) {
  return m_methods.Get(name, signature, [&] { return CJavaEnvironment::GetMethodID(m_class, name, signature); });
}

jobjectArray CJClassWrapper::MakeArray(const std::vector<jobject>& elements) const {
  return CJavaEnvironment::NewObjectArray(m_class, elements);
}
