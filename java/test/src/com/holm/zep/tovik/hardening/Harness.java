package com.holm.zep.tovik.hardening;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;

import com.holm.zep.tovik.api.jni.LeakCheck;
import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import com.holm.zep.tovik.test.ValueText;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.lang.reflect.Array;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.lang.reflect.Parameter;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.ScheduledFuture;
import java.util.concurrent.TimeUnit;
import java.util.stream.Stream;

/**
 * What the hardening suites share: libraries, runtimes, valid arguments for every native method,
 * one guarded call, leak baselines and value comparison.
 */
final class Harness {
    static final TovikApiManager MANAGER = new TovikApiManager();
    static final long NO_FACADE = 0x50000007L;
    static final long NO_INTERFACE = 0x50000003L;
    static final long INVALID_HANDLE = 0xFFFFFFFFL;
    /** What a LongValue holds until the library sets it. */
    static final long UNSET = 0x5EED5EED5EEDL;
    /** Serial number of the module the sessions connect to (default workshop). */
    static final long MODULE = 200101;

    private static final ScheduledExecutorService WATCHDOG = Executors.newSingleThreadScheduledExecutor(r -> {
        Thread t = new Thread(r, "hardening-watchdog");
        t.setDaemon(true);
        return t;
    });
    /** Every file a call names lies in this folder; {@link #removeFolder()} deletes it. */
    private static Path folder;

    private Harness() {
    }

    static LongValue result() {
        return new LongValue(UNSET);
    }

    static List<Method> nativeMethods() {
        return Arrays.stream(TovikApiManager.class.getDeclaredMethods())
                .filter(m -> Modifier.isNative(m.getModifiers()))
                .sorted(Comparator.comparing(Method::getName))
                .toList();
    }

    static Method nativeMethod(String name) {
        return nativeMethods().stream().filter(m -> m.getName().equals(name)).findFirst()
                .orElseThrow(() -> new AssertionError("no native method " + name));
    }

