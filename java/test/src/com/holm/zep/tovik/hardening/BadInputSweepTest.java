package com.holm.zep.tovik.hardening;

import static com.holm.zep.tovik.hardening.Harness.MANAGER;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.io.File;
import java.io.IOException;
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
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.stream.Stream;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.DynamicContainer;
import org.junit.jupiter.api.DynamicNode;
import org.junit.jupiter.api.DynamicTest;
import org.junit.jupiter.api.TestFactory;

/**
 * Every native method of TovikApiManager (found by reflection, so a new one is swept without
 * an edit here), one parameter at a time replaced by bad input: null references, empty and
 * short arrays, numbers at the edges of 32 and 64 bits, unknown and shut-down manager handles,
 * text outside the ANSI code page. Each call must return its documented result or throw a Java
 * exception whose message says what was wrong; it must not crash, warn under -Xcheck:jni, hang
 * or leak.
 */
class BadInputSweepTest {
    static final long[] NUMBERS = {0, -1, 0x7FFFFFFFL, 0x80000000L, 0xFFFFFFFFL, (1L << 32) + 1,
        Long.MIN_VALUE, Long.MAX_VALUE};
    /** Empty, outside the ANSI code page, with a NUL inside, longer than any name may be. */
    private static final String[] TEXTS = {"", "\u4e2d\u6587 \ud83d\ude00 \u00e9\u20ac", "ab\u0000cd",
        "x".repeat(70_000)};

    private static final AtomicInteger CASES = new AtomicInteger();
    private static final AtomicInteger EXCEPTIONS = new AtomicInteger();
    private static final ScheduledExecutorService WATCHDOG = Executors.newSingleThreadScheduledExecutor(r -> {
        Thread t = new Thread(r, "bad-input-watchdog");
        t.setDaemon(true);
        return t;
    });
    private static final java.util.Set<String> MESSAGES = new java.util.concurrent.ConcurrentSkipListSet<>();
    /** Every file the sweep names lies in this folder, removed afterwards. */
    private static Path folder;
    private static Path file;

    @BeforeAll
    static void load() throws Exception {
        Harness.load();
        folder = Files.createTempDirectory("tovik-bad-input");
        file = folder.resolve("stored.bin");
        Files.write(file, new byte[] {1, 2, 3});
    }

    @AfterAll
    static void report() throws IOException {
        System.out.println("bad-input sweep: " + CASES.get() + " cases over " + nativeMethods().size()
                + " native methods, " + EXCEPTIONS.get() + " answered with a Java exception");
        MESSAGES.forEach(m -> System.out.println("  exception message: " + m));
        MANAGER.vtxSetLogClass(null, null);
        CapturingLogSink.clear();
        VirtualProvider.reset();
        try (Stream<Path> files = Files.walk(folder)) {
            for (Path path : files.sorted(Comparator.reverseOrder()).toList()) {
                Files.delete(path);
            }
        }
    }

    /**
     * A file-name text as a name inside the sweep's folder, never in the working directory. The
     * empty name stays empty: it names no file anywhere.
     */
    private static Object inFolder(Method method, int index, Object value) {
        boolean fileName = method.getParameters()[index].getName().equals("fileName");
        return fileName && value instanceof String text && !text.isEmpty() ? folder + File.separator + text : value;
    }

    static List<Method> nativeMethods() {
        return Arrays.stream(TovikApiManager.class.getDeclaredMethods())
                .filter(m -> Modifier.isNative(m.getModifiers()))
                .sorted(Comparator.comparing(Method::getName))
                .toList();
    }

    /** One argument replaced: which, by what, and whether it is a manager handle nobody holds. */
    private record Variant(String name, int index, Object value, boolean unknownManager) {
    }

    @TestFactory
    Stream<DynamicNode> everyParameterOfEveryNativeMethod() {
        return nativeMethods().stream().map(method -> DynamicContainer.dynamicContainer(method.getName(),
                variantsOf(method).stream().map(v -> DynamicTest.dynamicTest(v.name, () -> run(method, v)))));
    }

