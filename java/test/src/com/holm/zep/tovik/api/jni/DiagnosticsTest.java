package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** The self test and the configuration items against the virtual provider. */
class DiagnosticsTest extends RuntimeFixture {
    private static final String SELF_TEST = PREFIX + "vtxRunSelfTest";
    private static final String CONFIG_ITEMS = PREFIX + "vtxGetConfigItems";
    private static final String NULL_POINTER = "0".repeat(16);
    private static final String DEFAULT_SELF_TEST = "\"selfTest\": \"00010203a5ff\"";
    private static final String DEFAULT_CONFIG_ITEMS =
            "\"configItems\": [\n"
            + "        { \"key\": 1, \"value\": \"TVX-200\" },\n"
            + "        { \"key\": 2, \"value\": \"5.1.0.0\" },\n"
            + "        { \"key\": 7, \"value\": \"\" }\n"
            + "      ]";
    private static final long CONNECTION = 7;

    DiagnosticsTest() {
        super(RuntimeFixture::openWorkshop);
    }

    // ---- self test

    @Test
    void selfTestReturnsTheBufferBytes() {
        LongValue result = new LongValue(-1);
        byte[] bytes = MANAGER.vtxRunSelfTest(handle, 0x1_0000_0007L, result);
        assertEquals(0, result.get());
        assertArrayEquals(new byte[] {0, 1, 2, 3, (byte) 0xA5, (byte) 0xFF}, bytes);
        assertEquals(List.of("ITovikManager.RunSelfTest(7)"), Sim.journal("ITovikManager."));
        // The length once, then one provider call per byte, in index order.
        assertEquals(Sim.sequence(List.of("ITovikManager.RunSelfTest", "ITovikByteBuffer.Length"),
                Sim.times(6, "ITovikByteBuffer.Item")), Sim.calls(""));
        assertEquals(Sim.indexed("ITovikByteBuffer.Item", 6), Sim.journal("ITovikByteBuffer.Item"));

        assertEquals(List.of("RunSelfTest", "RunSelfTest done 0"), CapturingLogSink.messagesOf(SELF_TEST));
        List<String> command = CapturingLogSink.messagesOf("CTovikManagerIF::CmdRunSelfTest");
        assertEquals(5, command.size(), command.toString());
        assertEquals(List.of("START", "A"), command.subList(0, 2));
        assertTrue(command.get(2).startsWith("B ") && !command.get(2).equals("B " + NULL_POINTER), command.get(2));
        assertEquals(List.of("0", "END"), command.subList(3, 5));
    }

    @Test
    void aLongSelfTestArrivesWhole() {
        byte[] expected = new byte[5000];
        StringBuilder hex = new StringBuilder();
        for (int i = 0; i < expected.length; i++) {
            expected[i] = (byte) (i * 31 + 7);
            hex.append(String.format("%02x", expected[i] & 0xFF));
        }
        loadOpenWorkshop(DEFAULT_SELF_TEST, "\"selfTest\": \"" + hex + "\"");
        LongValue result = new LongValue(-1);
        byte[] bytes = MANAGER.vtxRunSelfTest(handle, CONNECTION, result);
        assertEquals(0, result.get());
        assertArrayEquals(expected, bytes);
    }

    /**
     * A buffer of no bytes still gives a block of that length: "No results " names a live block
     * (not a null pointer), which the method frees (the leak check after each test sees it).
     */
    @Test
    void aZeroLengthSelfTestReturnsNullAndNamesItsEmptyBlock() {
        loadOpenWorkshop(DEFAULT_SELF_TEST, "\"selfTest\": \"\"");
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.RunSelfTest", "ITovikByteBuffer.Length"), Sim.calls(""));
        List<String> messages = CapturingLogSink.messagesOf(SELF_TEST);
        assertEquals(3, messages.size(), messages.toString());
        assertTrue(messages.get(1).matches("No results 0 [0-9A-F]{16}") && !messages.get(1).endsWith(NULL_POINTER),
                messages.toString());
        assertEquals(List.of("RunSelfTest", messages.get(1), "RunSelfTest done 0"), messages);
    }

