package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static com.holm.zep.tovik.api.jni.ClientInfoStoreTest.allByteValues;
import static com.holm.zep.tovik.api.jni.ClientInfoStoreTest.presetItem;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * vtxGetClientInfoList, vtxGetClientInfo, vtxGetClientInfoResult and vtxGetClientInfoFile
 * against the virtual provider.
 */
class ClientInfoReadTest extends RuntimeFixture {
    static final long CONNECTION = 7;
    static final long NOT_FOUND = 0x20000103L;
    static final long UNKNOWN_ACCESS = 0x20000108L;
    static final String WIDE_ID = "Ωmega✓"; // neither character is in Windows-1252

    static final String SCENARIO = """
            {
              "connections": { "requireConnection": false },
              "clientInfo": { "firstAccess": 100, "blockSize": 16 },
              "modules": [
                { "serial": 4711,
                  "blocks": [
                    { "id": "calibration", "location": 1, "hex": "0a0b0c" },
                    { "id": "Café", "location": 2, "text": "x" },
                    { "id": "Ωmega✓", "location": 3, "hex": "ff00ff" },
                    { "id": "", "location": 4, "hex": "" }
                  ] }
              ]
            }
            """;

    ClientInfoReadTest() {
        super(() -> SCENARIO);
    }

    // ---- helpers

    /** Starts a read and returns its access id (asserting success). */
    private long startRead(String id, long location) {
        TovikClientAccessItem item = new TovikClientAccessItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientInfo(handle, CONNECTION, id, location, 0, item, result);
        assertEquals(0, result.get(), "read of " + id);
        return item.getClientInfo();
    }

    private byte[] readResult(long accessId, LongValue result) {
        return MANAGER.vtxGetClientInfoResult(handle, CONNECTION, accessId, result);
    }

    private TovikClientInfoItem[] list(LongValue result) {
        return MANAGER.vtxGetClientInfoList(handle, CONNECTION, result);
    }

    private static List<String> entries(TovikClientInfoItem[] items) {
        return Arrays.stream(items)
                .map(i -> i.getLocation() + ":" + i.getIdentifier() + ":" + i.getFileSize()).toList();
    }

    // ---- reading back into memory

    @Test
    void aBlockStoredFromJavaComesBackByteForByte() {
        byte[] data = allByteValues();
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, CONNECTION, "round", 1, data, 0, new TovikClientAccessItem(), result);
        assertEquals(0, result.get());

        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(handle, CONNECTION, "round", 1, 0, item, again(result));
        assertEquals(0, result.get());
        assertEquals(101, item.getClientInfo(), "the store was access 100");
        assertEquals(17, item.getTotalBlocks());

