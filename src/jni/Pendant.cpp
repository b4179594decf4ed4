// The pendant: vtxPendantSetLeds, vtxPendantGetLeds, vtxPendantSetSegDisp, vtxPendantGetSegDisp,
// vtxPendantSetAudio, vtxPendantGetAudio.
//
// The LED collection and the display for a set are built here (ConstructInterface gives them a
// provider object of their own), filled through their setters and handed to the manager; both
// live for one call. Java values reach the provider as their low 32 bits; values read back are
// zero-extended.

#include <jni.h>

#include <algorithm>
#include <memory>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "wrappers/PendantWrappers.h"

namespace {

// Number of segment values the display takes: A to G and the decimal point.
constexpr jsize kSegmentCount = 8;

// The three LED arrays of Java (valid, control, blink frequency), pinned together. Element i
// of each describes LED i; only as many LEDs as the shortest array holds are handled.
class CLedArrays {
 public:
  CLedArrays(jlongArray valid, jlongArray control, jlongArray blink)
      : m_valid(valid), m_control(control), m_blink(blink) {}

  jsize Length() const { return std::min({m_valid.Length(), m_control.Length(), m_blink.Length()}); }

  // The setters log on the calling thread: a Java log method that throws stops the method.
  void SetInto(CTovikPendantLedIF& led, jsize i) const {
    led.SetLedValid(static_cast<ULONG>(m_valid[i]));
    CJavaEnvironment::CheckException();
    led.SetLedCtrl(static_cast<ULONG>(m_control[i]));
    CJavaEnvironment::CheckException();
    led.SetLedBlinkFeq(static_cast<ULONG>(m_blink[i]));
    CJavaEnvironment::CheckException();
  }

  // A missing LED reads as zeros, as its getters would yield.
  void ReadFrom(CTovikPendantLedIF* led, jsize i) const {
    m_valid[i] = led ? static_cast<jlong>(led->GetLedValid()) : 0;
    m_control[i] = led ? static_cast<jlong>(led->GetLedCtrl()) : 0;
    m_blink[i] = led ? static_cast<jlong>(led->GetLedBlinkFreq()) : 0;
  }

