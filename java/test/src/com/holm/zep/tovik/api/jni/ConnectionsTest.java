package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.INVALID_HANDLE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxConnect, vtxConnect2, vtxGetConStatus and vtxDisconnect against the virtual provider. */
class ConnectionsTest extends RuntimeFixture {
    static final String CONNECT = PREFIX + "vtxConnect";
    static final String CONNECT2 = PREFIX + "vtxConnect2";
    static final String GET_CON_STATUS = PREFIX + "vtxGetConStatus";
    static final String DISCONNECT = PREFIX + "vtxDisconnect";
    static final long MODULE = 200101;
    static final long UNKNOWN_MODULE = 0x20000101L;
    static final long UNKNOWN_CONNECTION = 0x20000102L;

    ConnectionsTest() {
        super();
    }

    @Test
    void aConnectionOpensReportsItsStateAndCloses() {
        LongValue result = new LongValue(-1);
        long connection = MANAGER.vtxConnect(handle, MODULE, 2, result);
        assertEquals(0, result.get());
        assertEquals(65537, connection);
        assertEquals(1, VirtualProvider.connectionCount());

        result.set(-1);
        assertEquals(1, MANAGER.vtxGetConStatus(handle, connection, result));
        assertEquals(0, result.get());

        result.set(-1);
        MANAGER.vtxDisconnect(handle, connection, result);
        assertEquals(0, result.get());
        assertEquals(0, VirtualProvider.connectionCount());

        // A closed connection: the provider's refusal and status 0.
        assertEquals(0, MANAGER.vtxGetConStatus(handle, connection, result));
        assertEquals(UNKNOWN_CONNECTION, result.get());
        MANAGER.vtxDisconnect(handle, connection, result);
        assertEquals(UNKNOWN_CONNECTION, result.get());

        assertEquals(List.of("connect", "connect done"), CapturingLogSink.messagesOf(CONNECT));
        assertEquals(List.of("GetConStatus", "GetConStatus done", "GetConStatus", "GetConStatus done"),
                CapturingLogSink.messagesOf(GET_CON_STATUS));
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

        // The upper half given back is ignored.
        long dirty = connection | 0x1234_0000_0000L;
        assertEquals(0x80000002L, MANAGER.vtxGetConStatus(handle, dirty, result));
        assertEquals(0, result.get());
        MANAGER.vtxDisconnect(handle, dirty, result);
        assertEquals(0, result.get());

        assertEquals(List.of("ITovikManager.Connect(2415919104, 4)",
                "ITovikManager.GetConStatus(4294967280)",
                "ITovikManager.Disconnect(4294967280)"), Sim.journal("ITovikManager."));
    }

    @Test
    void theConnectTextReachesTheProvider() {
        LongValue result = new LongValue(-1);
        long first = MANAGER.vtxConnect2(handle, MODULE, 3, "Bench PC \u00e9\u20ac\u2713", result);
        assertEquals(0, result.get());
        long second = MANAGER.vtxConnect2(handle, MODULE, 4, "", result);
        assertEquals(0, result.get());
        // A null text is an empty (null) automation string, not an error.
        long third = MANAGER.vtxConnect2(handle, MODULE, 5, null, result);
        assertEquals(0, result.get());
        assertNotEquals(first, second);

        // Windows-1252 keeps the accent and the euro sign; the check mark becomes '?'.
        assertEquals(List.of("ITovikManager.Connect2(200101, 3, \"Bench PC \u00e9\u20ac?\")",
                "ITovikManager.Connect2(200101, 4, \"\")",
                "ITovikManager.Connect2(200101, 5, null)"), Sim.journal("ITovikManager."));

        // The module lists the new client under that name.
        TovikVciInfo info = new TovikVciInfo();
        MANAGER.vtxGetModuleInfo(handle, MODULE, info, result);
        assertEquals("Bench PC \u00e9\u20ac?", info.getClients()[1].getClientName());
        assertEquals(3, info.getClients()[1].getConnectionType());

        for (long connection : new long[] {first, second, third}) {
            MANAGER.vtxDisconnect(handle, connection, result);
            assertEquals(0, result.get());
        }
        assertEquals(List.of("connect2", "connect2 done", "connect2", "connect2 done", "connect2",
                "connect2 done"), CapturingLogSink.messagesOf(CONNECT2));
    }

    @Test
    void disconnectLogsBothHalvesAndOneProviderLineOnEachThread() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxDisconnect(handle, 0x0000000A_00000005L, result);
        assertEquals(UNKNOWN_CONNECTION, result.get());

        assertEquals(List.of("disconnect a00000005", "disconnect 05", "disconnect done"),
                CapturingLogSink.messagesOf(DISCONNECT));
        assertEquals(List.of("Disconnect from handle 05"),
                CapturingLogSink.messagesOf("CTovikManagerIF::Disconnect"));
        assertEquals(List.of("Disconnect from handle 05"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdDisconnect"));

        Thread caller = Thread.currentThread();
        Thread publicSide = threadOf("CTovikManagerIF::Disconnect:");
        Thread commandSide = threadOf("CTovikManagerIF::CmdDisconnect:");
        assertEquals(caller, publicSide, "the public operation logs on the calling thread");
        assertNotEquals(caller, commandSide, "the command member logs on the command thread");

        CapturingLogSink.clear();
        MANAGER.vtxDisconnect(handle, 0xFFFFFFFF_FFFFABCDL, result);
        assertEquals(List.of("disconnect ffffffffffffabcd", "disconnect ffffabcd", "disconnect done"),
                CapturingLogSink.messagesOf(DISCONNECT));
        assertEquals(List.of("ITovikManager.Disconnect(5)", "ITovikManager.Disconnect(4294945741)"),
                Sim.journal("ITovikManager."));
    }

    @Test
    void refusalsAndFailuresReachJavaSignExtended() {
        LongValue result = new LongValue();
        // An unknown module: the provider writes no handle.
        assertEquals(INVALID_HANDLE, MANAGER.vtxConnect(handle, 4242, 1, result));
        assertEquals(UNKNOWN_MODULE, result.get());
        assertEquals(INVALID_HANDLE, MANAGER.vtxConnect2(handle, 4242, 1, "x", result));
        assertEquals(UNKNOWN_MODULE, result.get());

        Sim.setResult("ITovikManager.Connect", -7);
        long connection = MANAGER.vtxConnect(handle, MODULE, 1, result);
        assertEquals(-7, result.get());
        Sim.setResult("ITovikManager.GetConStatus", 0x80000001);
        assertEquals(1, MANAGER.vtxGetConStatus(handle, connection, result));
        assertEquals(0xFFFFFFFF80000001L, result.get());

        // A COM error ends the command with 0 and leaves the outputs as they started.
        Sim.failMethod("ITovikManager.Connect2", 0x80004005);
        result.set(-1);
        assertEquals(INVALID_HANDLE, MANAGER.vtxConnect2(handle, MODULE, 1, "x", result));
        assertEquals(0, result.get());
        Sim.failMethod("ITovikManager.GetConStatus", 0x80004005);
        result.set(-1);
        assertEquals(0, MANAGER.vtxGetConStatus(handle, connection, result));
        assertEquals(0, result.get());

        MANAGER.vtxDisconnect(handle, connection, result);
        assertEquals(0, result.get());
    }

    private static Thread threadOf(String prefix) {
        return CapturingLogSink.records().stream().filter(line -> line.text().startsWith(prefix)).findFirst()
                .orElseThrow().thread();
    }
}
