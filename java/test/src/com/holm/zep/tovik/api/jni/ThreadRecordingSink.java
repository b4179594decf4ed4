package com.holm.zep.tovik.api.jni;

import java.util.ArrayList;
import java.util.List;

/** Log sink that keeps each line together with the thread that delivered it. */
public final class ThreadRecordingSink {
    static final String CLASS_NAME = "com/holm/zep/tovik/api/jni/ThreadRecordingSink";

    /** One delivered line. */
    record Line(String text, Thread thread) {
    }

    private static final List<Line> LINES = new ArrayList<>();
    private static RuntimeException failure;
    private static Thread failOn;
    private static boolean failOnOtherThreads;

    private ThreadRecordingSink() {
    }

    public static void log(String line) {
        RuntimeException toThrow = null;
        synchronized (LINES) {
            Thread current = Thread.currentThread();
            LINES.add(new Line(line, current));
            if (failure != null && (current == failOn) != failOnOtherThreads) {
                toThrow = failure;
                failure = null;
            }
        }
        if (toThrow != null) {
            throw toThrow;
        }
    }

    /** The next line delivered on `thread` (after being recorded) throws `exception`. */
    static void failNextOn(Thread thread, RuntimeException exception) {
        synchronized (LINES) {
            failure = exception;
            failOn = thread;
            failOnOtherThreads = false;
        }
    }

    /** The next line delivered on any thread but `thread` throws `exception`. */
    static void failNextOffThread(Thread thread, RuntimeException exception) {
        synchronized (LINES) {
            failure = exception;
            failOn = thread;
            failOnOtherThreads = true;
        }
    }

    /** True when a requested failure has not happened yet. */
    static boolean failurePending() {
        synchronized (LINES) {
            return failure != null;
        }
    }

    /** A second log method, to rename the log method without changing the class. */
    public static void other(String line) {
        log("other:" + line);
    }

    static List<Line> lines() {
        synchronized (LINES) {
            return new ArrayList<>(LINES);
        }
    }

    /** Messages of the well-formed lines of `function`, in order. */
    static List<String> messagesOf(String function) {
        List<String> messages = new ArrayList<>();
        for (Line line : lines()) {
            String message = BridgeTestSupport.messageOf(function, line.text());
            if (message != null) {
                messages.add(message);
            }
        }
        return messages;
    }

    static List<String> texts() {
        List<String> texts = new ArrayList<>();
        for (Line line : lines()) {
            texts.add(line.text());
        }
        return texts;
    }

    static void clear() {
        synchronized (LINES) {
            LINES.clear();
            failure = null;
        }
    }
}
