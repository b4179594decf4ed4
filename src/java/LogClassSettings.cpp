#include "java/LogClassSettings.h"

#include <memory>

#include "core/LogStream.h"
#include "java/CJClassWrapper.h"
#include "java/CJavaEnvironment.h"

namespace {
const char kLogMethodSignature[] = "(Ljava/lang/String;)V";

void ClearPendingException() {
  if (JNIEnv* env = CJavaEnvironment::GetEnvironment()) {
    if (env->ExceptionCheck()) env->ExceptionClear();
  }
}
}  // namespace

CLogClassSettings& CLogClassSettings::Instance() {
  static CLogClassSettings* settings = new CLogClassSettings;
  return *settings;
}

void CLogClassSettings::Replace(bool named, std::string className, std::string methodName, CJClassWrapper* cls,
                                jmethodID method) {
  CJClassWrapper* previous = nullptr;
  {
    CSingleLock hold(&m_lock, TRUE);
    previous = m_class;
    m_named = named;
    m_className = std::move(className);
    m_methodName = std::move(methodName);
    m_class = cls;
    m_method = method;
  }
  delete previous;
}

void CLogClassSettings::Name(const std::string& className, const std::string& methodName) {
  std::unique_ptr<CJClassWrapper> cls(new CJClassWrapper(className.c_str()));
  jmethodID method = nullptr;
  if (cls->GetClass()) {
    method = CJavaEnvironment::GetStaticMethodID(cls->GetClass(), methodName.c_str(), kLogMethodSignature);
    if (!method) ClearPendingException();  // NoSuchMethodError: another shape only drops the lines
  }
  // A class that was not found keeps its NoClassDefFoundError pending: it surfaces in the
  // caller of vtxSetLogClass.
  if (!method) cls.reset();
  Replace(true, className, methodName, cls.release(), method);
}

void CLogClassSettings::Clear() { Replace(false, {}, {}, nullptr, nullptr); }

void CLogClassSettings::Deliver(const char* text) {
  CSingleLock hold(&m_lock, TRUE);
  if (!m_named) return;
  JNIEnv* env = CJavaEnvironment::GetEnvironment();
  // No virtual machine known, or Java may not be called now: the line is lost.
  if (!env || env->ExceptionCheck()) return;

  if (!m_class || !m_method) return;

  try {
    jstring line = CJavaEnvironment::NewStringUTF(text);
    if (line) {
      jvalue argument;
      argument.l = line;
      CJavaEnvironment::StaticVoidMethod(m_class->GetClass(), m_method, &argument);
      CJavaEnvironment::DeleteLocalRef(line);
    }
  } catch (CAbortJniException* abort) {
    delete abort;
  }
  // An exception thrown by the log method stays pending on a thread that runs a native
  // method, whose next exception check stops it. A native thread has nobody to stop: the
  // exception is dropped there so that its next line can be delivered.
  if (!CJavaEnvironment::InNativeMethod()) ClearPendingException();
}
