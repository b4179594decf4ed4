// Natives of com.holm.zep.tovik.bench.Floors: the floors of the Java
// benchmark, measured inside the same JVM as the library's figures.
#include <jni.h>

#include <chrono>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "Floors.h"

namespace {

using Clock = std::chrono::steady_clock;
using tovik::bench::DirectProvider;

template <class Setup, class Round>
jlong TimeRounds(JNIEnv* env, jint rounds, Setup setup, Round round) {
  try {
    auto subject = setup();
    const auto start = Clock::now();
    for (jint i = 0; i < rounds; ++i) round(*subject);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
  } catch (const std::exception& e) {
    // A Java exception already pending goes to the caller as it is.
    if (!env->ExceptionCheck()) env->ThrowNew(env->FindClass("java/lang/IllegalStateException"), e.what());
    return -1;
  }
}

// ANSI text as a Java string, decoded by the platform's own code page
// conversion as the library decodes it.
jstring AnsiString(JNIEnv* env, const char* text) {
  const int length = static_cast<int>(std::strlen(text));
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::vector<jchar> wide(static_cast<std::size_t>(units));
  static_assert(sizeof(jchar) == sizeof(OLECHAR));
  MultiByteToWideChar(CP_ACP, 0, text, length, reinterpret_cast<OLECHAR*>(wide.data()), units);
  return env->NewString(wide.data(), units);
}

struct DirectConnection {
  DirectProvider provider;
  ULONG handle = provider.Connect(1);
};

}  // namespace

extern "C" {

JNIEXPORT void JNICALL Java_com_holm_zep_tovik_bench_Floors_noop(JNIEnv*, jclass) {}

JNIEXPORT jstring JNICALL Java_com_holm_zep_tovik_bench_Floors_scenario(JNIEnv* env, jclass, jint modules, jint apps,
                                                                       jint selfTestBytes) {
  const std::string json = tovik::bench::Scenario(modules, apps, static_cast<std::size_t>(selfTestBytes));
  return env->NewStringUTF(json.c_str());  // plain ASCII
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_eventPingPong(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<tovik::bench::EventPingPong>(); },
      [](tovik::bench::EventPingPong& p) { p.RoundTrip(); });
}

JNIEXPORT jlongArray JNICALL Java_com_holm_zep_tovik_bench_Floors_eventRelay(JNIEnv* env, jclass, jint rounds) {
  std::vector<jlong> samples(static_cast<std::size_t>(rounds > 0 ? rounds : 0));
  {
    tovik::bench::EventRelay relay;
    for (jlong& sample : samples) sample = relay.Deliver();
  }
  jlongArray array = env->NewLongArray(static_cast<jsize>(samples.size()));
  if (array != nullptr) env->SetLongArrayRegion(array, 0, static_cast<jsize>(samples.size()), samples.data());
  return array;
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_spinPingPong(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<tovik::bench::SpinPingPong>(); },
      [](tovik::bench::SpinPingPong& p) { p.RoundTrip(); });
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directGetConStatus(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectConnection>(); },
      [](DirectConnection& d) { d.provider.GetConStatus(d.handle); });
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directModuleList(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectProvider>(); },
      [](DirectProvider& d) { d.ReadModuleList(); });
}

// The direct list read plus the Java work its result needs, with nothing of the
// library: per call the class and method look-ups, per module the name as a
// Java string (decoded from Windows-1252 as the library does), the object, its
// setData call and its place in the array.
JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directModuleListToJava(JNIEnv* env, jclass,
                                                                                    jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectProvider>(); },
      [env](DirectProvider& d) {
        jclass itemClass = env->FindClass("com/holm/zep/tovik/api/jni/TovikVciItem");
        jmethodID init = env->GetMethodID(itemClass, "<init>", "()V");
        jmethodID setData = env->GetMethodID(itemClass, "setData", "(JLjava/lang/String;JJJ)V");
        jobjectArray array = nullptr;
        jsize stored = 0;
        d.ReadModuleList([&](const DirectProvider::Module& m) {
          if (array == nullptr) array = env->NewObjectArray(static_cast<jsize>(m.count), itemClass, nullptr);
          jstring name = m.name != nullptr ? AnsiString(env, m.name) : nullptr;
          jobject item = env->NewObject(itemClass, init);
          if (env->ExceptionCheck()) throw std::runtime_error("TovikVciItem()");
          env->CallVoidMethod(item, setData, static_cast<jlong>(m.state), name, static_cast<jlong>(m.serialNumber),
                              static_cast<jlong>(m.vciInterface), static_cast<jlong>(m.type));
          if (env->ExceptionCheck()) throw std::runtime_error("TovikVciItem.setData");
          env->SetObjectArrayElement(array, stored++, item);
          if (name != nullptr) env->DeleteLocalRef(name);
          env->DeleteLocalRef(item);
        });
        env->DeleteLocalRef(array);
        env->DeleteLocalRef(itemClass);
      });
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directAppsPc(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectProvider>(); }, [](DirectProvider& d) { d.ReadAppsPc(); });
}

// The same for the third PC catalogue: per entry four texts (an empty one as
// "") and two numbers through TovikAppPcItem's setData.
JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directAppsPcToJava(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectProvider>(); },
      [env](DirectProvider& d) {
        jclass itemClass = env->FindClass("com/holm/zep/tovik/api/jni/TovikAppPcItem");
        jmethodID init = env->GetMethodID(itemClass, "<init>", "()V");
        jmethodID setData = env->GetMethodID(
            itemClass, "setData", "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJ)V");
        jobjectArray array = nullptr;
        jsize stored = 0;
        d.ReadAppsPc([&](const DirectProvider::AppPc& a) {
          if (array == nullptr) array = env->NewObjectArray(static_cast<jsize>(a.count), itemClass, nullptr);
          const auto text = [env](const char* ansi) { return AnsiString(env, ansi != nullptr ? ansi : ""); };
          jstring texts[] = {text(a.name), text(a.versionText), text(a.branch), text(a.dateText)};
          jobject item = env->NewObject(itemClass, init);
          if (env->ExceptionCheck()) throw std::runtime_error("TovikAppPcItem()");
          env->CallVoidMethod(item, setData, texts[0], texts[1], texts[2], texts[3], static_cast<jlong>(a.moduleType),
                              static_cast<jlong>(a.app));
          if (env->ExceptionCheck()) throw std::runtime_error("TovikAppPcItem.setData");
          env->SetObjectArrayElement(array, stored++, item);
          for (jstring text : texts) env->DeleteLocalRef(text);
          env->DeleteLocalRef(item);
        });
        env->DeleteLocalRef(array);
        env->DeleteLocalRef(itemClass);
      });
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directSelfTest(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectConnection>(); },
      [](DirectConnection& d) { d.provider.ReadSelfTest(d.handle); });
}

}  // extern "C"
