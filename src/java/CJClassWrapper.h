#pragma once
// One Java class, held by a global reference for the wrapper's lifetime.

#include <jni.h>

#include <string>
#include <vector>

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

 private:
  std::string m_name;
  jclass m_class;
};
