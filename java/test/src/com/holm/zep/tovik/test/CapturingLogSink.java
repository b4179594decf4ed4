package com.holm.zep.tovik.test;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import java.util.ArrayList;
import java.util.List;
import java.util.function.Predicate;

/**
 * Log sink for tests: keeps every line the native library delivers, in arrival order.
 *
 * <p>Install it with {@link #install(TovikApiManager)}; the library then calls
 * {@link #log(String)} from any thread (Java threads inside native methods, the command thread,
 * event threads). {@link #failWith(RuntimeException)} makes the next delivered line throw, to
 * test how the library stops when its log method fails.
 */
public final class CapturingLogSink {
    /** Class name in the slash-separated form that {@code vtxSetLogClass} takes. */
    public static final String CLASS_NAME = "com/holm/zep/tovik/test/CapturingLogSink";
    public static final String METHOD_NAME = "log";

    private static final List<String> LINES = new ArrayList<>();
    private static RuntimeException nextFailure;

    private CapturingLogSink() {
    }

    /** The log method named to the library. */
    public static void log(String line) {
        RuntimeException failure;
        synchronized (LINES) {
            LINES.add(line);
            failure = nextFailure;
            nextFailure = null;
        }
        if (failure != null) {
            throw failure;
        }
    }

    /** Names this sink to the library and forgets earlier lines. */
    public static void install(TovikApiManager manager) {
        clear();
        manager.vtxSetLogClass(CLASS_NAME, METHOD_NAME);
    }

    public static void clear() {
        synchronized (LINES) {
            LINES.clear();
            nextFailure = null;
        }
    }

    /** Makes the next delivered line throw {@code failure} (after recording the line). */
    public static void failWith(RuntimeException failure) {
        synchronized (LINES) {
            nextFailure = failure;
        }
    }

    /** A copy of all lines so far. */
    public static List<String> lines() {
        synchronized (LINES) {
            return new ArrayList<>(LINES);
        }
    }

    /** A copy of the lines that match. */
    public static List<String> lines(Predicate<String> filter) {
        List<String> matching = new ArrayList<>();
        for (String line : lines()) {
            if (filter.test(line)) {
                matching.add(line);
            }
        }
        return matching;
    }

    /**
     * The message texts of the lines logged by one function, i.e. what follows
     * {@code "<function>:<line>: "}.
     */
    public static List<String> messagesOf(String function) {
        String prefix = function + ":";
        List<String> messages = new ArrayList<>();
        for (String line : lines()) {
            if (!line.startsWith(prefix)) {
                continue;
            }
            int separator = line.indexOf(": ", prefix.length());
            if (separator >= 0 && isLineNumber(line.substring(prefix.length(), separator))) {
                messages.add(line.substring(separator + 2));
            }
        }
        return messages;
    }

    private static boolean isLineNumber(String text) {
        return !text.isEmpty() && text.chars().allMatch(Character::isDigit);
    }
}
