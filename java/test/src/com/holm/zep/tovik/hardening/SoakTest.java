package com.holm.zep.tovik.hardening;

import static com.holm.zep.tovik.hardening.Harness.MANAGER;
import static com.holm.zep.tovik.hardening.Harness.NO_FACADE;
import static org.junit.jupiter.api.Assertions.assertEquals;

import com.holm.zep.tovik.api.jni.LeakCheck;
import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import com.holm.zep.tovik.api.jni.TovikAppPcItem;
import com.holm.zep.tovik.api.jni.TovikClientInfoItem;
import com.holm.zep.tovik.api.jni.TovikConfigItem;
import com.holm.zep.tovik.api.jni.TovikEvent;
import com.holm.zep.tovik.api.jni.TovikEventQueue;
import com.holm.zep.tovik.api.jni.TovikVciInfo;
import com.holm.zep.tovik.api.jni.TovikVciItem;
import com.holm.zep.tovik.api.jni.TovikVersionInfo;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Objects;
import java.util.TreeSet;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.ThreadLocalRandom;
import java.util.concurrent.atomic.AtomicLong;
import java.util.concurrent.atomic.AtomicLongArray;
import java.util.concurrent.atomic.LongAdder;
import java.util.function.Function;
import org.junit.jupiter.api.Test;

/**
 * Many Java threads mixing operations on several runtimes while other threads shut those
 * runtimes down and start new ones, with waits for events, posted events and cancellations.
 * Every answer is checked against the default workshop: either the expected values with result
 * 0, or (when the runtime went away underneath) 0x50000007 with the method's failure value.
 * A watchdog turns a hang into a failure that prints every thread's stack. Nothing may leak.
 *
 * <p>The last third of the run posts no events and cancels nothing: a waiter is then released
 * only by the shutdown of its runtime, so a shutdown that leaves a waiter blocked shows up as a
 * hang instead of being covered up by the next event.
 *
 * <p>Duration and threads: -Dtovik.soak.seconds (default 20), -Dtovik.soak.threads (default 8).
 */
class SoakTest {
    private static final int SECONDS = Integer.getInteger("tovik.soak.seconds", 20);
    private static final int WORKERS = Integer.getInteger("tovik.soak.threads", 8);
    private static final int RUNTIMES = 3;
    /** Grace after the end of the run before the watchdog calls it a hang. */
    private static final long GRACE_MS = 60_000;

    private final AtomicLongArray slots = new AtomicLongArray(RUNTIMES);
    private final ConcurrentLinkedQueue<String> failures = new ConcurrentLinkedQueue<>();
    private final LongAdder calls = new LongAdder();
    private final LongAdder refused = new LongAdder();
    private final LongAdder eventsReceived = new LongAdder();
    private final LongAdder restarts = new LongAdder();
    private volatile boolean running = true;
    private volatile boolean eventsPosted = true;

    @Test
    void threadsMixOperationsWhileRuntimesComeAndGo() throws Exception {
        LeakCheck.loadLibraries();
        VirtualProvider.reset();
        String baseline = LeakCheck.snapshot();
        for (int i = 0; i < RUNTIMES; i++) {
            slots.set(i, start());
        }

        List<Thread> threads = new ArrayList<>();
        for (int i = 0; i < WORKERS; i++) {
            threads.add(new Thread(this::work, "soak-worker-" + i));
        }
        for (int i = 0; i < RUNTIMES; i++) {
            int slot = i;
            threads.add(new Thread(() -> waitForEvents(slot), "soak-waiter-" + i));
        }
        threads.add(new Thread(this::churn, "soak-churn"));
        threads.add(new Thread(this::postAndCancel, "soak-events"));
        long begin = System.nanoTime();
        threads.forEach(Thread::start);

        Thread.sleep(SECONDS * 2000L / 3);
        eventsPosted = false;
        Thread.sleep(SECONDS * 1000L / 3);
        running = false;
        // A waiter on a runtime still open is released by the cancellations below; one on a
        // runtime that was shut down must have been released by the shutdown.
        long deadline = System.currentTimeMillis() + GRACE_MS;
        for (Thread t : threads) {
            // Waiters blocked in the provider are released by cancellations until they see the end.
            while (t.isAlive() && System.currentTimeMillis() < deadline) {
                for (int i = 0; i < RUNTIMES; i++) {
                    MANAGER.vtxCancelEventNotification(slots.get(i), new LongValue());
                }
                t.join(200);
            }
            if (t.isAlive()) {
                throw new AssertionError("hang: " + t.getName() + " still runs " + GRACE_MS
                        + " ms after the end\n" + allStacks());
            }
        }
        double seconds = (System.nanoTime() - begin) / 1e9;
        for (int i = 0; i < RUNTIMES; i++) {
            MANAGER.vtxShutdownRuntime(slots.get(i));
        }
        VirtualProvider.reset();
        System.out.printf("soak: %d threads (%d workers, %d waiters, churn, events), %.1f s, %d native calls,"
                + " %d refused for a runtime shut down underneath, %d runtime restarts, %d events received%n",
                threads.size(), WORKERS, RUNTIMES, seconds, calls.sum(), refused.sum(), restarts.sum(),
                eventsReceived.sum());
        String leaks = LeakCheck.snapshot();
        assertEquals(List.of(), List.copyOf(failures).subList(0, Math.min(20, failures.size())),
                failures.size() + " wrong answers, the first 20");
        assertEquals(baseline, leaks, "provider objects and platform counters after the soak");
    }

