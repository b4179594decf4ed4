package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.time.Duration;
import java.time.temporal.ChronoUnit;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import java.util.Map;
import java.util.Optional;
import java.util.Set;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.Executor;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.stream.LongStream;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/**
 * Opening and closing runtimes and connections, and the events' lifetimes: polls, streams and
 * the waiter thread end with the runtime, events are neither lost nor doubled.
 */
class ClientLifecycleTest extends ClientFixture {
    /** Methods that still answer on a closed runtime or connection. */
    private static final Set<String> ALWAYS_ALLOWED =
            Set.of("handle", "isClosed", "close", "runtime", "toString", "hashCode", "equals");

    private final ExecutorService threads = Executors.newCachedThreadPool();

    @AfterEach
    void stopThreads() throws InterruptedException {
        threads.shutdownNow();
        assertTrue(threads.awaitTermination(TIMEOUT_MS, TimeUnit.MILLISECONDS));
    }

    @Test
    void everyOperationOfAClosedRuntimeOrConnectionThrowsIllegalState() throws Exception {
        TovikRuntime runtime = open();
        Connection connection = runtime.connect(BAY1, 0);
        Connection closedFirst = runtime.connect(BAY2, 0);
        closedFirst.close();
        closedFirst.close();
        assertAllRefused(closedFirst, Connection.class);

        runtime.close();
        VirtualProvider.clearJournal();
        assertAllRefused(runtime, TovikRuntime.class);
        assertAllRefused(connection, Connection.class);
        connection.close();
        assertEquals(List.of(), managerCalls(), "a closed runtime called the provider");
    }

    private static void assertAllRefused(Object target, Class<?> type) throws Exception {
        int checked = 0;
        for (Method m : type.getMethods()) {
            if (Modifier.isStatic(m.getModifiers()) || m.getDeclaringClass() != type
                    || ALWAYS_ALLOWED.contains(m.getName())) {
                continue;
            }
            Object[] args = new Object[m.getParameterCount()];
            Class<?>[] types = m.getParameterTypes();
            for (int i = 0; i < args.length; i++) {
                args[i] = sample(types[i]);
            }
            try {
                m.invoke(target, args);
                fail(m + " worked on a closed " + type.getSimpleName());
            } catch (InvocationTargetException e) {
                assertInstanceOf(IllegalStateException.class, e.getCause(), m.toString());
            }
            checked++;
        }
        assertTrue(checked > 10, "only " + checked + " methods checked");
    }

    private static Object sample(Class<?> type) {
        Map<Class<?>, Object> samples = Map.of(long.class, 1L, boolean.class, true, String.class, "x",
                byte[].class, new byte[] {1}, Duration.class, Duration.ofMillis(1), List.class,
                Collections.nCopies(8, 0L), Executor.class, (Executor) Runnable::run);
        Object sample = type.isEnum() ? type.getEnumConstants()[0] : samples.get(type);
        assertNotNull(sample, "no sample for " + type);
        return sample;
    }

    @Test
    void closingTheRuntimeDisconnectsWhatIsStillOpenAndNothingIsClosedTwice() {
        TovikRuntime runtime = open();
        Connection first = runtime.connect(BAY1, 0);
        Connection second = runtime.connect(BAY2, 0, "lifecycle");
        assertEquals(2, VirtualProvider.connectionCount());
        first.close();
        first.close();
        runtime.close();
        List<String> afterClose = managerCalls();
        runtime.close();
        second.close();
        assertEquals(afterClose, managerCalls(), "a second close reached the provider");

        assertEquals(0, VirtualProvider.connectionCount());
        assertEquals(List.of("ITovikManager.Disconnect(" + first.handle() + ")",
                "ITovikManager.Disconnect(" + second.handle() + ")"),
                VirtualProvider.journal("ITovikManager.Disconnect"));
        assertTrue(first.isClosed() && second.isClosed() && runtime.isClosed());
    }

    @Test
    void closingWhileAnotherThreadPollsEndsThePollAndTheWaiter() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        // A poll that could wait for ever; the waiter it starts shows that it is polling.
        Future<Optional<ModuleEvent>> poller = threads.submit(
                () -> runtime.poll(ChronoUnit.FOREVER.getDuration()));
        awaitProviderWait();
        VirtualProvider.clearJournal();

