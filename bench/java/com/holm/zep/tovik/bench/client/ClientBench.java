package com.holm.zep.tovik.bench.client;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.client.CallEvent;
import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.NativeLog;
import com.holm.zep.tovik.client.TovikRuntime;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.time.Duration;
import java.util.Arrays;
import java.util.Locale;
import java.util.function.LongSupplier;
import jdk.jfr.Recording;

/**
 * What the Java client costs over the raw API, and what its observability costs when off and
 * when on: one connection-status read ({@code vtxGetConStatus}) each way, all in this JVM.
 *
 * <pre>java -cp tovik-client-bench.jar:tovik-client.jar:tovik-api.jar:tovik-sim.jar \
 *     -Djava.library.path=lib com.holm.zep.tovik.bench.client.ClientBench [--short]</pre>
 *
 * Prints one Markdown table row per figure, as the other Java benchmark does: the figure, its
 * median, the floor it is compared with (the raw call), the floor's value and the ratio. The
 * raw and the client call are measured in alternating rounds, so that drift of the machine
 * reaches both alike. {@code --short} runs briefly (the CI run); its numbers mean nothing.
 */
public final class ClientBench {
    private static final int ROUNDS = 5;

    private ClientBench() {
    }

    public static void main(String[] args) throws Exception {
        boolean shortRun = Arrays.asList(args).contains("--short");
        int calls = shortRun ? 2_000 : 100_000;
        VirtualProvider.reset();  // loads the provider before the first runtime
        TovikApiManager api = new TovikApiManager();

        System.out.println("| figure | client | floor | floor value | ratio |");
        System.out.println("|---|---|---|---|---|");
        try (TovikRuntime runtime = TovikRuntime.open();
                Connection connection = runtime.connect(200101, 0)) {
            long manager = runtime.handle();
            long handle = connection.handle();
            LongValue result = new LongValue();
            LongSupplier raw = () -> api.vtxGetConStatus(manager, handle, result);
            LongSupplier client = connection::status;

            compare("status read, Flight Recorder and log off", raw, client, calls);
            try (Recording recording = new Recording()) {
                recording.enable("jdk.ThreadSleep");  // a recording runs, the client's event is off
                recording.start();
                compare("status read, recording running without the client's event", raw, client,
                        calls);
            }
            try (Recording recording = new Recording()) {
                recording.enable(CallEvent.NAME).withThreshold(Duration.ZERO);
                recording.start();
                compare("status read, client's Flight Recorder event on", raw, client, calls);
            }
            // The raw call without the log against the client's with the library's log
            // bridged: System.Logger's default backend logs INFO and above, so the lines reach
            // the bridge and stop at its level check.
            compare("status read, library log bridged (DEBUG not logged), against the raw call "
                    + "without it", raw, client, calls, NativeLog::install, NativeLog::uninstall);
        }
    }

    /** Median ns per call of both, over alternating rounds; prints one row. */
    private static void compare(String figure, LongSupplier raw, LongSupplier client, int calls) {
        compare(figure, raw, client, calls, () -> { }, () -> { });
    }

    /** As above, with {@code before} and {@code after} around each round of the client. */
    private static void compare(String figure, LongSupplier raw, LongSupplier client, int calls,
            Runnable before, Runnable after) {
        double[] rawSamples = new double[calls * ROUNDS];
        double[] clientSamples = new double[calls * ROUNDS];
        warm(raw, calls / 10);
        before.run();
        warm(client, calls / 10);
        after.run();
        for (int round = 0; round < ROUNDS; round++) {
            sample(raw, rawSamples, round * calls, calls);
            before.run();
            sample(client, clientSamples, round * calls, calls);
            after.run();
        }
        double rawMedian = median(rawSamples);
        double clientMedian = median(clientSamples);
        System.out.printf(Locale.ROOT, "| %s | %.0f ns | raw vtxGetConStatus | %.0f ns | %.2f |%n",
                figure, clientMedian, rawMedian, clientMedian / rawMedian);
    }

    private static long sink;

    private static void warm(LongSupplier call, int calls) {
        for (int i = 0; i < calls; i++) {
            sink += call.getAsLong();
        }
    }

    private static void sample(LongSupplier call, double[] samples, int from, int calls) {
        for (int i = 0; i < calls; i++) {
            if (i % 1000 == 0) {
                VirtualProvider.clearJournal();  // untimed; keeps the provider's journal small
            }
            long start = System.nanoTime();
            sink += call.getAsLong();
            samples[from + i] = System.nanoTime() - start;
        }
    }

    private static double median(double[] samples) {
        double[] sorted = samples.clone();
        Arrays.sort(sorted);
        return sorted[sorted.length / 2];
    }
}