    private static long start() {
        LongValue r = new LongValue(-1);
        long handle = MANAGER.vtxInitializeRuntime("soak", "soak", false, r);
        if (r.get() != 0) {
            throw new AssertionError("runtime not initialised: " + r);
        }
        return handle;
    }

    /** Shuts a random runtime down and starts a new one in its place, again and again. */
    private void churn() {
        try {
            while (running) {
                int slot = ThreadLocalRandom.current().nextInt(RUNTIMES);
                long old = slots.get(slot);
                MANAGER.vtxShutdownRuntime(old);
                calls.increment();
                Thread.sleep(ThreadLocalRandom.current().nextInt(5));
                slots.set(slot, start());
                calls.increment();
                restarts.increment();
                Thread.sleep(20 + ThreadLocalRandom.current().nextInt(30));
            }
        } catch (Throwable e) {
            failures.add("churn: " + e);
        }
    }

    private void waitForEvents(int slot) {
        try {
            while (running) {
                long manager = slots.get(slot);
                LongValue r = new LongValue(-1);
                MANAGER.vtxRegisterForEvents(manager, 1, 2, r);
                calls.increment();
                check(r.get() == 0 || r.get() == NO_FACADE, "vtxRegisterForEvents", r.get());
                TovikEventQueue queue = new TovikEventQueue();
                boolean ended = MANAGER.vtxWaitForEvents(manager, queue);
                calls.increment();
                if (!ended) {
                    TovikEvent[] events = Objects.requireNonNull(queue.getEvents(), "events of a wait");
                    for (TovikEvent e : events) {
                        check(e.getFirst() == 0xFEEDL && e.getSecond() + 1 == e.getThird(), "event", e);
                    }
                    eventsReceived.add(events.length);
                }
            }
        } catch (Throwable e) {
            failures.add("waiter: " + e);
        }
    }

    private void postAndCancel() {
        try {
            long n = 0;
            while (running) {
                if (!eventsPosted) {
                    Thread.sleep(3);
                    continue;
                }
                n++;
                VirtualProvider.postEvent(0xFEED, n, n + 1);
                if (n % 7 == 0) {
                    LongValue r = new LongValue(-1);
                    MANAGER.vtxCancelEventNotification(slots.get((int) (n % RUNTIMES)), r);
                    calls.increment();
                    check(r.get() == 0 || r.get() == NO_FACADE, "vtxCancelEventNotification", r.get());
                }
                Thread.sleep(3);
            }
        } catch (Throwable e) {
            failures.add("events: " + e);
        }
    }

    private void work() {
        ThreadLocalRandom random = ThreadLocalRandom.current();
        try {
            while (running) {
                long manager = slots.get(random.nextInt(RUNTIMES));
                operation(random.nextInt(10), manager);
            }
        } catch (Throwable e) {
            failures.add(Thread.currentThread().getName() + ": " + e);
        }
    }