    private static List<Variant> variantsOf(Method method) {
        List<Variant> variants = new ArrayList<>();
        // First the call as it is meant: it must succeed, or the other arguments of each variant
        // would not be valid and the bad one could be refused for another reason.
        variants.add(new Variant("all arguments valid", ALL_VALID, null, false));
        Parameter[] parameters = method.getParameters();
        for (int i = 0; i < parameters.length; i++) {
            Parameter p = parameters[i];
            Class<?> type = p.getType();
            String at = p.getName() + " = ";
            boolean manager = i == 0 && p.getName().equals("manager");
            if (type == long.class) {
                for (long n : NUMBERS) {
                    variants.add(new Variant(at + "0x" + Long.toHexString(n), i, n, manager));
                }
                if (manager) {
                    variants.add(new Variant(at + "a shut-down handle", i, SHUT_DOWN, true));
                }
                continue;
            }
            if (type == boolean.class) {
                variants.add(new Variant(at + "false", i, false, false));
                continue;
            }
            variants.add(new Variant(at + "null", i, null, false));
            if (type == String.class) {
                for (String text : TEXTS) {
                    String what = text.indexOf('\0') >= 0 ? "text with a NUL" : "text of " + text.length() + " chars";
                    variants.add(new Variant(at + what, i, text, false));
                }
            } else if (type == long[].class) {
                variants.add(new Variant(at + "empty", i, new long[0], false));
                variants.add(new Variant(at + "one element", i, new long[1], false));
            } else if (type == byte[].class) {
                variants.add(new Variant(at + "empty", i, new byte[0], false));
                variants.add(new Variant(at + "one byte", i, new byte[1], false));
            }
        }
        return variants;
    }

    private static final Object SHUT_DOWN = new Object();
    /** Variant index of the call with every argument valid. */
    private static final int ALL_VALID = -1;

