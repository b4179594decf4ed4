package com.holm.zep.tovik.tool;

import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

/**
 * Ctrl-C (or a termination request) while a command runs: the shutdown hook asks the command to
 * stop (cancelling a blocking wait for events through the given action), then waits until the
 * command has cleaned up (disconnect, runtime shutdown) before the virtual machine ends, with the
 * exit status of the signal (130 for Ctrl-C). Commands notice the request at their next
 * {@link #checkInterrupted} and end with {@link ToolException#INTERRUPTED}.
 */
final class Interrupts {
    private static final CountDownLatch FINISHED = new CountDownLatch(1);
    private static volatile boolean requested;
    private static volatile Runnable cancelAction;
    private static boolean installed;

    private Interrupts() {
    }

    /** Installs the hook once; {@code cancel} runs on Ctrl-C (may be null). */
    static synchronized void watch(Runnable cancel) {
        cancelAction = cancel;
        if (installed) {
            return;
        }
        installed = true;
        Runtime.getRuntime().addShutdownHook(new Thread(() -> {
            requested = true;
            // A cancellation only ends a wait that is in progress, so it is repeated until
            // the command has finished (it may have been just about to start a wait).
            long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(10);
            try {
                do {
                    Runnable action = cancelAction;
                    if (action != null) {
                        try {
                            action.run();
                        } catch (RuntimeException | Error e) {
                            // the command's own cleanup still runs
                        }
                    }
                } while (!FINISHED.await(200, TimeUnit.MILLISECONDS)
                        && System.nanoTime() < deadline);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
        }, "tovik-interrupt"));
    }

    /** Stops watching: later interrupts end the process without a cancel action. */
    static void unwatch() {
        cancelAction = null;
    }

    static boolean requested() {
        return requested;
    }

    /** The command has finished its cleanup; a pending shutdown may go on. */
    static void finished() {
        FINISHED.countDown();
    }

    static void checkInterrupted(String operation) {
        if (requested) {
            throw interrupted(operation);
        }
    }

    static ToolException interrupted(String operation) {
        return new ToolException(ToolException.INTERRUPTED, operation, null,
                operation + " interrupted");
    }
}
