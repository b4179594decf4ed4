package com.holm.zep.tovik.bench;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikEventQueue;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Locale;
import java.util.concurrent.ArrayBlockingQueue;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.LongAdder;

/**
 * Benchmark of the native methods against their floors, all measured in this JVM.
 *
 * <pre>java -cp tovik-bench.jar:tovik-api.jar:tovik-sim.jar -Djava.library.path=lib \
 *     com.holm.zep.tovik.bench.JniBench [--short]</pre>
 *
 * Prints one Markdown table row per figure: the figure, its value, the floor it is compared
 * with, the floor's value and the ratio. {@code --short} runs every figure briefly with small
 * inputs (the CI run); its numbers mean nothing.
 */
public final class JniBench {
    private static final TovikApiManager API = new TovikApiManager();
    private static boolean shortRun;
    private static long manager;
    private static long connection;

    private JniBench() {
    }

    public static void main(String[] args) throws Exception {
        shortRun = Arrays.asList(args).contains("--short");
        TovikApiManager.loadLibrary();
        VirtualProvider.reset();  // loads the provider before the first runtime
        Floors.noop();

        LongValue result = new LongValue(0);
        manager = API.vtxInitializeRuntime("bench", "bench", false, result);
        check(result, "vtxInitializeRuntime");
        useScenario(10, 0, 0);

        System.out.println("| figure | library | floor | floor value | ratio |");
        System.out.println("|---|---|---|---|---|");
        oneCommand();
        lists();
        bytes();
        events();
        contention();
        API.vtxShutdownRuntime(manager);
    }

    // ---- figures

    private static void oneCommand() {
        int calls = shortRun ? 2_000 : 200_000;
        double noop = perCallBatched(Floors::noop, calls * 10);
        double eventPingPong = Floors.eventPingPong(calls) / (double) calls;
        double spinPingPong = Floors.spinPingPong(calls) / (double) calls;
        double direct = Floors.directGetConStatus(calls) / (double) calls;
        LongValue result = new LongValue(0);
        double[] samples = perCall(() -> API.vtxGetConStatus(manager, connection, result), calls);
        check(result, "vtxGetConStatus");
        row("no-op JNI call", noop, "ns", null, 0);
        row("spin ping-pong (two threads, atomics)", spinPingPong, "ns", null, 0);
        row("event ping-pong (platform events)", eventPingPong, "ns", null, 0);
        row("direct GetConStatus (no hand-over)", direct, "ns", null, 0);
        row("vtxGetConStatus median", median(samples), "ns", "event ping-pong", eventPingPong);
        row("vtxGetConStatus 99th percentile", percentile(samples, 99), "ns", "event ping-pong",
                eventPingPong);
        row("vtxGetConStatus median over its parts", median(samples), "ns",
                "no-op JNI + direct + event ping-pong", noop + direct + eventPingPong);
    }

    private static void lists() {
        int[] sizes = shortRun ? new int[] {10, 100} : new int[] {10, 100, 1_000, 10_000};
        LongValue result = new LongValue(0);
        for (int size : sizes) {
            useScenario(size, 0, 0);
            int rounds = shortRun ? 3 : Math.max(3, 20_000 / size);
            double direct = Floors.directModuleList(rounds) / (double) rounds;
            double toJava = Floors.directModuleListToJava(rounds) / (double) rounds;
            double[] samples = perCall(() -> API.vtxGetModuleIds(manager, result), rounds);
            check(result, "vtxGetModuleIds");
            row("vtxGetModuleIds, " + size + " modules", median(samples), "us", "direct list read", direct);
            row("vtxGetModuleIds, " + size + " modules", median(samples), "us",
                    "direct list read + Java objects", toJava);
        }
        int apps = shortRun ? 10 : 1_000;
        useScenario(10, apps, 0);
        int rounds = shortRun ? 3 : 50;
        double direct = Floors.directAppsPc(rounds) / (double) rounds;
        double toJava = Floors.directAppsPcToJava(rounds) / (double) rounds;
        double[] samples = perCall(() -> API.vtxGetAppsPc3(manager, result), rounds);
        check(result, "vtxGetAppsPc3");
        row("vtxGetAppsPc3, " + apps + " applications", median(samples), "us", "direct list read", direct);
        row("vtxGetAppsPc3, " + apps + " applications", median(samples), "us", "direct list read + Java objects",
                toJava);
    }

    private static void bytes() {
        int size = shortRun ? 4_096 : 1 << 20;
        useScenario(10, 0, size);
        int rounds = shortRun ? 2 : 10;
        double direct = Floors.directSelfTest(rounds) / (double) rounds / size;
        LongValue result = new LongValue(0);
        double[] samples = perCall(() -> {
            byte[] bytes = API.vtxRunSelfTest(manager, connection, result);
            if (bytes == null || bytes.length != size) {
                throw new IllegalStateException("self test gave " + (bytes == null ? "null" : bytes.length));
            }
        }, rounds);
        check(result, "vtxRunSelfTest");
        row("vtxRunSelfTest, " + size + " bytes, per byte", median(samples) / size, "ns",
                "direct byte read, per byte", direct);
        useScenario(10, 0, 0);
    }

