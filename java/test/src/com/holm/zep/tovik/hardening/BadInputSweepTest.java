package com.holm.zep.tovik.hardening;

import static com.holm.zep.tovik.hardening.Harness.MANAGER;
import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.api.jni.LeakCheck;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.io.File;
import java.lang.reflect.Method;
import java.lang.reflect.Parameter;
import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import java.util.concurrent.ConcurrentSkipListSet;
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
 * or leak. Input the library refuses itself reaches no provider and gets its own result code.
 */
class BadInputSweepTest {
    static final long[] NUMBERS = {0, -1, 0x7FFFFFFFL, 0x80000000L, 0xFFFFFFFFL, (1L << 32) + 1,
        Long.MIN_VALUE, Long.MAX_VALUE};
    /** Empty, outside the ANSI code page, with a NUL inside, longer than any name may be. */
    private static final String[] TEXTS = {"", "\u4e2d\u6587 \ud83d\ude00 \u00e9\u20ac", "ab\u0000cd",
        "x".repeat(70_000)};
    private static final Object SHUT_DOWN = new Object();

    private static final AtomicInteger CASES = new AtomicInteger();
    private static final AtomicInteger EXCEPTIONS = new AtomicInteger();
    private static final Set<String> MESSAGES = new ConcurrentSkipListSet<>();

    @BeforeAll
    static void load() {
        LeakCheck.loadLibraries();
    }

    @AfterAll
    static void report() throws Exception {
        System.out.println("bad-input sweep: " + CASES.get() + " cases over " + Harness.nativeMethods().size()
                + " native methods, " + EXCEPTIONS.get() + " answered with a Java exception");
        MESSAGES.forEach(m -> System.out.println("  exception message: " + m));
        MANAGER.vtxSetLogClass(null, null);
        CapturingLogSink.clear();
        VirtualProvider.reset();
        Harness.removeFolder();
    }

    /**
     * One argument replaced (index -1: none, the call as it is meant, which must succeed, or the
     * other arguments of each variant would not be valid and the bad one could be refused for
     * another reason); whether it is a manager handle nobody holds.
     */
    private record Variant(String name, int index, Object value, boolean unknownManager) {
    }

    @TestFactory
    Stream<DynamicNode> everyParameterOfEveryNativeMethod() {
        return Harness.nativeMethods().stream().map(method -> DynamicContainer.dynamicContainer(method.getName(),
                variantsOf(method).stream().map(v -> DynamicTest.dynamicTest(v.name, () -> run(method, v)))));
    }

    private static List<Variant> variantsOf(Method method) {
        List<Variant> variants = new ArrayList<>();
        variants.add(new Variant("all arguments valid", -1, null, false));
        Parameter[] parameters = method.getParameters();
        for (int i = 0; i < parameters.length; i++) {
            Class<?> type = parameters[i].getType();
            String at = parameters[i].getName() + " = ";
            boolean manager = i == 0 && parameters[i].getName().equals("manager");
            if (type == long.class) {
                for (long n : NUMBERS) {
                    variants.add(new Variant(at + "0x" + Long.toHexString(n), i, n, manager));
                }
                if (manager) {
                    variants.add(new Variant(at + "a shut-down handle", i, SHUT_DOWN, true));
                }
            } else if (type == boolean.class) {
                variants.add(new Variant(at + "false", i, false, false));
            } else {
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
        }
        return variants;
    }

    /**
     * The variant's value for the argument. A file-name text names a file inside the sweep's
     * folder, never in the working directory; the empty name stays empty: it names no file.
     */
    private static Object value(Method method, Variant variant) {
        if (variant.value == SHUT_DOWN) {
            long gone = MANAGER.vtxInitializeRuntime("gone", "gone", false, Harness.result());
            MANAGER.vtxShutdownRuntime(gone);
            return gone;
        }
        boolean fileName = method.getParameters()[variant.index].getName().equals("fileName");
        return fileName && variant.value instanceof String text && !text.isEmpty()
                ? Harness.folder() + File.separator + text : variant.value;
    }

    private static void run(Method method, Variant variant) throws Exception {
        CASES.incrementAndGet();
        Harness.Call call = Harness.sweepCase(method, c -> {
            if (variant.index >= 0) {
                c.args[variant.index] = value(method, variant);
            }
            VirtualProvider.clearJournal();
        }, c -> {
            if (variant.unknownManager) {
                assertEquals(List.of(), List.copyOf(VirtualProvider.journal("ITovikManager.")),
                        "an unknown handle reaches no provider");
                assertEquals(c.before, c.passedIn(), "objects passed with an unknown handle");
            }
            Long refused = refusedWith(method, variant);
            if (refused != null) {
                assertEquals(List.of(), List.of(VirtualProvider.journal()), "refused input reached the provider");
                assertEquals(Long.toHexString(refused), Long.toHexString(c.resultCode()), "result of refused input");
            }
            if (method.getName().equals("vtxSetLogClass")) {
                MANAGER.vtxSetLogClass(null, null);
                CapturingLogSink.clear();
            }
        });
        if (variant.index < 0) {
            assertNull(call.thrown, "the valid call threw");
            assertTrue(!call.hasResultCode() || call.resultCode() == 0, "result code of the valid call: " + call.resultCode());
        }
        if (call.thrown != null) {
            EXCEPTIONS.incrementAndGet();
            String message = call.thrown.getMessage();
            assertTrue(message != null && !message.isBlank(), "exception without a message: " + call.thrown);
            MESSAGES.add(call.thrown.getClass().getSimpleName() + ": " + message.replaceAll("[0-9A-F]{16}", "<ptr>"));
            assertFalse(variant.unknownManager, "an unknown handle is answered with a result code: " + call.thrown);
        } else {
            if (call.hasResultCode()) {
                assertNotEquals(Harness.UNSET, call.resultCode(), "the result code was not delivered");
            }
            if (variant.unknownManager) {
                assertEquals(call.hasResultCode() ? Harness.NO_FACADE : Harness.UNSET, call.resultCode(),
                        "result code of an unknown handle");
                assertEquals(Harness.failureValue(method), call.returned, "value returned for an unknown handle");
            }
        }
    }

    /**
     * The result code of input the library refuses before anything reaches the provider, or null:
     * a client-information identifier or file name holding a NUL (cut there, it would name other
     * data or another file), nothing to store, fewer than eight segment values (none at all is
     * answered with the no-runtime code).
     */
    private static Long refusedWith(Method method, Variant variant) {
        if (variant.index < 0) {
            return null;
        }
        String parameter = method.getParameters()[variant.index].getName();
        Object value = variant.value;
        if ((parameter.equals("identifier") || parameter.equals("fileName")) && value instanceof String text
                && text.indexOf('\0') >= 0) {
            return Harness.NO_INTERFACE;
        }
        if (parameter.equals("data") && (value == null || ((byte[]) value).length == 0)) {
            return Harness.NO_INTERFACE;
        }
        if (parameter.equals("segments")) {
            int length = value == null ? 0 : ((long[]) value).length;
            return length == 0 ? Harness.NO_FACADE : length < 8 ? Harness.NO_INTERFACE : null;
        }
        return null;
    }
}
