package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.RuntimeFixture.*;
import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

/** vtxInitializeRuntime, vtxShutdownRuntime and the two configure methods. */
@ExtendWith(LeakCheck.class)
class RuntimeLifecycleTest {
    @BeforeEach
    void setUp() {
        VirtualProvider.reset();
        CapturingLogSink.install(MANAGER);
    }

    @AfterEach
    void tearDown() {
        MANAGER.vtxSetLogClass(null, null);
    }

    @Test
    void handlesCountUpFromOneAndFollowTheLargestInUse() {
        long first = initialize();
        long second = initialize();
        assertEquals(List.of(1L, 2L), List.of(first, second));
        MANAGER.vtxShutdownRuntime(first);
        long third = initialize();
        assertEquals(3, third);

        // Handle 2 still names its own facade, handle 1 none.
        VirtualProvider.setResult("ITovikManager.ConfigureUsbInterface", 21);
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
        VirtualProvider.failMethod("ITovikManager.InitializeRuntime", 0x80004005);
        LongValue result = new LongValue();
        assertEquals(INVALID_HANDLE, MANAGER.vtxInitializeRuntime("first", "second", true, result));
        assertEquals(NO_FACADE, result.get(), "a COM error in the initialisation is 0x50000007");
        assertEquals(List.of("Initializing", "not ok " + NO_FACADE, "Initialization done"), log("vtxInitializeRuntime"));
        assertTrue(CapturingLogSink.lines().stream().anyMatch(t -> t.startsWith("CTovikManagerIF::CmdDestroyObject:")),
                "the facade is destroyed again");

        VirtualProvider.reset();
        assertEquals(1, initialize(), "nothing was registered");
        MANAGER.vtxShutdownRuntime(1);
    }

    @Test
    void textsAndFlagReachTheProviderInTheAnsiCodePage() {
        long withTrue = MANAGER.vtxInitializeRuntime("Gr\u00fc\u00dfe \u20ac", null, true, new LongValue());
        long withFalse = MANAGER.vtxInitializeRuntime("", "x\u2713", false, new LongValue());
        MANAGER.vtxShutdownRuntime(withTrue);
        MANAGER.vtxShutdownRuntime(withFalse);
        assertEquals(List.of("ITovikManager.InitializeRuntime(\"Gr\u00fc\u00dfe \u20ac\", null, -1)",
                "ITovikManager.InitializeRuntime(\"\", \"x?\", 0)"), journal("ITovikManager.InitializeRuntime"));
    }

    @Test
    void shuttingDownTwiceReportsTheMissingObject() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);
        MANAGER.vtxShutdownRuntime(handle);
        assertEquals(List.of("shutting down runtime", "shutting down runtime complete", "shutting down runtime",
                "Could not find object to release", "shutting down runtime complete"), log("vtxShutdownRuntime"));
    }

    @Test
    void configureMethodsLogTheProviderResultSignExtended() {
        long handle = initialize();
        LongValue result = new LongValue(-1);
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get());
        VirtualProvider.setResult("ITovikManager.ConfigureWifiInterface", 0x80000001);
        MANAGER.vtxConfigureWifiInterface(handle, result);
        assertEquals(0xFFFFFFFF80000001L, result.get());
        MANAGER.vtxShutdownRuntime(handle);

        assertEquals(List.of("Configuring USB interface entered", "Configuring USB interface done"),
                log("vtxConfigureUsbInterface"));
        assertEquals(List.of("ConfigureWifiInterface", "ConfigureWifiInterface done -2147483647"),
                log("vtxConfigureWifiInterface"));
    }

    @Test
    void aNullResultObjectRaisesAJavaException() {
        long handle = initialize();
        Exception thrown = assertThrows(Exception.class, () -> MANAGER.vtxConfigureUsbInterface(handle, null));
        MANAGER.vtxShutdownRuntime(handle);
        assertEquals(Exception.class, thrown.getClass());
        assertTrue(thrown.getMessage().matches(
                " CJavaEnvironment::VoidMethod instance 0000000000000000 or method .* are NULL"), thrown.getMessage());
    }
}
