package com.holm.zep.tovik.bench;

/**
 * Floors of the Java benchmark, made natively in this JVM (libTovikBenchFloors.so): a JNI
 * call that does nothing, two-thread ping-pongs, and the provider reads made directly on the
 * calling thread. The timed natives return the nanoseconds that {@code rounds} rounds took.
 */
final class Floors {
    static {
        System.loadLibrary("TovikBenchFloors");
    }

    private Floors() {
    }

    static native void noop();

    /** A scenario with this many modules, PC catalogue entries and self-test bytes. */
    static native String scenario(int modules, int apps, int selfTestBytes);

    static native long eventPingPong(int rounds);

    static native long spinPingPong(int rounds);

    /** Per delivery, the ns of the wake-ups a posted event's delivery takes, made bare. */
    static native long[] eventRelay(int rounds);

    static native long directGetConStatus(int rounds);

    static native long directModuleList(int rounds);

    /** The direct module list read plus the Java objects, strings and array its result needs. */
    static native long directModuleListToJava(int rounds);

    static native long directAppsPc(int rounds);

    /** The direct read of the third PC catalogue plus the Java objects its result needs. */
    static native long directAppsPcToJava(int rounds);

    static native long directSelfTest(int rounds);
}