    private static void events() throws InterruptedException {
        int rounds = shortRun ? 20 : 2_000;
        LongValue result = new LongValue(0);
        API.vtxRegisterForEvents(manager, 1, 1, result);
        check(result, "vtxRegisterForEvents");
        BlockingQueue<Long> returned = new ArrayBlockingQueue<>(1);
        AtomicBoolean stop = new AtomicBoolean();
        Thread waiter = new Thread(() -> {
            while (!stop.get()) {
                API.vtxWaitForEvents(manager, new TovikEventQueue());
                returned.add(System.nanoTime());
            }
        }, "bench event waiter");
        waiter.start();
        double[] samples = new double[rounds];
        for (int i = 0; i < rounds; ++i) {
            if (!VirtualProvider.waitForWaiters(1, 10_000)) {
                throw new IllegalStateException("no thread waits for events");
            }
            long posted = System.nanoTime();
            VirtualProvider.postEvent(1, 2, i);
            Long back = returned.poll(10, TimeUnit.SECONDS);
            if (back == null) {
                throw new IllegalStateException("event did not arrive");
            }
            samples[i] = back - posted;
        }
        stop.set(true);
        API.vtxCancelEventNotification(manager, result);
        waiter.join(10_000);
        int pingPongRounds = shortRun ? 1_000 : 100_000;
        double eventPingPong = Floors.eventPingPong(pingPongRounds) / (double) pingPongRounds;
        row("posted event to vtxWaitForEvents return, median", median(samples), "ns", "event ping-pong",
                eventPingPong);
        row("posted event to vtxWaitForEvents return, 99th percentile", percentile(samples, 99), "ns",
                "event ping-pong", eventPingPong);
        double[] relay = Arrays.stream(Floors.eventRelay(rounds)).asDoubleStream().toArray();
        row("posted event to vtxWaitForEvents return, median", median(samples), "ns", "event relay, median",
                median(relay));
        row("posted event to vtxWaitForEvents return, 99th percentile", percentile(samples, 99), "ns",
                "event relay, 99th percentile", percentile(relay, 99));
    }

    private static void contention() throws InterruptedException {
        long millis = shortRun ? 50 : 2_000;
        double single = 0;
        for (int threads : new int[] {1, 2, 4, 8}) {
            double perSecond = callsPerSecond(threads, millis);
            if (threads == 1) {
                single = perSecond;
            }
            row("vtxGetConStatus, " + threads + " threads, calls/s", perSecond, "1/s", "1 thread", single);
        }
    }

    private static double callsPerSecond(int threads, long millis) throws InterruptedException {
        LongAdder calls = new LongAdder();
        AtomicBoolean stop = new AtomicBoolean();
        CountDownLatch started = new CountDownLatch(threads);
        List<Thread> workers = new ArrayList<>();
        for (int t = 0; t < threads; ++t) {
            Thread worker = new Thread(() -> {
                LongValue result = new LongValue(0);
                started.countDown();
                while (!stop.get()) {
                    API.vtxGetConStatus(manager, connection, result);
                    calls.increment();
                }
            });
            workers.add(worker);
            worker.start();
        }
        started.await();
        long before = calls.sum();
        long start = System.nanoTime();
        Thread.sleep(millis);
        long done = calls.sum() - before;
        double seconds = (System.nanoTime() - start) / 1e9;
        stop.set(true);
        for (Thread worker : workers) {
            worker.join();
        }
        return done / seconds;
    }

    // ---- helpers

    private static void useScenario(int modules, int apps, int selfTestBytes) {
        VirtualProvider.loadScenario(Floors.scenario(modules, apps, selfTestBytes));
        LongValue result = new LongValue(0);
        connection = API.vtxConnect(manager, 1, 1, result);
        check(result, "vtxConnect");
    }

    private static void check(LongValue result, String what) {
        if (result.get() != 0) {
            throw new IllegalStateException(what + " returned " + Long.toHexString(result.get()));
        }
    }

    /** Individual call times in ns, after a warm-up of a tenth of the calls. */
    private static double[] perCall(Runnable call, int calls) {
        for (int i = 0; i < Math.max(1, calls / 10); ++i) {
            call.run();
        }
        double[] samples = new double[calls];
        for (int i = 0; i < calls; ++i) {
            if (i % 1000 == 0) {
                VirtualProvider.clearJournal();  // untimed; keeps the provider's own log small
            }
            long start = System.nanoTime();
            call.run();
            samples[i] = System.nanoTime() - start;
        }
        return samples;
    }

    /** Mean time of one call in ns, timed in batches (for calls shorter than the clock). */
    private static double perCallBatched(Runnable call, int calls) {
        perCall(call, calls / 10);
        long start = System.nanoTime();
        for (int i = 0; i < calls; ++i) {
            call.run();
        }
        return (System.nanoTime() - start) / (double) calls;
    }

    private static double median(double[] samples) {
        return percentile(samples, 50);
    }

    private static double percentile(double[] samples, int percent) {
        double[] sorted = samples.clone();
        Arrays.sort(sorted);
        return sorted[Math.min(sorted.length - 1, sorted.length * percent / 100)];
    }

    /** One table row; values in ns unless the unit says otherwise ("us" converts from ns). */
    private static void row(String figure, double value, String unit, String floorName, double floor) {
        double shown = unit.equals("us") ? value / 1000 : value;
        double floorShown = unit.equals("us") ? floor / 1000 : floor;
        String ratio = floorName == null || floor <= 0 ? "" : String.format(Locale.ROOT, "%.2f", value / floor);
        String floorText = floorName == null ? "(floor)" : floorName;
        String floorValue = floorName == null ? "" : format(floorShown, unit);
        System.out.printf(Locale.ROOT, "| %s | %s | %s | %s | %s |%n", figure, format(shown, unit), floorText,
                floorValue, ratio);
    }

    private static String format(double value, String unit) {
        if (unit.equals("1/s")) {
            return String.format(Locale.ROOT, "%.0f/s", value);
        }
        return String.format(Locale.ROOT, value < 10 ? "%.2f %s" : "%.0f %s", value, unit);
    }
}
