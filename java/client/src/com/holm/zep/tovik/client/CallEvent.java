package com.holm.zep.tovik.client;

import jdk.jfr.Category;
import jdk.jfr.Description;
import jdk.jfr.Enabled;
import jdk.jfr.Event;
import jdk.jfr.Label;
import jdk.jfr.Name;
import jdk.jfr.StackTrace;

/**
 * JDK Flight Recorder event of one client call into the native library: which operation, on
 * which runtime, how long it took (the event's duration) and the result code it reported.
 *
 * <p>Besides the operations a caller asks for, a runtime records its waiter thread's waits
 * ({@code vtxWaitForEvents}, lasting as long as the wait) and, on close, the cancellation and
 * the shutdown.
 *
 * <p>Off unless a recording enables {@value #NAME}; a disabled event is never committed and its
 * fields are never filled, so calls cost what they cost without it. To record it, e.g.
 * {@code java -XX:StartFlightRecording:settings=profile,+com.holm.zep.tovik.Call#enabled=true}
 * or, in code, {@code recording.enable(CallEvent.NAME)}.
 */
@Name(CallEvent.NAME)
@Label("Tovik Call")
@Category({"Tovik", "Native calls"})
@Description("One call of the Tovik client into the native library")
@Enabled(false)
@StackTrace(false)
public final class CallEvent extends Event {
    /** The event's name in a recording. */
    public static final String NAME = "com.holm.zep.tovik.Call";

    @Label("Operation")
    @Description("The native method called, e.g. vtxGetModuleIds")
    String operation;

    @Label("Runtime Handle")
    @Description("The manager handle of the runtime (0xFFFFFFFF while none is open)")
    long runtimeHandle;

    @Label("Result Code")
    @Description("The result code's low 32 bits; 0 is success")
    long resultCode;

    @Label("Result Name")
    @Description("The result code's name")
    String resultName;

    /** Only the client creates these events. */
    CallEvent() {
    }
}
