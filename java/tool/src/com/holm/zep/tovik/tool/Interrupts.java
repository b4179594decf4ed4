package com.holm.zep.tovik.tool;

import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

/**
 * Ctrl-C (or a termination request) while a command runs: the shutdown hook asks the command to
 * stop, then waits until the command has cleaned up (disconnect, runtime shutdown) before the
 * virtual machine ends, with the exit status of the signal (130 for Ctrl-C). Commands notice the
 * request at their next {@link #checkInterrupted} (a wait for events within a fraction of a
 * second) and end with {@link ToolException#INTERRUPTED}.
 */
final class Interrupts {
    /** Longest time the hook lets a command clean up. */
    private static final long CLEANUP_SECONDS = 10;
    private static final CountDownLatch FINISHED = new CountDownLatch(1);
    private static volatile boolean requested;
    private static boolean installed;

    private Interrupts() {
    }

    /** Installs the hook once. */
    static synchronized void watch() {
        if (installed) {
            return;
        }
        installed = true;
        Runtime.getRuntime().addShutdownHook(new Thread(() -> {
            requested = true;
            try {
                FINISHED.await(CLEANUP_SECONDS, TimeUnit.SECONDS);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
        }, "tovik-interrupt"));
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
