package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.test.CapturingLogSink;

/**
 * Main class of the process test: names a log class, starts a runtime (whose command thread
 * logs, and is therefore attached to the virtual machine) and returns from main without
 * System.exit and without shutting the runtime down. The process must end by itself.
 */
public final class LoggingMain {
    private LoggingMain() {
    }

    public static void main(String[] args) {
        BridgeTestSupport.loadLibraries();
        TovikApiManager manager = new TovikApiManager();
        manager.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
        LongValue result = new LongValue(-1);
        long handle = manager.vtxInitializeRuntime("first", "second", false, result);
        manager.vtxConfigureUsbInterface(handle, result);

        long fromOtherThreads = CapturingLogSink.records().stream()
                .filter(line -> line.thread() != Thread.currentThread())
                .count();
        System.out.println("handle=" + handle + " result=" + result.get()
                + " commandThreadLines=" + fromOtherThreads);
    }
}
