#include "java/CJavaEnvironment.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "tovik/threadlocal.h"

namespace {

// The thread environment table and the JavaVM, guarded by the environment lock. Never
// destroyed: native threads may still end (and unregister) while the module unloads.
struct EnvironmentTable {
  CCriticalSection lock;
  std::map<DWORD, JNIEnv*> environments;
  JavaVM* vm = nullptr;
};

EnvironmentTable& Table() {
  static EnvironmentTable* table = new EnvironmentTable;
  return *table;
}

// How deep the calling thread is in native methods of the library.
thread_local int t_nativeDepth = 0;

// The calling thread's own entry in the table, or null when it has none: every change of a
// thread's entry is made by that thread (registration, release, attachment, the attachment's
// end), which keeps this copy in step, so the many look-ups of one native call read it without
// the environment lock. A thread without a copy still asks the table.
thread_local JNIEnv* t_ownEntry = nullptr;

// Present on a native thread that the library attached: detaches the thread when it ends
// (tovik::ThreadLocal: destroyed on its thread as it ends, on every platform).
class ThreadAttachment {
 public:
  ~ThreadAttachment() {
    if (!m_vm) return;
    {
      EnvironmentTable& table = Table();
      CSingleLock lock(&table.lock, TRUE);
      table.environments.erase(GetCurrentThreadId());
      if (table.environments.empty()) table.vm = nullptr;
    }
    t_ownEntry = nullptr;
    JNIEnv* env = nullptr;
    if (m_vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_1_6) == JNI_OK) m_vm->DetachCurrentThread();
  }
  void Attached(JavaVM* vm) { m_vm = vm; }

 private:
  JavaVM* m_vm = nullptr;
};


}  // namespace

void CJavaEnvironment::SetEnvironment(JNIEnv* env) {
  if (!env) return;
  ++t_nativeDepth;
  EnvironmentTable& table = Table();
  CSingleLock lock(&table.lock, TRUE);
  if (!table.vm) {
    JavaVM* vm = nullptr;
    if (env->GetJavaVM(&vm) == JNI_OK) table.vm = vm;
  }
  table.environments[GetCurrentThreadId()] = env;
  t_ownEntry = env;
}

void CJavaEnvironment::ReleaseEnvironment() {
  // The exception class is never cached beyond the raise that looked it up, so there is
  // nothing else to drop here.
  if (t_nativeDepth == 0) return;
  if (--t_nativeDepth > 0) return;
  EnvironmentTable& table = Table();
  CSingleLock lock(&table.lock, TRUE);
  table.environments.erase(GetCurrentThreadId());
  t_ownEntry = nullptr;
  // A Java thread running a native method cannot be detached; it is only unregistered.
  if (table.environments.empty()) table.vm = nullptr;
}

bool CJavaEnvironment::InNativeMethod() { return t_nativeDepth > 0; }

JNIEnv* CJavaEnvironment::GetEnvironment() {
  if (JNIEnv* own = t_ownEntry) return own;
  EnvironmentTable& table = Table();
  JavaVM* vm = nullptr;
  {
    CSingleLock lock(&table.lock, TRUE);
    auto found = table.environments.find(GetCurrentThreadId());
    if (found != table.environments.end()) return found->second;
    vm = table.vm;
  }
  if (!vm) return nullptr;

  JNIEnv* env = nullptr;
  jint state = vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_1_6);
  if (state == JNI_OK) return env;  // attached by someone else: theirs to manage
  if (state != JNI_EDETACHED) return nullptr;

  // Attaching runs Java code, so it happens outside the environment lock. Daemon threads do
  // not keep the virtual machine from ending.
  if (vm->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return nullptr;
  tovik::ThreadLocal<ThreadAttachment>().Attached(vm);
  CSingleLock lock(&table.lock, TRUE);
  if (!table.vm) table.vm = vm;
  table.environments[GetCurrentThreadId()] = env;
  t_ownEntry = env;
  return env;
}

void CJavaEnvironment::ThrowJavaException(const char* format, ...) {
  char message[1000];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);

  if (JNIEnv* env = GetEnvironment()) {
    // The exception class is looked up for this raise only; its local reference never
    // leaves this call.
    if (env->ExceptionCheck()) env->ExceptionClear();
    jclass exceptionClass = env->FindClass("java/lang/Exception");
    if (!exceptionClass) {
      char fatal[1024];
      std::snprintf(fatal, sizeof fatal, "Could not find exception class for message %.980s", message);
      env->FatalError(fatal);
    } else {
      env->ThrowNew(exceptionClass, message);
      env->DeleteLocalRef(exceptionClass);
    }
  }
  throw new CAbortJniException;
}

void CJavaEnvironment::CheckException() {
  JNIEnv* env = GetEnvironment();
  if (env && env->ExceptionCheck()) throw new CAbortJniException;
}

jclass CJavaEnvironment::FindClass(const char* name) {
  JNIEnv* env = GetEnvironment();
  if (!env) ThrowJavaException("CJavaEnvironment::FindClass - environment was not attached");
  if (!name) ThrowJavaException("CJavaEnvironment::FindClass - invalid class name");
  return env->FindClass(name);
}

jmethodID CJavaEnvironment::GetObjectConstructor(jclass cls, const char* signature) {
  if (!cls) ThrowJavaException("CJavaEnvironment::GetObjectConstructor - invalid class specified");
  if (!signature) ThrowJavaException("CJavaEnvironment::GetObjectConstructor - invalid signature");
  JNIEnv* env = GetEnvironment();
  if (!env) ThrowJavaException("CJavaEnvironment::GetObjectConstructor - no Java environment");
  return env->GetMethodID(cls, "<init>", signature);
}

