package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.Flow;
import java.util.concurrent.TimeUnit;

/** A subscriber that records every signal with the thread it came on; it requests as told. */
final class EventRecorder implements Flow.Subscriber<ModuleEvent> {
    final CountDownLatch subscribed = new CountDownLatch(1);
    final CountDownLatch terminated = new CountDownLatch(1);
    volatile CountDownLatch items = new CountDownLatch(0);
    volatile Flow.Subscription subscription;
    private final List<String> signals = new ArrayList<>();
    private final List<String> threads = new ArrayList<>();

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
        assertTrue(latch.await(ClientFixture.TIMEOUT_MS, TimeUnit.MILLISECONDS), signals().toString());
    }
}
