// Native side of NativeSmokeTest: static calls by name from a Java thread and from a native
// thread attached to the virtual machine, as the library makes them, so that the Java test runs
// prove their own class path set-up.
#include <jni.h>

#include <string>
#include <thread>

namespace {

// Deletes a local reference when it leaves scope.
template <typename T>
class LocalRef {
public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    ~LocalRef() {
        if (ref_ != nullptr) {
            env_->DeleteLocalRef(ref_);
        }
    }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    T get() const { return ref_; }

private:
    JNIEnv* env_;
    T ref_;
};

// Modified UTF-8 text of a Java string; empty for null.
std::string utfText(JNIEnv* env, jstring text) {
    if (text == nullptr) {
        return {};
    }
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (chars == nullptr) {
        return {};
    }
    std::string copy(chars);
    env->ReleaseStringUTFChars(text, chars);
    return copy;
}

// Calls the static method className.methodName(String) with line; false when the class or
// the method is missing (the lookup's exception is cleared) or the method threw (its
// exception stays pending).
bool callStaticStringMethod(JNIEnv* env, const std::string& className,
                            const std::string& methodName, const std::string& line) {
    LocalRef<jclass> cls(env, env->FindClass(className.c_str()));
    if (cls.get() == nullptr) {
        env->ExceptionClear();
        return false;
    }
    jmethodID method = env->GetStaticMethodID(cls.get(), methodName.c_str(), "(Ljava/lang/String;)V");
    if (method == nullptr) {
        env->ExceptionClear();
        return false;
    }
    LocalRef<jstring> text(env, env->NewStringUTF(line.c_str()));
    if (text.get() == nullptr) {
        return false;
    }
    env->CallStaticVoidMethod(cls.get(), method, text.get());
    return env->ExceptionCheck() == JNI_FALSE;
}

}  // namespace

extern "C" {

JNIEXPORT jboolean JNICALL
Java_com_holm_zep_tovik_api_jni_NativeSmokeTest_callStatic(JNIEnv* env, jclass, jstring className,
                                                           jstring methodName, jstring line) {
    return callStaticStringMethod(env, utfText(env, className), utfText(env, methodName),
                                  utfText(env, line))
               ? JNI_TRUE
               : JNI_FALSE;
}

// As callStatic, but from a new native thread that attaches itself to the virtual machine
// and detaches before it ends, like the library's command thread.
JNIEXPORT jboolean JNICALL
Java_com_holm_zep_tovik_api_jni_NativeSmokeTest_callStaticFromNativeThread(
    JNIEnv* env, jclass, jstring className, jstring methodName, jstring line) {
    JavaVM* vm = nullptr;
    if (env->GetJavaVM(&vm) != JNI_OK) {
        return JNI_FALSE;
    }
    const std::string cls = utfText(env, className);
    const std::string method = utfText(env, methodName);
    const std::string text = utfText(env, line);
    bool called = false;
    std::thread worker([&] {
        JNIEnv* threadEnv = nullptr;
        if (vm->AttachCurrentThread(reinterpret_cast<void**>(&threadEnv), nullptr) != JNI_OK) {
            return;
        }
        called = callStaticStringMethod(threadEnv, cls, method, text);
        // The thread has no Java caller to hand a pending exception to.
        threadEnv->ExceptionClear();
        vm->DetachCurrentThread();
    });
    worker.join();
    return called ? JNI_TRUE : JNI_FALSE;
}

}  // extern "C"