    /** Valid arguments: a live runtime, an open connection, values the default workshop knows. */
    private static Object[] validArguments(Method method, Harness.Session session) throws Exception {
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
                    case "firstConnectValue" -> Harness.MODULE;
                    case "moduleId" -> Harness.MODULE;
                    case "accessId" -> startedRead(session);
                    case "job" -> startedJob(session);
                    default -> 1L;
                };
            } else if (type == boolean.class) {
                args[i] = true;
            } else if (type == String.class) {
                args[i] = switch (name) {
                    case "fileName" -> file.toString();
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
                args[i] = Harness.result();
            } else {
                args[i] = preset(type);
            }
        }
        return args;
    }

    /** The access id of a read of the default workshop's "calibration" block, started now. */
    private static long startedRead(Harness.Session session) {
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(session.manager, session.connection, "calibration", 1, 0, item, Harness.result());
        return item.getClientInfo();
    }

    /** The job value of an installation started now. */
    private static long startedJob(Harness.Session session) {
        TovikAppStatus status = new TovikAppStatus();
        MANAGER.vtxInstallVciApp(session.manager, session.connection, "Data Logger", status, Harness.result());
        return status.getJob();
    }

    private static void run(Method method, Variant variant) throws Exception {
        CASES.incrementAndGet();
        VirtualProvider.reset();
        String baseline = Harness.snapshot();
        boolean initialize = method.getName().equals("vtxInitializeRuntime");
        Object returned = null;
        Throwable thrown = null;
        Object[] args;
        AtomicBoolean hung = new AtomicBoolean();
        try (Harness.Session session = new Harness.Session()) {
            args = validArguments(method, session);
            Object value = variant.value;
            if (value == SHUT_DOWN) {
                LongValue r = Harness.result();
                long gone = MANAGER.vtxInitializeRuntime("gone", "gone", false, r);
                MANAGER.vtxShutdownRuntime(gone);
                value = gone;
            }
            if (variant.index != ALL_VALID) {
                args[variant.index] = inFolder(method, variant.index, value);
            }
            if (method.getName().equals("vtxWaitForEvents")) {
                MANAGER.vtxRegisterForEvents(session.manager, 1, 2, Harness.result());
                VirtualProvider.postEvent(1, 2, 3);
            }
            VirtualProvider.clearJournal();
            ScheduledFuture<?> guard = WATCHDOG.schedule(() -> {
                hung.set(true);
                MANAGER.vtxCancelEventNotification(session.manager, Harness.result());
            }, 20, TimeUnit.SECONDS);
            // Objects Java passes in stay as they are when there is no runtime to fill them.
            List<String> passedIn = describe(args);
            try {
                returned = method.invoke(MANAGER, args);
            } catch (InvocationTargetException e) {
                thrown = e.getCause();
            } finally {
                guard.cancel(false);
            }
            if (variant.unknownManager) {
                assertEquals(List.of(), Harness.journalLines("ITovikManager."),
                        "an unknown handle reaches no provider");
                assertEquals(passedIn, describe(args), "objects passed with an unknown handle");
            }
            if (namesStoredData(method, variant)) {
                assertEquals(List.of(), Harness.journalLines("ITovikManager."),
                        "an identifier or file name with a NUL reaches no provider");
                for (Object arg : args) {
                    if (arg instanceof LongValue r) {
                        assertEquals(Harness.NO_INTERFACE, r.get(), "result of an identifier or file name with a NUL");
                    }
                }
            }
            if (method.getName().equals("vtxSetLogClass")) {
                MANAGER.vtxSetLogClass(null, null);
                CapturingLogSink.clear();
            }
            if (initialize && returned instanceof Long handle && handle != Harness.INVALID_HANDLE) {
                MANAGER.vtxShutdownRuntime(handle);
            }
        }
        assertFalse(hung.get(), "the call did not return within 20 s");
        if (variant.index == ALL_VALID) {
            assertEquals(null, thrown, "the valid call threw");
            for (Object arg : args) {
                if (arg instanceof LongValue r) {
                    assertEquals(0, r.get(), "result code of the valid call");
                }
            }
        }
        if (thrown != null) {
            EXCEPTIONS.incrementAndGet();
            String message = thrown.getMessage();
            assertTrue(message != null && !message.isBlank(), "exception without a message: " + thrown);
            MESSAGES.add(thrown.getClass().getSimpleName() + ": " + message.replaceAll("[0-9A-F]{16}", "<ptr>"));
            assertFalse(variant.unknownManager, "an unknown handle is answered with a result code: " + thrown);
        } else {
            for (Object arg : args) {
                if (arg instanceof LongValue r) {
                    assertNotEquals(Harness.UNSET, r.get(), "the result code was not delivered");
                    if (variant.unknownManager) {
                        assertEquals(Harness.NO_FACADE, r.get(), "result code of an unknown handle");
                    }
                }
            }
            if (variant.unknownManager) {
                assertEquals(failureValue(method), returned, "value returned for an unknown handle");
            }
        }
        assertEquals(baseline, Harness.snapshot(), "provider objects and platform counters afterwards");
    }

    /**
     * A value object Java passes in, already holding values through its setData (when it has
     * one), so that a write of zeros or empty texts shows as well.
     */
    private static Object preset(Class<?> type) throws Exception {
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
                            : java.lang.reflect.Array.newInstance(types[i].getComponentType(), 0);
                }
                setData.invoke(object, values);
                break;
            }
        }
        return object;
    }

    /** The contents of the arguments other than the result code. */
    private static List<String> describe(Object[] args) {
        return Arrays.stream(args).filter(arg -> !(arg instanceof LongValue))
                .map(arg -> Arrays.deepToString(new Object[] {arg})).toList();
    }

    /** A client-information identifier or file name that holds a NUL: refused before the provider. */
    private static boolean namesStoredData(Method method, Variant variant) {
        if (variant.index == ALL_VALID) {
            return false;
        }
        String parameter = method.getParameters()[variant.index].getName();
        return (parameter.equals("identifier") || parameter.equals("fileName"))
                && variant.value instanceof String text && text.indexOf('\0') >= 0;
    }

    /** What a native method returns when it finds no runtime. */
    static Object failureValue(Method method) {
        Class<?> type = method.getReturnType();
        if (type == long.class) {
            return method.getName().startsWith("vtxConnect") ? Harness.INVALID_HANDLE : 0L;
        }
        if (type == boolean.class) {
            return true;
        }
        return null;
    }
}
