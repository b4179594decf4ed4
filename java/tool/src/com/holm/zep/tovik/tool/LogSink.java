package com.holm.zep.tovik.tool;

/**
 * Receives the native library's log lines when the tool runs with {@code --log} and writes each
 * to standard error, prefixed so that it stands apart from the command's own output. The library
 * calls {@link #line(String)} from any thread.
 */
public final class LogSink {
    static final String CLASS_NAME = "com/holm/zep/tovik/tool/LogSink";
    static final String METHOD_NAME = "line";

    private LogSink() {
    }

    public static void line(String text) {
        synchronized (System.err) {
            System.err.println("log| " + text);
            System.err.flush();
        }
    }
}
