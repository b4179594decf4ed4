package com.holm.zep.tovik.api.jni;

/**
 * Main class of a process test: names log classes that do not exist (ASCII and not) and then
 * runs a runtime, so the parent can count the library's "Could not find class" lines and see
 * that the virtual machine survived -Xcheck:jni.
 */
public final class UnknownLogClassMain {
    static final String[] NAMES = {"no/SuchClass", "rel/L\u00f6gger", "x\u00e9", "x\u20ac"};

    private UnknownLogClassMain() {
    }

    public static void main(String[] args) {
        BridgeTestSupport.loadLibraries();
        TovikApiManager manager = new TovikApiManager();
        for (String name : NAMES) {
            try {
                manager.vtxSetLogClass(name, "log");
                System.out.println("not thrown for " + name);
            } catch (NoClassDefFoundError e) {
                System.out.println("thrown for " + name);
            }
            LongValue result = new LongValue(-1);
            long handle = manager.vtxInitializeRuntime("first", "second", false, result);
            manager.vtxConfigureUsbInterface(handle, result);
            manager.vtxShutdownRuntime(handle);
            System.out.println("then result=" + result.get());
        }
        manager.vtxSetLogClass(null, null);
        System.out.flush();
    }
}
