package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.io.File;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Client information blocks against the virtual provider: vtxStoreClientInfo,
 * vtxStoreClientInfoFile, vtxDeleteClientInfo, vtxGetClientAccessStatus,
 * vtxGetAvailableClientSpace, vtxGetClientInfoList, vtxGetClientInfo, vtxGetClientInfoResult and
 * vtxGetClientInfoFile.
 */
class ClientInfoTest extends RuntimeFixture {
    private static final long SERIAL = 4711;
    private static final long CONNECTION = 7;
    private static final long FAILED_STATUS = 0x80000003L;
    private static final long NOT_FOUND = 0x20000103L;
    private static final long UNKNOWN_ACCESS = 0x20000108L;
    private static final String WIDE_ID = "\u03a9mega\u2713";  // neither character is in Windows-1252

    /**
     * One module that every connection value addresses; a small volatile store (location 0), a
     * larger non-volatile one holding 7 bytes in four blocks, access ids from 100, blocks of 16
     * bytes.
     */
    private static final String SCENARIO = """
            {
              "connections": { "requireConnection": false },
              "codes": { "noSpace": "0x80070070" },
              "clientInfo": { "firstAccess": 100, "blockSize": 16, "volatileLocation": 0,
                              "complete": 2, "failed": "0x80000003",
                              "clockMs": 5000, "clockStepMs": 10 },
              "modules": [
                { "serial": 4711, "name": "Bench",
                  "space": { "volatile": 64, "nonVolatile": 1024 },
                  "blocks": [
                    { "id": "calibration", "location": 1, "hex": "0a0b0c" },
                    { "id": "Caf\u00e9", "location": 2, "text": "x" },
                    { "id": "\u03a9mega\u2713", "location": 3, "hex": "ff00ff" },
                    { "id": "", "location": 4, "hex": "" } ] }
              ]
            }
            """;

    ClientInfoTest() {
        super(() -> SCENARIO);
    }

