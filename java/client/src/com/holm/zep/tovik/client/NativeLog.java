package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import java.lang.System.Logger;
import java.lang.System.Logger.Level;
import java.util.Objects;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.ConcurrentMap;
import java.util.concurrent.CopyOnWriteArrayList;
import java.util.function.Consumer;

/**
 * Bridge from the native library's log to {@link System.Logger}, and so to any logging backend.
 *
 * <p>The library writes lines "Function:123: text", the function being a native method's
 * exported name or "Class::Member". Each line goes, unchanged, at level {@code DEBUG} to the
 * logger named {@value #LOGGER_PREFIX} + "." + the function, e.g.
 * {@code com.holm.zep.tovik.native.CTovikManagerIF::CmdDestroyObject}; a line of another form
 * goes to the logger {@value #LOGGER_PREFIX}.
 *
 * <p>Off by default: the bridge is named to the library only between {@link #install()} and the
 * matching {@link #uninstall()} (or while a runtime opened with
 * {@link TovikRuntime.Options#withNativeLog(boolean)} is open). While it is not installed the
 * library delivers no line to Java at all. The library's log target is one per process, so the
 * bridge replaces any other log class named with {@code vtxSetLogClass} while installed.
 *
 * <p>The library calls {@link #line(String)} synchronously on the thread that logs: a Java thread
 * inside a native method, the library's command thread or an event thread.
 *
 * <p>A program that shows the lines itself, whatever the logging configuration, adds a
 * {@linkplain #addListener listener}: it gets every line, unchanged, before the logger does.
 * Unlike a logging backend it keeps receiving lines while the JVM shuts down:
 * {@code java.util.logging}, for one, closes its handlers when shutdown begins, so the lines of
 * a runtime closed by a shutdown hook (for instance after Ctrl-C) would be lost there.
 */
public final class NativeLog {
    /** Prefix of the loggers' names. */
    public static final String LOGGER_PREFIX = "com.holm.zep.tovik.native";

    /** The class named to the library, in the slash-separated form {@code vtxSetLogClass} takes. */
    static final String CLASS_NAME = "com/holm/zep/tovik/client/NativeLog";
    static final String METHOD_NAME = "line";

    private static final TovikApiManager API = new TovikApiManager();
    private static final ConcurrentMap<String, Logger> LOGGERS = new ConcurrentHashMap<>();
    private static final CopyOnWriteArrayList<Consumer<? super String>> LISTENERS =
            new CopyOnWriteArrayList<>();
    private static final Object LOCK = new Object();
    private static int installs;

    private NativeLog() {
    }

    /**
     * Names the bridge to the library, which then delivers its lines from the next line on.
     * Installs nest: the bridge stays until as many {@link #uninstall()} calls have followed.
     */
    public static void install() {
        TovikApiManager.loadLibrary();
        synchronized (LOCK) {
            if (installs == 0) {
                // Counted only once the library took it: a library without the method leaves
                // nothing to undo.
                API.vtxSetLogClass(CLASS_NAME, METHOD_NAME);
            }
            installs++;
        }
    }

    /** Undoes one {@link #install()}; the last one stops the delivery. */
    public static void uninstall() {
        synchronized (LOCK) {
            if (installs == 0) {
                return;
            }
            if (--installs == 0) {
                API.vtxSetLogClass(null, null);
            }
        }
    }

    /** {@return whether the bridge is named to the library} */
    public static boolean installed() {
        synchronized (LOCK) {
            return installs > 0;
        }
    }

    /**
     * Hands every line the library delivers from now on to {@code listener} too, unchanged and
     * before the logger gets it, on the thread that logs. Lines arrive only while the bridge is
     * {@linkplain #install() installed}. A listener that throws loses that line; the library and
     * the other listeners carry on.
     *
     * @param listener receives the lines, "Function:123: text"; must be quick and must not call
     *     into the library
     */
    public static void addListener(Consumer<? super String> listener) {
        LISTENERS.add(Objects.requireNonNull(listener, "listener"));
    }

    /**
     * Stops handing lines to {@code listener}; nothing happens when it was not added.
     *
     * @param listener a listener given to {@link #addListener}
     */
    public static void removeListener(Consumer<? super String> listener) {
        LISTENERS.remove(listener);
    }

    /**
     * Receives one line from the library. Called by the library only; public because the library
     * finds it by name.
     *
     * @param line "Function:123: text"
     */
    public static void line(String line) {
        if (line == null) {
            return;
        }
        for (Consumer<? super String> listener : LISTENERS) {
            try {
                listener.accept(line);
            } catch (RuntimeException e) {
                // An exception would reach the native code that is logging.
            }
        }
        Logger logger = LOGGERS.computeIfAbsent(loggerName(line), System::getLogger);
        if (logger.isLoggable(Level.DEBUG)) {
            logger.log(Level.DEBUG, line);
        }
    }

    /** {@value #LOGGER_PREFIX}.Function for "Function:123: text", else the prefix alone. */
    static String loggerName(String line) {
        int colon = line.indexOf(':');
        while (colon > 0) {
            int digits = colon + 1;
            while (digits < line.length() && Character.isDigit(line.charAt(digits))) {
                digits++;
            }
            // "Class::Member" has a colon followed by another colon, not by the line number.
            if (digits > colon + 1 && digits < line.length() && line.charAt(digits) == ':') {
                return LOGGER_PREFIX + "." + line.substring(0, colon);
            }
            colon = line.indexOf(':', colon + 1);
        }
        return LOGGER_PREFIX;
    }
}
