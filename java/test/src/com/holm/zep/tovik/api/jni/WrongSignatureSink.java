package com.holm.zep.tovik.api.jni;

import java.util.concurrent.atomic.AtomicInteger;

/** A class whose "log" methods have every shape but the one the library calls. */
public final class WrongSignatureSink {
    static final String CLASS_NAME = "com/holm/zep/tovik/api/jni/WrongSignatureSink";
    static final AtomicInteger CALLS = new AtomicInteger();

    private WrongSignatureSink() {
    }

    public static int log(String line) {
        return CALLS.incrementAndGet();
    }

    public static void log(Object line) {
        CALLS.incrementAndGet();
    }

    /** Not static. */
    public void write(String line) {
        CALLS.incrementAndGet();
    }
}
