// Natives of com.holm.zep.tovik.bench.Floors: the floors of the Java
// benchmark, measured inside the same JVM as the library's figures.
#include <jni.h>

#include <chrono>
#include <exception>
#include <memory>
#include <string>

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
    env->ThrowNew(env->FindClass("java/lang/IllegalStateException"), e.what());
    return -1;
  }
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

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directAppsPc(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectProvider>(); }, [](DirectProvider& d) { d.ReadAppsPc(); });
}

JNIEXPORT jlong JNICALL Java_com_holm_zep_tovik_bench_Floors_directSelfTest(JNIEnv* env, jclass, jint rounds) {
  return TimeRounds(
      env, rounds, [] { return std::make_unique<DirectConnection>(); },
      [](DirectConnection& d) { d.provider.ReadSelfTest(d.handle); });
}

}  // extern "C"
