package com.holm.zep.tovik.test;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import java.util.ArrayList;
import java.util.List;
import java.util.function.Predicate;
import java.util.regex.Pattern;

/**
 * Log sink for tests: keeps every line the native library delivers, in arrival order, together
 * with the thread that delivered it.
 *
 * <p>Install it with {@link #install(TovikApiManager)}; the library then calls
 * {@link #log(String)} from any thread (Java threads inside native methods, the command thread,
 * event threads). The fail methods make a later delivered line throw, to test how the library
 * stops when its log method fails.
 */
public final class CapturingLogSink {
    /** Class name in the slash-separated form that {@code vtxSetLogClass} takes. */
    public static final String CLASS_NAME = "com/holm/zep/tovik/test/CapturingLogSink";
    public static final String METHOD_NAME = "log";

    /** A well-formed line: "function:line: message", the function optionally one "Class::" deep. */
    public static final Pattern LINE =
            Pattern.compile("([A-Za-z_][A-Za-z0-9_]*(?:::[A-Za-z_][A-Za-z0-9_]*)?):([0-9]+): (.*)",
                    Pattern.DOTALL);

    /** One delivered line. */
    public record Line(String text, Thread thread) {
    }

    private static final List<Line> LINES = new ArrayList<>();
    private static RuntimeException failure;
    private static Thread failOn;
    private static boolean failOnOtherThreads;

    private CapturingLogSink() {
    }

    /** The log method named to the library. */
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

    /** A second log method, to rename the log method without changing the class. */
    public static void other(String line) {
        log("other:" + line);
    }

    /** Names this sink to the library and forgets earlier lines. */
    public static void install(TovikApiManager manager) {
        clear();
        manager.vtxSetLogClass(CLASS_NAME, METHOD_NAME);
    }

    public static void clear() {
        synchronized (LINES) {
            LINES.clear();
            failure = null;
        }
    }

    /** The next line delivered on {@code thread} (after being recorded) throws {@code exception}. */
    public static void failNextOn(Thread thread, RuntimeException exception) {
        fail(thread, false, exception);
    }

    /** The next line delivered on any thread but {@code thread} throws {@code exception}. */
    public static void failNextOffThread(Thread thread, RuntimeException exception) {
        fail(thread, true, exception);
    }

    private static void fail(Thread thread, boolean otherThreads, RuntimeException exception) {
        synchronized (LINES) {
            failure = exception;
            failOn = thread;
            failOnOtherThreads = otherThreads;
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
        return lines(line -> true);
    }

    /** A copy of the line texts that match. */
    public static List<String> lines(Predicate<String> filter) {
        return records().stream().map(Line::text).filter(filter).toList();
    }

    /**
     * The message of a line of {@code function} ("function:line: message"), null for any other
     * line. The function is taken as given, so destructors ("Class::~Class") match too.
     */
    public static String messageOf(String function, String line) {
        String prefix = function + ":";
        if (!line.startsWith(prefix)) {
            return null;
        }
        int separator = line.indexOf(": ", prefix.length());
        String number = separator < 0 ? "" : line.substring(prefix.length(), separator);
        boolean numbered = !number.isEmpty() && number.chars().allMatch(Character::isDigit);
        return numbered ? line.substring(separator + 2) : null;
    }

    /** The messages of the well-formed lines of {@code function}, in order. */
    public static List<String> messagesOf(String function) {
        List<String> messages = new ArrayList<>();
        for (String line : lines()) {
            String message = messageOf(function, line);
            if (message != null) {
                messages.add(message);
            }
        }
        return messages;
    }
}
