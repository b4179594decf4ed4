package com.holm.zep.tovik.sim;

import com.holm.zep.tovik.api.jni.NativeLibraryLoader;
import java.lang.invoke.MethodHandles;
import java.util.ArrayList;
import java.util.List;

/**
 * Control surface of the virtual provider (libTovikProviderSim.so) for tests and the
 * command-line tool: scenarios, injected faults, events, the journal of provider calls
 * and the model's state. Loading this class loads the provider, which registers its
 * classes with the COM runtime; load it before the library creates its first runtime.
 *
 * <p>Method keys are "Interface.Method" as the provider declares it, e.g.
 * "ITovikManager.GetModuleIds", "ITovikVciItems.Item", "ITovikByteBuffer.Length";
 * property writes are "Interface.put_Property". The scenario format is described in
 * docs/SCENARIOS.md.
 */
public final class VirtualProvider {
    static {
        // The copy this jar carries (found through this class, so through this jar's own loader
        // or module), else java.library.path.
        NativeLibraryLoader.load(MethodHandles.lookup(), "TovikProviderSim");
    }

    private VirtualProvider() {
    }

    /** Live-object counters of the platform stand-in. */
    public record PlatformCounters(long liveBstrs, long liveSafeArrays, long liveLocalAllocs, long gitEntries) {
    }

    // ---- scenarios

    /** Back to the default workshop; clears faults, journal, events, connections, jobs. */
    public static native void reset();

    /** Replaces the workshop; a malformed scenario throws IllegalArgumentException naming the problem. */
    public static native void loadScenario(String json);

    /** As {@link #loadScenario(String)}, from a file. */
    public static native void loadScenarioFile(String path);

    /** The built-in default scenario as JSON text. */
    public static native String defaultScenario();

    // ---- faults

    /** The method fails with this HRESULT (once or every time), with an optional error description. */
    public static native void failMethod(String key, int hresult, boolean once, String description);

    public static void failMethod(String key, int hresult) {
        failMethod(key, hresult, false, null);
    }

    /** The method's own result value is replaced by {@code result}. */
    public static native void setResult(String key, int result);

    /** The method hands out no interface (the output stays null). */
    public static native void withholdOutput(String key);

    /** The element at {@code index} of every list of this interface is missing (null). */
    public static native void setMissingItem(String listInterface, long index);

    /** Byte buffers handed out from now on report this length. */
    public static native void setByteBufferLength(int claimedLength);

    public static native void clearFaults();

    // ---- events

    /** Queues an event for every registered manager (or for the next one to register). */
    public static native void postEvent(long first, long second, long third);

    /** Number of managers blocked in the provider's wait for events. */
    public static native int waitingCount();

    /** Waits (without spinning) until {@code count} managers wait, or the time-out ends. */
    public static native boolean waitForWaiters(int count, int timeoutMs);

    public static native int queuedEventCount();

    // ---- journal and objects

    /** Every provider call since the last clear, e.g. "ITovikManager.Connect(1, 4294967295)". */
    public static native String[] journal();

    /** The journal lines that start with {@code prefix}. */
    public static List<String> journal(String prefix) {
        List<String> lines = new ArrayList<>();
        for (String line : journal()) {
            if (line.startsWith(prefix)) {
                lines.add(line);
            }
        }
        return lines;
    }

    public static native void clearJournal();

    /** Number of provider objects alive. */
    public static native long liveObjects();

    public static PlatformCounters platformCounters() {
        long[] c = nativePlatformCounters();
        return new PlatformCounters(c[0], c[1], c[2], c[3]);
    }

    private static native long[] nativePlatformCounters();

    /**
     * Makes the platform's allocations (LocalAlloc blocks, BSTRs, safe arrays) above
     * {@code bytes} fail, so that allocation-failure paths can be driven; 0 lifts the limit.
     */
    public static native void setAllocationLimit(long bytes);

    // ---- model state

    public static native int connectionCount();

    public static native long[] connectionHandles();

    /** Bytes of a stored client block, or null when there is none. */
    public static native byte[] storedBlock(long serial, String id, long location);

    /** "location:id" of every block stored on the module. */
    public static native String[] storedBlockIds(long serial);

    /** Valid, control, blink frequency of each LED, one triple after the other. */
    public static native long[] pendantLeds(long serial);

    /** Segments A to G, decimal point, then the two display values. */
    public static native long[] pendantSegments(long serial);

    /** The four audio values last set. */
    public static native long[] pendantAudio(long serial);

    /** The two texts (null as "null") and the flag of the last InitializeRuntime. */
    public static native String[] lastInitializeRuntime();

    public static native long[] lastRegistration();

    public static native long[] installedApps(long serial);

    /** The automatic-Wi-Fi switch as received (VARIANT_BOOL: -1 true, 0 false). */
    public static native int autoWifiSwitch();

    public static native int manualScanSwitch();
}
