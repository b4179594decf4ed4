package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.stream.Collectors;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/**
 * vtxRegisterForEvents, vtxWaitForEvents and vtxCancelEventNotification against the virtual
 * provider. Orderings are seen through the provider (a wait in progress) and the log, never by
 * sleeping.
 */
class EventsTest extends RuntimeFixture {
    private static final String EVENT_PROC = "WaitForEventProc";
    private static final String DESTROY = "CTovikManagerIF::CmdDestroyObject";
    private static final int TIMEOUT_MS = 10_000;

    private final ExecutorService waiters = Executors.newCachedThreadPool();

    EventsTest() {
        super(null);
    }

    @BeforeEach
    void register() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxRegisterForEvents(handle, 1, 2, result);
        assertEquals(0, result.get());
        VirtualProvider.clearJournal();
        CapturingLogSink.clear();
    }

    @AfterEach
    void awaitEventThreads() throws InterruptedException {
        shutDownRuntime();
        waiters.shutdown();
        assertTrue(waiters.awaitTermination(TIMEOUT_MS, TimeUnit.MILLISECONDS));
        // Every event thread has detached from the virtual machine and ended.
        for (Thread thread : eventThreads()) {
            thread.join(TIMEOUT_MS);
            assertFalse(thread.isAlive(), "event thread still attached: " + thread);
        }
    }

    /** The Java threads that delivered event-thread lines. */
    private static Set<Thread> eventThreads() {
        return CapturingLogSink.records().stream().filter(line -> line.text().startsWith(EVENT_PROC + ":"))
                .map(CapturingLogSink.Line::thread).collect(Collectors.toCollection(LinkedHashSet::new));
    }

    private static long count(List<String> messages, String message) {
        return messages.stream().filter(message::equals).count();
    }

    private static List<String> values(TovikEvent[] events) {
        return Arrays.stream(events).map(e -> e.getFirst() + " " + e.getSecond() + " " + e.getThird()).toList();
    }

    private Future<Boolean> startWaiter(TovikEventQueue queue) {
        return waiters.submit(() -> MANAGER.vtxWaitForEvents(handle, queue));
    }

    private static void awaitProviderWait() {
        assertTrue(VirtualProvider.waitForWaiters(1, TIMEOUT_MS), "no wait reached the provider");
    }

    private static boolean finished(Future<Boolean> waiter) throws Exception {
        return waiter.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);
    }

    @Test
    void registrationPassesTheLowHalves() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxRegisterForEvents(handle, 0x1_8000_0005L, -1L, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {0x8000_0005L, 0xFFFF_FFFFL}, VirtualProvider.lastRegistration());
        MANAGER.vtxRegisterForEvents(handle, 3, 4, result);
        assertEquals(List.of("Register For Events 180000005", "Register For Events done",
                "Register For Events 03", "Register For Events done"), log("vtxRegisterForEvents"));
    }

    @Test
    void eventsArriveInProviderOrderWithLargeValuesAsPositiveLongs() {
        VirtualProvider.postEvent(1, 2, 3);
        VirtualProvider.postEvent(0xFFFF_FFFFL, 0x8000_0000L, 0);
        VirtualProvider.postEvent(7, 8, 9);
        TovikEventQueue queue = new TovikEventQueue();

        assertFalse(MANAGER.vtxWaitForEvents(handle, queue));
        assertEquals(List.of("1 2 3", "4294967295 2147483648 0", "7 8 9"), values(queue.getEvents()));
        assertEquals(List.of("Wait for events", "LOG processing events", "Adding event 1 2 3",
                "Adding event 4294967295 2147483648 0", "Adding event 7 8 9", "Wait for events done 0"),
                log("vtxWaitForEvents"));
        assertEquals(0, VirtualProvider.queuedEventCount());
        assertEquals(List.of("Initialize 00", "Waiting for Events", "Waiting for Events done 0"),
                CapturingLogSink.messagesOf(EVENT_PROC));
    }

    @Test
    void aWaitEndingNonZeroLeavesTheQueueUntouched() {
        VirtualProvider.setResult("ITovikManager.WaitForEvents", 1);
        VirtualProvider.postEvent(5, 6, 7);
        TovikEvent[] before = {new TovikEvent(1, 1, 1)};
        TovikEventQueue queue = new TovikEventQueue();
        queue.setData(before);

        assertTrue(MANAGER.vtxWaitForEvents(handle, queue));
        assertSame(before, queue.getEvents());
        assertEquals(List.of(), journal("ITovikManager.GetNextEvent"));
        assertEquals(1, VirtualProvider.queuedEventCount(), "the event stays with the provider");
        assertEquals(List.of("Wait for events", "Wait for events done 1"), log("vtxWaitForEvents"));
    }

    @Test
    void aWaitWithoutEventsDeliversAnEmptyArray() {
        VirtualProvider.postEvent(5, 6, 7);
        VirtualProvider.setResult("ITovikManager.GetNextEvent", 0);  // the provider reports no event
        TovikEventQueue queue = new TovikEventQueue();

        assertFalse(MANAGER.vtxWaitForEvents(handle, queue));
        assertEquals(0, queue.getEvents().length);
        assertEquals(List.of("ITovikManager.GetNextEvent()"), journal("ITovikManager.GetNextEvent"));
    }

    @Test
    void aNullQueueRaisesAJavaExceptionAndLosesTheEventsTaken() {
        VirtualProvider.postEvent(5, 6, 7);
        assertThrows(Exception.class, () -> MANAGER.vtxWaitForEvents(handle, null));
        assertEquals(0, VirtualProvider.queuedEventCount());
    }

    @Test
    void thousandsOfEventsDrainInOneCall() {
        List<String> expected = new java.util.ArrayList<>();
        for (int i = 0; i < 5000; i++) {
            VirtualProvider.postEvent(i, 0xFFFF_FFFFL - i, 3);
            expected.add(i + " " + (0xFFFF_FFFFL - i) + " 3");
        }
        TovikEventQueue queue = new TovikEventQueue();
        assertFalse(MANAGER.vtxWaitForEvents(handle, queue));
        assertEquals(expected, values(queue.getEvents()));
    }

    @Test
    void cancellingFromAnotherThreadReleasesTheWaiterAndTheNextWaitStartsANewThread() throws Exception {
        TovikEventQueue queue = new TovikEventQueue();
        Future<Boolean> waiter = startWaiter(queue);
        awaitProviderWait();

        LongValue result = new LongValue(-1);
        MANAGER.vtxCancelEventNotification(handle, result);
        assertEquals(0, result.get());
        assertTrue(finished(waiter), "a cancelled wait returns true");
        assertNull(queue.getEvents());
        assertEquals(List.of("Cancel Event Notification", "CancelEventNotification OK"),
                log("vtxCancelEventNotification"));

        VirtualProvider.postEvent(11, 12, 13);
        assertFalse(MANAGER.vtxWaitForEvents(handle, queue));
        assertEquals(List.of("11 12 13"), values(queue.getEvents()));
        assertEquals(2, count(CapturingLogSink.messagesOf(EVENT_PROC), "Initialize 00"));
        assertEquals(2, eventThreads().size());
    }

    @Test
    void otherCallsProceedOnTheCommandThreadWhileAWaitBlocks() throws Exception {
        Future<Boolean> waiter = startWaiter(new TovikEventQueue());
        awaitProviderWait();

        LongValue result = new LongValue(-1);
        VirtualProvider.setResult("ITovikManager.ConfigureUsbInterface", 33);
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(33, result.get());
        MANAGER.vtxRegisterForEvents(handle, 8, 9, result);
        assertEquals(0, result.get());
        assertFalse(waiter.isDone());
        assertEquals(1, VirtualProvider.waitingCount());

        VirtualProvider.postEvent(1, 2, 3);
        assertFalse(finished(waiter));
    }

    @Test
    void shuttingDownWhileAThreadWaitsReleasesItAndDestroysTheFacadeAfterIt() throws Exception {
        TovikEventQueue queue = new TovikEventQueue();
        Future<Boolean> waiter = startWaiter(queue);
        awaitProviderWait();

        MANAGER.vtxShutdownRuntime(handle);
        handle = 0;
        assertTrue(finished(waiter));
        assertNull(queue.getEvents());

        List<String> destroy = CapturingLogSink.messagesOf(DESTROY);
        assertTrue(destroy.containsAll(List.of("stopping event thread", "Waiting for thread done", "Deleting thread",
                "stopping event thread done", "Final release ")), destroy.toString());
        // The waiter had left the facade's wait before the destroy began.
        List<String> texts = CapturingLogSink.lines();
        int waitEnded = indexOf(texts, EVENT_PROC, "Waiting for Events done -1");
        int removing = indexOf(texts, DESTROY, "removing TOVIK Manager IF ");
        assertTrue(waitEnded >= 0 && removing > waitEnded, texts.toString());
        assertEquals(0, VirtualProvider.waitingCount());
    }

    @Test
    void aShutdownMeetingAWaitAboutToBeginEndsItAndFreesARuntimeNeverRegistered() throws Exception {
        long unregistered = initialize();
        VirtualProvider.clearJournal();
        String wait = "ITovikManager.WaitForEvents";
        String cancelled = "ITovikManager.CancelEventNotification:done";
        VirtualProvider.armPausePoint(wait);
        TovikEventQueue queue = new TovikEventQueue();
        Future<Boolean> waiter = waiters.submit(() -> MANAGER.vtxWaitForEvents(unregistered, queue));
        assertTrue(VirtualProvider.waitPaused(wait, TIMEOUT_MS));

        // The shutdown's cancel reaches the provider before its wait has begun.
        VirtualProvider.armPausePoint(cancelled);
        Future<?> shutdown = waiters.submit(() -> MANAGER.vtxShutdownRuntime(unregistered));
        assertTrue(VirtualProvider.waitPaused(cancelled, TIMEOUT_MS));
        VirtualProvider.resumePoint(cancelled);
        VirtualProvider.resumePoint(wait);

        assertTrue(finished(waiter), "the waiter was released");
        shutdown.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);
        assertNull(queue.getEvents());
        List<String> calls = journal("ITovikManager.");
        assertEquals("ITovikManager.WaitForEvents()", calls.get(0));
        assertTrue(calls.subList(1, calls.size()).stream()
                .allMatch("ITovikManager.CancelEventNotification()"::equals), calls.toString());
        assertTrue(calls.size() >= 3, "the lost cancel was repeated: " + calls);
        // LeakCheck: the runtime's provider object and GIT entry are gone.
    }

    @Test
    void aSecondWaiterIsAnsweredAtOnceAndAShutdownEndsTheFirstWhileOtherRuntimesServe() throws Exception {
        TovikEventQueue firstQueue = new TovikEventQueue();
        Future<Boolean> first = startWaiter(firstQueue);
        awaitProviderWait();
        TovikEventQueue secondQueue = new TovikEventQueue();
        assertTrue(MANAGER.vtxWaitForEvents(handle, secondQueue), "answered at once");
        assertNull(secondQueue.getEvents());
        assertEquals(List.of("ITovikManager.WaitForEvents()"), journal("ITovikManager."));

        long other = initialize();
        try {
            MANAGER.vtxShutdownRuntime(handle);
            handle = 0;
            assertTrue(finished(first));
            assertNull(firstQueue.getEvents());
            LongValue result = new LongValue(-1);
            MANAGER.vtxConfigureUsbInterface(other, result);
            assertEquals(0, result.get(), "another runtime still answers");
        } finally {
            MANAGER.vtxShutdownRuntime(other);
        }
    }

    @Test
    void unknownHandlesNeitherWaitNorCancelButLog() {
        LongValue result = new LongValue(-1);
        assertTrue(MANAGER.vtxWaitForEvents(handle + 1, new TovikEventQueue()));
        MANAGER.vtxCancelEventNotification(handle + 1, result);
        assertEquals(List.of("Cancel Event Notification", "CancelEventNotification OK"),
                log("vtxCancelEventNotification"));
        assertEquals(List.of("Wait for events", "Wait for events done 1"), log("vtxWaitForEvents"));
    }

    @Test
    void manyWaitAndCancelCyclesLeaveNoThreadOrObjectBehind() throws Exception {
        int cycles = 30;
        LongValue result = new LongValue();
        for (int i = 0; i < cycles; i++) {
            Future<Boolean> waiter = startWaiter(new TovikEventQueue());
            awaitProviderWait();
            MANAGER.vtxCancelEventNotification(handle, result);
            assertTrue(finished(waiter), "cycle " + i);
        }
        assertEquals(cycles, count(CapturingLogSink.messagesOf(EVENT_PROC), "Initialize 00"));
        assertEquals(cycles, eventThreads().size());
        assertEquals(0, VirtualProvider.waitingCount());
        // awaitEventThreads shuts the runtime down and joins every event thread; LeakCheck compares the counters.
    }

    private static int indexOf(List<String> texts, String function, String messagePrefix) {
        for (int i = 0; i < texts.size(); i++) {
            String message = CapturingLogSink.messageOf(function, texts.get(i));
            if (message != null && message.startsWith(messagePrefix)) {
                return i;
            }
        }
        return -1;
    }
}
