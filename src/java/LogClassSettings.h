#pragma once
// The Java log class: the names given by vtxSetLogClass, and the class and static method
// "void <method>(String)" that receive the trace lines, guarded by the log-class lock.
//
// Lock order: a log stream's lock, then the log-class lock, then the environment lock.
// Naming a class never holds the log-class lock while it changes a stream's sink.

#include <jni.h>

#include <string>

#include "tovik/platform.h"

class CJClassWrapper;

class CLogClassSettings {
 public:
  static CLogClassSettings& Instance();  // never destroyed

  // Names the log class and method. Runs on the Java thread of vtxSetLogClass: class and
  // method are looked up there, with the class loader of the calling native method. A lookup
  // that fails is cleared (no exception stays pending) and left to the first line, which
  // tries once more and then drops lines until the names are set again.
  void Name(const char* className, const char* methodName);
  // Forgets the names and the class; every line is dropped from now on.
  void Clear();

  // Hands one finished line to the Java log method (JavaLogSink).
  void Deliver(const char* text);

 private:
  CLogClassSettings() = default;
  // Looks the class and method up on the calling thread; on failure clears the pending
  // exception and leaves both null.
  static void Resolve(const std::string& className, const std::string& methodName, CJClassWrapper*& cls,
                      jmethodID& method);
  void Replace(bool named, std::string className, std::string methodName, CJClassWrapper* cls, jmethodID method,
               bool resolved);

  CCriticalSection m_lock;
  bool m_named = false;        // a class (and method) name is set
  std::string m_className;     // slash-separated, as FindClass takes it
  std::string m_methodName;
  CJClassWrapper* m_class = nullptr;  // global reference, kept across lines
  jmethodID m_method = nullptr;
  bool m_resolved = false;     // the lookup ran since the names were set
};
