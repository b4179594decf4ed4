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

    /**
     * Replaces the workshop; a malformed scenario throws IllegalArgumentException naming the
     * problem.
     *
     * @param json the scenario as JSON text (the format is in docs/SCENARIOS.md)
     */
    public static native void loadScenario(String json);

    /**
     * As {@link #loadScenario(String)}, from a file.
     *
     * @param path the scenario file
     */
    public static native void loadScenarioFile(String path);

    /**
     * The built-in default scenario as JSON text.
     *
     * @return the scenario as JSON text
     */
    public static native String defaultScenario();

    // ---- faults

    /**
     * The method fails with this HRESULT (once or every time), with an optional error description.
     *
     * @param key the method, e.g. {@code "ITovikManager.Connect"}
     * @param hresult the failure code the method returns
     * @param once {@code true}: only the next call fails; {@code false}: every call
     * @param description the error description the provider reports, or {@code null}
     */
    public static native void failMethod(String key, int hresult, boolean once, String description);

    /**
     * The method fails with this HRESULT on every call, without error description.
     *
     * @param key the method, e.g. {@code "ITovikManager.Connect"}
     * @param hresult the failure code the method returns
     */
    public static void failMethod(String key, int hresult) {
        failMethod(key, hresult, false, null);
    }

    /**
     * The method's own result value is replaced by {@code result}.
     *
     * @param key the method, e.g. {@code "ITovikManager.Connect"}
     * @param result the method's result value from now on
     */
    public static native void setResult(String key, int result);

    /**
     * The method hands out no interface (the output stays null).
     *
     * @param key the method, e.g. {@code "ITovikManager.Connect"}
     */
    public static native void withholdOutput(String key);

    /**
     * The element at {@code index} of every list of this interface is missing (null).
     *
     * @param listInterface the list interface, e.g. {@code "ITovikVciItems"}
     * @param index the element that is missing
     */
    public static native void setMissingItem(String listInterface, long index);

    /**
     * Byte buffers handed out from now on report this length.
     *
     * @param claimedLength the length byte buffers report
     */
    public static native void setByteBufferLength(int claimedLength);

    /** Lifts every injected fault. */
    public static native void clearFaults();

    // ---- events

    /**
     * Queues an event for every registered manager (or for the next one to register).
     *
     * @param first the event's first value
     * @param second the event's second value
     * @param third the event's third value
     */
    public static native void postEvent(long first, long second, long third);

    /**
     * Number of managers blocked in the provider's wait for events.
     *
     * @return the number of waiting managers
     */
    public static native int waitingCount();

    /**
     * Waits (without spinning) until {@code count} managers wait, or the time-out ends.
     *
     * @param count the number of waiting managers to wait for
     * @param timeoutMs the longest wait, in milliseconds
     * @return {@code true} when that many managers wait
     */
    public static native boolean waitForWaiters(int count, int timeoutMs);

    /** @return the number of events posted and not yet handed out */
    public static native int queuedEventCount();

    // ---- journal and objects

    /**
     * Every provider call since the last clear, e.g. "ITovikManager.Connect(1, 4294967295)".
     *
     * @return the journal lines, oldest first
     */
    public static native String[] journal();

    /**
     * The journal lines that start with {@code prefix}.
     *
     * @param prefix the start of the lines wanted, e.g. {@code "ITovikManager."}
     * @return the matching lines, oldest first
     */
    public static List<String> journal(String prefix) {
        List<String> lines = new ArrayList<>();
        for (String line : journal()) {
            if (line.startsWith(prefix)) {
                lines.add(line);
            }
        }
        return lines;
    }

    /** Empties the journal. */
    public static native void clearJournal();

    /**
     * Keeps at most the newest {@code lines} journal lines (default 100000); older ones are
     * dropped and counted by {@link #journalDropped()}. {@link #reset()} restores the default.
     *
     * @param lines the number of lines kept, at least 1
     */
    public static native void setJournalCapacity(int lines);

    /**
     * Journal lines dropped since the last {@link #clearJournal()}.
     *
     * @return the number of lines dropped
     */
    public static native long journalDropped();

    // ---- pause points

    /**
     * The next thread that reaches {@code point} stops there until {@link #resumePoint}.
     * Every provider method has two points: its method key (e.g.
     * "ITovikManager.WaitForEvents"), after its journal line and before its work, and the key
     * followed by ":done", after its work and before it returns.
     *
     * @param point the pause point
     */
    public static native void armPausePoint(String point);

    /**
     * Waits until a thread is stopped at {@code point}.
     *
     * @param point the pause point
     * @param timeoutMs how long to wait, in milliseconds
     * @return whether a thread is stopped there; false when the time-out ended first
     */
    public static native boolean waitPaused(String point, int timeoutMs);

    /**
     * Lets the thread stopped at {@code point} go on, or disarms the point when no thread has
     * reached it.
     *
     * @param point the pause point
     */
    public static native void resumePoint(String point);

    /**
     * Number of provider objects alive.
     *
     * @return the number of provider objects alive
     */
    public static native long liveObjects();

    /**
     * The platform stand-in's counters of live BSTRs, safe arrays, {@code LocalAlloc} blocks and
     * global interface table entries.
     *
     * @return the counters now
     */
    public static PlatformCounters platformCounters() {
        long[] c = nativePlatformCounters();
        return new PlatformCounters(c[0], c[1], c[2], c[3]);
    }

    private static native long[] nativePlatformCounters();

    /**
     * Makes the platform's allocations (LocalAlloc blocks, BSTRs, safe arrays) above
     * {@code bytes} fail, so that allocation-failure paths can be driven; 0 lifts the limit.
     *
     * @param bytes the largest allocation that succeeds; 0 for no limit
     */
    public static native void setAllocationLimit(long bytes);

    // ---- model state

    /**
     * The number of open connections.
     *
     * @return the number of open connections
     */
    public static native int connectionCount();

    /**
     * The handles of the open connections.
     *
     * @return the handles, in the order they were opened
     */
    public static native long[] connectionHandles();

    /**
     * Bytes of a stored client block, or null when there is none.
     *
     * @param serial the module's serial number
     * @param id the block's identifier
     * @param location the block's storage location
     * @return the bytes, or {@code null}
     */
    public static native byte[] storedBlock(long serial, String id, long location);

    /**
     * "location:id" of every block stored on the module.
     *
     * @param serial the module's serial number
     * @return one "location:id" per block
     */
    public static native String[] storedBlockIds(long serial);

    /**
     * Valid, control, blink frequency of each LED, one triple after the other.
     *
     * @param serial the module's serial number
     * @return three values per LED
     */
    public static native long[] pendantLeds(long serial);

    /**
     * Segments A to G, decimal point, then the two display values.
     *
     * @param serial the module's serial number
     * @return ten values
     */
    public static native long[] pendantSegments(long serial);

    /**
     * The four audio values last set.
     *
     * @param serial the module's serial number
     * @return the four values
     */
    public static native long[] pendantAudio(long serial);

    /**
     * The two texts (null as "null") and the flag of the last InitializeRuntime.
     *
     * @return the first text, the second text and the flag
     */
    public static native String[] lastInitializeRuntime();

    /**
     * The two values of the last event registration, as received.
     *
     * @return the two values
     */
    public static native long[] lastRegistration();

    /**
     * The numbers of the applications installed on the module.
     *
     * @param serial the module's serial number
     * @return the application numbers
     */
    public static native long[] installedApps(long serial);

    /**
     * The automatic-Wi-Fi switch as received (VARIANT_BOOL: -1 true, 0 false).
     *
     * @return the value last received
     */
    public static native int autoWifiSwitch();

    /**
     * The manual-scan switch as received (VARIANT_BOOL: -1 true, 0 false).
     *
     * @return the value last received
     */
    public static native int manualScanSwitch();
}