    /** A negative length is logged as the provider gave it; nothing is allocated or copied. */
    @Test
    void aNegativeLengthIsLoggedAsItCame() {
        VirtualProvider.setByteBufferLength(-5);
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.RunSelfTest", "ITovikByteBuffer.Length"), Sim.calls(""));
        assertEquals(List.of("RunSelfTest", "No results -5 " + NULL_POINTER, "RunSelfTest done 0"),
                CapturingLogSink.messagesOf(SELF_TEST));
    }

    @Test
    void theLengthTheBufferReportsIsTheLengthCopied() {
        VirtualProvider.setByteBufferLength(9);
        byte[] bytes = MANAGER.vtxRunSelfTest(handle, CONNECTION, new LongValue());
        assertArrayEquals(new byte[] {0, 1, 2, 3, (byte) 0xA5, (byte) 0xFF, 0, 0, 0}, bytes);

        VirtualProvider.setByteBufferLength(-5);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, new LongValue()), "a negative length copies nothing");
    }

    @Test
    void withoutABufferTheProviderResultStillArrives() {
        VirtualProvider.withholdOutput("ITovikManager.RunSelfTest");
        Sim.setResult("ITovikManager.RunSelfTest", 0x7001);
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0x7001, result.get());
        assertEquals(List.of("RunSelfTest", "No results 0 " + NULL_POINTER, "RunSelfTest done 28673"),
                CapturingLogSink.messagesOf(SELF_TEST));
    }

    @Test
    void aByteThatCannotBeReadEndsTheCopyWithoutLeavingItsBlock() {
        VirtualProvider.failMethod("ITovikByteBuffer.Item", 0x80004005, true, "read error");
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxRunSelfTest(handle, CONNECTION, result));
        assertEquals(0, result.get(), "the command ended on the COM error");
        // The leak check after the test shows that the partly filled block was freed.
    }

    // ---- configuration items

    @Test
    void configItemsArriveWithKeysAndValues() {
        LongValue result = new LongValue(-1);
        TovikConfigItem[] items = MANAGER.vtxGetConfigItems(handle, CONNECTION, result);
        assertEquals(0, result.get());
        assertNotNull(items);
        assertEquals(List.of("1=TVX-200", "2=5.1.0.0", "7="),
                Arrays.stream(items).map(i -> i.getItem() + "=" + i.getValue()).toList());
        assertEquals(List.of("GetConfigItems", "GetConfigItems done 0"), CapturingLogSink.messagesOf(CONFIG_ITEMS));
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikConfigItemIF::CmdGetConfigValue"));
    }

    @Test
    void keysAreZeroExtendedAndValuesDecoded() {
        loadOpenWorkshop(DEFAULT_CONFIG_ITEMS,
                "\"configItems\": [ { \"key\": 4294967295, \"value\": \"Pr\u00fcfstand \u20ac\" } ]");
        TovikConfigItem[] items = MANAGER.vtxGetConfigItems(handle, CONNECTION, new LongValue());
        assertEquals(1, items.length);
        assertEquals(4294967295L, items[0].getItem());
        assertEquals("Pr\u00fcfstand \u20ac", items[0].getValue());
    }

    @Test
    void aMissingItemShortensTheArray() {
        VirtualProvider.setMissingItem("ITovikConfigItemList", 1);
        TovikConfigItem[] items = MANAGER.vtxGetConfigItems(handle, CONNECTION, new LongValue());
        assertEquals(List.of(1L, 7L), Arrays.stream(items).map(TovikConfigItem::getItem).toList());
    }

    @Test
    void anEmptyListGivesAnEmptyArray() {
        loadOpenWorkshop(DEFAULT_CONFIG_ITEMS, "\"configItems\": []");
        LongValue result = new LongValue(-1);
        TovikConfigItem[] items = MANAGER.vtxGetConfigItems(handle, CONNECTION, result);
        assertNotNull(items);
        assertEquals(0, items.length);
        assertEquals(0, result.get());
    }

    @Test
    void withoutAListNullIsReturned() {
        VirtualProvider.withholdOutput("ITovikManager.GetConfigItems");
        Sim.setResult("ITovikManager.GetConfigItems", -2);
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxGetConfigItems(handle, CONNECTION, result));
        assertEquals(-2, result.get());
        assertEquals(List.of("GetConfigItems", "No config items ", "GetConfigItems done -2"),
                CapturingLogSink.messagesOf(CONFIG_ITEMS));
    }

    // ---- no runtime
}
