package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.LongValue;

/**
 * The one road of every client call into the library: a fresh result object, the call, its
 * Flight Recorder event, and a {@link TovikException} for a non-zero result code.
 */
final class NativeCall {
    /** A native call that reports its result code through the given {@link LongValue}. */
    @FunctionalInterface
    interface Body<T> {
        T invoke(LongValue result);
    }

    /** A native call without a value. */
    @FunctionalInterface
    interface VoidBody {
        void invoke(LongValue result);
    }

    private NativeCall() {
    }

    /**
     * Runs {@code body} and returns its value when the result code is 0.
     *
     * @throws TovikException for any other code
     */
    static <T> T call(String operation, long runtime, Body<T> body) {
        // Native methods that find no runtime leave this code in place.
        LongValue result = new LongValue(ResultCode.TOVIK_E_NO_RUNTIME.value());
        T value = record(operation, runtime, result, body);
        long code = result.get();
        if (code != 0) {
            throw new TovikException(operation, code);
        }
        return value;
    }

    static void run(String operation, long runtime, VoidBody body) {
        call(operation, runtime, r -> {
            body.invoke(r);
            return null;
        });
    }

    /** Runs {@code body} and records its event; the result code is left to the caller. */
    static <T> T record(String operation, long runtime, LongValue result, Body<T> body) {
        CallEvent event = new CallEvent();
        event.begin();
        try {
            return body.invoke(result);
        } finally {
            event.end();
            if (event.shouldCommit()) {
                long code = ResultCode.normalize(result.get());
                event.operation = operation;
                event.runtimeHandle = runtime;
                event.resultCode = code;
                event.resultName = ResultCode.nameOf(code);
                event.commit();
            }
        }
    }
}
