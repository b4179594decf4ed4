// JNI side of com.holm.zep.tovik.sim.VirtualProvider: the control surface for
// Java tests and the command-line tool. Java strings cross as UTF-16.

#if defined(TOVIK_SIM_JNI)

#include <jni.h>

#include <string>
#include <vector>

#include "Text.h"
#include "tovik/platform.h"
#include "tovik/sim/VirtualProvider.h"

namespace {

namespace sim = tovik::sim;

// The UTF-8 form of a Java string; null gives the empty text.
std::string FromJava(JNIEnv* env, jstring text) {
  if (text == nullptr) return {};
  const jsize length = env->GetStringLength(text);
  const jchar* chars = env->GetStringChars(text, nullptr);
  if (chars == nullptr) return {};
  std::string out = sim::Utf8FromUtf16(reinterpret_cast<const OLECHAR*>(chars), static_cast<std::size_t>(length));
  env->ReleaseStringChars(text, chars);
  return out;
}

jstring ToJava(JNIEnv* env, const std::string& text) {
  const sim::OleString wide = sim::Utf16FromUtf8(text);
  return env->NewString(reinterpret_cast<const jchar*>(wide.data()), static_cast<jsize>(wide.size()));
}

jobjectArray Strings(JNIEnv* env, const std::vector<std::string>& lines) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(lines.size()), stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  if (array == nullptr) return nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    jstring line = ToJava(env, lines[i]);
    if (line == nullptr) return nullptr;
    env->SetObjectArrayElement(array, static_cast<jsize>(i), line);
    env->DeleteLocalRef(line);
  }
  return array;
}

template <class T>
jlongArray Longs(JNIEnv* env, const std::vector<T>& values) {
  std::vector<jlong> wide(values.begin(), values.end());
  jlongArray array = env->NewLongArray(static_cast<jsize>(wide.size()));
  if (array != nullptr) env->SetLongArrayRegion(array, 0, static_cast<jsize>(wide.size()), wide.data());
  return array;
}

void ThrowIllegalArgument(JNIEnv* env, const std::string& message) {
  jclass type = env->FindClass("java/lang/IllegalArgumentException");
  if (type == nullptr) return;
  const sim::OleString wide = sim::Utf16FromUtf8(message);
  // ThrowNew takes modified UTF-8; build the exception from a proper string instead.
  jmethodID constructor = env->GetMethodID(type, "<init>", "(Ljava/lang/String;)V");
  jstring text = env->NewString(reinterpret_cast<const jchar*>(wide.data()), static_cast<jsize>(wide.size()));
  if (constructor != nullptr && text != nullptr) {
    jobject exception = env->NewObject(type, constructor, text);
    if (exception != nullptr) {
      env->Throw(static_cast<jthrowable>(exception));
      env->DeleteLocalRef(exception);
    }
  }
  if (text) env->DeleteLocalRef(text);
  env->DeleteLocalRef(type);
}

std::uint32_t Low32(jlong value) { return static_cast<std::uint32_t>(value); }

}  // namespace

#define SIM_JNI(ret, name) extern "C" JNIEXPORT ret JNICALL Java_com_holm_zep_tovik_sim_VirtualProvider_##name

SIM_JNI(void, reset)(JNIEnv*, jclass) { sim::Reset(); }

SIM_JNI(void, loadScenario)(JNIEnv* env, jclass, jstring json) {
  std::string error;
  if (json == nullptr) {
    ThrowIllegalArgument(env, "scenario: no text");
  } else if (!sim::LoadScenarioJson(FromJava(env, json), &error)) {
    ThrowIllegalArgument(env, error);
  }
}

SIM_JNI(void, loadScenarioFile)(JNIEnv* env, jclass, jstring path) {
  std::string error;
  if (!sim::LoadScenarioFile(FromJava(env, path), &error)) ThrowIllegalArgument(env, error);
}

SIM_JNI(jstring, defaultScenario)(JNIEnv* env, jclass) { return ToJava(env, sim::DefaultScenarioJson()); }

SIM_JNI(void, failMethod)(JNIEnv* env, jclass, jstring key, jint hr, jboolean once, jstring description) {
  sim::FailMethod(FromJava(env, key), hr, once == JNI_TRUE, FromJava(env, description));
}

SIM_JNI(void, setResult)(JNIEnv* env, jclass, jstring key, jint result) {
  sim::SetResult(FromJava(env, key), result);
}

SIM_JNI(void, withholdOutput)(JNIEnv* env, jclass, jstring key) { sim::WithholdOutput(FromJava(env, key)); }

SIM_JNI(void, setMissingItem)(JNIEnv* env, jclass, jstring listInterface, jlong index) {
  sim::SetMissingItem(FromJava(env, listInterface), Low32(index));
}

SIM_JNI(void, setByteBufferLength)(JNIEnv*, jclass, jint length) { sim::SetByteBufferLength(length); }

SIM_JNI(void, clearFaults)(JNIEnv*, jclass) { sim::ClearFaults(); }

