package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * vtxStoreClientInfo, vtxStoreClientInfoFile, vtxDeleteClientInfo, vtxGetClientAccessStatus and
 * vtxGetAvailableClientSpace against the virtual provider.
 */
class ClientInfoStoreTest extends RuntimeFixture {
    static final long SERIAL = 4711;
    static final long CONNECTION = 7;
    static final long NO_INTERFACE = 0x50000003L;
    static final long NO_SPACE = 0xFFFF_FFFF_8007_0070L; // 0x80070070 sign-extended
    static final long FAILED_STATUS = 0x80000003L;
    static final long COMPLETE_STATUS = 2;
    static final long UNKNOWN_ACCESS = 0x20000108L;
    static final long NOT_FOUND = 0x20000103L;

    /**
     * One module that every connection value addresses; a small volatile store (location 0),
     * a larger non-volatile one, access ids from 100, blocks of 16 bytes.
     */
    static final String SCENARIO = """
            {
              "connections": { "requireConnection": false },
              "codes": { "noSpace": "0x80070070" },
              "clientInfo": { "firstAccess": 100, "blockSize": 16, "volatileLocation": 0,
                              "complete": 2, "failed": "0x80000003",
                              "clockMs": 5000, "clockStepMs": 10 },
              "modules": [
                { "serial": 4711, "name": "Bench",
                  "space": { "volatile": 64, "nonVolatile": 1024 },
                  "blocks": [ { "id": "calibration", "location": 1, "hex": "0a0b0c" } ] }
              ]
            }
            """;

    ClientInfoStoreTest() {
        super(() -> SCENARIO);
    }

    // ---- helpers

