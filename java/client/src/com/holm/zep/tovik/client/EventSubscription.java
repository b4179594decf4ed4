package com.holm.zep.tovik.client;

import java.util.Queue;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.Executor;
import java.util.concurrent.Flow;
import java.util.concurrent.RejectedExecutionException;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;

/**
 * One subscriber of a runtime's events. The runtime's waiter thread only queues events here and
 * never blocks; every signal to the subscriber ({@code onSubscribe}, {@code onNext},
 * {@code onComplete}, {@code onError}) runs on the subscription's executor, one at a time and in
 * order, as the subscriber's demand allows. Events the subscriber has not asked for yet wait in
 * this subscription's queue, so none is lost.
 */
final class EventSubscription implements Flow.Subscription {
    private final Flow.Subscriber<? super ModuleEvent> subscriber;
    private final Executor executor;
    private final Runnable onCancel;
    private final Queue<ModuleEvent> events = new ConcurrentLinkedQueue<>();
    private final AtomicLong demand = new AtomicLong();
    private final AtomicInteger pendingDrains = new AtomicInteger();
    private volatile boolean completing;
    private volatile boolean cancelled;
    private volatile Throwable badRequest;
    // Touched only inside drain(), which never runs twice at once.
    private boolean subscribed;
    private boolean terminated;

    EventSubscription(Flow.Subscriber<? super ModuleEvent> subscriber, Executor executor,
            Runnable onCancel) {
        this.subscriber = subscriber;
        this.executor = executor;
        this.onCancel = onCancel;
    }

    /** Starts the subscription: {@code onSubscribe} on the executor. */
    void start() {
        schedule();
    }

    /** Queues an event (waiter thread). */
    void offer(ModuleEvent event) {
        if (!cancelled) {
            events.add(event);
            schedule();
        }
    }

    /** The runtime closed: after the queued events, {@code onComplete}. */
    void complete() {
        completing = true;
        schedule();
    }

    @Override
    public void request(long n) {
        if (n <= 0) {
            badRequest = new IllegalArgumentException("request of " + n + " events");
        } else {
            demand.getAndUpdate(d -> d + n < 0 ? Long.MAX_VALUE : d + n);
        }
        schedule();
    }

    @Override
    public void cancel() {
        if (!cancelled) {
            cancelled = true;
            onCancel.run();
            schedule();
        }
    }

    private void schedule() {
        if (pendingDrains.getAndIncrement() == 0) {
            try {
                executor.execute(this::drain);
            } catch (RejectedExecutionException e) {
                cancelled = true;
                onCancel.run();
                events.clear();
            }
        }
    }

    private void drain() {
        int missed = 1;
        do {
            if (!subscribed) {
                subscribed = true;
                deliver(() -> subscriber.onSubscribe(this));
            }
            while (!cancelled && !terminated && badRequest == null && demand.get() > 0) {
                ModuleEvent event = events.poll();
                if (event == null) {
                    break;
                }
                demand.getAndUpdate(d -> d == Long.MAX_VALUE ? d : d - 1);
                deliver(() -> subscriber.onNext(event));
            }
            if (cancelled || terminated) {
                events.clear();
            } else if (badRequest != null) {
                terminated = true;
                cancelled = true;
                onCancel.run();
                events.clear();
                subscriber.onError(badRequest);
            } else if (completing && events.isEmpty()) {
                terminated = true;
                subscriber.onComplete();
            }
            missed = pendingDrains.addAndGet(-missed);
        } while (missed != 0);
    }

    /** A subscriber method that throws cancels its subscription. */
    private void deliver(Runnable signal) {
        try {
            signal.run();
        } catch (RuntimeException e) {
            cancelled = true;
            onCancel.run();
        }
    }
}