        byte[] back = readResult(item.getClientInfo(), again(result));
        assertEquals(0, result.get());
        assertArrayEquals(data, back);
        assertEquals(List.of("GetClientInfo", "Client Info is 101", "GetClientInfo done 0"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetClientInfo"));
    }

    @Test
    void theReadIsTracedOnBothSides() {
        long access = startRead("calibration", 1);
        CapturingLogSink.clear();
        LongValue result = new LongValue(-1);

        assertArrayEquals(new byte[] {10, 11, 12}, readResult(access, result));

        List<String> native_ = CapturingLogSink.messagesOf(PREFIX + "vtxGetClientInfoResult");
        assertEquals(8, native_.size(), native_.toString());
        assertEquals(List.of("GetClientInfoResult", "A1"), native_.subList(0, 2));
        assertTrue(native_.get(2).matches("0+"), "the data pointer before the call: " + native_.get(2));
        assertEquals(List.of("A2", "A"), native_.subList(3, 5));
        assertTrue(native_.get(5).matches("pResults [0-9A-F]+") && !native_.get(5).matches("pResults 0+"),
                native_.get(5));
        assertEquals(List.of("Copying data", "GetClientInfoResult done 0"), native_.subList(6, 8));

        assertEquals(List.of("Look for buffer", "A", "Copy results 3", "B", "C"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetClientInfoResult"));
        List<String> facade = CapturingLogSink.messagesOf("CTovikManagerIF::GetClientInfoResult");
        assertEquals(4, facade.size(), facade.toString());
        assertEquals(List.of("A", "B1"), facade.subList(0, 2));
        assertTrue(facade.get(2).matches("[0-9A-F]{16}|[0-9A-F]{8}"), facade.get(2));
        assertEquals("B", facade.get(3));
    }

    @Test
    void nothingToDeliverGivesNullAndStillTheResult() {
        LongValue result = new LongValue(-1);
        assertNull(readResult(999, result), "unknown access");
        assertEquals(UNKNOWN_ACCESS, result.get());

        long empty = startRead("", 4); // a stored block of no bytes
        assertNull(readResult(empty, again(result)));
        assertEquals(0, result.get());

        VirtualProvider.withholdOutput("ITovikManager.GetClientInfoResult");
        long access = startRead("calibration", 1);
        assertNull(readResult(access, again(result)), "no buffer");
        assertEquals(0, result.get());

        List<String> noResults = CapturingLogSink
                .messagesOf(PREFIX + "vtxGetClientInfoResult").stream()
                .filter(m -> m.startsWith("No results ")).toList();
        assertEquals(3, noResults.size(), noResults.toString());
        // No buffer: no block. A buffer of no bytes: a live block of no bytes, freed by the method
        // (the leak check after each test sees one left behind).
        assertTrue(noResults.get(0).matches("No results 0{16} "), noResults.toString());
        assertTrue(noResults.get(1).matches("No results [0-9A-F]{16} ") && !noResults.get(1).matches("No results 0+ "),
                noResults.toString());
        assertTrue(noResults.get(2).matches("No results 0{16} "), noResults.toString());
        assertTrue(CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetClientInfoResult")
                .contains("Copy results 0"));
    }

    @Test
    void theBufferLengthTheProviderReportsIsWhatJavaGets() {
        long access = startRead("calibration", 1);
        LongValue result = new LongValue(-1);

        VirtualProvider.setByteBufferLength(40); // longer than the bytes behind it
        byte[] longer = readResult(access, result);
        assertEquals(0, result.get());
        byte[] expected = new byte[40];
        expected[0] = 10;
        expected[1] = 11;
        expected[2] = 12;
        assertArrayEquals(expected, longer);
        // The length once, then one call per byte, in index order.
        assertEquals(Sim.sequence(List.of("ITovikByteBuffer.Length"), Sim.times(40, "ITovikByteBuffer.Item")),
                Sim.calls("ITovikByteBuffer."));
        assertEquals(Sim.indexed("ITovikByteBuffer.Item", 40), VirtualProvider.journal("ITovikByteBuffer.Item"));

        VirtualProvider.clearJournal();
        VirtualProvider.setByteBufferLength(-5);
        assertNull(readResult(access, again(result)), "a negative length gives no data");
        assertEquals(0, result.get());
        assertEquals(List.of(), VirtualProvider.journal("ITovikByteBuffer.Item"));
    }

    @Test
    void aFailingByteReadEndsTheCommandWithoutData() {
        long access = startRead("calibration", 1);
        VirtualProvider.failMethod("ITovikByteBuffer.Item", 0x80004005, true, "broken byte");
        LongValue result = new LongValue(-1);

        assertNull(readResult(access, result));
        assertEquals(0, result.get(), "a COM error in a command yields 0");
        assertEquals(List.of("Look for buffer", "A", "Copy results 3"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetClientInfoResult"));
    }

    @Test
    void readsPassTheirValuesCutTo32Bits() {
        LongValue result = new LongValue(-1);
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(handle, 0x1_0000_0007L, "calibration", 0x2_0000_0001L, 0x3_0000_0005L, item,
                result);
        readResult(0x4_0000_0000L + item.getClientInfo(), result);
        assertEquals(List.of("ITovikManager.GetClientInfo(7, \"calibration\", 1, 5)",
                "ITovikManager.GetClientInfoResult(7, 100)"), VirtualProvider.journal("ITovikManager."));
    }

    @Test
    void aMissingBlockLeavesTheItemAloneAndLogsNullItem() {
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientInfo(handle, CONNECTION, "nothing", 1, 0, item, result);

        assertEquals(NOT_FOUND, result.get());
        assertEquals(presetItem().toString(), item.toString());
        assertEquals(List.of("GetClientInfo", "Null item", "GetClientInfo done " + NOT_FOUND),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetClientInfo"));
    }

    /**
     * An identifier or file name with a NUL would be cut there: "ab\0cd" would write a file named
     * "ab". Refused with 0x50000003 before the provider; no file appears, the item is untouched.
     */
    @Test
    void anIdentifierOrFileNameWithANulIsRefusedBeforeTheProvider(@TempDir Path dir) {
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientInfo(handle, CONNECTION, "calibration\0x", 1, 0, item, result);
        assertEquals(ClientInfoStoreTest.NO_INTERFACE, result.get());
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, "calibration", 1, dir + File.separator + "ab\0cd", item,
                again(result));
        assertEquals(ClientInfoStoreTest.NO_INTERFACE, result.get());
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, "calibration\0x", 1, dir.resolve("ab").toString(), item,
                again(result));
        assertEquals(ClientInfoStoreTest.NO_INTERFACE, result.get());

        assertEquals(List.of(), List.of(VirtualProvider.journal()));
        assertFalse(Files.exists(dir.resolve("ab")), "no file named by the text before the NUL");
        assertEquals(presetItem().toString(), item.toString());
    }

    // ---- wide identifiers and file names

    @Test
    void identifiersOutsideWindows1252SurviveTheReadPath(@TempDir Path dir) throws IOException {
        long access = startRead(WIDE_ID, 3);
        LongValue result = new LongValue(-1);
        assertArrayEquals(new byte[] {(byte) 0xFF, 0, (byte) 0xFF}, readResult(access, result));

        Path file = dir.resolve("Ω✓.bin");
        TovikClientAccessItem item = presetItem();
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, WIDE_ID, 3, file.toString(), item, again(result));
        assertEquals(0, result.get());
        assertArrayEquals(new byte[] {(byte) 0xFF, 0, (byte) 0xFF}, Files.readAllBytes(file));
        assertEquals(2, item.getStatus(), "complete");
        assertEquals(101, item.getClientInfo(), "the second access");

        assertEquals(List.of("ITovikManager.GetClientInfo(7, \"" + WIDE_ID + "\", 3, 0)",
                        "ITovikManager.GetClientInfoResult(7, 100)",
                        "ITovikManager.GetClientInfoFile(7, \"" + WIDE_ID + "\", 3, \"" + file + "\")"),
                VirtualProvider.journal("ITovikManager."));
        assertEquals(List.of("GetClientInfoFile", "GetClientInfoFile done 0"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetClientInfoFile"));
    }

    @Test
    void nullIdentifiersAndFileNamesReachTheProviderAsNull() {
        LongValue result = new LongValue(-1);
        TovikClientAccessItem item = presetItem();
        MANAGER.vtxGetClientInfo(handle, CONNECTION, null, 1, 0, item, result);
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, null, 0x1_0000_0001L, null, item, again(result));

        assertEquals(NOT_FOUND, result.get());
        assertEquals(presetItem().toString(), item.toString());
        assertEquals(List.of("ITovikManager.GetClientInfo(7, null, 1, 0)",
                "ITovikManager.GetClientInfoFile(7, null, 1, null)"), VirtualProvider.journal("ITovikManager."));
    }

    // ---- listing

    @Test
    void theListShowsEveryBlockInOrderWithAnsiDecodedIdentifiers() {
        LongValue result = new LongValue(-1);
        TovikClientInfoItem[] items = list(result);

        assertEquals(0, result.get());
        assertNotNull(items);
        assertEquals(List.of("1:calibration:3", "2:Café:1", "3:?mega?:3", "4::0"), entries(items));
        assertEquals(List.of("GetClientInfoList", "GetClientInfoList done 0"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetClientInfoList"));
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikClientInfoItemIF::CmdGetClientInfoId"));
    }

    @Test
    void anItemTheProviderCannotDeliverIsLeftOut() {
        VirtualProvider.setMissingItem("ITovikClientInfoList", 1);
        LongValue result = new LongValue(-1);
        assertEquals(List.of("1:calibration:3", "3:?mega?:3", "4::0"), entries(list(result)));
    }

    @Test
    void emptyVersusMissingLists() {
        VirtualProvider.loadScenario("""
                { "connections": { "requireConnection": false }, "modules": [ { "serial": 1 } ] }
                """);
        LongValue result = new LongValue(-1);
        TovikClientInfoItem[] empty = list(result);
        assertNotNull(empty, "an empty list is an array");
        assertEquals(0, empty.length);
        assertEquals(0, result.get());

        VirtualProvider.withholdOutput("ITovikManager.GetClientInfoList");
        VirtualProvider.setResult("ITovikManager.GetClientInfoList", 0x80001234);
        assertNull(list(again(result)), "no list object: null");
        assertEquals(0xFFFF_FFFF_8000_1234L, result.get(), "sign-extended provider result");
    }

    @Test
    void aLongListIsDeliveredWhole() {
        StringBuilder blocks = new StringBuilder();
        for (int i = 0; i < 1500; i++) {
            blocks.append(i == 0 ? "" : ",").append("{ \"id\": \"b").append(i).append("\", \"location\": 1 }");
        }
        VirtualProvider.loadScenario("{ \"connections\": { \"requireConnection\": false }, "
                + "\"modules\": [ { \"serial\": 1, \"blocks\": [" + blocks + "] } ] }");
        LongValue result = new LongValue(-1);
        TovikClientInfoItem[] items = list(result);
        assertEquals(1500, items.length);
        assertEquals("b0", items[0].getIdentifier());
        assertEquals("b1499", items[1499].getIdentifier());
    }
}
