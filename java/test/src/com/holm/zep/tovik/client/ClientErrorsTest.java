package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
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
    void aRefusalCarriesItsCodeNameAndMeaning() {
        TovikRuntime runtime = open();
        TovikException e = assertThrows(TovikException.class, () -> runtime.moduleInfo(4711));
        assertEquals("vtxGetModuleInfo", e.operation());
        assertEquals(0x20000101L, e.code());
        assertEquals("PROVIDER_UNKNOWN_MODULE", e.codeName());
        assertEquals("no module with this serial number", e.meaning());
        assertEquals(Optional.of(ResultCode.PROVIDER_UNKNOWN_MODULE), e.resultCode());
        assertEquals("vtxGetModuleInfo failed: 0x20000101 PROVIDER_UNKNOWN_MODULE (no module with "
                + "this serial number)", e.getMessage());
    }

    @Test
    void providerFailuresAndUnnamedCodesKeepTheirLow32Bits() {
        TovikRuntime runtime = open();
        VirtualProvider.setResult("ITovikManager.GetModuleIds", 0x80004005);
        TovikException failed = assertThrows(TovikException.class, runtime::modules);
        assertEquals(0x80004005L, failed.code());
        assertEquals("E_FAIL", failed.codeName());

        VirtualProvider.clearFaults();
        VirtualProvider.setResult("ITovikManager.GetAppsPC", -2);
        TovikException unnamed = assertThrows(TovikException.class,
                () -> runtime.pcApplications(PcApplication.Form.NUMBERS));
        assertEquals(0xFFFFFFFEL, unnamed.code());
        assertEquals(ResultCode.UNNAMED, unnamed.codeName());
        assertEquals(ResultCode.UNNAMED_MEANING, unnamed.meaning());
        assertEquals(Optional.empty(), unnamed.resultCode());
    }

    @Test
    void theLibrarysOwnCodesAreTheOnesItReports() {
        TovikRuntime runtime = open();
        // An unknown manager handle, through the raw API.
        LongValue result = new LongValue();
        new TovikApiManager().vtxGetModuleIds(runtime.handle() + 1000, result);
        assertEquals(Optional.of(ResultCode.TOVIK_E_NO_RUNTIME), ResultCode.of(result.get()));
        // Empty input.
        try (Connection c = runtime.connect(BAY1, 0)) {
            TovikException e = assertThrows(TovikException.class,
                    () -> c.store("empty", 1, new byte[0], 0));
            assertEquals(ResultCode.TOVIK_E_NO_INTERFACE, e.resultCode().orElseThrow());
        }
    }

    @Test
    void aRefusedOpenLeavesNothingBehind() {
        // The library reports a provider failure of the initialisation as its no-runtime code.
        VirtualProvider.failMethod("ITovikManager.InitializeRuntime", 0x80070057);
        TovikException e = assertThrows(TovikException.class, () -> track(TovikRuntime.open(
                TovikRuntime.Options.defaults().withNativeLog(true))));
        assertEquals("vtxInitializeRuntime", e.operation());
        assertEquals(ResultCode.TOVIK_E_NO_RUNTIME, e.resultCode().orElseThrow());
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
    void informationStaysAValue() throws Exception {
        TovikRuntime runtime = open();
        // A wait the provider ends without events is no failure: the poll just finds nothing.
        VirtualProvider.setResult("ITovikManager.WaitForEvents", 1);
        assertEquals(Optional.empty(), runtime.poll(Duration.ofMillis(100)));
    }

    @Test
    void theTableIsConsistentAndParsesWhatItPrints() {
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
        assertEquals(Optional.empty(), ResultCode.parse("no such code"));
        // The ends of the 32-bit range, and nothing beyond: never another code's low bits.
        assertEquals(Optional.of(0xFFFFFFFFL), ResultCode.parse("4294967295"));
        assertEquals(Optional.of(0x80000000L), ResultCode.parse("-2147483648"));
        for (String beyond : List.of("0x1FFFFFFFF", "4294967296", "-2147483649",
                "0xFFFFFFFFFFFFFFFF", "--5", "-+5")) {
            assertEquals(Optional.empty(), ResultCode.parse(beyond), beyond);
        }
        assertEquals("0x50000007 TOVIK_E_NO_RUNTIME (no runtime for this manager handle (or the "
                + "operation's own default))", ResultCode.describe(0x50000007L));
        // The library's three codes as its documentation lists them.
        assertEquals(List.of(0x50000003L, 0x50000006L, 0x50000007L),
                List.of(ResultCode.TOVIK_E_NO_INTERFACE.value(), ResultCode.TOVIK_E_BYTE_ARRAY.value(),
                        ResultCode.TOVIK_E_NO_RUNTIME.value()));
    }
}