        runtime.close();

        assertEquals(Optional.empty(), poller.get(TIMEOUT_MS, TimeUnit.MILLISECONDS));
        assertEquals(List.of(), waiterThreads());
        assertEquals(0, VirtualProvider.waitingCount());
        // The client cancels the wait while the runtime still exists; the runtime's own
        // teardown cancels once more. Shut down first, the client's cancel would find no
        // runtime and only the teardown's would reach the provider.
        assertEquals(List.of("ITovikManager.CancelEventNotification",
                "ITovikManager.CancelEventNotification"), managerCalls());
        assertThrows(IllegalStateException.class, () -> runtime.poll(Duration.ZERO));
    }

    /** The journal's manager calls, once {@code call} has reached the provider. */
    private static void awaitManagerCall(String call) throws InterruptedException {
        long deadline = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(TIMEOUT_MS);
        while (!managerCalls().contains(call)) {
            assertTrue(System.nanoTime() < deadline, call + " never came: " + managerCalls());
            Thread.sleep(10);
        }
    }

    /** A point where a thread stops until the test lets it go on. */
    private static final class Pause {
        final CountDownLatch held = new CountDownLatch(1);
        final CountDownLatch release = new CountDownLatch(1);

        void here() {
            held.countDown();
            try {
                release.await();
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
        }

        void awaitHeld() throws InterruptedException {
            assertTrue(held.await(TIMEOUT_MS, TimeUnit.MILLISECONDS), "the waiter was not held");
        }
    }

    @Test
    void closeCancelsOnceEvenWhenTheWaiterIsSlowToLeave() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        // A subscriber whose executor holds the waiter while it hands an event on, that is
        // after its wait ended and before it looks whether the runtime is closing.
        Pause pause = new Pause();
        EventRecorder subscriber = new EventRecorder();
        runtime.eventPublisher(task -> {
            if (Thread.currentThread().getName().startsWith("tovik-events-")) {
                pause.here();
            }
            task.run();
        }).subscribe(subscriber);
        subscriber.await(subscriber.subscribed);
        subscriber.subscription.request(Long.MAX_VALUE);
        awaitProviderWait();
        VirtualProvider.postEvent(1, 2, 3);
        pause.awaitHeld();
        VirtualProvider.clearJournal();

        Future<?> closing = threads.submit(runtime::close);
        awaitManagerCall("ITovikManager.CancelEventNotification");
        // Long past the time a repeating close would have cancelled again.
        Thread.sleep(500);
        pause.release.countDown();
        closing.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);

        assertEquals(List.of(), waiterThreads());
        // The client's one cancellation and the runtime teardown's.
        assertEquals(List.of("ITovikManager.CancelEventNotification",
                "ITovikManager.CancelEventNotification"), managerCalls());
    }

    @Test
    void aCancellationThatFoundNoWaitIsRepeatedOnceTheWaitHasBegun() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        // The waiter stops after it found the runtime open and before its wait begins: the
        // close's cancellation comes while no wait runs, and the library cannot keep it.
        Pause pause = new Pause();
        runtime.beforeEachWait(pause::here);
        runtime.poll(Duration.ZERO);
        pause.awaitHeld();
        VirtualProvider.clearJournal();

        Future<?> closing = threads.submit(runtime::close);
        awaitManagerCall("ITovikManager.CancelEventNotification");
        pause.release.countDown();
        // The wait that began after the cancellation ends only through the repeated one.
        closing.get(TIMEOUT_MS, TimeUnit.MILLISECONDS);

        assertEquals(List.of(), waiterThreads());
        assertEquals(0, VirtualProvider.waitingCount());
        assertEquals(List.of("ITovikManager.CancelEventNotification",
                "ITovikManager.WaitForEvents", "ITovikManager.CancelEventNotification",
                "ITovikManager.CancelEventNotification"), managerCalls());
    }

    @Test
    void eventsAreNeitherLostNorDoubledBetweenPolls() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        assertEquals(Optional.empty(), runtime.poll(Duration.ZERO));
        awaitProviderWait();
        VirtualProvider.postEvent(1, 0, 0);
        assertEquals(Optional.of(new ModuleEvent(1, 0, 0)), runtime.poll(Duration.ofSeconds(10)));

        // Nobody polls while these come; the waiter keeps them.
        VirtualProvider.postEvent(2, 0, 0);
        VirtualProvider.postEvent(3, 0xFFFFFFFFL, 0x80000000L);
        VirtualProvider.postEvent(4, 0, 0);
        List<ModuleEvent> got = new ArrayList<>();
        while (got.size() < 3) {
            Optional<ModuleEvent> e = runtime.poll(Duration.ofSeconds(10));
            assertTrue(e.isPresent(), "missing after " + got);
            got.add(e.get());
        }
        assertEquals(List.of(new ModuleEvent(2, 0, 0), new ModuleEvent(3, 0xFFFFFFFFL, 0x80000000L),
                new ModuleEvent(4, 0, 0)), got);
        assertEquals(Optional.empty(), runtime.poll(Duration.ofMillis(50)));
    }

    @Test
    void concurrentConsumersShareOneWaitAndEachEventGoesToOneOfThem() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        List<ModuleEvent> seen = Collections.synchronizedList(new ArrayList<>());
        CountDownLatch all = new CountDownLatch(6);
        for (int i = 0; i < 3; i++) {
            threads.submit(() -> {
                while (true) {
                    Optional<ModuleEvent> e = runtime.poll(Duration.ofMinutes(5));
                    if (e.isEmpty()) {
                        return null;
                    }
                    seen.add(e.get());
                    all.countDown();
                }
            });
        }
        awaitProviderWait();
        assertEquals(1, VirtualProvider.waitingCount());
        for (int i = 1; i <= 6; i++) {
            VirtualProvider.postEvent(i, i, i);
        }
        assertTrue(all.await(TIMEOUT_MS, TimeUnit.MILLISECONDS), "events seen: " + seen);
        runtime.close();
        List<ModuleEvent> sorted = new ArrayList<>(seen);
        sorted.sort((a, b) -> Long.compare(a.first(), b.first()));
        assertEquals(LongStream.rangeClosed(1, 6).mapToObj(i -> new ModuleEvent(i, i, i)).toList(), sorted);
    }

    /** A stream of the events and a for-each loop over them end with the runtime, after what was queued. */
    @ParameterizedTest
    @ValueSource(booleans = {true, false})
    void theEventsAsStreamOrLoopEndWhenTheRuntimeCloses(boolean stream) throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        CountDownLatch taken = new CountDownLatch(2);
        Future<List<ModuleEvent>> consumer = threads.submit(() -> {
            if (stream) {
                return runtime.events().peek(e -> taken.countDown()).toList();
            }
            List<ModuleEvent> got = new ArrayList<>();
            for (ModuleEvent e : runtime.eventIterable()) {
                got.add(e);
                taken.countDown();
            }
            return got;
        });
        awaitProviderWait();
        VirtualProvider.postEvent(1, 2, 3);
        VirtualProvider.postEvent(4, 5, 6);
        assertTrue(taken.await(TIMEOUT_MS, TimeUnit.MILLISECONDS));
        runtime.close();

        assertEquals(List.of(new ModuleEvent(1, 2, 3), new ModuleEvent(4, 5, 6)),
                consumer.get(TIMEOUT_MS, TimeUnit.MILLISECONDS));
    }

    @Test
    void pollBatchReturnsWhatCameTogether() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        VirtualProvider.postEvent(1, 1, 1);
        VirtualProvider.postEvent(2, 2, 2);
        // Both were queued before the first wait, so one wait drains both.
        assertEquals(List.of(new ModuleEvent(1, 1, 1), new ModuleEvent(2, 2, 2)),
                runtime.pollBatch(Duration.ofSeconds(10)));
        assertEquals(List.of(), runtime.pollBatch(Duration.ofMillis(20)));
    }

    @Test
    void noWaiterStartsUnlessEventsAreAskedFor() {
        TovikRuntime runtime = open();
        runtime.modules();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        assertFalse(runtime.eventsStarted());
        assertEquals(List.of(), waiterThreads());
        runtime.close();
        assertFalse(managerCalls().contains("ITovikManager.WaitForEvents"), managerCalls().toString());
    }
}
