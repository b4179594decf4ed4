package com.holm.zep.tovik.hardening;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.List;

/** What the hardening suites share: libraries, runtimes, leak baselines, value comparison. */
final class Harness {
    static final TovikApiManager MANAGER = new TovikApiManager();
    static final long NO_FACADE = 0x50000007L;
    static final long NO_INTERFACE = 0x50000003L;
    static final long INVALID_HANDLE = 0xFFFFFFFFL;
    /** What a LongValue holds until the library sets it. */
    static final long UNSET = 0x5EED5EED5EEDL;

    /** Serial number of the module the sweeps connect to (default workshop). */
    static final long MODULE = 200101;

    private static boolean loaded;

    private Harness() {
    }

    static synchronized void load() {
        if (!loaded) {
            TovikApiManager.loadLibrary();
            VirtualProvider.clearFaults();  // loads the provider, which registers its classes
            loaded = true;
        }
    }

    static LongValue result() {
        return new LongValue(UNSET);
    }

    /** Live provider objects and the platform's counters as one comparable text. */
    static String snapshot() {
        return "liveObjects=" + VirtualProvider.liveObjects() + " " + VirtualProvider.platformCounters();
    }

    /** A runtime and an open connection to {@link #MODULE}; closed again by {@link #close()}. */
    static final class Session implements AutoCloseable {
        final long manager;
        final long connection;

        Session() {
            LongValue r = result();
            manager = MANAGER.vtxInitializeRuntime("first", "second", false, r);
            if (r.get() != 0 || manager == INVALID_HANDLE) {
                throw new AssertionError("runtime not initialised: " + manager + " " + r);
            }
            connection = MANAGER.vtxConnect(manager, MODULE, 1, r);
            if (r.get() != 0) {
                MANAGER.vtxShutdownRuntime(manager);
                throw new AssertionError("no connection: " + r);
            }
        }

        @Override
        public void close() {
            MANAGER.vtxDisconnect(manager, connection, result());
            MANAGER.vtxShutdownRuntime(manager);
        }
    }

    /** Every field of a value object (and of the value objects it holds), as text. */
    static String dump(Object value) {
        StringBuilder text = new StringBuilder();
        dump(value, text, 0);
        return text.toString();
    }

    private static void dump(Object value, StringBuilder text, int depth) {
        if (value == null || depth > 4 || value instanceof String || value instanceof Number
                || value instanceof Boolean || value instanceof Character) {
            text.append(value);
            return;
        }
        Class<?> type = value.getClass();
        if (type.isArray()) {
            text.append('[');
            for (int i = 0; i < Array.getLength(value); i++) {
                dump(Array.get(value, i), text, depth + 1);
                text.append(',');
            }
            text.append(']');
            return;
        }
        text.append(type.getSimpleName()).append('{');
        for (Field field : type.getDeclaredFields()) {
            if (Modifier.isStatic(field.getModifiers())) {
                continue;
            }
            field.setAccessible(true);
            text.append(field.getName()).append('=');
            try {
                dump(field.get(value), text, depth + 1);
            } catch (IllegalAccessException e) {
                throw new AssertionError(e);
            }
            text.append(';');
        }
        text.append('}');
    }

    /**
     * Method keys of the journal lines since the last clear, in call order with every repeat:
     * "ITovikVciItems.Item(1)" gives "ITovikVciItems.Item".
     */
    static List<String> journalKeys() {
        List<String> keys = new ArrayList<>();
        for (String line : VirtualProvider.journal()) {
            int paren = line.indexOf('(');
            keys.add(paren < 0 ? line : line.substring(0, paren));
        }
        return keys;
    }

    static List<String> journalLines(String prefix) {
        return new ArrayList<>(VirtualProvider.journal(prefix));
    }
}