 private:
  CPinnedLongArray m_valid;
  CPinnedLongArray m_control;
  CPinnedLongArray m_blink;
};

// Destroys the collection built for one call (its provider object is released). Its destructor
// logs on the calling thread, so a pending Java exception is looked for afterwards.
void DestroyLeds(std::unique_ptr<CTovikPendantLedsIF>& leds) {
  leds.reset();
  CJavaEnvironment::CheckException();
}

// Number of LEDs handled: bounded by the provider's collection and every array.
ULONG LedLimit(CTovikPendantLedsIF& leds, const CLedArrays& arrays) {
  return std::min(leds.Count(), static_cast<ULONG>(arrays.Length()));
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantSetLeds(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlongArray valid, jlongArray control,
    jlongArray blinkFrequency, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxPendantSetLeds, "Pendant Set Led", "Pendant Set Led done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    std::unique_ptr<CTovikPendantLedsIF> ledsObject(new CTovikPendantLedsIF);
                    CTovikPendantLedsIF& leds = *ledsObject;
                    if (leds.ConstructInterface() && CJavaEnvironment::GetArrayLength(valid) > 0) {
                      {
                        const CLedArrays arrays(valid, control, blinkFrequency);
                        const ULONG limit = LedLimit(leds, arrays);
                        for (ULONG i = 0; i < limit; ++i) {
                          std::unique_ptr<CTovikPendantLedIF> led(leds.Item(i));
                          if (led) arrays.SetInto(*led, static_cast<jsize>(i));
                        }
                      }
                      code = facade.PendantSetLeds(static_cast<ULONG>(connection), &leds);
                    }
                    DestroyLeds(ledsObject);
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantGetLeds(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlongArray valid, jlongArray control,
    jlongArray blinkFrequency, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxPendantGetLeds);
  RunFacadeMethod(env, FACADE_METHOD(vtxPendantGetLeds, "Pendant Get Led", "Pendant Get Led done"), manager, result,
                  [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    std::unique_ptr<CTovikPendantLedsIF> ledsObject(new CTovikPendantLedsIF);
                    CTovikPendantLedsIF& leds = *ledsObject;
                    if (leds.ConstructInterface()) {
                      NATIVE_LOG(kFn) << "Getting LED items" << LogEndCheck;
                      code = facade.PendantGetLeds(static_cast<ULONG>(connection), &leds);
                      if (CJavaEnvironment::GetArrayLength(valid) > 0) {
                        const CLedArrays arrays(valid, control, blinkFrequency);  // copied back when it goes
                        const ULONG limit = LedLimit(leds, arrays);
                        for (ULONG i = 0; i < limit; ++i) {
                          NATIVE_LOG(kFn) << "Getting item " << i << LogEndCheck;
                          std::unique_ptr<CTovikPendantLedIF> led(leds.Item(i));
                          NATIVE_LOG(kFn) << "Gettting is valid " << LogEndCheck;
                          arrays.ReadFrom(led.get(), static_cast<jsize>(i));
                        }
                      }
                    }
                    DestroyLeds(ledsObject);
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantSetSegDisp(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlongArray segments, jlong displayValue1,
    jlong displayValue2, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxPendantSetSegDisp, "Pendant Set Seg Disp", "Pendant Set Seg Disp done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    jlong code = kResultNoFacade;
                    const jsize length = CJavaEnvironment::GetArrayLength(segments);
                    if (length > 0 && length < kSegmentCount) {
                      code = kResultNoInterface;  // too few segment values: nothing is called
                    } else if (length > 0) {
                      CTovikPendantDispIF display;
                      if (display.ConstructInterface()) {
                        {
                          const CPinnedLongArray values(segments);
                          display.SetSegmentA(static_cast<ULONG>(values[0]));
                          display.SetSegmentB(static_cast<ULONG>(values[1]));
                          display.SetSegmentC(static_cast<ULONG>(values[2]));
                          display.SetSegmentD(static_cast<ULONG>(values[3]));
                          display.SetSegmentE(static_cast<ULONG>(values[4]));
                          display.SetSegmentF(static_cast<ULONG>(values[5]));
                          display.SetSegmentG(static_cast<ULONG>(values[6]));
                          display.SetSegmentDecimalPoint(static_cast<ULONG>(values[7]));
                        }
                        code = facade.PendantSetSegDisp(static_cast<ULONG>(connection), &display,
                                                        static_cast<ULONG>(displayValue1),
                                                        static_cast<ULONG>(displayValue2));
                      }
                    }
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantGetSegDisp(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject displayObject, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxPendantGetSegDisp);
  RunFacadeMethod(env, FACADE_METHOD(vtxPendantGetSegDisp, "Pendant Get Seg Disp", "Pendant Get Seg done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    ULONG out1 = 0;
                    ULONG out2 = 0;
                    CTovikPendantDispIF* displayOut = nullptr;
                    const jlong code =
                        facade.PendantGetSegDisp(static_cast<ULONG>(connection), &out1, &out2, &displayOut);
                    std::unique_ptr<CTovikPendantDispIF> display(displayOut);
                    if (display) {
                      // Segment A is read once: the log line shows the value that goes to Java.
                      const ULONG a = display->GetSegmentA();
                      NATIVE_LOG(kFn) << a << LogEndCheck;
                      const ULONG b = display->GetSegmentB();
                      const ULONG c = display->GetSegmentC();
                      const ULONG d = display->GetSegmentD();
                      const ULONG e = display->GetSegmentE();
                      const ULONG f = display->GetSegmentF();
                      const ULONG g = display->GetSegmentG();
                      const ULONG point = display->GetSegmentDecimalPoint();
                      // The second output comes before the first.
                      SetDataOn(JavaClass::TovikPendantDisp, displayObject, "(JJJJJJJJJJ)V", a, b, c, d, e, f, g, point,
                                out2, out1);
                    } else {
                      NATIVE_LOG(kFn) << "no object" << LogEndCheck;
                    }
                    return code;
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantSetAudio(
    JNIEnv* env, jobject, jlong manager, jlong connection, jlong audio1, jlong audio2, jlong audio3, jlong audio4,
    jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxPendantSetAudio, "Pendant Set Audio", "Pendant Set Audio done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    const jlong code = facade.PendantSetAudio(static_cast<ULONG>(connection),
                                                              static_cast<ULONG>(audio1), static_cast<ULONG>(audio2),
                                                              static_cast<ULONG>(audio3), static_cast<ULONG>(audio4));
                    return code;
                  });
}

extern "C" JNIEXPORT jobject JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxPendantGetAudio(
    JNIEnv* env, jobject, jlong manager, jlong connection, jobject result) {
  return RunFacadeMethod(env,
                         FACADE_METHOD(vtxPendantGetAudio, "PendantGetAudio", ExitWithCode{"PendantGetAudio done "}),
                         manager, result, jobject{}, [&](CTovikManagerIF& facade, jobject& values) {
                           ULONG out1 = 0;
                           ULONG out2 = 0;
                           const jlong code = facade.PendantGetAudio(static_cast<ULONG>(connection), &out1, &out2);
                           // Whatever the result: the object carries what the provider wrote (0 otherwise).
                           CJClassWrapper valuesClass(JavaClass::TovikPendantAudioValues);
                           CJavaEnvironment::CheckException();
                           values = NewWithData(valuesClass, "(JJ)V", out1, out2).release();
                           return code;
                         });
}
