package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikEvent;
import com.holm.zep.tovik.api.jni.TovikEventQueue;
import java.time.Duration;
import java.util.ArrayList;
import java.util.Iterator;
import java.util.List;
import java.util.NoSuchElementException;
import java.util.Optional;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.CopyOnWriteArrayList;
import java.util.concurrent.Executor;
import java.util.concurrent.Flow;
import java.util.concurrent.LinkedBlockingQueue;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.locks.LockSupport;
import java.util.concurrent.locks.ReentrantLock;

/**
 * The events of one runtime. One waiter thread per runtime loops on {@code vtxWaitForEvents}
 * and feeds what it drains into a queue (for {@link #poll}, {@link #pollBatch} and
 * {@link #iterator}) and into every subscriber's own queue. The library answers a second wait
 * on the same runtime at once, so nothing else ever waits; and since the waiter waits again as
 * soon as it has handed a batch on, no event is lost between two polls.
 *
 * <p>The waiter is a platform thread: it spends its life in a native call, which would pin a
 * virtual thread's carrier. Consumers block only in {@code java.util.concurrent} queues.
 */
final class EventPump {
    /** Time the waiter pauses when a wait ended without events, so that it never spins. */
    private static final long IDLE_PAUSE_NANOS = TimeUnit.MILLISECONDS.toNanos(20);
    /**
     * How long close waits for the waiter after its cancellation before cancelling again. One
     * cancellation ends a wait in progress; a second is needed only when the first came while
     * the waiter was between two waits (it had not yet seen that the runtime is closing), which
     * the library cannot know about. Generous, so that a waiter that is merely slow to leave
     * (a busy machine, a slow log handler) is never cancelled twice.
     */
    private static final long RECANCEL_AFTER_MS = 2000;
    /** Put behind the last event once the runtime has closed; each consumer puts it back. */
    private static final Object END = new Object();

    private final TovikApiManager api;
    private final long handle;
    private final BlockingQueue<Object> queue = new LinkedBlockingQueue<>();
    private final List<EventSubscription> subscriptions = new CopyOnWriteArrayList<>();
    private final ReentrantLock lock = new ReentrantLock();
    /** Held while one wait's events are queued. */
    private final ReentrantLock batchLock = new ReentrantLock();
    private Thread waiter;
    private boolean ended;
    private volatile boolean closing;
    /** Runs on the waiter between its check for closing and its wait (tests hold it there). */
    private volatile Runnable beforeWait = () -> { };

    EventPump(TovikApiManager api, long handle) {
        this.api = api;
        this.handle = handle;
    }

    /** Starts the waiter on first use. */
    void start() {
        lock.lock();
        try {
            if (waiter == null && !ended) {
                waiter = new Thread(this::waitLoop, "tovik-events-" + handle);
                waiter.setDaemon(true);
                waiter.start();
            }
        } finally {
            lock.unlock();
        }
    }

    private void waitLoop() {
        while (!closing) {
            beforeWait.run();
            TovikEventQueue drained = new TovikEventQueue();
            boolean nothing;
            try {
                nothing = NativeCall.record("vtxWaitForEvents", handle, new LongValue(0),
                        r -> api.vtxWaitForEvents(handle, drained));
            } catch (RuntimeException e) {
                // A log method that threw ended the wait; the events it had taken are gone.
                nothing = true;
            }
            TovikEvent[] events = drained.getEvents();
            if (!nothing && events != null && events.length > 0) {
                deliver(events);
            } else if (!closing) {
                // A wait cancelled by someone else, or one the provider ended without events.
                LockSupport.parkNanos(this, IDLE_PAUSE_NANOS);
            }
        }
    }

    /** Hands on one wait's events; a {@link #pollBatch} that took the first waits for the rest. */
    private void deliver(TovikEvent[] events) {
        batchLock.lock();
        try {
            for (TovikEvent e : events) {
                if (e == null) {
                    continue;
                }
                ModuleEvent event = Values.event(e);
                queue.add(event);
                for (EventSubscription s : subscriptions) {
                    s.offer(event);
                }
            }
        } finally {
            batchLock.unlock();
        }
    }

    /** The next event within {@code timeout}; empty on time-out or once the runtime closed. */
    Optional<ModuleEvent> poll(Duration timeout) throws InterruptedException {
        start();
        Object next = queue.poll(nanos(timeout), TimeUnit.NANOSECONDS);
        if (next == END) {
            queue.add(END);
            return Optional.empty();
        }
        return Optional.ofNullable((ModuleEvent) next);
    }