    private long store(String id, long location, byte[] data, TovikClientAccessItem item) {
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, CONNECTION, id, location, data, 0, item, result);
        return result.get();
    }

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

    /** "volTotal volRemaining nonVolTotal nonVolRemaining". */
    private String space() {
        TovikClientSpace space = new TovikClientSpace();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetAvailableClientSpace(handle, CONNECTION, space, result);
        assertEquals(0, result.get());
        return space.getVolTotal() + " " + space.getVolRemaining() + " " + space.getNonVolTotal() + " "
                + space.getNonVolRemaining();
    }

    private List<String> list(LongValue result) {
        TovikClientInfoItem[] items = MANAGER.vtxGetClientInfoList(handle, CONNECTION, result);
        return items == null ? null
                : Arrays.stream(items).map(i -> i.getLocation() + ":" + i.getIdentifier() + ":" + i.getFileSize()).toList();
    }

    /** An access item holding values no call produces, to see whether a call touched it. */
    private static TovikClientAccessItem presetItem() {
        TovikClientAccessItem item = new TovikClientAccessItem();
        item.setData(9, 9, 9, 9, 9, 9);
        return item;
    }

    private static void assertUntouched(TovikClientAccessItem item) {
        assertEquals(presetItem().toString(), item.toString(), "the item keeps its contents");
    }

    private static byte[] allByteValues() {
        byte[] data = new byte[256 + 3];  // ends in three zero bytes
        for (int i = 0; i < 256; i++) {
            data[i] = (byte) i;
        }
        return data;
    }

    @Test
    void storedBytesComeBackByteForByteAndTheAccessItemIsFilled() {
        byte[] data = allByteValues();
        TovikClientAccessItem item = presetItem();
        assertEquals(0, store("all-values", 1, data, item));
        assertArrayEquals(data, VirtualProvider.storedBlock(SERIAL, "all-values", 1));
        assertFields(item, "clientInfo", 100, "status", 2, "errorCode", 0, "totalBlocks", 17, "currentBlock", 17,
                "timeStampMs", 5000);
        List<String> calls = journal("ITovikManager.");
        assertTrue(calls.get(0).startsWith(
                "ITovikManager.StoreClientInfo(7, \"all-values\", 1, VT_ARRAY|VT_UI1 bytes[259]:000102"), calls.get(0));
        // The six reads in their order, then nothing else on the access item.
        assertEquals(List.of("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"),
                calls("ITovikClientAccessItem."));

        TovikClientAccessItem read = new TovikClientAccessItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientInfo(handle, CONNECTION, "all-values", 1, 0, read, result);
        assertEquals(0, result.get());
        assertFields(read, "clientInfo", 101, "totalBlocks", 17);
        assertArrayEquals(data, readResult(read.getClientInfo(), again(result)));
        assertEquals(0, result.get());
        assertEquals(List.of("GetClientInfo", "Client Info is 101", "GetClientInfo done 0"), log("vtxGetClientInfo"));
    }

    @Test
    void callsReachTheProviderWithLongsCutToTheirLow32Bits() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, 0x1_0000_0007L, "id", 0x2_0000_0001L, new byte[] {10, 11, 12},
                0xFFFF_FFFF_0000_0005L, new TovikClientAccessItem(), result);
        assertEquals(0, result.get());
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(handle, 0x1_0000_0007L, "calibration", 0x2_0000_0001L, 0x3_0000_0005L, item, result);
        readResult(0x4_0000_0000L + item.getClientInfo(), result);
        MANAGER.vtxDeleteClientInfo(handle, 0x3_0000_0007L, "\u03a9x", 1, result);
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, null, 1, result);
        assertEquals(List.of("ITovikManager.StoreClientInfo(7, \"id\", 1, VT_ARRAY|VT_UI1 bytes[3]:0a0b0c, 5)",
                "ITovikManager.GetClientInfo(7, \"calibration\", 1, 5)", "ITovikManager.GetClientInfoResult(7, 101)",
                "ITovikManager.DeleteClientInfo(7, \"?x\", 1)", "ITovikManager.DeleteClientInfo(7, null, 1)"),
                journal("ITovikManager."));
    }

    @Test
    void nullAndEmptyArraysStoreNothingAndReport0x50000003() {
        TovikClientAccessItem item = presetItem();
        assertEquals(NO_INTERFACE, store("id", 1, null, item));
        assertEquals(NO_INTERFACE, store("id", 1, new byte[0], item));
        assertEquals(List.of(), journal("ITovikManager."));
        assertUntouched(item);
        assertEquals(List.of("Store Client Info", "Store Client Info done", "Store Client Info",
                "Store Client Info done"), log("vtxStoreClientInfo"));
    }

    /**
     * Identifiers are narrowed to Windows-1252 on the store path ('?' for what it lacks) but
     * reach the read path whole; null stays a null BSTR.
     */
    @Test
    void identifiersAreNarrowedOnTheStorePathAndNullStaysNull() {
        TovikClientAccessItem untouched = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientInfo(handle, CONNECTION, null, 1, 0, untouched, result);
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, null, 0x1_0000_0001L, null, untouched, again(result));
        assertEquals(NOT_FOUND, result.get());
        assertUntouched(untouched);

        assertEquals(0, store("\u03a9mega\u20ac\u00fc", 1, new byte[] {1}, new TovikClientAccessItem()));
        assertArrayEquals(new byte[] {1}, VirtualProvider.storedBlock(SERIAL, "?mega\u20ac\u00fc", 1));
        store(null, 1, new byte[] {1}, new TovikClientAccessItem());
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, null, 1, null, 0, item, result);
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "\u03a9id", 1, "/nowhere/\u03a9.bin", 0, item, result);
        assertEquals(0x20000109L, result.get(), "the provider's file error");
        assertEquals(FAILED_STATUS, item.getStatus(), "the failed access is delivered");

        assertEquals(List.of("ITovikManager.GetClientInfo(7, null, 1, 0)",
                "ITovikManager.GetClientInfoFile(7, null, 1, null)",
                "ITovikManager.StoreClientInfo(7, \"?mega\u20ac\u00fc\", 1, VT_ARRAY|VT_UI1 bytes[1]:01, 0)",
                "ITovikManager.StoreClientInfo(7, null, 1, VT_ARRAY|VT_UI1 bytes[1]:01, 0)",
                "ITovikManager.StoreClientInfoFile(7, null, 1, null, 0)",
                "ITovikManager.StoreClientInfoFile(7, \"?id\", 1, \"/nowhere/?.bin\", 0)"), journal("ITovikManager."));
    }

    @Test
    void aRefusedStoreDeliversTheFailedAccessItemWithSignAndZeroExtension() {
        TovikClientAccessItem item = new TovikClientAccessItem();
        long code = store("too-big", 0, new byte[65], item);  // the volatile store holds 64
        assertEquals(0xFFFF_FFFF_8007_0070L, code, "provider result with the top bit set arrives negative");
        // The status with the top bit set stays positive, the error code is a negative int.
        assertFields(item, "status", FAILED_STATUS, "errorCode", 0x80070070, "currentBlock", 0);
        assertNull(VirtualProvider.storedBlock(SERIAL, "too-big", 0));

        VirtualProvider.withholdOutput("ITovikManager.StoreClientInfo");
        VirtualProvider.setResult("ITovikManager.StoreClientInfo", 0x1234);
        TovikClientAccessItem preset = presetItem();
        assertEquals(0x1234, store("id", 1, new byte[] {1, 2}, preset), "no access item: the result still arrives");
        assertUntouched(preset);
    }

    @Test
    void aFileIsStoredAndReadBackUnderItsIdentifier(@TempDir Path dir) throws Exception {
        Path file = dir.resolve("block.bin");
        byte[] data = allByteValues();
        Files.write(file, data);
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "from-file", 0x1_0000_0002L, file.toString(),
                0x1_0000_0003L, item, result);
        assertEquals(0, result.get());
        assertArrayEquals(data, VirtualProvider.storedBlock(SERIAL, "from-file", 2));
        assertEquals(2, item.getStatus());
        assertEquals(List.of("Store Client Info File", "Store Client Info File done"), log("vtxStoreClientInfoFile"));

        // An identifier outside Windows-1252 reaches the read path whole, into a file so named.
        long access = startRead(WIDE_ID, 3);
        assertArrayEquals(new byte[] {(byte) 0xFF, 0, (byte) 0xFF}, readResult(access, again(result)));
        Path back = dir.resolve("\u03a9\u2713.bin");
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, WIDE_ID, 3, back.toString(), item, again(result));
        assertEquals(0, result.get());
        assertArrayEquals(new byte[] {(byte) 0xFF, 0, (byte) 0xFF}, Files.readAllBytes(back));
        assertFields(item, "status", 2, "clientInfo", 102);

        assertEquals(List.of("ITovikManager.StoreClientInfoFile(7, \"from-file\", 2, \"" + file + "\", 3)",
                "ITovikManager.GetClientInfo(7, \"" + WIDE_ID + "\", 3, 0)", "ITovikManager.GetClientInfoResult(7, 101)",
                "ITovikManager.GetClientInfoFile(7, \"" + WIDE_ID + "\", 3, \"" + back + "\")"),
                journal("ITovikManager."));
        assertEquals(List.of("GetClientInfoFile", "GetClientInfoFile done 0"), log("vtxGetClientInfoFile"));
    }

    /**
     * An identifier or file name with a NUL would be cut there and name other data or another
     * file ("ab\0cd" would write a file named "ab"): refused with 0x50000003 before the
     * provider, the Java item untouched, nothing stored, deleted or written.
     */
    @Test
    void anIdentifierOrFileNameWithANulIsRefusedBeforeTheProvider(@TempDir Path dir) throws Exception {
        Path cut = dir.resolve("ab");
        String nulFile = dir + File.separator + "ab\0cd";
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, CONNECTION, "calibration\0x", 1, new byte[] {1}, 0, item, result);
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "new", 1, nulFile, 0, item, again(result));
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration\0", 1, again(result));
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxGetClientInfoFile(handle, CONNECTION, "calibration", 1, nulFile, item, again(result));
        assertEquals(NO_INTERFACE, result.get());

        assertEquals(List.of(), journal(""));
        assertUntouched(item);
        assertFalse(Files.exists(cut), "no file named by the text before the NUL");
        assertArrayEquals(new byte[] {10, 11, 12}, VirtualProvider.storedBlock(SERIAL, "calibration", 1));
    }

    @Test
    void spaceFollowsStoresAndDeletes() {
        assertEquals("64 64 1024 1017", space());
        store("volatile", 0, new byte[40], new TovikClientAccessItem());
        store("kept", 5, new byte[100], new TovikClientAccessItem());
        assertEquals("64 24 1024 917", space());

        LongValue result = new LongValue(-1);
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "volatile", 0x1_0000_0000L, result);
        assertEquals(0, result.get());
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration", 1, again(result));
        assertEquals(0, result.get());
        assertEquals("64 64 1024 920", space());
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration", 1, again(result));
        assertEquals(NOT_FOUND, result.get(), "a second delete finds nothing");

        assertEquals(repeated(3, List.of("Delete Client Info", "Delete Client Info File done")),
                log("vtxDeleteClientInfo"));
        assertEquals(repeated(3, List.of("GetAvailableSpace", "GetAvailableSpace done")),
                log("vtxGetAvailableClientSpace"));

        VirtualProvider.loadScenario(SCENARIO.replace("\"volatile\": 64, \"nonVolatile\": 1024",
                "\"volatile\": \"0xFFFFFFF0\", \"nonVolatile\": \"0x80000000\""));
        assertEquals("4294967280 4294967280 2147483648 " + (0x80000000L - 7), space(), "zero-extended");
    }

    @Test
    void accessStatusReportsAnEarlierAccessAgain() {
        TovikClientAccessItem stored = new TovikClientAccessItem();
        store("first", 1, new byte[33], stored);
        TovikClientAccessItem polled = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientAccessStatus(handle, CONNECTION, 0x5_0000_0000L + 100, polled, result);
        assertEquals(0, result.get());
        assertEquals(stored.toString(), polled.toString());
        assertEquals(3, polled.getTotalBlocks());
        assertEquals("ITovikManager.GetClientAccessStatus(7, 100)", journal("ITovikManager.").get(1));

        TovikClientAccessItem unknown = presetItem();
        MANAGER.vtxGetClientAccessStatus(handle, CONNECTION, 999, unknown, again(result));
        assertEquals(UNKNOWN_ACCESS, result.get());
        assertUntouched(unknown);
        assertEquals(repeated(2, List.of("Client Access Item", "Client Access Item done")),
                log("vtxGetClientAccessStatus"));
    }

    @Test
    void theReadIsTracedOnBothSides() {
        long access = startRead("calibration", 1);
        CapturingLogSink.clear();
        assertArrayEquals(new byte[] {10, 11, 12}, readResult(access, new LongValue(-1)));

        List<String> method = log("vtxGetClientInfoResult");
        assertEquals(8, method.size(), method.toString());
        assertEquals(List.of("GetClientInfoResult", "A1"), method.subList(0, 2));
        assertTrue(method.get(2).matches("0+"), "the data pointer before the call: " + method.get(2));
        assertEquals(List.of("A2", "A"), method.subList(3, 5));
        assertTrue(method.get(5).matches("pResults [0-9A-F]+") && !method.get(5).matches("pResults 0+"), method.get(5));
        assertEquals(List.of("Copying data", "GetClientInfoResult done 0"), method.subList(6, 8));
        assertEquals(List.of("Look for buffer", "A", "Copy results 3", "B", "C"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetClientInfoResult"));
        List<String> facade = CapturingLogSink.messagesOf("CTovikManagerIF::GetClientInfoResult");
        assertEquals(4, facade.size(), facade.toString());
        assertEquals(List.of("A", "B1"), facade.subList(0, 2));
        assertTrue(facade.get(2).matches("[0-9A-F]{16}|[0-9A-F]{8}"), facade.get(2));
        assertEquals("B", facade.get(3));
    }

    /**
     * Nothing to deliver gives null and still the result. No buffer: no block. A buffer of no
     * bytes: a live block of no bytes, freed by the method (the leak check sees one left behind).
     */
    @Test
    void nothingToDeliverGivesNullAndStillTheResult() {
        LongValue result = new LongValue(-1);
        assertNull(readResult(999, result), "unknown access");
        assertEquals(UNKNOWN_ACCESS, result.get());
        long empty = startRead("", 4);
        assertNull(readResult(empty, again(result)));
        assertEquals(0, result.get());
        VirtualProvider.withholdOutput("ITovikManager.GetClientInfoResult");
        assertNull(readResult(startRead("calibration", 1), again(result)), "no buffer");
        assertEquals(0, result.get());

        List<String> noResults = log("vtxGetClientInfoResult").stream().filter(m -> m.startsWith("No results ")).toList();
        assertEquals(3, noResults.size(), noResults.toString());
        assertTrue(noResults.get(0).matches("No results 0{16} "), noResults.toString());
        assertTrue(noResults.get(1).matches("No results [0-9A-F]{16} ") && !noResults.get(1).matches("No results 0+ "),
                noResults.toString());
        assertTrue(noResults.get(2).matches("No results 0{16} "), noResults.toString());
        assertTrue(CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetClientInfoResult").contains("Copy results 0"));
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
    void theListShowsEveryBlockInOrderWithAnsiDecodedIdentifiers() {
        LongValue result = new LongValue(-1);
        assertEquals(List.of("1:calibration:3", "2:Caf\u00e9:1", "3:?mega?:3", "4::0"), list(result));
        assertEquals(0, result.get());
        assertEquals(List.of("GetClientInfoList", "GetClientInfoList done 0"), log("vtxGetClientInfoList"));
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikClientInfoItemIF::CmdGetClientInfoId"));

        VirtualProvider.setMissingItem("ITovikClientInfoList", 1);
        assertEquals(List.of("1:calibration:3", "3:?mega?:3", "4::0"), list(result), "a missing item is left out");
    }

    @Test
    void emptyVersusMissingAndLongLists() {
        VirtualProvider.loadScenario("""
                { "connections": { "requireConnection": false }, "modules": [ { "serial": 1 } ] }
                """);
        LongValue result = new LongValue(-1);
        assertEquals(List.of(), list(result), "an empty list is an array");
        assertEquals(0, result.get());

        StringBuilder blocks = new StringBuilder();
        for (int i = 0; i < 1500; i++) {
            blocks.append(i == 0 ? "" : ",").append("{ \"id\": \"b").append(i).append("\", \"location\": 1 }");
        }
        VirtualProvider.loadScenario("{ \"connections\": { \"requireConnection\": false }, "
                + "\"modules\": [ { \"serial\": 1, \"blocks\": [" + blocks + "] } ] }");
        List<String> items = list(again(result));
        assertEquals(1500, items.size());
        assertEquals(List.of("1:b0:0", "1:b1499:0"), List.of(items.get(0), items.get(1499)));

        VirtualProvider.withholdOutput("ITovikManager.GetClientInfoList");
        VirtualProvider.setResult("ITovikManager.GetClientInfoList", 0x80001234);
        assertNull(list(again(result)), "no list object: null");
        assertEquals(0xFFFF_FFFF_8000_1234L, result.get(), "sign-extended provider result");
    }
}
