package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** The self test and the configuration items against the virtual provider. */
class DiagnosticsTest extends RuntimeFixture {
    private static final String NULL_POINTER = "0".repeat(16);
    private static final String DEFAULT_SELF_TEST = "\"selfTest\": \"00010203a5ff\"";
    private static final String DEFAULT_CONFIG_ITEMS = "\"configItems\": [\n"
            + "        { \"key\": 1, \"value\": \"TVX-200\" },\n"
            + "        { \"key\": 2, \"value\": \"5.1.0.0\" },\n"
            + "        { \"key\": 7, \"value\": \"\" }\n"
            + "      ]";
    private static final long CONNECTION = 7;

    DiagnosticsTest() {
        super(RuntimeFixture::openWorkshop);
    }

    @Test
    void selfTestReturnsTheBufferBytesReadOnceEachInIndexOrder() {
        LongValue result = new LongValue(-1);
        byte[] bytes = MANAGER.vtxRunSelfTest(handle, 0x1_0000_0007L, result);
        assertEquals(0, result.get());
        assertArrayEquals(new byte[] {0, 1, 2, 3, (byte) 0xA5, (byte) 0xFF}, bytes);
        assertEquals(sequence(List.of("ITovikManager.RunSelfTest(7)", "ITovikByteBuffer.Length()"),
                indexed("ITovikByteBuffer.Item", 6)), journal(""));

        assertEquals(List.of("RunSelfTest", "RunSelfTest done 0"), log("vtxRunSelfTest"));
        List<String> command = CapturingLogSink.messagesOf("CTovikManagerIF::CmdRunSelfTest");
        assertEquals(5, command.size(), command.toString());
        assertEquals(List.of("START", "A"), command.subList(0, 2));
        assertTrue(command.get(2).startsWith("B ") && !command.get(2).equals("B " + NULL_POINTER), command.get(2));
        assertEquals(List.of("0", "END"), command.subList(3, 5));
    }

    @Test
    void theLengthTheBufferReportsIsTheLengthCopiedWhateverItHolds() {
        byte[] expected = new byte[5000];
        StringBuilder hex = new StringBuilder();
        for (int i = 0; i < expected.length; i++) {
            expected[i] = (byte) (i * 31 + 7);
            hex.append(String.format("%02x", expected[i] & 0xFF));
        }
        loadOpenWorkshop(DEFAULT_SELF_TEST, "\"selfTest\": \"" + hex + "\"");
        assertArrayEquals(expected, MANAGER.vtxRunSelfTest(handle, CONNECTION, new LongValue()));

        VirtualProvider.setByteBufferLength(5003);
        byte[] longer = Arrays.copyOf(expected, 5003);
        assertArrayEquals(longer, MANAGER.vtxRunSelfTest(handle, CONNECTION, new LongValue()), "zeros after");
    }

    /**
     * No bytes to deliver, three ways: a buffer of length 0 still gives a block ("No results "
     * names a live block, which the method frees: the leak check sees it), a negative length is
     * logged as it came with no block, and no buffer at all still delivers the provider result.
     */
    @Test
    void noBytesGiveNullAndTheNoResultsLine() {
        loadOpenWorkshop(DEFAULT_SELF_TEST, "\"selfTest\": \"\"");
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.RunSelfTest", "ITovikByteBuffer.Length"), calls(""));
        List<String> messages = log("vtxRunSelfTest");
        assertTrue(messages.get(1).matches("No results 0 [0-9A-F]{16}") && !messages.get(1).endsWith(NULL_POINTER),
                messages.toString());
        assertEquals(List.of("RunSelfTest", messages.get(1), "RunSelfTest done 0"), messages);

        CapturingLogSink.clear();
        VirtualProvider.setByteBufferLength(-5);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, again(result)));
        assertEquals(0, result.get());
        VirtualProvider.clearFaults();
        VirtualProvider.withholdOutput("ITovikManager.RunSelfTest");
        VirtualProvider.setResult("ITovikManager.RunSelfTest", 0x7001);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0x7001, result.get());
        assertEquals(List.of("RunSelfTest", "No results -5 " + NULL_POINTER, "RunSelfTest done 0",
                "RunSelfTest", "No results 0 " + NULL_POINTER, "RunSelfTest done 28673"), log("vtxRunSelfTest"));
    }

    @Test
    void configItemsArriveWithKeysAndValues() {
        LongValue result = new LongValue(-1);
        assertEquals(List.of("1=TVX-200", "2=5.1.0.0", "7="), items(MANAGER.vtxGetConfigItems(handle, CONNECTION, result)));
        assertEquals(0, result.get());
        assertEquals(List.of("GetConfigItems", "GetConfigItems done 0"), log("vtxGetConfigItems"));
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikConfigItemIF::CmdGetConfigValue"));

        VirtualProvider.setMissingItem("ITovikConfigItemList", 1);
        assertEquals(List.of("1=TVX-200", "7="), items(MANAGER.vtxGetConfigItems(handle, CONNECTION, result)),
                "a missing item shortens the array");
    }

    @Test
    void keysAreZeroExtendedValuesDecodedAndAnEmptyListIsAnEmptyArray() {
        loadOpenWorkshop(DEFAULT_CONFIG_ITEMS,
                "\"configItems\": [ { \"key\": 4294967295, \"value\": \"Pr\u00fcfstand \u20ac\" } ]");
        assertEquals(List.of("4294967295=Pr\u00fcfstand \u20ac"),
                items(MANAGER.vtxGetConfigItems(handle, CONNECTION, new LongValue())));

        loadOpenWorkshop(DEFAULT_CONFIG_ITEMS, "\"configItems\": []");
        LongValue result = new LongValue(-1);
        assertEquals(List.of(), items(MANAGER.vtxGetConfigItems(handle, CONNECTION, result)));
        assertEquals(0, result.get());
    }

    @Test
    void withoutAListNullIsReturnedAndLogged() {
        VirtualProvider.withholdOutput("ITovikManager.GetConfigItems");
        VirtualProvider.setResult("ITovikManager.GetConfigItems", -2);
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxGetConfigItems(handle, CONNECTION, result));
        assertEquals(-2, result.get());
        assertEquals(List.of("GetConfigItems", "No config items ", "GetConfigItems done -2"), log("vtxGetConfigItems"));
    }

    private static List<String> items(TovikConfigItem[] items) {
        return Arrays.stream(items).map(i -> i.getItem() + "=" + i.getValue()).toList();
    }
}
