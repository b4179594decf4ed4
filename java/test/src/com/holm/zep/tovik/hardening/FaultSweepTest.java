package com.holm.zep.tovik.hardening;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.api.jni.LeakCheck;
import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.hardening.NativeTable.Delivery;
import com.holm.zep.tovik.hardening.NativeTable.Row;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.ValueText;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.stream.Stream;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.DynamicContainer;
import org.junit.jupiter.api.DynamicNode;
import org.junit.jupiter.api.DynamicTest;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.TestFactory;

/**
 * Every native method that reaches the provider, under every fault the virtual provider can
 * inject into every provider call it makes: the documented result reaches Java, nothing is
 * delivered where the method promises to leave its target alone, and afterwards the provider's
 * live objects and the platform's BSTR, safe-array, LocalAlloc and interface-table counters are
 * back where they were. The cases are generated from {@link NativeTable}.
 */
class FaultSweepTest {
    private static final int FAILED = 0x80004005;      // E_FAIL
    private static final int UNEXPECTED = 0x8000FFFF;  // E_UNEXPECTED
    /** Provider result codes, the negative ones included. */
    private static final int[] RESULTS = {1, -1, 0x80000000, 0x7FFFFFFF, 0x20000101, 0xC0000005};
    /** Claimed byte-buffer lengths: none, negative, short, longer than the bytes, unallocatable. */
    private static final int[] BUFFER_LENGTHS = {0, -1, 1, 100, 0x7FFFFFFF};
    private static final long ALLOCATION_LIMIT = 1 << 20;
    private static final AtomicInteger CASES = new AtomicInteger();

    @BeforeAll
    static void load() {
        LeakCheck.loadLibraries();
    }

    @AfterAll
    static void report() throws Exception {
        System.out.println("fault sweep: " + CASES.get() + " cases over " + NativeTable.rows().size()
                + " native methods");
        VirtualProvider.reset();
        Harness.removeFolder();
    }

    private enum Kind {
        PRIMARY_FAILS, PRIMARY_WITHHELD, PRIMARY_RESULT, ELSEWHERE
    }

    /** A fault, its name and what it changes in the expectations. */
    private record Fault(String name, Runnable inject, Kind kind, long resultValue) {
        Fault(String name, Runnable inject) {
            this(name, inject, Kind.ELSEWHERE, 0);
        }
    }

    /**
     * A clean run of every method makes exactly the provider calls of its row, in that order and
     * each as often as the row says: a repeated, missing or reordered call fails. The elements of
     * a list are read in index order, each once.
     */
    @Test
    void tableListsEveryProviderCallOfEveryMethodInOrder() throws Exception {
        List<String> mismatches = new ArrayList<>();
        for (Row row : NativeTable.rows()) {
            VirtualProvider.reset();
            try (Harness.Session session = new Harness.Session()) {
                Harness.Call call = new Harness.Call(row.method, session);
                VirtualProvider.clearJournal();
                call.run();
                assertNull(call.thrown, row + " clean run");
                if (call.hasResultCode()) {
                    assertEquals(0, call.resultCode(), row + " clean run");
                }
                List<String> keys = Harness.journalKeys();
                if (!row.matches(keys)) {
                    mismatches.add(row + ": table " + row.sequence + ", journal " + keys);
                }
                String indices = elementIndicesOutOfOrder();
                if (indices != null) {
                    mismatches.add(row + ": " + indices);
                }
            }
        }
        assertTrue(mismatches.isEmpty(), String.join("\n", mismatches));
    }

    /**
     * The element calls of the last clean run ("ITovikVciItems.Item(2)"): per list, the indices
     * run 0, 1, 2, ... and start again after the list's Count (a byte buffer's Length). Null when
     * they do.
     */
    private static String elementIndicesOutOfOrder() {
        Map<String, Integer> next = new HashMap<>();
        for (String line : VirtualProvider.journal()) {
            int paren = line.indexOf('(');
            String key = paren < 0 ? line : line.substring(0, paren);
            String itf = key.substring(0, key.indexOf('.'));
            String method = key.substring(key.indexOf('.') + 1);
            if (method.equals("Count") || method.equals("Length")) {
                next.put(itf, 0);
            } else if (isElement(method)) {
                int index = Integer.parseInt(line.substring(paren + 1, line.indexOf(')')).trim());
                int expected = next.getOrDefault(itf, 0);
                if (index != expected) {
                    return "element " + index + " of " + itf + " read where " + expected + " was due: "
                            + List.of(VirtualProvider.journal());
                }
                next.put(itf, expected + 1);
            }
        }
        return null;
    }

