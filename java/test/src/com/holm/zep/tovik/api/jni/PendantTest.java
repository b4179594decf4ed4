package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** The pendant: LEDs, segment display and audio against the virtual provider. */
class PendantTest extends RuntimeFixture {
    /** The default workshop's first module; without required connections every handle names it. */
    private static final long SERIAL = 200101;
    private static final long CONNECTION = 7;
    private static final int LED_COUNT = 5;
    private static final long KEEP = -7;
    private static final List<String> PUT_LED = List.of("ITovikPendantLeds.Item", "ITovikPendantLed.put_LedValid",
            "ITovikPendantLed.put_LedCtrl", "ITovikPendantLed.put_LedBlinkFreq");

    PendantTest() {
        super(RuntimeFixture::openWorkshop);
    }

    /** The provider calls of setting `leds` LEDs: the count, three settings per LED, the collection once. */
    private static List<String> setLedCalls(int leds) {
        return sequence(List.of("ITovikPendantLeds.Count"), repeated(leds, PUT_LED),
                List.of("ITovikManager.PendantSetLeds"));
    }

    private static long[] filled(int length) {
        long[] values = new long[length];
        Arrays.fill(values, KEEP);
        return values;
    }

    private static long[] leds(int count) {
        return Arrays.copyOf(VirtualProvider.pendantLeds(SERIAL), count);
    }

