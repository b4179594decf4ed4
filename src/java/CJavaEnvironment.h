#pragma once
// Every contact of native code with the Java virtual machine.
//
// All operations are static and use the JNIEnv of the calling thread, taken from the thread
// environment table (a thread keeps a copy of its own entry, so that the look-ups of one
// native call take no lock): Java threads are registered by the native call frame for the length of
// one native method; a native thread (command thread, event thread) is attached as a daemon
// thread on its first Java call, stays registered, and detaches itself when it ends.
//
// "Raise" below means ThrowJavaException: a java.lang.Exception with the message is thrown
// into Java and CAbortJniException* is thrown to end the native method.

#include <jni.h>

#include <vector>

#include "java/CAbortJniException.h"
#include "tovik/platform.h"

class CJavaEnvironment {
 public:
  // Registers the calling thread's environment (entry of every native method). Calls nest:
  // the thread stays registered until the matching ReleaseEnvironment of the outermost call.
  static void SetEnvironment(JNIEnv* env);
  // Unregisters the calling thread (exit of every native method); the JavaVM is forgotten
  // when the table runs empty.
  static void ReleaseEnvironment();
  // The calling thread's environment; attaches a native thread while a JavaVM is known.
  // Null when there is none.
  static JNIEnv* GetEnvironment();
  // True while the calling thread runs a native method of the library (between
  // SetEnvironment and its ReleaseEnvironment).
  static bool InNativeMethod();

  // Throws a java.lang.Exception with the printf-formatted message (cut at 999 characters),
  // then CAbortJniException*. An exception already pending is replaced.
  [[noreturn]] static void ThrowJavaException(const char* format, ...) __attribute__((format(printf, 1, 2)));
  // Throws CAbortJniException* when a Java exception is pending.
  static void CheckException();

  // Local reference; raises without environment or for a null name. A class that is not
  // found gives null with the virtual machine's NoClassDefFoundError pending.
  static jclass FindClass(const char* name);
  static jmethodID GetObjectConstructor(jclass cls, const char* signature);
  static jmethodID GetMethodID(jclass cls, const char* name, const char* signature);
  static jmethodID GetStaticMethodID(jclass cls, const char* name, const char* signature);
  static jobject NewObject(jclass cls, jmethodID constructor, const jvalue* args);
  static void VoidMethod(jobject object, jmethodID method, const jvalue* args);
  static void StaticVoidMethod(jclass cls, jmethodID method, const jvalue* args);

  // The string's UTF-16 characters in a new BSTR owned by the caller. A null string gives a
  // null BSTR; no environment gives an empty BSTR.
  static BSTR GetJavaString(jstring text);
  // A Java string from text in the ANSI code page (Windows-1252), decoded to UTF-16; null
  // text or no environment gives null.
  static jstring NewStringUTF(const char* ansiText);

  static jobjectArray NewObjectArray(jclass elementClass, const std::vector<jobject>& elements);
  static jsize GetArrayLength(jarray array);
  static void CopyByteArray(jbyteArray source, void* destination, jsize count);

  static jobject NewGlobalRef(jobject reference);
  static void DeleteGlobalRef(jobject reference);
  static void DeleteLocalRef(jobject reference);
};
