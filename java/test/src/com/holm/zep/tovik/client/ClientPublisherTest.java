package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertInstanceOf;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Flow;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Test;

/** The events as a Flow.Publisher: demand, threads, completion on close, cancellation. */
class ClientPublisherTest extends ClientFixture {
    private final ExecutorService executor = Executors.newSingleThreadExecutor(
            r -> new Thread(r, "subscriber-executor"));

    @AfterEach
    void stopExecutor() throws InterruptedException {
        executor.shutdown();
        assertTrue(executor.awaitTermination(TIMEOUT_MS, TimeUnit.MILLISECONDS));
    }

    /** Records every signal with the thread it came on; requests as told. */
    static final class Recorder implements Flow.Subscriber<ModuleEvent> {
        final List<String> signals = new ArrayList<>();
        final List<String> threads = new ArrayList<>();
        final CountDownLatch subscribed = new CountDownLatch(1);
        final CountDownLatch terminated = new CountDownLatch(1);
        volatile CountDownLatch items = new CountDownLatch(0);
        volatile Flow.Subscription subscription;

        private synchronized void note(String signal) {
            signals.add(signal);
            threads.add(Thread.currentThread().getName());
        }

        synchronized List<String> signals() {
            return new ArrayList<>(signals);
        }

        synchronized List<String> threads() {
            return new ArrayList<>(threads);
        }

        @Override
        public void onSubscribe(Flow.Subscription s) {
            subscription = s;
            note("subscribe");
            subscribed.countDown();
        }

        @Override
        public void onNext(ModuleEvent item) {
            note("next " + item.first());
            items.countDown();
        }

        @Override
        public void onError(Throwable t) {
            note("error " + t.getClass().getSimpleName());
            terminated.countDown();
        }

        @Override
        public void onComplete() {
            note("complete");
            terminated.countDown();
        }

        void expect(int count) {
            items = new CountDownLatch(count);
        }

        void await(CountDownLatch latch) throws InterruptedException {
            assertTrue(latch.await(TIMEOUT_MS, TimeUnit.MILLISECONDS), signals().toString());
        }
    }

    @Test
    void eventsFollowDemandOnTheExecutorAndCompleteOnClose() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        Recorder r = new Recorder();
        runtime.eventPublisher(executor).subscribe(r);
        r.await(r.subscribed);
        awaitProviderWait();

        VirtualProvider.postEvent(1, 0, 0);
        VirtualProvider.postEvent(2, 0, 0);
        VirtualProvider.postEvent(3, 0, 0);
        r.expect(1);
        r.subscription.request(1);
        r.await(r.items);
        r.expect(2);
        r.subscription.request(5);
        r.await(r.items);
        runtime.close();
        r.await(r.terminated);

        assertEquals(List.of("subscribe", "next 1", "next 2", "next 3", "complete"), r.signals());
        for (String thread : r.threads()) {
            assertEquals("subscriber-executor", thread);
        }
    }

    @Test
    void everySubscriberSeesEveryEventAndACancelledOneNoMore() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        Flow.Publisher<ModuleEvent> publisher = runtime.eventPublisher(executor);
        Recorder a = new Recorder();
        Recorder b = new Recorder();
        publisher.subscribe(a);
        publisher.subscribe(b);
        a.await(a.subscribed);
        b.await(b.subscribed);
        a.subscription.request(Long.MAX_VALUE);
        b.subscription.request(Long.MAX_VALUE);
        awaitProviderWait();

        a.expect(1);
        b.expect(1);
        VirtualProvider.postEvent(1, 0, 0);
        a.await(a.items);
        b.await(b.items);
        b.subscription.cancel();
        a.expect(1);
        VirtualProvider.postEvent(2, 0, 0);
        a.await(a.items);
        runtime.close();
        a.await(a.terminated);

        assertEquals(List.of("subscribe", "next 1", "next 2", "complete"), a.signals());
        assertEquals(List.of("subscribe", "next 1"), b.signals());
    }

    @Test
    void aBadRequestEndsInAnErrorAndALateSubscriberCompletesAtOnce() throws Exception {
        TovikRuntime runtime = open();
        Flow.Publisher<ModuleEvent> publisher = runtime.eventPublisher(executor);
        Recorder bad = new Recorder();
        publisher.subscribe(bad);
        bad.await(bad.subscribed);
        bad.subscription.request(0);
        bad.await(bad.terminated);
        assertEquals(List.of("subscribe", "error IllegalArgumentException"), bad.signals());

        runtime.close();
        Recorder late = new Recorder();
        publisher.subscribe(late);
        late.await(late.terminated);
        assertEquals(List.of("subscribe", "complete"), late.signals());
        assertInstanceOf(IllegalStateException.class,
                assertThrows(IllegalStateException.class, runtime::eventPublisher));
        assertFalse(runtime.eventsStarted() && !waiterThreads().isEmpty());
    }
}