    /** The time-out in nanoseconds: none for a negative one, saturated for a very long one. */
    private static long nanos(Duration timeout) {
        if (timeout.isNegative()) {
            return 0;
        }
        try {
            return timeout.toNanos();
        } catch (ArithmeticException e) {
            return Long.MAX_VALUE;
        }
    }

    /** The first event within {@code timeout} and every event queued behind it. */
    List<ModuleEvent> pollBatch(Duration timeout) throws InterruptedException {
        Optional<ModuleEvent> first = poll(timeout);
        if (first.isEmpty()) {
            return List.of();
        }
        List<ModuleEvent> batch = new ArrayList<>();
        batch.add(first.get());
        // The rest of the first event's batch may still be on its way into the queue.
        batchLock.lock();
        try {
            Object next;
            while ((next = queue.poll()) != null) {
                if (next == END) {
                    queue.add(END);
                    break;
                }
                batch.add((ModuleEvent) next);
            }
        } finally {
            batchLock.unlock();
        }
        return batch;
    }

    /** Events as they come; ends after the runtime closed (or when the thread is interrupted). */
    Iterator<ModuleEvent> iterator() {
        start();
        return new Iterator<>() {
            private ModuleEvent next;
            private boolean finished;

            @Override
            public boolean hasNext() {
                if (next != null) {
                    return true;
                }
                if (finished) {
                    return false;
                }
                try {
                    Object item = queue.take();
                    if (item == END) {
                        queue.add(END);
                        finished = true;
                        return false;
                    }
                    next = (ModuleEvent) item;
                    return true;
                } catch (InterruptedException e) {
                    Thread.currentThread().interrupt();
                    finished = true;
                    return false;
                }
            }

            @Override
            public ModuleEvent next() {
                if (!hasNext()) {
                    throw new NoSuchElementException("the runtime's events have ended");
                }
                ModuleEvent event = next;
                next = null;
                return event;
            }
        };
    }

    void subscribe(Flow.Subscriber<? super ModuleEvent> subscriber, Executor executor) {
        EventSubscription[] self = new EventSubscription[1];
        self[0] = new EventSubscription(subscriber, executor,
                () -> subscriptions.remove(self[0]));
        boolean alreadyEnded;
        lock.lock();
        try {
            alreadyEnded = ended;
            if (!alreadyEnded) {
                subscriptions.add(self[0]);
            }
        } finally {
            lock.unlock();
        }
        self[0].start();
        if (alreadyEnded) {
            self[0].complete();
        } else {
            start();
        }
    }

    /**
     * Ends the waiter and the consumers: {@code cancelWait} once, then a join; then every
     * consumer gets the end after the events already queued. The library ends the wait in
     * progress on one cancellation, so a second one is sent only as a safety net when the
     * waiter is still there after {@link #RECANCEL_AFTER_MS} (see there), and again after each
     * further such interval.
     */
    void close(Runnable cancelWait) {
        Thread started;
        lock.lock();
        try {
            closing = true;
            ended = true;
            started = waiter;
        } finally {
            lock.unlock();
        }
        if (started != null) {
            LockSupport.unpark(started);
            boolean interrupted = false;
            while (started.isAlive()) {
                cancelWait.run();
                long until = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(RECANCEL_AFTER_MS);
                long left;
                while (started.isAlive() && (left = until - System.nanoTime()) > 0) {
                    try {
                        TimeUnit.NANOSECONDS.timedJoin(started, left);
                    } catch (InterruptedException e) {
                        // The runtime is closed all the same; the caller learns of the interrupt.
                        interrupted = true;
                    }
                }
            }
            if (interrupted) {
                Thread.currentThread().interrupt();
            }
        }
        queue.add(END);
        for (EventSubscription s : subscriptions) {
            s.complete();
        }
        subscriptions.clear();
    }

    /**
     * Sets what the waiter runs after it has found the runtime open and before it enters its
     * next wait: the one place where a cancellation cannot reach it (tests of the lifecycle).
     */
    void beforeEachWait(Runnable hook) {
        beforeWait = hook;
    }

    /** Whether the waiter thread was started (for tests of the lifecycle). */
    boolean started() {
        lock.lock();
        try {
            return waiter != null;
        } finally {
            lock.unlock();
        }
    }
}