jmethodID CJavaEnvironment::GetMethodID(jclass cls, const char* name, const char* signature) {
  JNIEnv* env = GetEnvironment();
  if (!env || !cls || !name || !signature) return nullptr;
  return env->GetMethodID(cls, name, signature);
}

jmethodID CJavaEnvironment::GetStaticMethodID(jclass cls, const char* name, const char* signature) {
  JNIEnv* env = GetEnvironment();
  if (!env || !cls || !name || !signature) return nullptr;
  return env->GetStaticMethodID(cls, name, signature);
}

jobject CJavaEnvironment::NewObject(jclass cls, jmethodID constructor, const jvalue* args) {
  JNIEnv* env = GetEnvironment();
  if (!env) ThrowJavaException(" CJavaEnvironment::NewObject - no environment found");
  return env->NewObjectA(cls, constructor, args);
}

namespace {
// A pointer as the Windows runtime prints %p: upper-case hexadecimal, padded to the width
// of a pointer, no prefix.
std::string PointerText(const void* pointer) {
  char text[2 * sizeof(void*) + 1];
  std::snprintf(text, sizeof text, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
  return text;
}
}  // namespace

void CJavaEnvironment::VoidMethod(jobject object, jmethodID method, const jvalue* args) {
  JNIEnv* env = GetEnvironment();
  if (!env) return;
  if (!object || !method) {
    ThrowJavaException(" CJavaEnvironment::VoidMethod instance %s or method %s are NULL",
                       PointerText(object).c_str(), PointerText(method).c_str());
  }
  env->CallVoidMethodA(object, method, args);
}

void CJavaEnvironment::StaticVoidMethod(jclass cls, jmethodID method, const jvalue* args) {
  JNIEnv* env = GetEnvironment();
  if (!env || !cls || !method) return;
  env->CallStaticVoidMethodA(cls, method, args);
  // Marks the call's exception state as seen; a pending exception stays for the
  // caller's next CheckException.
  env->ExceptionCheck();
}

BSTR CJavaEnvironment::GetJavaString(jstring text) {
  if (!text) return nullptr;
  JNIEnv* env = GetEnvironment();
  if (!env) return SysAllocStringLen(nullptr, 0);
  const jsize length = env->GetStringLength(text);
  const jchar* chars = env->GetStringChars(text, nullptr);
  if (!chars) CheckException();  // out of memory: the virtual machine threw
  static_assert(sizeof(jchar) == sizeof(OLECHAR));
  BSTR copy = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(chars), static_cast<UINT>(length));
  env->ReleaseStringChars(text, chars);
  return copy;
}

jstring CJavaEnvironment::NewStringUTF(const char* ansiText) {
  if (!ansiText) return nullptr;
  JNIEnv* env = GetEnvironment();
  if (!env) return nullptr;
  const int bytes = static_cast<int>(std::strlen(ansiText));
  if (bytes == 0) return env->NewString(nullptr, 0);
  // Windows-1252 maps every byte to exactly one UTF-16 unit. Short texts (names, versions,
  // dates of list entries) are decoded on the stack.
  OLECHAR shortText[128];
  std::basic_string<OLECHAR> longText;
  OLECHAR* wide = shortText;
  if (bytes > static_cast<int>(std::size(shortText))) {
    longText.resize(static_cast<std::size_t>(bytes));
    wide = longText.data();
  }
  const int units = MultiByteToWideChar(CP_ACP, 0, ansiText, bytes, wide, bytes);
  return env->NewString(reinterpret_cast<const jchar*>(wide), units);
}

jobjectArray CJavaEnvironment::NewObjectArray(jclass elementClass, const std::vector<jobject>& elements) {
  JNIEnv* env = GetEnvironment();
  if (!env || !elementClass) return nullptr;
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(elements.size()), elementClass, nullptr);
  if (!array) return nullptr;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    env->SetObjectArrayElement(array, static_cast<jsize>(i), elements[i]);
  }
  return array;
}

jsize CJavaEnvironment::GetArrayLength(jarray array) {
  JNIEnv* env = GetEnvironment();
  if (!env || !array) return 0;
  return env->GetArrayLength(array);
}

void CJavaEnvironment::CopyByteArray(jbyteArray source, void* destination, jsize count) {
  if (GetArrayLength(source) < count) {
    ThrowJavaException("CJavaEnvironment::CopyByteArray>> Not enough elements in source");
  }
  JNIEnv* env = GetEnvironment();
  if (!env || count <= 0) return;
  env->GetByteArrayRegion(source, 0, count, static_cast<jbyte*>(destination));
  CheckException();
}

jobject CJavaEnvironment::NewGlobalRef(jobject reference) {
  JNIEnv* env = GetEnvironment();
  return env && reference ? env->NewGlobalRef(reference) : nullptr;
}

void CJavaEnvironment::DeleteGlobalRef(jobject reference) {
  JNIEnv* env = GetEnvironment();
  if (env && reference) env->DeleteGlobalRef(reference);
}

void CJavaEnvironment::DeleteLocalRef(jobject reference) {
  JNIEnv* env = GetEnvironment();
  if (env && reference) env->DeleteLocalRef(reference);
}