    /** One operation; its answer is either the workshop's or the refusal of a vanished runtime. */
    private void operation(int which, long manager) {
        LongValue r = new LongValue(-1);
        calls.increment();
        switch (which) {
            case 0 -> expect("vtxGetModuleIds", r, "[200101, 200102, 100017]",
                    texts(MANAGER.vtxGetModuleIds(manager, r), TovikVciItem::getSerialNumber));
            case 1 -> {
                TovikVciInfo info = new TovikVciInfo();
                MANAGER.vtxGetModuleInfo(manager, 200102, info, r);
                expect("vtxGetModuleInfo", r, "00:1B:7A:10:21:01", info.getEthernetAddress());
            }
            case 2 -> expect("vtxGetAppsPc", r, "[Diagnostics, Flash Loader, Data Logger]",
                    texts(MANAGER.vtxGetAppsPc(manager, r), TovikAppPcItem::getAppName));
            case 3 -> expect("vtxGetConfigApp", r, "500", nonZero(MANAGER.vtxGetConfigApp(manager, 1, 1, r)));
            case 4 -> {
                TovikAdaptInfoList wifi = MANAGER.vtxGetAutoWifiInfo(manager, r);
                expect("vtxGetAutoWifiInfo", r, "[Workshop WLAN, USB WLAN Stick]",
                        wifi == null ? null : Arrays.toString(wifi.getCardNames()));
            }
            default -> onConnection(which, manager);
        }
    }

    private void onConnection(int which, long manager) {
        LongValue r = new LongValue(-1);
        long connection = MANAGER.vtxConnect(manager, Harness.MODULE, 1, r);
        calls.increment();
        if (r.get() == NO_FACADE) {
            check(connection == Harness.INVALID_HANDLE, "vtxConnect handle", connection);
            refused.increment();
            return;
        }
        check(r.get() == 0, "vtxConnect", r.get());
        LongValue q = new LongValue(-1);
        calls.increment();
        switch (which) {
            case 5 -> expect("vtxGetConStatus", q, "1", nonZero(MANAGER.vtxGetConStatus(manager, connection, q)));
            case 6 -> {
                byte[] bytes = MANAGER.vtxRunSelfTest(manager, connection, q);
                expect("vtxRunSelfTest", q, "[0, 1, 2, 3, -91, -1]", bytes == null ? null : Arrays.toString(bytes));
            }
            case 7 -> expect("vtxGetConfigItems", q, "[TVX-200, 5.1.0.0, ]",
                    texts(MANAGER.vtxGetConfigItems(manager, connection, q), TovikConfigItem::getValue));
            case 8 -> {
                TovikClientInfoItem[] blocks = MANAGER.vtxGetClientInfoList(manager, connection, q);
                expect("vtxGetClientInfoList", q, "[calibration, session]", blocks == null ? null
                        : new TreeSet<>(Arrays.stream(blocks).map(TovikClientInfoItem::getIdentifier).toList()).toString());
            }
            default -> {
                TovikVersionInfo info = new TovikVersionInfo();
                MANAGER.vtxGetVersionInformation(manager, connection, 0, info, q);
                expect("vtxGetVersionInformation", q, "TovikApi",
                        info.getClientVersions() == null ? null : info.getClientVersions()[0].getName());
            }
        }
        LongValue d = new LongValue(-1);
        MANAGER.vtxDisconnect(manager, connection, d);
        calls.increment();
        check(d.get() == 0 || d.get() == NO_FACADE, "vtxDisconnect", d.get());
    }

    /** The elements' values as "[a, b]", or null when no array was delivered. */
    private static <T> String texts(T[] items, Function<T, Object> value) {
        return items == null ? null : Arrays.stream(items).map(value).toList().toString();
    }

    /** A number as text, or null for 0, which is what a refused call returns. */
    private static String nonZero(long value) {
        return value == 0 ? null : Long.toString(value);
    }

    /** Result 0 with the expected value, or 0x50000007 with nothing delivered (null). */
    private void expect(String method, LongValue r, String expected, String delivered) {
        if (r.get() == NO_FACADE) {
            refused.increment();
            check(delivered == null, method + " delivered for a vanished runtime", delivered);
            return;
        }
        check(r.get() == 0, method + " result", r.get());
        check(r.get() != 0 || expected.equals(delivered), method + " expected " + expected, delivered);
    }

    private void check(boolean ok, String what, Object actual) {
        if (!ok) {
            failures.add(what + ", got " + actual);
        }
    }

    /** Every thread's whole stack. */
    static String allStacks() {
        StringBuilder text = new StringBuilder();
        Thread.getAllStackTraces().forEach((thread, frames) -> {
            text.append('"').append(thread.getName()).append("\" ").append(thread.getState()).append('\n');
            for (StackTraceElement frame : frames) {
                text.append("\tat ").append(frame).append('\n');
            }
        });
        return text.toString();
    }
}
