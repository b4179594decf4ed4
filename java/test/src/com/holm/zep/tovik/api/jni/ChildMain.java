package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.test.CapturingLogSink;

/**
 * Main class of the process tests. "return-from-main" names a log class, starts a runtime
 * (whose command thread logs, and is therefore attached to the virtual machine) and returns
 * without System.exit and without shutting the runtime down: the process must end by itself.
 * "unknown-classes" names log classes that do not exist (ASCII and not) and then runs a runtime
 * each time, so the parent can count the library's "Could not find class" lines.
 */
public final class ChildMain {
    static final String[] UNKNOWN_CLASSES = {"no/SuchClass", "rel/L\u00f6gger", "x\u00e9", "x\u20ac"};

    private ChildMain() {
    }

    public static void main(String[] args) {
        RuntimeFixture.loadLibraries();
        TovikApiManager manager = new TovikApiManager();
        LongValue result = new LongValue(-1);
        if (args[0].equals("return-from-main")) {
            manager.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
            long handle = manager.vtxInitializeRuntime("first", "second", false, result);
            manager.vtxConfigureUsbInterface(handle, result);
            long fromOtherThreads = CapturingLogSink.records().stream()
                    .filter(line -> line.thread() != Thread.currentThread()).count();
            System.out.println("handle=" + handle + " result=" + result.get() + " commandThreadLines="
                    + fromOtherThreads);
            return;
        }
        for (String name : UNKNOWN_CLASSES) {
            try {
                manager.vtxSetLogClass(name, "log");
                System.out.println("not thrown for " + name);
            } catch (NoClassDefFoundError e) {
                System.out.println("thrown for " + name);
            }
            long handle = manager.vtxInitializeRuntime("first", "second", false, result);
            manager.vtxConfigureUsbInterface(handle, result);
            manager.vtxShutdownRuntime(handle);
            System.out.println("then result=" + result.get());
        }
        manager.vtxSetLogClass(null, null);
        System.out.flush();
    }
}
