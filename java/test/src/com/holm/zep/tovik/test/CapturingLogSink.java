package com.holm.zep.tovik.test;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import java.util.ArrayList;
import java.util.List;
import java.util.Objects;
import java.util.function.Predicate;
import java.util.regex.Pattern;

/**
 * Log class for tests: keeps every line the library delivers, in arrival order, with the thread
 * that delivered it (Java threads inside native methods, the command thread, event threads).
 * {@link #failWhen} makes a later line throw, to test how the library stops when its log method
 * fails.
 */
public final class CapturingLogSink {
    /** Class name in the slash-separated form that {@code vtxSetLogClass} takes. */
    public static final String CLASS_NAME = "com/holm/zep/tovik/test/CapturingLogSink";
    public static final String METHOD_NAME = "log";
    /** A well-formed line: "function:line: message", the function optionally one "Class::" deep. */
    public static final Pattern LINE =
            Pattern.compile("([A-Za-z_][A-Za-z0-9_]*(?:::~?[A-Za-z_][A-Za-z0-9_]*)?):([0-9]+): (.*)", Pattern.DOTALL);

    /** One delivered line. */
    public record Line(String text, Thread thread) {
    }

    private static final List<Line> LINES = new ArrayList<>();
    private static Predicate<Line> failOn;
    private static RuntimeException failure;

    private CapturingLogSink() {
    }

    /** The log method named to the library. */
    public static void log(String line) {
        RuntimeException toThrow = null;
        synchronized (LINES) {
            Line delivered = new Line(line, Thread.currentThread());
            LINES.add(delivered);
            if (failure != null && failOn.test(delivered)) {
                toThrow = failure;
                failure = null;
            }
        }
        if (toThrow != null) {
            throw toThrow;
        }
    }

    /** A second log method, to rename the log method without changing the class. */
    public static void other(String line) {
        log("other:" + line);
    }

    /** Names this sink to the library and forgets earlier lines. */
    public static void install(TovikApiManager manager) {
        clear();
        manager.vtxSetLogClass(CLASS_NAME, METHOD_NAME);
    }

    /** Forgets the lines and any failure not yet thrown. */
    public static void clear() {
        synchronized (LINES) {
            LINES.clear();
            failure = null;
        }
    }

    /** The next line that matches (after being recorded) throws {@code exception}. */
    public static void failWhen(Predicate<Line> line, RuntimeException exception) {
        synchronized (LINES) {
            failOn = line;
            failure = exception;
        }
    }

    /** True when a requested failure has not happened yet. */
    public static boolean failurePending() {
        synchronized (LINES) {
            return failure != null;
        }
    }

    /** A copy of all lines so far with their threads. */
    public static List<Line> records() {
        synchronized (LINES) {
            return new ArrayList<>(LINES);
        }
    }

    /** A copy of all line texts so far. */
    public static List<String> lines() {
        return records().stream().map(Line::text).toList();
    }

    /** The message of a well-formed line of {@code function}, null for any other line. */
    public static String messageOf(String function, String line) {
        var m = LINE.matcher(line);
        return m.matches() && m.group(1).equals(function) ? m.group(3) : null;
    }

    /** The messages of the well-formed lines of {@code function}, in order. */
    public static List<String> messagesOf(String function) {
        return lines().stream().map(line -> messageOf(function, line)).filter(Objects::nonNull).toList();
    }
}