    @Test
    void ledsSetThenReadBack() {
        long[] valid = {1, 0, 1, 1, 0};
        long[] control = {10, 11, 12, 13, 14};
        long[] blink = {0, 2, 4, 6, 4294967295L};
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, valid, control, blink, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 10, 0, 0, 11, 2, 1, 12, 4, 1, 13, 6, 0, 14, 4294967295L}, leds(15));
        assertEquals(List.of("ITovikManager.PendantSetLeds(7, object)"), journal("ITovikManager."));

        long[][] out = {new long[LED_COUNT], new long[LED_COUNT], new long[LED_COUNT]};
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, out[0], out[1], out[2], again(result));
        assertEquals(0, result.get());
        assertArrayEquals(new long[][] {valid, control, blink}, out, "read back zero-extended");

        assertEquals(List.of("Pendant Set Led", "Pendant Set Led done"), log("vtxPendantSetLeds"));
        List<String> getLines = log("vtxPendantGetLeds");
        assertEquals(3 + 2 * LED_COUNT, getLines.size());
        assertEquals(List.of("Pendant Get Led", "Getting LED items", "Getting item 0", "Gettting is valid "),
                getLines.subList(0, 4));
        assertEquals("Pendant Get Led done", getLines.get(getLines.size() - 1));
    }

    @Test
    void ledWrappersLogTheirLifecycle() {
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {3}, new long[] {4}, new long[] {5}, new LongValue());
        assertEquals(List.of("SET to 3"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedValid"));
        assertEquals(List.of("SET to 4"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedCtrl"));
        assertEquals(List.of("SET to 5"), CapturingLogSink.messagesOf("CTovikPendantLedIF::SetLedBlinkFeq"));
        assertEquals(List.of("Destroy"), CapturingLogSink.messagesOf("CTovikPendantLedsIF::~CTovikPendantLedsIF"));
        List<String> item = CapturingLogSink.messagesOf("CTovikPendantLedsIF::CmdItem");
        assertEquals(List.of("A", "C", "D", "E"), item.stream().filter(t -> t.length() == 1).toList());
        assertTrue(item.get(1).startsWith("B "), item.toString());
    }

    @Test
    void theShortestArrayBoundsTheLoopAndLongerArraysKeepTheirExtraElements() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {5, 5, 5, 5, 5}, new long[] {6, 6},
                new long[] {7, 7, 7, 7}, result);
        assertEquals(0, result.get());
        assertEquals(setLedCalls(2), calls(""));
        assertEquals(indexed("ITovikPendantLeds.Item", 2), journal("ITovikPendantLeds.Item"));
        assertArrayEquals(new long[] {5, 6, 7, 5, 6, 7, 0, 0, 0}, leds(9));

        long[] valid = new long[LED_COUNT];
        long[] control = {KEEP};
        long[] blink = new long[LED_COUNT];
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, valid, control, blink, again(result));
        assertEquals(0, result.get());
        assertArrayEquals(new long[][] {{5, 0, 0, 0, 0}, {6}, {7, 0, 0, 0, 0}}, new long[][] {valid, control, blink},
                "only one LED fits all three arrays");

        // Arrays longer than the collection: the LEDs fill the front, the rest is kept on get
        // and ignored on set.
        long[][] longer = {filled(8), filled(8), filled(8)};
        VirtualProvider.clearJournal();
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, longer[0], longer[1], longer[2], result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[][] {{5, 5, 0, 0, 0, KEEP, KEEP, KEEP}, {6, 6, 0, 0, 0, KEEP, KEEP, KEEP},
            {7, 7, 0, 0, 0, KEEP, KEEP, KEEP}}, longer);
        assertEquals(sequence(List.of("ITovikManager.PendantGetLeds", "ITovikPendantLeds.Count"),
                repeated(LED_COUNT, List.of("ITovikPendantLeds.Item", "ITovikPendantLed.LedValid",
                        "ITovikPendantLed.LedCtrl", "ITovikPendantLed.LedBlinkFreq"))), calls(""));
        VirtualProvider.clearJournal();
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, longer[0], longer[1], longer[2], again(result));
        assertEquals(0, result.get());
        assertEquals(setLedCalls(LED_COUNT), calls(""));
    }

    @Test
    void onlyTheLow32BitsReachTheProvider() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, 0x1_0000_0007L, new long[] {0x1_0000_0001L}, new long[] {-1L},
                new long[] {0x7_FFFF_FFFEL}, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikPendantLed.put_LedValid(1)", "ITovikPendantLed.put_LedCtrl(4294967295)",
                "ITovikPendantLed.put_LedBlinkFreq(4294967294)"), journal("ITovikPendantLed.put_"));
        assertEquals(List.of("ITovikManager.PendantSetLeds(7, object)"), journal("ITovikManager."));
        assertArrayEquals(new long[] {1, 4294967295L, 4294967294L}, leds(3));
    }

    @Test
    void anEmptyValidArrayCallsNothingOnSetButStillReadsOnGet() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[0], new long[] {1}, new long[] {1}, result);
        assertEquals(NO_FACADE, result.get());
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, null, null, null, again(result));
        assertEquals(NO_FACADE, result.get());
        assertEquals(List.of(), journal(""));

        long[] control = {KEEP};
        VirtualProvider.setResult("ITovikManager.PendantGetLeds", 0x2000_0042);
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, new long[0], control, new long[] {KEEP}, result);
        assertEquals(0x2000_0042, result.get());
        assertEquals(List.of("ITovikManager.PendantGetLeds"), calls(""));
        assertArrayEquals(new long[] {KEEP}, control);
    }

    @Test
    void aMissingLedIsSkippedOnSetAndReadAsZeros() {
        VirtualProvider.setMissingItem("ITovikPendantLeds", 1);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetLeds(handle, CONNECTION, new long[] {4, 4, 4}, new long[] {5, 5, 5},
                new long[] {6, 6, 6}, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {4, 5, 6, 0, 0, 0, 4, 5, 6}, leds(9), "the loop goes on after the gap");

        long[][] out = {filled(3), filled(3), filled(3)};
        MANAGER.vtxPendantGetLeds(handle, CONNECTION, out[0], out[1], out[2], again(result));
        assertEquals(0, result.get());
        assertArrayEquals(new long[][] {{4, 0, 4}, {5, 0, 5}, {6, 0, 6}}, out);
    }

    @Test
    void segmentsSetThenReadBackWithTheDisplayValuesInOrder() {
        long[] segments = {1, 0, 1, 0, 1, 0, 1, 0xFFFF_FFFFL};
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, segments, 21, 0x1_0000_0022L, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 0, 1, 0, 1, 0, 1, 0xFFFF_FFFFL, 21, 0x22}, VirtualProvider.pendantSegments(SERIAL));
        assertEquals(List.of("ITovikPendantDisp.put_SegmentA(1)", "ITovikPendantDisp.put_SegmentB(0)",
                "ITovikPendantDisp.put_SegmentC(1)", "ITovikPendantDisp.put_SegmentD(0)",
                "ITovikPendantDisp.put_SegmentE(1)", "ITovikPendantDisp.put_SegmentF(0)",
                "ITovikPendantDisp.put_SegmentG(1)", "ITovikPendantDisp.put_SegmentDecimalPoint(4294967295)"),
                journal("ITovikPendantDisp.put_"));
        assertEquals(List.of("ITovikManager.PendantSetSegDisp(7, object, 21, 34)"), journal("ITovikManager."));

        TovikPendantDisp display = new TovikPendantDisp();
        MANAGER.vtxPendantGetSegDisp(handle, CONNECTION, display, again(result));
        assertEquals(0, result.get());
        assertFields(display, "segments", segments, "displayValue1", 21, "displayValue2", 0x22);
        assertEquals(List.of("Pendant Set Seg Disp", "Pendant Set Seg Disp done"), log("vtxPendantSetSegDisp"));
        assertEquals(List.of("Pendant Get Seg Disp", "1", "Pendant Get Seg done"), log("vtxPendantGetSegDisp"));

        // A longer array: its first eight values.
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[] {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, 0, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 2, 3, 4, 5, 6, 7, 8, 0, 0}, VirtualProvider.pendantSegments(SERIAL));
    }

    @Test
    void aShortOrEmptySegmentArrayCallsNothing() {
        long[] before = VirtualProvider.pendantSegments(SERIAL);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[] {1, 2, 3, 4, 5, 6, 7}, 1, 2, result);
        assertEquals(NO_INTERFACE, result.get(), "fewer than eight segment values");
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, new long[0], 1, 2, again(result));
        assertEquals(NO_FACADE, result.get());
        MANAGER.vtxPendantSetSegDisp(handle, CONNECTION, null, 1, 2, again(result));
        assertEquals(NO_FACADE, result.get());
        assertEquals(List.of(), journal(""));
        assertArrayEquals(before, VirtualProvider.pendantSegments(SERIAL));
    }

    @Test
    void noDisplayObjectLeavesTheJavaObjectUntouched() {
        VirtualProvider.withholdOutput("ITovikManager.PendantGetSegDisp");
        VirtualProvider.setResult("ITovikManager.PendantGetSegDisp", 9);
        TovikPendantDisp display = new TovikPendantDisp();
        display.setData(1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantGetSegDisp(handle, CONNECTION, display, result);
        assertEquals(9, result.get());
        assertFields(display, "segments", new long[] {1, 2, 3, 4, 5, 6, 7, 8}, "displayValue1", 10, "displayValue2", 9);
        assertEquals(List.of("Pendant Get Seg Disp", "no object", "Pendant Get Seg done"), log("vtxPendantGetSegDisp"));
        assertEquals(List.of("NO OBJECT"), CapturingLogSink.messagesOf("CTovikManagerIF::CmdPendantGetSegDisp"));
    }

    @Test
    void audioSetThenReadBack() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxPendantSetAudio(handle, CONNECTION, 0x1_0000_0001L, 4294967295L, 3, 4, result);
        assertEquals(0, result.get());
        assertArrayEquals(new long[] {1, 4294967295L, 3, 4}, VirtualProvider.pendantAudio(SERIAL));
        assertFields(MANAGER.vtxPendantGetAudio(handle, CONNECTION, again(result)), "audio1", 1,
                "audio2", 4294967295L);
        assertEquals(0, result.get());
        assertEquals(List.of("Pendant Set Audio", "Pendant Set Audio done"), log("vtxPendantSetAudio"));
        assertEquals(List.of("PendantGetAudio", "PendantGetAudio done 0"), log("vtxPendantGetAudio"));
    }
}