    private long store(String id, long location, byte[] data, TovikClientAccessItem item) {
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, CONNECTION, id, location, data, 0, item, result);
        return result.get();
    }

    private TovikClientSpace space() {
        TovikClientSpace space = new TovikClientSpace();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetAvailableClientSpace(handle, CONNECTION, space, result);
        assertEquals(0, result.get());
        return space;
    }

    private static List<String> managerCalls() {
        return VirtualProvider.journal("ITovikManager.");
    }

    /** An access item holding values no call produces, to see whether a call touched it. */
    static TovikClientAccessItem presetItem() {
        TovikClientAccessItem item = new TovikClientAccessItem();
        item.setData(9, 9, 9, 9, 9, 9);
        return item;
    }

    private static void assertUntouched(TovikClientAccessItem item) {
        assertEquals(presetItem().toString(), item.toString(), "the item keeps its contents");
    }

    static byte[] allByteValues() {
        byte[] data = new byte[256 + 3];
        for (int i = 0; i < 256; i++) {
            data[i] = (byte) i;
        }
        return data; // ends in three zero bytes
    }

    // ---- storing from a byte array

    @Test
    void storedBytesReachTheModuleUnchangedAndTheAccessItemIsFilled() {
        byte[] data = allByteValues();
        TovikClientAccessItem item = presetItem();

        assertEquals(0, store("all-values", 1, data, item));

        assertArrayEquals(data, VirtualProvider.storedBlock(SERIAL, "all-values", 1));
        assertEquals(100, item.getClientInfo(), "first access id of the scenario");
        assertEquals(COMPLETE_STATUS, item.getStatus());
        assertEquals(0, item.getErrorCode());
        assertEquals(17, item.getTotalBlocks(), "259 bytes in blocks of 16");
        assertEquals(17, item.getCurrentBlock());
        assertEquals(5000, item.getTimeStampMs());

        List<String> calls = managerCalls();
        assertEquals(1, calls.size(), calls.toString());
        assertTrue(calls.get(0).startsWith(
                "ITovikManager.StoreClientInfo(7, \"all-values\", 1, VT_ARRAY|VT_UI1 bytes[259]:000102"),
                calls.get(0));
        // the six reads in their order, then nothing else on the access item
        assertEquals(List.of("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"),
                VirtualProvider.journal("ITovikClientAccessItem.").stream()
                        .map(line -> line.replaceAll("\\(.*\\)$", "")).toList());
    }

    @Test
    void theWholeCallAsTheProviderSeesItWithLongsCutToTheirLow32Bits() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfo(handle, 0x1_0000_0007L, "id", 0x2_0000_0001L, new byte[] {10, 11, 12},
                0xFFFF_FFFF_0000_0005L, new TovikClientAccessItem(), result);

        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.StoreClientInfo(7, \"id\", 1, VT_ARRAY|VT_UI1 bytes[3]:0a0b0c, 5)"),
                managerCalls());
    }

    @Test
    void nullAndEmptyArraysCallNothingAndReport0x50000003() {
        TovikClientAccessItem item = presetItem();
        assertEquals(NO_INTERFACE, store("id", 1, null, item));
        assertEquals(NO_INTERFACE, store("id", 1, new byte[0], item));

        assertEquals(List.of(), managerCalls());
        assertUntouched(item);
        assertEquals(List.of("Store Client Info", "Store Client Info done", "Store Client Info",
                "Store Client Info done"), CapturingLogSink.messagesOf(PREFIX + "vtxStoreClientInfo"));
    }

    @Test
    void identifiersOutsideWindows1252BecomeQuestionMarksOnTheStorePath() {
        assertEquals(0, store("Ωmega€ü", 1, new byte[] {1}, new TovikClientAccessItem()));

        assertArrayEquals(new byte[] {1}, VirtualProvider.storedBlock(SERIAL, "?mega€ü", 1));
        assertTrue(managerCalls().get(0).contains("\"?mega€ü\""), managerCalls().toString());
    }

    @Test
    void aNullIdentifierReachesTheProviderAsNullBstr() {
        store(null, 1, new byte[] {1}, new TovikClientAccessItem());
        assertTrue(managerCalls().get(0).startsWith("ITovikManager.StoreClientInfo(7, null, 1, "),
                managerCalls().toString());
    }

    @Test
    void aRefusedStoreDeliversTheFailedAccessItemWithSignAndZeroExtension() {
        TovikClientAccessItem item = new TovikClientAccessItem();
        long code = store("too-big", 0, new byte[65], item); // the volatile store holds 64

        assertEquals(NO_SPACE, code, "provider result with the top bit set arrives negative");
        assertTrue(code < 0);
        assertEquals(FAILED_STATUS, item.getStatus(), "status with the top bit set stays positive");
        assertEquals(0x80070070, item.getErrorCode(), "error code arrives as a negative int");
        assertEquals(0, item.getCurrentBlock());
        assertNull(VirtualProvider.storedBlock(SERIAL, "too-big", 0));
    }

    @Test
    void withoutAnAccessItemTheJavaItemIsLeftAloneAndTheResultStillArrives() {
        VirtualProvider.withholdOutput("ITovikManager.StoreClientInfo");
        VirtualProvider.setResult("ITovikManager.StoreClientInfo", 0x1234);
        TovikClientAccessItem item = presetItem();

        assertEquals(0x1234, store("id", 1, new byte[] {1, 2}, item));
        assertUntouched(item);
    }

    /**
     * An identifier or file name with a NUL would be cut there and name other data or another
     * file ("ab\0cd" would store a file named "ab"): refused with 0x50000003 before the
     * provider, the Java item untouched, nothing stored or deleted.
     */
    @Test
    void anIdentifierOrFileNameWithANulIsRefusedBeforeTheProvider(@TempDir Path dir) throws IOException {
        Path cut = dir.resolve("ab");
        Files.write(cut, new byte[] {1, 2, 3});
        String nulFile = dir + File.separator + "ab\0cd";
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);

        MANAGER.vtxStoreClientInfo(handle, CONNECTION, "calibration\0x", 1, new byte[] {1}, 0, item, result);
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "new\0id", 1, cut.toString(), 0, item, again(result));
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "new", 1, nulFile, 0, item, again(result));
        assertEquals(NO_INTERFACE, result.get());
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration\0", 1, again(result));
        assertEquals(NO_INTERFACE, result.get());

        assertEquals(List.of(), List.of(VirtualProvider.journal()));
        assertUntouched(item);
        assertEquals(List.of("Store Client Info", "Store Client Info done"),
                CapturingLogSink.messagesOf(PREFIX + "vtxStoreClientInfo"));
        assertArrayEquals(new byte[] {10, 11, 12}, VirtualProvider.storedBlock(SERIAL, "calibration", 1),
                "the block the cut identifier names is still there");
    }

    // ---- storing from a file

    @Test
    void aFileIsStoredUnderItsIdentifier(@TempDir Path dir) throws IOException {
        Path file = dir.resolve("block.bin");
        byte[] data = allByteValues();
        Files.write(file, data);
        TovikClientAccessItem item = presetItem();
        LongValue result = new LongValue(-1);

        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "from-file", 0x1_0000_0002L, file.toString(),
                0x1_0000_0003L, item, result);

        assertEquals(0, result.get());
        assertArrayEquals(data, VirtualProvider.storedBlock(SERIAL, "from-file", 2));
        assertEquals(List.of("ITovikManager.StoreClientInfoFile(7, \"from-file\", 2, \"" + file + "\", 3)"),
                managerCalls());
        assertEquals(COMPLETE_STATUS, item.getStatus());
        assertEquals(List.of("Store Client Info File", "Store Client Info File done"),
                CapturingLogSink.messagesOf(PREFIX + "vtxStoreClientInfoFile"));
    }

    @Test
    void fileNamesAreNarrowedAndNullStaysNull() {
        TovikClientAccessItem item = new TovikClientAccessItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, null, 1, null, 0, item, result);
        MANAGER.vtxStoreClientInfoFile(handle, CONNECTION, "Ωid", 1, "/nowhere/Ω.bin", 0, item, result);

        assertEquals(List.of("ITovikManager.StoreClientInfoFile(7, null, 1, null, 0)",
                "ITovikManager.StoreClientInfoFile(7, \"?id\", 1, \"/nowhere/?.bin\", 0)"), managerCalls());
        assertEquals(0x20000109L, result.get(), "the provider's file error");
        assertEquals(FAILED_STATUS, item.getStatus(), "the failed access is delivered");
    }

    // ---- deleting, access status, space

    @Test
    void spaceFollowsStoresAndDeletes() {
        TovikClientSpace before = space();
        assertEquals(64, before.getVolTotal());
        assertEquals(64, before.getVolRemaining());
        assertEquals(1024, before.getNonVolTotal());
        assertEquals(1021, before.getNonVolRemaining(), "the scenario's 3-byte block");

        store("volatile", 0, new byte[40], new TovikClientAccessItem());
        store("kept", 5, new byte[100], new TovikClientAccessItem());
        TovikClientSpace filled = space();
        assertEquals(24, filled.getVolRemaining());
        assertEquals(921, filled.getNonVolRemaining());

        LongValue result = new LongValue(-1);
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "volatile", 0x1_0000_0000L, result);
        assertEquals(0, result.get());
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration", 1, again(result));
        assertEquals(0, result.get());
        TovikClientSpace emptied = space();
        assertEquals(64, emptied.getVolRemaining());
        assertEquals(924, emptied.getNonVolRemaining());

        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, "calibration", 1, again(result));
        assertEquals(NOT_FOUND, result.get(), "a second delete finds nothing");
        assertEquals(List.of("Delete Client Info", "Delete Client Info File done", "Delete Client Info",
                        "Delete Client Info File done", "Delete Client Info", "Delete Client Info File done"),
                CapturingLogSink.messagesOf(PREFIX + "vtxDeleteClientInfo"));
        assertEquals(List.of("GetAvailableSpace", "GetAvailableSpace done", "GetAvailableSpace",
                        "GetAvailableSpace done", "GetAvailableSpace", "GetAvailableSpace done"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAvailableClientSpace"));
    }

    @Test
    void deleteNarrowsItsIdentifierAndPassesNull() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxDeleteClientInfo(handle, 0x3_0000_0007L, "Ωx", 1, result);
        MANAGER.vtxDeleteClientInfo(handle, CONNECTION, null, 1, result);
        assertEquals(List.of("ITovikManager.DeleteClientInfo(7, \"?x\", 1)",
                "ITovikManager.DeleteClientInfo(7, null, 1)"), managerCalls());
    }

    @Test
    void spaceFiguresWithTheTopBitSetArriveZeroExtended() {
        VirtualProvider.loadScenario(SCENARIO.replace("\"volatile\": 64, \"nonVolatile\": 1024",
                "\"volatile\": \"0xFFFFFFF0\", \"nonVolatile\": \"0x80000000\""));
        TovikClientSpace space = space();
        assertEquals(0xFFFFFFF0L, space.getVolTotal());
        assertEquals(0xFFFFFFF0L, space.getVolRemaining());
        assertEquals(0x80000000L, space.getNonVolTotal());
        assertEquals(0x80000000L - 3, space.getNonVolRemaining());
    }

    @Test
    void accessStatusReportsAnEarlierAccessAgain() {
        TovikClientAccessItem stored = new TovikClientAccessItem();
        store("first", 1, new byte[33], stored);
        assertEquals(100, stored.getClientInfo());

        TovikClientAccessItem polled = presetItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetClientAccessStatus(handle, CONNECTION, 0x5_0000_0000L + 100, polled, result);
        assertEquals(0, result.get());
        assertEquals(stored.toString(), polled.toString());
        assertEquals(3, polled.getTotalBlocks());
        assertEquals("ITovikManager.GetClientAccessStatus(7, 100)", managerCalls().get(1));

        TovikClientAccessItem unknown = presetItem();
        MANAGER.vtxGetClientAccessStatus(handle, CONNECTION, 999, unknown, again(result));
        assertEquals(UNKNOWN_ACCESS, result.get());
        assertUntouched(unknown);
        assertEquals(List.of("Client Access Item", "Client Access Item done", "Client Access Item",
                "Client Access Item done"), CapturingLogSink.messagesOf(PREFIX + "vtxGetClientAccessStatus"));
    }
}
