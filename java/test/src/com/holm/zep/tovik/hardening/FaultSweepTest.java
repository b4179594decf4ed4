package com.holm.zep.tovik.hardening;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import com.holm.zep.tovik.hardening.NativeTable.Delivery;
import com.holm.zep.tovik.hardening.NativeTable.Outcome;
import com.holm.zep.tovik.hardening.NativeTable.Row;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.ScheduledFuture;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.function.Consumer;
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
    private static final ScheduledExecutorService WATCHDOG = Executors.newSingleThreadScheduledExecutor(r -> {
        Thread t = new Thread(r, "fault-sweep-watchdog");
        t.setDaemon(true);
        return t;
    });

    @BeforeAll
    static void load() {
        Harness.load();
    }

    @AfterAll
    static void report() {
        System.out.println("fault sweep: " + CASES.get() + " cases over " + NativeTable.rows().size()
                + " native methods");
        VirtualProvider.reset();
    }

    /** A fault, its name and what it changes in the expectations. */
    private record Fault(String name, Consumer<Row> inject, Kind kind, long resultValue) {
    }

    private enum Kind {
        PRIMARY_FAILS, PRIMARY_WITHHELD, PRIMARY_RESULT, ELSEWHERE
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
            List<String> keys = cleanRunKeys(row);
            if (!row.matches(keys)) {
                mismatches.add(row.method + ": table " + row.describe() + ", journal " + keys);
            }
            String indices = elementIndicesOutOfOrder(row);
            if (indices != null) {
                mismatches.add(row.method + ": " + indices);
            }
        }
        assertTrue(mismatches.isEmpty(), String.join("\n", mismatches));
    }

    /**
     * The element calls of the last clean run ("ITovikVciItems.Item(2)"): per list, the indices
     * run 0, 1, 2, ... and start again after the list's Count (a byte buffer's Length). Null when
     * they do.
     */
    private static String elementIndicesOutOfOrder(Row row) {
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

    private static List<String> cleanRunKeys(Row row) throws Exception {
        VirtualProvider.reset();
        try (Harness.Session session = new Harness.Session()) {
            long prepared = row.prepare.run(session);
            VirtualProvider.clearJournal();
            Outcome outcome = row.invoke.call(session, prepared);
            if (row.hasResult) {
                assertEquals(0, outcome.result(), row.method + " clean run");
            }
            return Harness.journalKeys();
        }
    }

    @TestFactory
    Stream<DynamicNode> everyFaultInEveryProviderCall() {
        return NativeTable.rows().stream().map(row -> DynamicContainer.dynamicContainer(row.method,
                faultsOf(row).stream().map(fault -> DynamicTest.dynamicTest(fault.name, () -> run(row, fault)))));
    }

    private static List<Fault> faultsOf(Row row) {
        List<Fault> faults = new ArrayList<>();
        Set<String> lists = new LinkedHashSet<>();
        for (String key : row.calls) {
            boolean primary = key.equals(row.primary);
            Kind failKind = primary ? Kind.PRIMARY_FAILS : Kind.ELSEWHERE;
            faults.add(new Fault(key + " fails with error information",
                    r -> VirtualProvider.failMethod(key, FAILED, false, "hardening sweep"), failKind, 0));
            faults.add(new Fault(key + " fails without error information",
                    r -> VirtualProvider.failMethod(key, UNEXPECTED, false, null), failKind, 0));
            faults.add(new Fault(key + " fails once",
                    r -> VirtualProvider.failMethod(key, FAILED, true, "once"), failKind, 0));
            String method = key.substring(key.indexOf('.') + 1);
            boolean element = isElement(method);
            if (element) {
                lists.add(key.substring(0, key.indexOf('.')));
            }
            if ((primary && row.primaryHasOutput) || element || method.endsWith("VersionList")) {
                faults.add(new Fault(key + " hands out no object", r -> VirtualProvider.withholdOutput(key),
                        primary ? Kind.PRIMARY_WITHHELD : Kind.ELSEWHERE, 0));
            }
            if (primary && row.hasResult && row.providerResult) {
                for (int value : RESULTS) {
                    faults.add(new Fault(key + " returns " + value, r -> VirtualProvider.setResult(key, value),
                            Kind.PRIMARY_RESULT, value));
                }
            }
        }
        if (row.primary.endsWith("WaitForEvents")) {
            faults.add(new Fault("ITovikManager.WaitForEvents returns false",
                    r -> VirtualProvider.setResult(row.primary, 0), Kind.ELSEWHERE, 0));
        }
        for (String list : lists) {
            for (int index : new int[] {0, 1}) {
                faults.add(new Fault(list + " element " + index + " missing",
                        r -> VirtualProvider.setMissingItem(list, index), Kind.ELSEWHERE, 0));
            }
        }
        if (row.calls.contains("ITovikByteBuffer.Length")) {
            for (int length : BUFFER_LENGTHS) {
                faults.add(new Fault("byte buffer claims " + length + " bytes", r -> {
                    VirtualProvider.setByteBufferLength(length);
                    VirtualProvider.setAllocationLimit(ALLOCATION_LIMIT);
                }, Kind.ELSEWHERE, 0));
            }
        }
        return faults;
    }

    private static void run(Row row, Fault fault) throws Exception {
        CASES.incrementAndGet();
        VirtualProvider.reset();
        String baseline = Harness.snapshot();
        Outcome outcome;
        AtomicBoolean hung = new AtomicBoolean();
        try (Harness.Session session = new Harness.Session()) {
            long prepared = row.prepare.run(session);
            fault.inject.accept(row);
            // A wait that does not end is cancelled, and the case fails.
            ScheduledFuture<?> guard = WATCHDOG.schedule(() -> {
                hung.set(true);
                Harness.MANAGER.vtxCancelEventNotification(session.manager, Harness.result());
            }, 20, TimeUnit.SECONDS);
            try {
                outcome = row.invoke.call(session, prepared);
            } finally {
                guard.cancel(false);
                VirtualProvider.clearFaults();
                VirtualProvider.setAllocationLimit(0);
            }
        }
        assertFalse(hung.get(), "the call did not return within 20 s");
        assertEquals(baseline, Harness.snapshot(), "provider objects and platform counters afterwards");
        check(row, fault, outcome);
    }

    private static void check(Row row, Fault fault, Outcome outcome) {
        long expectedResult;
        Delivery delivery;
        switch (fault.kind) {
            case PRIMARY_FAILS -> {
                expectedResult = row.failResult;
                delivery = row.onFail;
            }
            case PRIMARY_WITHHELD -> {
                expectedResult = 0;
                delivery = row.onWithhold;
            }
            case PRIMARY_RESULT -> {
                expectedResult = fault.resultValue;  // sign-extended
                delivery = row.onResult;
            }
            default -> {
                expectedResult = 0;
                delivery = row.onSubFault;
            }
        }
        if (row.hasResult) {
            assertEquals(Long.toHexString(expectedResult), Long.toHexString(outcome.result()), "result code");
        }
        if (delivery == Delivery.NONE && outcome.delivered()) {
            fail("nothing may be delivered, got " + Harness.dump(outcome.value()));
        }
        if (delivery == Delivery.DELIVERED && !outcome.delivered()) {
            fail("a value must be delivered, got " + Harness.dump(outcome.value()));
        }
    }
}
