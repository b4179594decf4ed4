package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.time.Duration;
import java.util.HashSet;
import java.util.List;
import java.util.Optional;
import java.util.Set;
import org.junit.jupiter.api.Test;

/** Result codes as exceptions, and the one table of their names and meanings. */
class ClientErrorsTest extends ClientFixture {
    @Test
    void aRefusalCarriesItsOperationCodeNameAndMeaning() {
        TovikRuntime runtime = open();
        TovikException e = assertThrows(TovikException.class, () -> runtime.moduleInfo(4711));
        assertEquals(List.of("vtxGetModuleInfo", 0x20000101L, Optional.of(ResultCode.PROVIDER_UNKNOWN_MODULE)),
                List.of(e.operation(), e.code(), e.resultCode()));
        assertEquals("vtxGetModuleInfo failed: 0x20000101 PROVIDER_UNKNOWN_MODULE (no module with "
                + "this serial number)", e.getMessage());
    }

    @Test
    void providerFailuresAndUnnamedCodesKeepTheirLow32Bits() {
        TovikRuntime runtime = open();
        VirtualProvider.setResult("ITovikManager.GetModuleIds", 0x80004005);
        TovikException failed = assertThrows(TovikException.class, runtime::modules);
        assertEquals(List.of(0x80004005L, "E_FAIL"), List.of(failed.code(), failed.codeName()));

        VirtualProvider.clearFaults();
        VirtualProvider.setResult("ITovikManager.GetAppsPC", -2);
        TovikException unnamed = assertThrows(TovikException.class,
                () -> runtime.pcApplications(PcApplication.Form.NUMBERS));
        assertEquals(List.of(0xFFFFFFFEL, ResultCode.UNNAMED, ResultCode.UNNAMED_MEANING, Optional.empty()),
                List.of(unnamed.code(), unnamed.codeName(), unnamed.meaning(), unnamed.resultCode()));
    }

    @Test
    void aRefusedOpenLeavesNothingBehind() {
        // The library reports a provider failure of the initialisation as its no-runtime code.
        VirtualProvider.failMethod("ITovikManager.InitializeRuntime", 0x80070057);
        TovikException e = assertThrows(TovikException.class, () -> track(TovikRuntime.open(
                TovikRuntime.Options.defaults().withNativeLog(true))));
        assertEquals(List.of("vtxInitializeRuntime", Optional.of(ResultCode.TOVIK_E_NO_RUNTIME)),
                List.of(e.operation(), e.resultCode()));
        assertEquals(false, NativeLog.installed());
        VirtualProvider.clearFaults();
        // The texts and the flag reach the provider unchanged.
        try (TovikRuntime runtime = TovikRuntime.open(TovikRuntime.Options.defaults()
                .withTexts("first text", "second text").withFlag(true))) {
            assertTrue(runtime.handle() > 0);
            assertEquals(List.of("first text", "second text", "-1"),  // VARIANT_TRUE
                    List.of(VirtualProvider.lastInitializeRuntime()));
        }
    }

    @Test
    void aWaitEndedWithoutEventsIsNoFailure() throws Exception {
        VirtualProvider.setResult("ITovikManager.WaitForEvents", 1);
        assertEquals(Optional.empty(), open().poll(Duration.ofMillis(100)));
    }

    @Test
    void theTableIsConsistentAndParsesWhatItPrintsWithinThe32BitRange() {
        Set<Long> values = new HashSet<>();
        for (ResultCode code : ResultCode.values()) {
            assertTrue(values.add(code.value()), "two names for " + ResultCode.hex(code.value()));
            assertEquals(code.value(), ResultCode.normalize(code.value()));
            assertEquals(Optional.of(code.value()), ResultCode.parse(code.name()));
            assertEquals(Optional.of(code.value()), ResultCode.parse(ResultCode.hex(code.value())));
            assertEquals(Optional.of(code), ResultCode.of(code.value() | 0xFFFFFFFF00000000L));
            assertTrue(!code.meaning().isEmpty());
        }
        assertEquals(Optional.of(0x50000007L), ResultCode.parse("1342177287"));
        assertEquals(Optional.of(0x80004005L), ResultCode.parse("-2147467259"));
        assertEquals(Optional.of(0x80004005L), ResultCode.parse(" e_fail "));
        assertEquals(Optional.of(0xFFFFFFFFL), ResultCode.parse("4294967295"));
        assertEquals(Optional.of(0x80000000L), ResultCode.parse("-2147483648"));
        // Nothing beyond the 32-bit range: never another code's low bits.
        for (String beyond : List.of("no such code", "0x1FFFFFFFF", "4294967296", "-2147483649",
                "0xFFFFFFFFFFFFFFFF", "--5", "-+5")) {
            assertEquals(Optional.empty(), ResultCode.parse(beyond), beyond);
        }
    }
}
