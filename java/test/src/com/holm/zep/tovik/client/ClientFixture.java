package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.api.jni.LeakCheck;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.extension.ExtendWith;

/**
 * Base of the client tests: the virtual provider starts from its default workshop with an empty
 * journal, and after each test every runtime a test opened is closed, no waiter thread of the
 * client is left, the log bridge is off, and (through {@link LeakCheck}) the provider's objects
 * and the platform's counters are back where they were.
 */
@ExtendWith(LeakCheck.class)
abstract class ClientFixture {
    static final long BAY1 = 200101;
    static final long BAY2 = 200102;
    static final long BENCH = 100017;
    static final int TIMEOUT_MS = 10_000;

    private final List<TovikRuntime> opened = new ArrayList<>();

    @BeforeEach
    final void resetProvider() {
        VirtualProvider.reset();
        VirtualProvider.clearJournal();
    }

    @AfterEach
    final void closeEverything() throws InterruptedException {
        for (TovikRuntime runtime : opened) {
            runtime.close();
        }
        VirtualProvider.clearFaults();
        for (Thread t : waiterThreads()) {
            t.join(TIMEOUT_MS);
            assertFalse(t.isAlive(), "waiter thread left running: " + t);
        }
        assertFalse(NativeLog.installed(), "the log bridge is still installed");
        assertEquals(0, VirtualProvider.waitingCount(), "a wait is left in the provider");
    }

    /** Opens a runtime that the fixture closes after the test (closing it earlier is fine). */
    TovikRuntime open() {
        return track(TovikRuntime.open());
    }

    TovikRuntime track(TovikRuntime runtime) {
        opened.add(runtime);
        return runtime;
    }

    /** The client's waiter threads alive now. */
    static List<Thread> waiterThreads() {
        List<Thread> threads = new ArrayList<>();
        for (Thread t : Thread.getAllStackTraces().keySet()) {
            if (t.getName().startsWith("tovik-events-") && t.isAlive()) {
                threads.add(t);
            }
        }
        return threads;
    }

    static void awaitProviderWait() {
        assertTrue(VirtualProvider.waitForWaiters(1, TIMEOUT_MS), "no wait reached the provider");
    }

    /** The journal's "ITovikManager" calls without their arguments, in order. */
    static List<String> managerCalls() {
        List<String> calls = new ArrayList<>();
        for (String line : VirtualProvider.journal("ITovikManager.")) {
            calls.add(line.replaceFirst("\\(.*$", ""));
        }
        return calls;
    }
}
