// Events: vtxRegisterForEvents, vtxWaitForEvents, vtxCancelEventNotification.
//
// vtxWaitForEvents blocks the calling Java thread until the facade's event thread reports the
// end of a provider wait, then drains every pending event into the TovikEventQueue Java passed
// in. The events are stored into the array as they come, so any number of them holds only a
// few local references at a time.

#include <jni.h>

#include <vector>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"

namespace {

constexpr char kWaitForEvents[] = TOVIK_NATIVE_NAME(vtxWaitForEvents);

constexpr char kEventConstructor[] = "(JJJ)V";
constexpr char kQueueSetData[] = "([Lcom/holm/zep/tovik/api/jni/TovikEvent;)V";

// Takes every pending event from the provider, in its order, and hands them to the queue as
// one TovikEvent[] (empty when there are none).
void DrainEvents(CTovikManagerIF& facade, jobject queue) {
  CJClassWrapper eventClass(JavaClass::TovikEvent);
  CJavaEnvironment::CheckException();
  CJObjectArrayBuilder events(eventClass, 0);
  // All of them in one command, then the Java objects.
  std::vector<TovikEventValues> pending;
  facade.GetNextEvents(&pending);
  for (const TovikEventValues& e : pending) {
    NATIVE_LOG(kWaitForEvents) << "Adding event " << e.first << " " << e.second << " " << e.third << LogEndCheck;
    events.Add(NewWithConstructor(eventClass, kEventConstructor, e.first, e.second, e.third));  // zero-extended
  }
  CLocalRef<jobjectArray> array(events.Finish());
  SetDataOn(JavaClass::TovikEventQueue, queue, kQueueSetData, static_cast<jobject>(array.get()));
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxRegisterForEvents(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jobject result) {
  RunFacadeMethod(env,
                  FACADE_METHOD(vtxRegisterForEvents, (EntryWithValue{"Register For Events ", first, true}),
                                "Register For Events done"),
                  manager, result, [&](CTovikManagerIF& facade) {
                    return facade.RegisterForEvents(static_cast<ULONG>(first), static_cast<ULONG>(second));
                  });
}

extern "C" JNIEXPORT jboolean JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxWaitForEvents(JNIEnv* env,
                                                                                                       jobject,
                                                                                                       jlong manager,
                                                                                                       jobject queue) {
  return RunNativeFrame(env, jboolean{JNI_TRUE}, [&](jboolean& waitEnded) {
    NATIVE_LOG(kWaitForEvents) << "Wait for events" << LogEndCheck;
    // The reference keeps the facade alive while this thread waits, also through a shutdown.
    if (FacadeRef facade = FindFacade(manager)) {
      if (facade->WaitForEvents() == 0) {
        NATIVE_LOG(kWaitForEvents) << "LOG processing events" << LogEndCheck;
        waitEnded = JNI_FALSE;
        DrainEvents(*facade, queue);
      }
    }
    NATIVE_LOG(kWaitForEvents) << "Wait for events done " << (waitEnded ? 1 : 0) << LogEndCheck;
  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxCancelEventNotification(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  RunFacadeMethod(env,
                  FACADE_METHOD(vtxCancelEventNotification, "Cancel Event Notification", "CancelEventNotification OK"),
                  manager, result, [](CTovikManagerIF& facade) {
                    facade.CancelEventNotification();
                    return 0;
                  });
}
