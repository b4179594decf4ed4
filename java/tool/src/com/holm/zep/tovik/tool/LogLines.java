package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.NativeLog;
import java.io.PrintStream;
import java.util.function.Consumer;

/**
 * With {@code --log}: each of the native library's lines on standard error, prefixed "log| " so
 * that it stands apart from the command's own output. The lines come through the client's log
 * bridge as a listener rather than through a logging backend, which would stop showing them
 * once Ctrl-C has begun the JVM's shutdown, while the tool still cancels its wait and shuts
 * the runtime down.
 */
final class LogLines {
    private static final Consumer<String> PRINT = LogLines::print;

    private LogLines() {
    }

    /** Starts showing the lines; false (after a warning) when the library cannot deliver them. */
    static boolean start(PrintStream err) {
        NativeLog.addListener(PRINT);
        try {
            NativeLog.install();
            return true;
        } catch (UnsatisfiedLinkError e) {
            NativeLog.removeListener(PRINT);
            err.println("tovik: warning: vtxSetLogClass is not available; no library log");
            return false;
        }
    }

    /** Stops showing the lines (after the runtime has shut down, so that its lines show). */
    static void stop() {
        try {
            NativeLog.uninstall();
        } finally {
            NativeLog.removeListener(PRINT);
        }
    }

    private static void print(String line) {
        synchronized (System.err) {
            System.err.println("log| " + line);
            System.err.flush();
        }
    }
}
