package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.NO_FACADE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** The pendant: LEDs, segment display and audio against the virtual provider. */
class PendantTest extends RuntimeFixture {
    private static final String SET_LEDS = PREFIX + "vtxPendantSetLeds";
    private static final String GET_LEDS = PREFIX + "vtxPendantGetLeds";
    private static final String SET_SEG = PREFIX + "vtxPendantSetSegDisp";
    private static final String GET_SEG = PREFIX + "vtxPendantGetSegDisp";
    private static final String SET_AUDIO = PREFIX + "vtxPendantSetAudio";
    private static final String GET_AUDIO = PREFIX + "vtxPendantGetAudio";

    /** The default workshop's first module; without required connections every handle names it. */
    private static final long SERIAL = 200101;
    private static final long CONNECTION = 7;
    private static final int LED_COUNT = 5;
    private static final long KEEP = -7;

    PendantTest() {
        super(RuntimeFixture::openWorkshop);
    }

    // ---- LEDs

    @Test
    void ledsSetThenReadBack() {
        long[] valid = {1, 0, 1, 1, 0};
        long[] control = {10, 11, 12, 13, 14};
        long[] blink = {0, 2, 4, 6, 4294967295L};
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 10, 0, 0, 11, 2, 1, 12, 4, 1, 13, 6, 0, 14, 4294967295L},
                VirtualProvider.pendantLeds(SERIAL));
        assertEquals(List.of("ITovikManager.PendantSetLeds(7, object)"), Sim.journal("ITovikManager."));

        long[] validOut = new long[LED_COUNT];
        long[] controlOut = new long[LED_COUNT];
        long[] blinkOut = new long[LED_COUNT];
        result.set(-1);
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, validOut, controlOut, blinkOut, result);
        assertEquals(0, result.get());
        assertArrayEquals(valid, validOut);
        assertArrayEquals(control, controlOut);
        assertArrayEquals(blink, blinkOut, "read back zero-extended");

        assertEquals(List.of("Pendant Set Led", "Pendant Set Led done"), CapturingLogSink.messagesOf(SET_LEDS));
        List<String> getLines = CapturingLogSink.messagesOf(GET_LEDS);
        assertEquals("Pendant Get Led", getLines.get(0));
        assertEquals("Getting LED items", getLines.get(1));
        assertEquals(List.of("Getting item 0", "Gettting is valid "), getLines.subList(2, 4));
        assertEquals("Pendant Get Led done", getLines.get(getLines.size() - 1));
        assertEquals(3 + 2 * LED_COUNT, getLines.size());
    }

    @Test
    void ledWrappersLogTheirLifecycle() {
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {3}, new long[] {4}, new long[] {5},
                new LongValue());
        assertEquals(List.of("SET to 3"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedValid"));
        assertEquals(List.of("SET to 4"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedCtrl"));
        assertEquals(List.of("SET to 5"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedBlinkFeq"));
        assertEquals(List.of("Destroy"), CapturingLogSink.messagesOf("CTovikPendantLedsIF::~CTovikPendantLedsIF"));
        List<String> item = CapturingLogSink.messagesOf("CTovikPendantLedsIF::CmdItem");
        assertEquals(List.of("A", "C", "D", "E"),
                item.stream().filter(t -> t.length() == 1).toList());
        assertTrue(item.get(1).startsWith("B "), item.toString());
    }

    @Test
    void shorterArraysConfigureOnlyTheirLeds() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {7, 7, 7}, new long[] {8, 8, 8},
                new long[] {9, 9, 9}, result);
        assertEquals(0, result.get());
        assertEquals(List.of(7L, 8L, 9L, 7L, 8L, 9L, 7L, 8L, 9L),
                Arrays.stream(VirtualProvider.pendantLeds(SERIAL)).limit(9).boxed().toList());
        assertEquals(List.of("ITovikPendantLeds.Item(0)", "ITovikPendantLeds.Item(1)", "ITovikPendantLeds.Item(2)"),
                Sim.journal("ITovikPendantLeds.Item"));
        // Three settings for each of LEDs 0 to 2, then the collection goes to the provider once.
        assertEquals(Sim.sequence(List.of("ITovikPendantLeds.Count"), Sim.times(3, "ITovikPendantLeds.Item",
                "ITovikPendantLed.put_LedValid", "ITovikPendantLed.put_LedCtrl", "ITovikPendantLed.put_LedBlinkFreq"),
                List.of("ITovikManager.PendantSetLeds")), Sim.calls(""));
    }

    @Test
    void theShortestArrayBoundsTheLoop() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {5, 5, 5, 5, 5}, new long[] {6, 6},
                new long[] {7, 7, 7, 7}, result);
        assertEquals(0, result.get());
        assertEquals(Sim.sequence(List.of("ITovikPendantLeds.Count"), Sim.times(2, "ITovikPendantLeds.Item",
                "ITovikPendantLed.put_LedValid", "ITovikPendantLed.put_LedCtrl", "ITovikPendantLed.put_LedBlinkFreq"),
                List.of("ITovikManager.PendantSetLeds")), Sim.calls(""));
        assertEquals(List.of(5L, 6L, 7L, 5L, 6L, 7L, 0L, 0L, 0L),
                Arrays.stream(VirtualProvider.pendantLeds(SERIAL)).limit(9).boxed().toList());

        long[] valid = new long[LED_COUNT];
        long[] control = {KEEP};
        long[] blink = new long[LED_COUNT];
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {5, 0, 0, 0, 0}, valid, "only one LED fits all three arrays");
        assertArrayEquals(new long[] {6}, control);
        assertArrayEquals(new long[] {7, 0, 0, 0, 0}, blink);
    }

    @Test
    void longerArraysThanTheCollectionKeepTheirExtraElements() {
        long[] valid = new long[8];
        long[] control = new long[8];
        long[] blink = new long[8];
        Arrays.fill(valid, KEEP);
        Arrays.fill(control, KEEP);
        Arrays.fill(blink, KEEP);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        // The default workshop's first LED is valid 1, control 2, blink 0; the others are off.
        assertArrayEquals(new long[] {1, 0, 0, 0, 0, KEEP, KEEP, KEEP}, valid);
        assertArrayEquals(new long[] {2, 0, 0, 0, 0, KEEP, KEEP, KEEP}, control);
        assertArrayEquals(new long[] {0, 0, 0, 0, 0, KEEP, KEEP, KEEP}, blink);
        assertEquals(Sim.sequence(List.of("ITovikManager.PendantGetLeds", "ITovikPendantLeds.Count"),
                Sim.times(LED_COUNT, "ITovikPendantLeds.Item", "ITovikPendantLed.LedValid", "ITovikPendantLed.LedCtrl",
                        "ITovikPendantLed.LedBlinkFreq")), Sim.calls(""));
        assertEquals(Sim.indexed("ITovikPendantLeds.Item", LED_COUNT), Sim.journal("ITovikPendantLeds.Item"));

        Sim.clearJournal();
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        // The extra elements are ignored.
        assertEquals(Sim.sequence(List.of("ITovikPendantLeds.Count"), Sim.times(LED_COUNT, "ITovikPendantLeds.Item",
                "ITovikPendantLed.put_LedValid", "ITovikPendantLed.put_LedCtrl", "ITovikPendantLed.put_LedBlinkFreq"),
                List.of("ITovikManager.PendantSetLeds")), Sim.calls(""));
    }

    @Test
    void onlyTheLow32BitsReachTheProvider() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, 0x1_0000_0007L, new long[] {0x1_0000_0001L},
                new long[] {-1L}, new long[] {0x7_FFFF_FFFEL}, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikPendantLed.put_LedValid(1)", "ITovikPendantLed.put_LedCtrl(4294967295)",
                "ITovikPendantLed.put_LedBlinkFreq(4294967294)"), Sim.journal("ITovikPendantLed.put_"));
        assertEquals(List.of("ITovikManager.PendantSetLeds(7, object)"), Sim.journal("ITovikManager."));
        assertArrayEquals(new long[] {1, 4294967295L, 4294967294L},
                Arrays.copyOf(VirtualProvider.pendantLeds(SERIAL), 3));
    }

    @Test
    void anEmptyValidArrayCallsNothingOnSetButStillReadsOnGet() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[0], new long[] {1}, new long[] {1}, result);
        assertEquals(NO_FACADE, result.get());
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, null, null, null, result);
        assertEquals(NO_FACADE, result.get());
        assertEquals(List.of(), Sim.journal("ITovikManager."));

        long[] control = {KEEP};
        Sim.setResult("ITovikManager.PendantGetLeds", 0x2000_0042);
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, new long[0], control, new long[] {KEEP}, result);
        assertEquals(0x2000_0042, result.get());
        assertEquals(List.of("ITovikManager.PendantGetLeds"), Sim.calls(""));
        assertArrayEquals(new long[] {KEEP}, control);
    }

    @Test
    void aMissingLedIsSkippedOnSetAndReadAsZeros() {
        VirtualProvider.setMissingItem("ITovikPendantLeds", 1);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {4, 4, 4}, new long[] {5, 5, 5},
                new long[] {6, 6, 6}, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {4, 5, 6, 0, 0, 0, 4, 5, 6},
                Arrays.copyOf(VirtualProvider.pendantLeds(SERIAL), 9), "the loop goes on after the gap");

        long[] valid = {KEEP, KEEP, KEEP};
        long[] control = {KEEP, KEEP, KEEP};
        long[] blink = {KEEP, KEEP, KEEP};
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {4, 0, 4}, valid);
        assertArrayEquals(new long[] {5, 0, 5}, control);
        assertArrayEquals(new long[] {6, 0, 6}, blink);
    }

    @Test
    void aProviderErrorOnTheManagerYieldsZero() {
        VirtualProvider.failMethod("ITovikManager.PendantGetLeds", 0x80004005);
        long[] valid = {KEEP};
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, valid, new long[] {KEEP}, new long[] {KEEP}, result);
        assertEquals(0, result.get(), "the command ended with its result unwritten");
        assertArrayEquals(new long[] {0}, valid, "the collection the library built is read all the same");
    }

    // ---- segment display

    @Test
    void segmentsSetThenReadBackWithTheDisplayValuesInOrder() {
        long[] segments = {1, 0, 1, 0, 1, 0, 1, 0xFFFF_FFFFL};
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, segments, 21, 0x1_0000_0022L, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 0, 1, 0, 1, 0, 1, 0xFFFF_FFFFL, 21, 0x22},
                VirtualProvider.pendantSegments(SERIAL));
        assertEquals(List.of("ITovikPendantDisp.put_SegmentA(1)", "ITovikPendantDisp.put_SegmentB(0)",
                "ITovikPendantDisp.put_SegmentC(1)", "ITovikPendantDisp.put_SegmentD(0)",
                "ITovikPendantDisp.put_SegmentE(1)", "ITovikPendantDisp.put_SegmentF(0)",
                "ITovikPendantDisp.put_SegmentG(1)", "ITovikPendantDisp.put_SegmentDecimalPoint(4294967295)"),
                Sim.journal("ITovikPendantDisp.put_"));
        assertEquals(List.of("ITovikManager.PendantSetSegDisp(7, object, 21, 34)"), Sim.journal("ITovikManager."));

        TovikPendantDisp display = new TovikPendantDisp();
        MANAGER.vtxPendantGetSegDisp(handle, CONNECTION, display, result);
        assertEquals(0, result.get());
        assertArrayEquals(segments, display.getSegments());
        assertEquals(21, display.getDisplayValue1());
        assertEquals(0x22, display.getDisplayValue2());

        assertEquals(List.of("Pendant Set Seg Disp", "Pendant Set Seg Disp done"),
                CapturingLogSink.messagesOf(SET_SEG));
        assertEquals(List.of("Pendant Get Seg Disp", "1", "Pendant Get Seg done"),
                CapturingLogSink.messagesOf(GET_SEG));
    }

    @Test
    void aLongerSegmentArrayUsesItsFirstEightValues() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[] {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 0, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 2, 3, 4, 5, 6, 7, 8, 0, 0}, VirtualProvider.pendantSegments(SERIAL));
    }

    @Test
    void aShortOrEmptySegmentArrayCallsNothing() {
        long[] before = VirtualProvider.pendantSegments(SERIAL);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[] {1, 2, 3, 4, 5, 6, 7}, 1, 2, result);
        assertEquals(0x50000003L, result.get(), "fewer than eight segment values");
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[0], 1, 2, result);
        assertEquals(NO_FACADE, result.get());
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, null, 1, 2, result);
        assertEquals(NO_FACADE, result.get());
        assertEquals(List.of(), Sim.journal(""));
        assertArrayEquals(before, VirtualProvider.pendantSegments(SERIAL));
    }

    @Test
    void noDisplayObjectLeavesTheJavaObjectUntouched() {
        VirtualProvider.withholdOutput("ITovikManager.PendantGetSegDisp");
        Sim.setResult("ITovikManager.PendantGetSegDisp", 9);
        TovikPendantDisp display = new TovikPendantDisp();
        display.setData(1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantGetSegDisp(handle, CONNECTION, display, result);
        assertEquals(9, result.get());
        assertArrayEquals(new long[] {1, 2, 3, 4, 5, 6, 7, 8}, display.getSegments());
        assertEquals(10, display.getDisplayValue1());
        assertEquals(List.of("Pendant Get Seg Disp", "no object", "Pendant Get Seg done"),
                CapturingLogSink.messagesOf(GET_SEG));
        assertEquals(List.of("NO OBJECT"), CapturingLogSink.messagesOf("CTovikManagerIF::CmdPendantGetSegDisp"));
    }

    // ---- audio

    @Test
    void audioSetThenReadBack() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetAudio(handle, CONNECTION, 0x1_0000_0001L, 4294967295L, 3, 4, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 4294967295L, 3, 4}, VirtualProvider.pendantAudio(SERIAL));

        TovikPendantAudioValues values = MANAGER.vtxPendantGetAudio(handle, CONNECTION, result);
        assertEquals(0, result.get());
        assertNotNull(values);
        assertEquals(1, values.getAudio1());
        assertEquals(4294967295L, values.getAudio2(), "zero-extended");

        assertEquals(List.of("Pendant Set Audio", "Pendant Set Audio done"), CapturingLogSink.messagesOf(SET_AUDIO));
        assertEquals(List.of("PendantGetAudio", "PendantGetAudio done 0"), CapturingLogSink.messagesOf(GET_AUDIO));
    }

    @Test
    void aFailedAudioReadStillReturnsAnObject() {
        VirtualProvider.failMethod("ITovikManager.PendantGetAudio", 0x80004005);
        LongValue result = new LongValue(-1);
        TovikPendantAudioValues values = MANAGER.vtxPendantGetAudio(handle, CONNECTION, result);
        assertNotNull(values);
        assertEquals(0, values.getAudio1());
        assertEquals(0, values.getAudio2());
        assertEquals(0, result.get());
    }

    // ---- no runtime
}
