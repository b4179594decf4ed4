#pragma once
// One Java object together with its class.

#include <jni.h>

#include "java/CJClassWrapper.h"
#include "java/JavaArguments.h"

class CJObjectWrapper {
 public:
  // Wraps an object of the given class; the class wrapper stays its creator's.
  CJObjectWrapper(CJClassWrapper* cls, jobject object);
  // Wraps an object and looks its class up by name; the wrapper owns that class wrapper.
  CJObjectWrapper(const char* className, jobject object);
  ~CJObjectWrapper();
  CJObjectWrapper(const CJObjectWrapper&) = delete;
  CJObjectWrapper& operator=(const CJObjectWrapper&) = delete;

  // Creates an object with the constructor of `signature`; returns a new wrapper (created
  // with new, not owning `cls`) or raises.
  template <typename... A>
  static CJObjectWrapper* NewObject(CJClassWrapper* cls, const char* signature, A... args) {
    return NewObjectArgs(cls, signature, {CJArg(args)...});
  }
  static CJObjectWrapper* NewObjectArgs(CJClassWrapper* cls, const char* signature, CJArgs args);
  // The same creation, giving the new object's local reference without a wrapper around it.
  static jobject CreateObjectArgs(CJClassWrapper* cls, const char* signature, CJArgs args);

  // Calls a void instance method (its id is kept by the class wrapper); raises when it cannot
  // be called. A Java exception thrown by the method stays pending: call
  // CJavaEnvironment::CheckException afterwards.
  template <typename... A>
  void CallVoidMethod(const char* name, const char* signature, A... args) {
    CallVoidMethodArgs(name, signature, {CJArg(args)...});
  }
  void CallVoidMethodArgs(const char* name, const char* signature, CJArgs args);

  jobject GetObject() const { return m_object; }

 private:
  jobject m_object;  // as received; not deleted by the wrapper
  CJClassWrapper* m_class;
  bool m_ownsClass;
};