    private static boolean isElement(String method) {
        return method.equals("Item") || method.equals("GetItem") || method.equals("ClientAt");
    }

    @TestFactory
    Stream<DynamicNode> everyFaultInEveryProviderCall() {
        return NativeTable.rows().stream().map(row -> DynamicContainer.dynamicContainer(row.toString(),
                faultsOf(row).stream().map(fault -> DynamicTest.dynamicTest(fault.name, () -> run(row, fault)))));
    }

    private static List<Fault> faultsOf(Row row) {
        List<Fault> faults = new ArrayList<>();
        Set<String> lists = new LinkedHashSet<>();
        boolean hasResult = List.of(row.method.getParameterTypes()).contains(LongValue.class);
        for (String key : row.calls) {
            boolean primary = key.equals(row.primary);
            Kind failKind = primary ? Kind.PRIMARY_FAILS : Kind.ELSEWHERE;
            faults.add(new Fault(key + " fails with error information",
                    () -> VirtualProvider.failMethod(key, FAILED, false, "hardening sweep"), failKind, 0));
            faults.add(new Fault(key + " fails without error information",
                    () -> VirtualProvider.failMethod(key, UNEXPECTED, false, null), failKind, 0));
            faults.add(new Fault(key + " fails once",
                    () -> VirtualProvider.failMethod(key, FAILED, true, "once"), failKind, 0));
            String method = key.substring(key.indexOf('.') + 1);
            boolean element = isElement(method);
            if (element) {
                lists.add(key.substring(0, key.indexOf('.')));
            }
            if ((primary && row.primaryHasOutput) || element || method.endsWith("VersionList")) {
                faults.add(new Fault(key + " hands out no object", () -> VirtualProvider.withholdOutput(key),
                        primary ? Kind.PRIMARY_WITHHELD : Kind.ELSEWHERE, 0));
            }
            if (primary && hasResult && row.providerResult) {
                for (int value : RESULTS) {
                    faults.add(new Fault(key + " returns " + value, () -> VirtualProvider.setResult(key, value),
                            Kind.PRIMARY_RESULT, value));
                }
            }
        }
        if (row.method.getReturnType() == boolean.class) {  // a wait: false means events came
            faults.add(new Fault(row.primary + " returns false", () -> VirtualProvider.setResult(row.primary, 0)));
        }
        for (String list : lists) {
            for (int index : new int[] {0, 1}) {
                faults.add(new Fault(list + " element " + index + " missing",
                        () -> VirtualProvider.setMissingItem(list, index)));
            }
        }
        if (row.calls.contains("ITovikByteBuffer.Length")) {
            for (int length : BUFFER_LENGTHS) {
                faults.add(new Fault("byte buffer claims " + length + " bytes", () -> {
                    VirtualProvider.setByteBufferLength(length);
                    VirtualProvider.setAllocationLimit(ALLOCATION_LIMIT);
                }));
            }
        }
        return faults;
    }

    private static void run(Row row, Fault fault) throws Exception {
        CASES.incrementAndGet();
        Harness.Call call = Harness.sweepCase(row.method, c -> fault.inject.run(), c -> { });
        assertNull(call.thrown, "the call threw");
        Delivery delivery = switch (fault.kind) {
            case PRIMARY_FAILS -> row.onFail;
            case PRIMARY_WITHHELD -> row.onWithhold;
            case PRIMARY_RESULT -> row.onResult;
            case ELSEWHERE -> Delivery.ANY;
        };
        long expectedResult = switch (fault.kind) {
            case PRIMARY_FAILS -> row.failResult;
            case PRIMARY_RESULT -> fault.resultValue;  // sign-extended
            default -> 0;
        };
        if (call.hasResultCode()) {
            assertEquals(Long.toHexString(expectedResult), Long.toHexString(call.resultCode()), "result code");
        }
        boolean delivered = call.delivered(row.untouched);
        assertTrue(delivery != Delivery.NONE || !delivered, () -> "nothing may be delivered, got "
                + ValueText.of(call.returned) + " " + call.passedIn());
        assertTrue(delivery != Delivery.DELIVERED || delivered, () -> "a value must be delivered, got "
                + ValueText.of(call.returned) + " " + call.passedIn());
    }
}
