package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.ArrayList;
import java.util.List;
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
    static final Pattern LINE = CapturingLogSink.LINE;

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
        return CapturingLogSink.messageOf(function, line);
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
            return RuntimeFixture.stripArguments(VirtualProvider.journal(prefix));
        }

        /** `calls` in their order, `times` times over: the calls made for each element of a list. */
        static List<String> times(int times, String... calls) {
            List<String> all = new ArrayList<>();
            for (int i = 0; i < times; i++) {
                all.addAll(List.of(calls));
            }
            return all;
        }

        /** The journal lines of an element method for the indices 0 to count - 1: "X.Item(0)", ... */
        static List<String> indexed(String key, int count) {
            List<String> lines = new ArrayList<>();
            for (int i = 0; i < count; i++) {
                lines.add(key + "(" + i + ")");
            }
            return lines;
        }

        /** Joins lists of calls into one expected journal. */
        @SafeVarargs
        static List<String> sequence(List<String>... parts) {
            List<String> all = new ArrayList<>();
            for (List<String> part : parts) {
                all.addAll(part);
            }
            return all;
        }

        /** Live provider objects and the platform counters, as one comparable text. */
        static String snapshot() {
            return "liveObjects=" + VirtualProvider.liveObjects() + " platform="
                    + VirtualProvider.platformCounters();
        }
    }
}
