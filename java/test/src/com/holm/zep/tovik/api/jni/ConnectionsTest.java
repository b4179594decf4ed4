package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxConnect, vtxConnect2, vtxGetConStatus and vtxDisconnect against the virtual provider. */
class ConnectionsTest extends RuntimeFixture {
    private static final long MODULE = 200101;
    private static final long UNKNOWN_CONNECTION = 0x20000102L;

    ConnectionsTest() {
        super(null);
    }

    @Test
    void aConnectionOpensReportsItsStateAndCloses() {
        LongValue result = new LongValue(-1);
        long connection = MANAGER.vtxConnect(handle, MODULE, 2, result);
        assertEquals(0, result.get());
        assertEquals(65537, connection);
        assertEquals(1, VirtualProvider.connectionCount());
        assertEquals(1, MANAGER.vtxGetConStatus(handle, connection, again(result)));
        assertEquals(0, result.get());
        MANAGER.vtxDisconnect(handle, connection, again(result));
        assertEquals(0, result.get());
        assertEquals(0, VirtualProvider.connectionCount());

        // A closed connection: the provider's refusal and status 0.
        assertEquals(0, MANAGER.vtxGetConStatus(handle, connection, result));
        assertEquals(UNKNOWN_CONNECTION, result.get());
        MANAGER.vtxDisconnect(handle, connection, again(result));
        assertEquals(UNKNOWN_CONNECTION, result.get());
        // An unknown module: the provider writes no handle.
        assertEquals(INVALID_HANDLE, MANAGER.vtxConnect(handle, 4242, 1, result));
        assertEquals(0x20000101L, result.get());
        assertEquals(INVALID_HANDLE, MANAGER.vtxConnect2(handle, 4242, 1, "x", again(result)));
        assertEquals(0x20000101L, result.get());

        assertEquals(List.of("connect", "connect done", "connect", "connect done"), log("vtxConnect"));
        assertEquals(List.of("GetConStatus", "GetConStatus done", "GetConStatus", "GetConStatus done"),
                log("vtxGetConStatus"));
    }

    @Test
    void highHandlesArriveZeroExtendedAndOnlyLowHalvesReachTheProvider() {
        VirtualProvider.loadScenario("""
                { "connections": { "firstHandle": "0xFFFFFFF0", "openStatus": "0x80000002" },
                  "modules": [ { "serial": "0x90000000" } ] }
                """);
        LongValue result = new LongValue(-1);
        long connection = MANAGER.vtxConnect(handle, (3L << 32) | 0x90000000L, (9L << 32) | 4, result);
        assertEquals(0, result.get());
        assertEquals(0xFFFFFFF0L, connection, "zero-extended, not negative");

        long dirty = connection | 0x1234_0000_0000L;  // the upper half given back is ignored
        assertEquals(0x80000002L, MANAGER.vtxGetConStatus(handle, dirty, result));
        assertEquals(0, result.get());
        MANAGER.vtxDisconnect(handle, dirty, again(result));
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.Connect(2415919104, 4)", "ITovikManager.GetConStatus(4294967280)",
                "ITovikManager.Disconnect(4294967280)"), journal("ITovikManager."));
    }

    @Test
    void theConnectTextReachesTheProviderInTheAnsiCodePage() {
        LongValue result = new LongValue(-1);
        long first = MANAGER.vtxConnect2(handle, MODULE, 3, "Bench PC \u00e9\u20ac\u2713", result);
        long second = MANAGER.vtxConnect2(handle, MODULE, 4, "", result);
        long third = MANAGER.vtxConnect2(handle, MODULE, 5, null, result);  // a null (empty) BSTR
        assertEquals(0, result.get());
        assertNotEquals(first, second);

        // Windows-1252 keeps the accent and the euro sign; the check mark becomes '?'.
        assertEquals(List.of("ITovikManager.Connect2(200101, 3, \"Bench PC \u00e9\u20ac?\")",
                "ITovikManager.Connect2(200101, 4, \"\")", "ITovikManager.Connect2(200101, 5, null)"),
                journal("ITovikManager."));
        TovikVciInfo info = new TovikVciInfo();
        MANAGER.vtxGetModuleInfo(handle, MODULE, info, result);
        assertFields(info.getClients()[1], "clientName", "Bench PC \u00e9\u20ac?", "connectionType", 3);

        for (long connection : new long[] {first, second, third}) {
            MANAGER.vtxDisconnect(handle, connection, again(result));
            assertEquals(0, result.get());
        }
        assertEquals(List.of("connect2", "connect2 done", "connect2", "connect2 done", "connect2", "connect2 done"),
                log("vtxConnect2"));
    }

    @Test
    void disconnectLogsBothHalvesAndOneProviderLineOnEachThread() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxDisconnect(handle, 0x0000000A_00000005L, result);
        assertEquals(UNKNOWN_CONNECTION, result.get());
        assertEquals(List.of("disconnect a00000005", "disconnect 05", "disconnect done"), log("vtxDisconnect"));
        assertEquals(List.of("Disconnect from handle 05"), CapturingLogSink.messagesOf("CTovikManagerIF::Disconnect"));
        assertEquals(List.of("Disconnect from handle 05"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdDisconnect"));
        Thread caller = Thread.currentThread();
        assertEquals(caller, threadOf("CTovikManagerIF::Disconnect:"), "the public operation logs on the caller");
        assertNotEquals(caller, threadOf("CTovikManagerIF::CmdDisconnect:"), "the command logs on its thread");

        CapturingLogSink.clear();
        MANAGER.vtxDisconnect(handle, 0xFFFFFFFF_FFFFABCDL, result);
        assertEquals(List.of("disconnect ffffffffffffabcd", "disconnect ffffabcd", "disconnect done"),
                log("vtxDisconnect"));
        assertEquals(List.of("ITovikManager.Disconnect(5)", "ITovikManager.Disconnect(4294945741)"),
                journal("ITovikManager."));
    }

    private static Thread threadOf(String prefix) {
        return CapturingLogSink.records().stream().filter(line -> line.text().startsWith(prefix)).findFirst()
                .orElseThrow().thread();
    }
}
