package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.List;
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

    @Test
    void eventsFollowDemandOnTheExecutorAndCompleteOnClose() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        EventRecorder r = new EventRecorder();
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
        assertEquals(List.of("subscriber-executor"), r.threads().stream().distinct().toList());
    }

    @Test
    void everySubscriberSeesEveryEventAndACancelledOneNoMore() throws Exception {
        TovikRuntime runtime = open();
        runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
        Flow.Publisher<ModuleEvent> publisher = runtime.eventPublisher(executor);
        EventRecorder a = new EventRecorder();
        EventRecorder b = new EventRecorder();
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
        EventRecorder bad = new EventRecorder();
        publisher.subscribe(bad);
        bad.await(bad.subscribed);
        bad.subscription.request(0);
        bad.await(bad.terminated);
        assertEquals(List.of("subscribe", "error IllegalArgumentException"), bad.signals());

        runtime.close();
        EventRecorder late = new EventRecorder();
        publisher.subscribe(late);
        late.await(late.terminated);
        assertEquals(List.of("subscribe", "complete"), late.signals());
        assertThrows(IllegalStateException.class, runtime::eventPublisher);
        assertFalse(runtime.eventsStarted() && !waiterThreads().isEmpty());
    }
}