    static synchronized Path folder() {
        try {
            if (folder == null) {
                folder = Files.createTempDirectory("tovik-hardening");
                Files.write(folder.resolve("stored.bin"), new byte[] {1, 2, 3});
            }
            return folder;
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    static synchronized void removeFolder() throws IOException {
        if (folder != null) {
            try (Stream<Path> files = Files.walk(folder)) {
                for (Path path : files.sorted(Comparator.reverseOrder()).toList()) {
                    Files.delete(path);
                }
            }
            folder = null;
        }
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

    /**
     * One call of a native method on a session: built with valid arguments (one of which a test
     * may replace) and whatever the method needs beforehand, then run once under a watchdog that
     * cancels a wait that does not end.
     */
    static final class Call {
        final Method method;
        final Object[] args;
        private final Session session;
        /** The arguments other than the result code, as text, just before the call. */
        String before;
        Object returned;
        Throwable thrown;
        boolean hung;

        Call(Method method, Session session) {
            this.method = method;
            this.session = session;
            this.args = validArguments(method, session);
            if (method.getName().equals("vtxWaitForEvents")) {
                // One event is queued before the wait, so a working wait returns false with it.
                MANAGER.vtxRegisterForEvents(session.manager, 1, 2, result());
                VirtualProvider.postEvent(7, 8, 9);
            }
        }

        Call run() throws IllegalAccessException {
            before = passedIn();
            ScheduledFuture<?> guard = WATCHDOG.schedule(() -> {
                hung = true;
                MANAGER.vtxCancelEventNotification(session.manager, result());
            }, 20, TimeUnit.SECONDS);
            try {
                returned = method.invoke(MANAGER, args);
            } catch (InvocationTargetException e) {
                thrown = e.getCause();
            } finally {
                guard.cancel(false);
            }
            if (method.getName().equals("vtxInitializeRuntime") && returned instanceof Long handle
                    && handle != INVALID_HANDLE) {
                MANAGER.vtxShutdownRuntime(handle);
            }
            return this;
        }

        /** The result code delivered, or {@link #UNSET} (also when the method has none). */
        long resultCode() {
            return Arrays.stream(args).filter(LongValue.class::isInstance)
                    .mapToLong(a -> ((LongValue) a).get()).findFirst().orElse(UNSET);
        }

        boolean hasResultCode() {
            return Arrays.stream(method.getParameterTypes()).anyMatch(LongValue.class::equals);
        }

        /** The contents of the arguments other than the result code. */
        String passedIn() {
            return ValueText.of(Arrays.stream(args).filter(a -> !(a instanceof LongValue)).toArray());
        }

        /** Whether anything reached Java: a value other than {@code untouched}, or a changed argument. */
        boolean delivered(Object untouched) {
            return !ValueText.of(returned).equals(ValueText.of(untouched)) || !passedIn().equals(before);
        }
    }

    /** A step of a sweep case, given the call. */
    interface Step {
        void run(Call call) throws Exception;
    }

    /**
     * One sweep case on a freshly reset provider and a session of its own: `prepare` before the
     * call, `check` after it (faults cleared) while the session is still open. The call must
     * return, and the provider's objects and the platform's counters be back where they were.
     */
    static Call sweepCase(Method method, Step prepare, Step check) throws Exception {
        VirtualProvider.reset();
        String baseline = LeakCheck.snapshot();
        Call call;
        try (Session session = new Session()) {
            call = new Call(method, session);
            prepare.run(call);
            try {
                call.run();
            } finally {
                VirtualProvider.clearFaults();
                VirtualProvider.setAllocationLimit(0);
            }
            check.run(call);
        }
        assertFalse(call.hung, "the call did not return within 20 s");
        assertEquals(baseline, LeakCheck.snapshot(), "provider objects and platform counters afterwards");
        return call;
    }

    /** Valid arguments: a live runtime, an open connection, values the default workshop knows. */
    static Object[] validArguments(Method method, Session session) {
        Parameter[] parameters = method.getParameters();
        Object[] args = new Object[parameters.length];
        for (int i = 0; i < parameters.length; i++) {
            Class<?> type = parameters[i].getType();
            String name = parameters[i].getName();
            if (type == long.class) {
                args[i] = switch (name) {
                    case "manager" -> session.manager;
                    case "connection", "target", "handle", "firstSelector" -> session.connection;
                    case "first" -> method.getName().equals("vtxControlApp") ? session.connection : 1L;
                    case "secondSelector", "thirdSelector" -> 0L;
                    case "firstConnectValue", "moduleId" -> MODULE;
                    case "accessId" -> startedRead(session);
                    case "job" -> startedJob(session);
                    default -> 1L;
                };
            } else if (type == boolean.class) {
                args[i] = true;
            } else if (type == String.class) {
                args[i] = switch (name) {
                    case "fileName" -> folder().resolve("stored.bin").toString();
                    // A class that exists with its log method, so every variant of one of
                    // the two names really reaches the class or method lookup.
                    case "className" -> CapturingLogSink.CLASS_NAME;
                    case "methodName" -> CapturingLogSink.METHOD_NAME;
                    // Installed by default: Diagnostics; on the PC only: Data Logger.
                    case "appName" -> method.getName().equals("vtxUninstallVciApp") ? "Diagnostics" : "Data Logger";
                    default -> "calibration";
                };
            } else if (type == long[].class) {
                args[i] = new long[name.equals("segments") ? 8 : 5];
            } else if (type == byte[].class) {
                args[i] = new byte[] {1, 2, 3};
            } else if (type == LongValue.class) {
                args[i] = result();
            } else {
                args[i] = preset(type);
            }
        }
        return args;
    }

    /** The access id of a read of the default workshop's "calibration" block, started now. */
    private static long startedRead(Session session) {
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(session.manager, session.connection, "calibration", 1, 0, item, result());
        return item.getClientInfo();
    }

    /** The job value of an installation started now. */
    private static long startedJob(Session session) {
        TovikAppStatus status = new TovikAppStatus();
        MANAGER.vtxInstallVciApp(session.manager, session.connection, "Data Logger", status, result());
        return status.getJob();
    }

    /**
     * A value object Java passes in, already holding values through its setData (when it has
     * one), so that a write of zeros or empty texts shows as well.
     */
    private static Object preset(Class<?> type) {
        try {
            Object object = type.getConstructor().newInstance();
            for (Method setData : type.getMethods()) {
                if (setData.getName().equals("setData")) {
                    Class<?>[] types = setData.getParameterTypes();
                    Object[] values = new Object[types.length];
                    for (int i = 0; i < types.length; i++) {
                        values[i] = types[i] == long.class ? (Object) 0x5A5AL
                                : types[i] == int.class ? (Object) 0x5A5A
                                : types[i] == boolean.class ? (Object) true
                                : types[i] == String.class ? "preset"
                                : Array.newInstance(types[i].getComponentType(), 0);
                    }
                    setData.invoke(object, values);
                    break;
                }
            }
            return object;
        } catch (ReflectiveOperationException e) {
            throw new AssertionError(e);
        }
    }

    /** What a native method returns when it finds no runtime (or its provider call failed). */
    static Object failureValue(Method method) {
        Class<?> type = method.getReturnType();
        if (type == long.class) {
            return method.getName().startsWith("vtxConnect") || method.getName().equals("vtxInitializeRuntime")
                    ? INVALID_HANDLE : 0L;
        }
        return type == boolean.class ? (Object) true : null;
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
}
