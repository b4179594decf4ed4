package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.NO_FACADE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertEquals;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxControlApp, vtxSetConfigApp and vtxGetConfigApp. */
class AppControlTest extends RuntimeFixture {
    private static final String CONTROL = PREFIX + "vtxControlApp";
    private static final String SET_CONFIG = PREFIX + "vtxSetConfigApp";
    private static final String GET_CONFIG = PREFIX + "vtxGetConfigApp";
    private static final String CMD_SET_CONFIG = "CTovikManagerIF::CmdSetConfigApp";
    private static final int NOT_INSTALLED = 0x20000106;
    private static final int NOT_FOUND = 0x20000103;

    AppControlTest() {
        // A handle that is not open addresses the first module (serial 200101, app 1 installed).
        super(RuntimeFixture::openWorkshop);
    }

    @Test
    void aConfigurationValueIsWrittenAndReadBackZeroExtended() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxSetConfigApp(handle, 0x1_0000_0001L, 3, 0xFFFF_FFFFL, result);
        assertEquals(0, result.get());

        result.set(-1);
        long value = MANAGER.vtxGetConfigApp(handle, 1, 0x7_0000_0003L, result);
        assertEquals(0, result.get());
        assertEquals(4294967295L, value);

        assertEquals(List.of("ITovikManager.SetConfigApp(1, 3, 4294967295)", "ITovikManager.GetConfigApp(1, 3)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("Set Config App", "Set Config App done"), CapturingLogSink.messagesOf(SET_CONFIG));
        assertEquals(List.of("Get Config App", "Get Config App"), CapturingLogSink.messagesOf(GET_CONFIG));
        assertEquals(List.of("Args 01 3 ffffffff"), CapturingLogSink.messagesOf(CMD_SET_CONFIG));
    }

    @Test
    void theArgsLineIsLowerCaseHexWithOnlyTheFirstValuePadded() {
        MANAGER.vtxSetConfigApp(handle, 10, 11, 12, new LongValue());
        MANAGER.vtxSetConfigApp(handle, 0xABCDEF, 0, 0xFF, new LongValue());
        assertEquals(List.of("Args 0a b c", "Args abcdef 0 ff"), CapturingLogSink.messagesOf(CMD_SET_CONFIG));
        assertEquals(List.of("ITovikManager.SetConfigApp(10, 11, 12)",
                "ITovikManager.SetConfigApp(11259375, 0, 255)"), Sim.journal("ITovikManager.SetConfigApp"));
    }

    @Test
    void aMissingValueReadsAsZeroWithTheProviderCode() {
        LongValue result = new LongValue();
        assertEquals(500, MANAGER.vtxGetConfigApp(handle, 1, 1, result), "from the default scenario");
        assertEquals(0, result.get());
        assertEquals(0, MANAGER.vtxGetConfigApp(handle, 1, 99, result));
        assertEquals(NOT_FOUND, result.get());
    }

    @Test
    void controlRequestsReachTheModuleApplication() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxControlApp(handle, 0xF_0000_0000L, 1, 0x1_0000_0005L, result);
        assertEquals(0, result.get());
        MANAGER.vtxControlApp(handle, 0, 42, 1, result);
        assertEquals(NOT_INSTALLED, result.get());

        assertEquals(List.of("ITovikManager.ControlApp(0, 1, 5)", "ITovikManager.ControlApp(0, 42, 1)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("Control App", "Control App done", "Control App", "Control App done"),
                CapturingLogSink.messagesOf(CONTROL));

        // The new state shows in the module's catalogue.
        TovikAppVciItem2[] apps = MANAGER.vtxGetAppsVci2(handle, 0, 0, 0, result);
        assertEquals(5, apps[0].getState());
    }

    @Test
    void providerResultsAreSignExtended() {
        Sim.setResult("ITovikManager.ControlApp", -1);
        Sim.setResult("ITovikManager.SetConfigApp", 0x80000000);
        Sim.setResult("ITovikManager.GetConfigApp", -2);
        LongValue result = new LongValue();
        MANAGER.vtxControlApp(handle, 0, 1, 1, result);
        assertEquals(-1, result.get());
        MANAGER.vtxSetConfigApp(handle, 1, 2, 3, result);
        assertEquals(0xFFFF_FFFF_8000_0000L, result.get());
        assertEquals(3, MANAGER.vtxGetConfigApp(handle, 1, 2, result), "the value still comes back");
        assertEquals(-2, result.get());
    }

    @Test
    void aFailingProviderCallGivesZero() {
        Sim.failMethod("ITovikManager.GetConfigApp", 0x80004005);
        Sim.failMethod("ITovikManager.ControlApp", 0x80004005);
        LongValue result = new LongValue(-1);
        assertEquals(0, MANAGER.vtxGetConfigApp(handle, 1, 1, result));
        assertEquals(0, result.get());
        result.set(-1);
        MANAGER.vtxControlApp(handle, 0, 1, 1, result);
        assertEquals(0, result.get());
    }

    @Test
    void anUnknownHandleCallsNothing() {
        LongValue result = new LongValue();
        MANAGER.vtxControlApp(handle + 100, 0, 1, 1, result);
        assertEquals(NO_FACADE, result.get());
        MANAGER.vtxSetConfigApp(handle + 100, 1, 1, 1, result);
        assertEquals(NO_FACADE, result.get());
        assertEquals(0, MANAGER.vtxGetConfigApp(handle + 100, 1, 1, result));
        assertEquals(NO_FACADE, result.get());
        assertEquals(List.of(), Sim.journal(""));
        assertEquals(List.of(), CapturingLogSink.messagesOf(CMD_SET_CONFIG));
        assertEquals(List.of("Get Config App", "Get Config App"), CapturingLogSink.messagesOf(GET_CONFIG));
    }
}
