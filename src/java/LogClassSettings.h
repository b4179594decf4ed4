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

  // Names the log class and method and looks both up at once, on the Java thread of
  // vtxSetLogClass (with the class loader of the calling native method). The names are
  // modified UTF-8, as FindClass and GetStaticMethodID take them. A class that is not found
  // is reported once: the standard-output line of CJClassWrapper and the NoClassDefFoundError,
  // left pending for the caller. A method of another shape is no error: lines are dropped.
  // Either way the lookup is not repeated until the names are set again.
  void Name(const std::string& className, const std::string& methodName);
  // Forgets the names and the class; every line is dropped from now on.
  void Clear();

  // Hands one finished line to the Java log method (JavaLogSink).
  void Deliver(const char* text);

 private:
  CLogClassSettings() = default;
  void Replace(bool named, std::string className, std::string methodName, CJClassWrapper* cls, jmethodID method);

  CCriticalSection m_lock;
  bool m_named = false;        // a class (and method) name is set
  std::string m_className;     // slash-separated, as FindClass takes it
  std::string m_methodName;
  CJClassWrapper* m_class = nullptr;  // global reference, kept across lines
  jmethodID m_method = nullptr;
};