SIM_JNI(void, postEvent)(JNIEnv*, jclass, jlong first, jlong second, jlong third) {
  sim::PostEvent(Low32(first), Low32(second), Low32(third));
}

SIM_JNI(jint, waitingCount)(JNIEnv*, jclass) { return sim::WaitingCount(); }

SIM_JNI(jboolean, waitForWaiters)(JNIEnv*, jclass, jint count, jint timeoutMs) {
  return sim::WaitForWaiters(count, timeoutMs) ? JNI_TRUE : JNI_FALSE;
}

SIM_JNI(jint, queuedEventCount)(JNIEnv*, jclass) { return sim::QueuedEventCount(); }

SIM_JNI(jobjectArray, journal)(JNIEnv* env, jclass) { return Strings(env, sim::Journal()); }

SIM_JNI(void, clearJournal)(JNIEnv*, jclass) { sim::ClearJournal(); }

SIM_JNI(void, setJournalCapacity)(JNIEnv*, jclass, jint lines) {
  sim::SetJournalCapacity(lines > 0 ? static_cast<std::size_t>(lines) : 1);
}

SIM_JNI(jlong, journalDropped)(JNIEnv*, jclass) { return static_cast<jlong>(sim::JournalDropped()); }

SIM_JNI(void, armPausePoint)(JNIEnv* env, jclass, jstring point) { sim::ArmPausePoint(FromJava(env, point)); }

SIM_JNI(jboolean, waitPaused)(JNIEnv* env, jclass, jstring point, jint timeoutMs) {
  return sim::WaitPaused(FromJava(env, point), timeoutMs) ? JNI_TRUE : JNI_FALSE;
}

SIM_JNI(void, resumePoint)(JNIEnv* env, jclass, jstring point) { sim::ResumePoint(FromJava(env, point)); }

SIM_JNI(jlong, liveObjects)(JNIEnv*, jclass) { return sim::LiveObjects(); }

SIM_JNI(jlongArray, nativePlatformCounters)(JNIEnv* env, jclass) {
  return Longs(env, std::vector<std::size_t>{standin::LiveBstrCount(), standin::LiveSafeArrayCount(),
                                             standin::LiveLocalAllocCount(), standin::GitEntryCount()});
}

SIM_JNI(void, setAllocationLimit)(JNIEnv*, jclass, jlong bytes) {
  standin::SetAllocationLimit(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
}

SIM_JNI(jint, connectionCount)(JNIEnv*, jclass) { return sim::ConnectionCount(); }

SIM_JNI(jlongArray, connectionHandles)(JNIEnv* env, jclass) { return Longs(env, sim::ConnectionHandles()); }

SIM_JNI(jbyteArray, storedBlock)(JNIEnv* env, jclass, jlong serial, jstring id, jlong location) {
  std::vector<std::uint8_t> bytes;
  if (!sim::StoredBlock(Low32(serial), FromJava(env, id), Low32(location), &bytes)) return nullptr;
  jbyteArray array = env->NewByteArray(static_cast<jsize>(bytes.size()));
  if (array != nullptr)
    env->SetByteArrayRegion(array, 0, static_cast<jsize>(bytes.size()), reinterpret_cast<const jbyte*>(bytes.data()));
  return array;
}

SIM_JNI(jobjectArray, storedBlockIds)(JNIEnv* env, jclass, jlong serial) {
  std::vector<std::string> ids;
  for (const auto& block : sim::StoredBlocks(Low32(serial)))
    ids.push_back(std::to_string(block.location) + ":" + block.id);
  return Strings(env, ids);
}

SIM_JNI(jlongArray, pendantLeds)(JNIEnv* env, jclass, jlong serial) {
  std::vector<std::uint32_t> values;
  for (const auto& led : sim::PendantLeds(Low32(serial))) {
    values.push_back(led.valid);
    values.push_back(led.control);
    values.push_back(led.blinkFrequency);
  }
  return Longs(env, values);
}

SIM_JNI(jlongArray, pendantSegments)(JNIEnv* env, jclass, jlong serial) {
  return Longs(env, sim::PendantSegments(Low32(serial)));
}

SIM_JNI(jlongArray, pendantAudio)(JNIEnv* env, jclass, jlong serial) {
  return Longs(env, sim::PendantAudio(Low32(serial)));
}

SIM_JNI(jobjectArray, lastInitializeRuntime)(JNIEnv* env, jclass) {
  return Strings(env, sim::LastInitializeRuntime());
}

SIM_JNI(jlongArray, lastRegistration)(JNIEnv* env, jclass) { return Longs(env, sim::LastRegistration()); }

SIM_JNI(jlongArray, installedApps)(JNIEnv* env, jclass, jlong serial) {
  return Longs(env, sim::InstalledApps(Low32(serial)));
}

SIM_JNI(jint, autoWifiSwitch)(JNIEnv*, jclass) { return sim::AutoWifiSwitch(); }

SIM_JNI(jint, manualScanSwitch)(JNIEnv*, jclass) { return sim::ManualScanSwitch(); }

#endif  // TOVIK_SIM_JNI
