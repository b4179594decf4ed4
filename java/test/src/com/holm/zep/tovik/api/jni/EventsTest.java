package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import java.util.Set;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.stream.Collectors;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;

/**
 * vtxWaitForEvents waiting on one thread while another thread cancels or shuts the runtime down:
 * the waiter returns, every event thread the library attached ends, and the facade outlives the
 * wait that uses it. Orderings are forced through the provider (a wait in progress, pause points),
 * never by sleeping. What one call delivers is in NativeContractTest.
 */
class EventsTest extends RuntimeFixture {
    private static final int TIMEOUT_MS = 10_000;
    private final ExecutorService waiters = Executors.newCachedThreadPool();

    EventsTest() {
        super(null);
    }

    @AfterEach
    void awaitEventThreads() throws InterruptedException {
        shutDownRuntime();
        waiters.shutdown();
        assertTrue(waiters.awaitTermination(TIMEOUT_MS, TimeUnit.MILLISECONDS));
        for (Thread thread : eventThreads()) {
            thread.join(TIMEOUT_MS);
            assertFalse(thread.isAlive(), "event thread still attached: " + thread);
        }
    }

    /** The Java threads that delivered event-thread lines. */
    private static Set<Thread> eventThreads() {
        return CapturingLogSink.records().stream().filter(line -> line.text().startsWith("WaitForEventProc:"))
                .map(CapturingLogSink.Line::thread).collect(Collectors.toSet());
    }

    private Future<Boolean> startWaiter(long runtime, TovikEventQueue queue) {
        return waiters.submit(() -> MANAGER.vtxWaitForEvents(runtime, queue));
    }

    private static boolean finished(Future<Boolean> waiter) throws Exception {
        return waiter.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);
    }

    @Test
    void eachCancelledWaitReturnsTrueAndItsEventThreadDetaches() throws Exception {
        int cycles = 20;
        for (int i = 0; i < cycles; i++) {
            TovikEventQueue queue = new TovikEventQueue();
            Future<Boolean> waiter = startWaiter(handle, queue);
            assertTrue(VirtualProvider.waitForWaiters(1, TIMEOUT_MS), "no wait reached the provider");
            MANAGER.vtxCancelEventNotification(handle, new LongValue());
            assertTrue(finished(waiter), "cycle " + i);
            assertNull(queue.getEvents());
        }
        assertEquals(cycles, eventThreads().size());
        // awaitEventThreads shuts the runtime down and joins every event thread.
    }

    @Test
    void shuttingDownWhileAThreadWaitsReleasesItBeforeTheFacadeGoes() throws Exception {
        TovikEventQueue queue = new TovikEventQueue();
        Future<Boolean> waiter = startWaiter(handle, queue);
        assertTrue(VirtualProvider.waitForWaiters(1, TIMEOUT_MS), "no wait reached the provider");
        shutDownRuntime();
        assertTrue(finished(waiter));
        assertNull(queue.getEvents());
        List<String> texts = CapturingLogSink.lines();
        int waitEnded = indexOf(texts, "WaitForEventProc:", "Waiting for Events done -1");
        int removing = indexOf(texts, "CTovikManagerIF::CmdDestroyObject:", "removing TOVIK Manager IF ");
        assertTrue(waitEnded >= 0 && removing > waitEnded, texts.toString());
        assertEquals(0, VirtualProvider.waitingCount());
    }

    /**
     * The shutdown's cancel reaches the provider just before the wait begins, on a runtime that
     * never registered: the lost cancel is repeated, the waiter released and the runtime freed.
     */
    @Test
    void aShutdownMeetingAWaitAboutToBeginEndsIt() throws Exception {
        String wait = "ITovikManager.WaitForEvents";
        String cancelled = "ITovikManager.CancelEventNotification:done";
        VirtualProvider.armPausePoint(wait);
        TovikEventQueue queue = new TovikEventQueue();
        Future<Boolean> waiter = startWaiter(handle, queue);
        assertTrue(VirtualProvider.waitPaused(wait, TIMEOUT_MS));
        VirtualProvider.armPausePoint(cancelled);
        long runtime = handle;
        handle = 0;
        Future<?> shutdown = waiters.submit(() -> MANAGER.vtxShutdownRuntime(runtime));
        assertTrue(VirtualProvider.waitPaused(cancelled, TIMEOUT_MS));
        VirtualProvider.resumePoint(cancelled);
        VirtualProvider.resumePoint(wait);

        assertTrue(finished(waiter), "the waiter was released");
        shutdown.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);
        assertNull(queue.getEvents());
        List<String> calls = journal("ITovikManager.");
        assertEquals("ITovikManager.WaitForEvents()", calls.get(0));
        assertTrue(calls.size() >= 3 && calls.subList(1, calls.size()).stream()
                .allMatch("ITovikManager.CancelEventNotification()"::equals), calls.toString());
    }

    private static int indexOf(List<String> texts, String function, String message) {
        for (int i = 0; i < texts.size(); i++) {
            if (texts.get(i).startsWith(function) && texts.get(i).contains(": " + message)) {
                return i;
            }
        }
        return -1;
    }
}
