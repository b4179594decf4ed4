package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/** Shared set-up of the bridge tests: libraries, the manager, the virtual provider. */
final class BridgeTestSupport {
    static final String PREFIX = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_";
    static final String INITIALIZE = PREFIX + "vtxInitializeRuntime";
    static final String SHUTDOWN = PREFIX + "vtxShutdownRuntime";
    static final String CONFIGURE_USB = PREFIX + "vtxConfigureUsbInterface";
    static final String CONFIGURE_WIFI = PREFIX + "vtxConfigureWifiInterface";

    static final long NO_FACADE = 0x50000007L;
    static final long INVALID_HANDLE = 0xFFFFFFFFL;

    /** "function:line: message", the function a native method's name or "Class::Member". */
    static final Pattern LINE =
            Pattern.compile("([A-Za-z_][A-Za-z0-9_]*(?:::[A-Za-z_][A-Za-z0-9_]*)?):([0-9]+): (.*)",
                    Pattern.DOTALL);

    static final TovikApiManager MANAGER = new TovikApiManager();

    private static boolean loaded;

    private BridgeTestSupport() {
    }

    static synchronized void loadLibraries() {
        if (!loaded) {
            TovikApiManager.loadLibrary();
            Sim.load();
            loaded = true;
        }
    }

    /** Initialises a runtime that must succeed and returns its handle. */
    static long initialize() {
        LongValue result = new LongValue(-1);
        long handle = MANAGER.vtxInitializeRuntime("first", "second", false, result);
        if (result.get() != 0 || handle == INVALID_HANDLE) {
            throw new AssertionError("runtime not initialised: " + handle + " " + result);
        }
        return handle;
    }

    /** The message of a well-formed line of `function`, or null for other lines. */
    static String messageOf(String function, String line) {
        Matcher m = LINE.matcher(line);
        return m.matches() && m.group(1).equals(function) ? m.group(3) : null;
    }

    /** The virtual provider's control surface as the bridge tests use it. */
    static final class Sim {
        private Sim() {
        }

        static void load() {
            // Loading the class loads the provider, which registers its classes.
            VirtualProvider.clearFaults();
        }

        static void reset() {
            VirtualProvider.reset();
        }

        static void failMethod(String key, int hresult) {
            VirtualProvider.failMethod(key, hresult);
        }

        static void setResult(String key, int result) {
            VirtualProvider.setResult(key, result);
        }

        static void clearJournal() {
            VirtualProvider.clearJournal();
        }

        static List<String> journal(String prefix) {
            return new ArrayList<>(VirtualProvider.journal(prefix));
        }

        /**
         * The journal lines starting with `prefix` without their arguments, in call order with
         * every repeat: "ITovikVciItems.Item(1)" gives "ITovikVciItems.Item".
         */
        static List<String> calls(String prefix) {
            List<String> calls = new ArrayList<>();
            for (String line : VirtualProvider.journal(prefix)) {
                int paren = line.indexOf('(');
                calls.add(paren < 0 ? line : line.substring(0, paren));
            }
            return calls;
        }

        /** Live provider objects and the platform counters, as one comparable text. */
        static String snapshot() {
            return "liveObjects=" + VirtualProvider.liveObjects() + " platform="
                    + VirtualProvider.platformCounters();
        }
    }
}
