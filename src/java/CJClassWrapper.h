#pragma once
// One Java class, held by a global reference for the wrapper's lifetime, together with the
// method ids looked up through it (kept as long as the wrapper).

#include <jni.h>

#include <string>
#include <vector>

#include "java/MethodIdCache.h"

class CJClassWrapper {
 public:
  // Looks the class up (slash-separated name). When it is not found, writes
  // "\n Could not find class <name>\n" to standard output and keeps a null class; the
  // NoClassDefFoundError stays pending.
  explicit CJClassWrapper(const char* className);
  ~CJClassWrapper();
  CJClassWrapper(const CJClassWrapper&) = delete;
  CJClassWrapper& operator=(const CJClassWrapper&) = delete;

  jclass GetClass() const { return m_class; }
  const char* GetName() const { return m_name.c_str(); }

  // An array of this class holding the elements in order (a local reference).
  jobjectArray MakeArray(const std::vector<jobject>& elements) const;

  // The constructor with `signature`, looked up on first use
  // (CJavaEnvironment::GetObjectConstructor, which raises for a null class, a null signature or
  // no environment); null with NoSuchMethodError pending when the class has none.
  jmethodID Constructor(const char* signature);
  // The instance method `name` with `signature`, looked up on first use
  // (CJavaEnvironment::GetMethodID); null when it is not found.
  jmethodID Method(const char* name, const char* signature);

 private:
  std::string m_name;
  jclass m_class;
  CMethodIdCache<jmethodID> m_methods;
};
