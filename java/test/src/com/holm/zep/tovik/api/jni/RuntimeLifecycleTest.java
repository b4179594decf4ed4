package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.CONFIGURE_USB;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.CONFIGURE_WIFI;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.INITIALIZE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.INVALID_HANDLE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.NO_FACADE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.SHUTDOWN;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.initialize;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import java.util.Set;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicBoolean;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

/** vtxInitializeRuntime, vtxShutdownRuntime and the two configure methods. */
@ExtendWith(LeakCheck.class)
class RuntimeLifecycleTest {
    @BeforeEach
    void setUp() {
        Sim.reset();
        CapturingLogSink.clear();
        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
    }

    @AfterEach
    void tearDown() {
        MANAGER.vtxSetLogClass(null, null);
    }

    @Test
    void handlesCountUpFromOneAndFollowTheLargestInUse() {
        long first = initialize();
        long second = initialize();
        assertEquals(1, first);
        assertEquals(2, second);

        MANAGER.vtxShutdownRuntime(first);
        long third = initialize();
        assertEquals(3, third);

        // Handle 2 still names its own facade, handle 1 none.
        Sim.setResult("ITovikManager.ConfigureUsbInterface", 21);
        LongValue result = new LongValue();
        MANAGER.vtxConfigureUsbInterface(second, result);
        assertEquals(21, result.get());
        MANAGER.vtxConfigureUsbInterface(first, result);
        assertEquals(NO_FACADE, result.get());

        MANAGER.vtxShutdownRuntime(third);
        MANAGER.vtxShutdownRuntime(second);
        assertEquals(1, initialize(), "an empty table starts at 1 again");
        MANAGER.vtxShutdownRuntime(1);
    }

    @Test
    void aFailedInitialisationReturnsTheInvalidHandleAndDeletesTheFacade() {
        Sim.failMethod("ITovikManager.InitializeRuntime", 0x80004005);
        LongValue result = new LongValue();
        long handle = MANAGER.vtxInitializeRuntime("first", "second", true, result);

        assertEquals(4294967295L, handle);
        assertEquals(INVALID_HANDLE, handle);
        assertEquals(NO_FACADE, result.get(), "a COM error in the initialisation is 0x50000007");
        assertEquals(List.of("Initializing", "not ok " + NO_FACADE, "Initialization done"),
                CapturingLogSink.messagesOf(INITIALIZE));
        assertTrue(CapturingLogSink.lines().stream()
                .anyMatch(text -> text.startsWith("CTovikManagerIF::CmdDestroyObject:")),
                "the facade is destroyed again");

        // Nothing was registered: the next runtime gets handle 1.
        Sim.reset();
        long next = initialize();
        assertEquals(1, next);
        MANAGER.vtxShutdownRuntime(next);
    }

    @Test
    void textsAndFlagReachTheProviderUnchanged() {
        Sim.clearJournal();
        long withTrue = MANAGER.vtxInitializeRuntime("Gr\u00fc\u00dfe \u20ac", null, true, new LongValue());
        long withFalse = MANAGER.vtxInitializeRuntime("", "x\u2713", false, new LongValue());
        MANAGER.vtxShutdownRuntime(withTrue);
        MANAGER.vtxShutdownRuntime(withFalse);

        // Windows-1252 holds the umlauts and the euro sign; the check mark becomes '?'.
        assertEquals(List.of(
                "ITovikManager.InitializeRuntime(\"Gr\u00fc\u00dfe \u20ac\", null, -1)",
                "ITovikManager.InitializeRuntime(\"\", \"x?\", 0)"),
                Sim.journal("ITovikManager.InitializeRuntime"));
    }

    @Test
    void shuttingDownTwiceReportsTheMissingObject() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);
        assertEquals(List.of("shutting down runtime", "shutting down runtime complete"),
                CapturingLogSink.messagesOf(SHUTDOWN));

        CapturingLogSink.clear();
        MANAGER.vtxShutdownRuntime(handle);
        assertEquals(List.of("shutting down runtime", "Could not find object to release",
                "shutting down runtime complete"), CapturingLogSink.messagesOf(SHUTDOWN));
    }

    @Test
    void configureMethodsDeliverTheProviderResultSignExtended() {
        long handle = initialize();
        LongValue result = new LongValue(-1);

        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get());
        MANAGER.vtxConfigureWifiInterface(handle, result);
        assertEquals(0, result.get());

        Sim.setResult("ITovikManager.ConfigureUsbInterface", -5);
        Sim.setResult("ITovikManager.ConfigureWifiInterface", 0x80000001);
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(-5, result.get());
        MANAGER.vtxConfigureWifiInterface(handle, result);
        assertEquals(0xFFFFFFFF80000001L, result.get());
        MANAGER.vtxShutdownRuntime(handle);

        assertEquals(List.of("Configuring USB interface entered", "Configuring USB interface done",
                "Configuring USB interface entered", "Configuring USB interface done"),
                CapturingLogSink.messagesOf(CONFIGURE_USB));
        assertEquals(List.of("ConfigureWifiInterface", "ConfigureWifiInterface done 0",
                "ConfigureWifiInterface", "ConfigureWifiInterface done -2147483647"),
                CapturingLogSink.messagesOf(CONFIGURE_WIFI));
    }

    @Test
    void aNullResultObjectRaisesAJavaException() {
        long handle = initialize();
        Exception thrown = assertThrows(Exception.class, () -> MANAGER.vtxConfigureUsbInterface(handle, null));
        assertEquals(Exception.class, thrown.getClass());
        assertTrue(thrown.getMessage().startsWith(
                " CJavaEnvironment::VoidMethod instance 0000000000000000 or method "), thrown.getMessage());
        assertTrue(thrown.getMessage().endsWith(" are NULL"), thrown.getMessage());
        MANAGER.vtxShutdownRuntime(handle);
    }

    @Test
    void initialisationAndShutdownRaceAgainstRunningCalls() throws Exception {
        long stable = initialize();
        AtomicBoolean stop = new AtomicBoolean();
        List<Long> handles = Collections.synchronizedList(new ArrayList<>());
        List<Long> unexpected = Collections.synchronizedList(new ArrayList<>());
        ExecutorService pool = Executors.newFixedThreadPool(4);
        CountDownLatch started = new CountDownLatch(3);
        List<Future<?>> futures = new ArrayList<>();
        try {
            for (int i = 0; i < 3; i++) {
                futures.add(pool.submit(() -> {
                    started.countDown();
                    LongValue result = new LongValue();
                    while (!stop.get()) {
                        // Handles that come and go under our feet: 0 or "no facade" only.
                        for (long h = 1; h <= 4; h++) {
                            MANAGER.vtxConfigureUsbInterface(h, result);
                            if (result.get() != 0 && result.get() != NO_FACADE) {
                                unexpected.add(result.get());
                            }
                        }
                    }
                }));
            }
            futures.add(pool.submit(() -> {
                started.await();
                for (int round = 0; round < 40; round++) {
                    long h = initialize();
                    handles.add(h);
                    MANAGER.vtxShutdownRuntime(h);
                }
                return null;
            }));
            futures.get(3).get(120, TimeUnit.SECONDS);
        } finally {
            stop.set(true);
            for (Future<?> future : futures) {
                future.get(120, TimeUnit.SECONDS);
            }
            pool.shutdown();
        }
        MANAGER.vtxShutdownRuntime(stable);

        assertEquals(List.of(), unexpected);
        assertEquals(40, handles.size());
        assertTrue(Set.of(2L).containsAll(handles), "the churned runtime always follows the stable one: " + handles);
    }
}
