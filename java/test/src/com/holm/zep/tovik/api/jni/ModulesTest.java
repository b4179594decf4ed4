package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxGetModuleIds, vtxGetModuleInfo and vtxGetModuleInfo3 against the virtual provider. */
class ModulesTest extends RuntimeFixture {
    static final String GET_MODULE_IDS = PREFIX + "vtxGetModuleIds";
    static final String GET_MODULE_INFO = PREFIX + "vtxGetModuleInfo";
    static final String GET_MODULE_INFO3 = PREFIX + "vtxGetModuleInfo3";
    static final long UNKNOWN_MODULE = 0x20000101L;

    /** Modules whose values test the widening: unsigned words at and above 0x80000000. */
    private static final String WIDE_VALUES = """
            { "modules": [
                { "serial": "0x80000001", "name": "High \u00c4\u20ac", "type": "0xFFFFFFFF",
                  "interface": "0x80000000", "state": 4000000000,
                  "ethernetAddress": "e", "wirelessAddress": "w", "bluetoothAddress": "b",
                  "usbAddress": "u", "alias": "Caf\u00e9",
                  "wifiFlags": "0x80000000", "btFlags": "0xFFFFFFFF", "usbFlags": 2147483647,
                  "ethFlags": "0xDEADBEEF",
                  "clients": [
                    { "owner": 1, "connectionType": "0xFFFFFFFE", "connectionInterface": "0x80000003",
                      "name": "A", "connectTime": "T1" },
                    { "owner": false, "connectionType": 0, "connectionInterface": 1,
                      "name": "", "connectTime": "" },
                    { "owner": true, "connectionType": 3, "connectionInterface": 4,
                      "name": "C", "connectTime": "T3" } ] },
                { "serial": 5, "name": "", "type": 0, "interface": 0, "state": 0,
                  "ethernetAddress": "", "wirelessAddress": "", "bluetoothAddress": "",
                  "usbAddress": "", "alias": "" },
                { "serial": 6, "name": "Third" } ] }
            """;

    ModulesTest() {
        super();
    }

    // ---- the module list

    @Test
    void moduleListReachesJavaInProviderOrder() {
        LongValue result = new LongValue(-1);
        TovikVciItem[] modules = MANAGER.vtxGetModuleIds(handle, result);

        assertEquals(0, result.get());
        assertNotNull(modules);
        assertEquals(3, modules.length);
        assertItem(modules[0], 1, "TVX-200 Bay 1", 200101, 1, 2);
        assertItem(modules[1], 1, "TVX-200 Bay 2", 200102, 2, 2);
        assertItem(modules[2], 0, "TVX-100 Bench", 100017, 4, 1);
        assertEquals(List.of("Getting module IDs", "Number of modules is 3", "Getting module IDs done"),
                CapturingLogSink.messagesOf(GET_MODULE_IDS));
    }

    @Test
    void unsignedWordsArriveZeroExtendedAndAnEmptyNameAsNull() {
        VirtualProvider.loadScenario(WIDE_VALUES);
        LongValue result = new LongValue(-1);
        TovikVciItem[] modules = MANAGER.vtxGetModuleIds(handle, result);

        assertEquals(0, result.get());
        assertEquals(3, modules.length);
        // Windows-1252 text decoded into a proper Java string.
        assertItem(modules[0], 4000000000L, "High \u00c4\u20ac", 0x80000001L, 0x80000000L, 0xFFFFFFFFL);
        assertItem(modules[1], 0, null, 5, 0, 0);
        assertEquals(6, modules[2].getSerialNumber());
    }

    @Test
    void anEmptyListIsNullAndAMissingItemLeavesNoGap() {
        VirtualProvider.loadScenario("{ \"modules\": [] }");
        LongValue result = new LongValue(-1);
        assertNull(MANAGER.vtxGetModuleIds(handle, result), "no modules: null, not an empty array");
        assertEquals(0, result.get());
        assertEquals(List.of("Getting module IDs", "Getting module IDs done"),
                CapturingLogSink.messagesOf(GET_MODULE_IDS));

        Sim.reset();
        VirtualProvider.setMissingItem("ITovikVciItems", 1);
        TovikVciItem[] modules = MANAGER.vtxGetModuleIds(handle, result);
        assertEquals(2, modules.length);
        assertEquals(200101, modules[0].getSerialNumber());
        assertEquals(100017, modules[1].getSerialNumber());
    }

    @Test
    void aProviderFailureOfTheListIsLoggedAndReadsAsNoInterface() {
        VirtualProvider.failMethod("ITovikManager.GetModuleIds", 0x80004005, true, "bus offline");
        LongValue result = new LongValue();
        assertNull(MANAGER.vtxGetModuleIds(handle, result));
        assertEquals(0x50000003L, result.get());
        assertEquals(List.of("com error -2147467259 bus offline"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetModulesIds"));

        // A property the provider fails to read arrives as 0; the rest of the list is intact.
        VirtualProvider.failMethod("ITovikVciItem.SerialNumber", 0x80004005, true, "");
        TovikVciItem[] modules = MANAGER.vtxGetModuleIds(handle, result);
        assertEquals(0, result.get());
        assertEquals(0, modules[0].getSerialNumber());
        assertEquals("TVX-200 Bay 1", modules[0].getModuleName());
        assertEquals(200102, modules[1].getSerialNumber());
    }

    @Test
    void tenThousandModulesKeepLocalReferencesBounded() {
        StringBuilder scenario = new StringBuilder("{ \"modules\": [");
        for (int i = 0; i < 10_000; i++) {
            scenario.append(i == 0 ? "" : ",").append("{ \"serial\": ").append(3_000_000_000L + i)
                    .append(", \"name\": \"M").append(i).append("\", \"type\": ").append(i % 7)
                    .append(", \"interface\": 1, \"state\": 2 }");
        }
        VirtualProvider.loadScenario(scenario.append("] }").toString());

        LongValue result = new LongValue(-1);
        TovikVciItem[] modules = MANAGER.vtxGetModuleIds(handle, result);
        Sim.clearJournal();

        assertEquals(0, result.get());
        assertEquals(10_000, modules.length);
        for (int i = 0; i < modules.length; i++) {
            assertEquals(3_000_000_000L + i, modules[i].getSerialNumber());
            assertEquals("M" + i, modules[i].getModuleName());
            assertEquals(i % 7, modules[i].getModuleType());
        }
    }

    // ---- the details of one module

    @Test
    void moduleInfoFillsTheTargetWithAddressesAndClients() {
        TovikVciInfo info = new TovikVciInfo();
        LongValue result = new LongValue(-1);
        // Only the low 32 bits of the module identifier reach the provider.
        MANAGER.vtxGetModuleInfo(handle, (7L << 32) | 200101, info, result);

        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetModuleInfo(200101)"), Sim.journal("ITovikManager."));
        assertEquals("00:1B:7A:10:20:01", info.getEthernetAddress());
        assertEquals("00:1B:7A:10:20:02", info.getWirelessAddress());
        assertEquals("00:1B:7A:10:20:03", info.getBluetoothAddress());
        assertEquals("USB0::200101", info.getUsbAddress());
        assertEquals(1, info.getClients().length);
        assertClient(info.getClients()[0], true, 1, 2, "Workshop PC 3", "2024-05-14 07:58:12");
        assertEquals(List.of("Getting module info", "Number of client items 1", "Getting module info done"),
                CapturingLogSink.messagesOf(GET_MODULE_INFO));
        // The addresses are read in their fixed order, USB before Bluetooth; everything once.
        assertEquals(List.of("ITovikManager.GetModuleInfo", "ITovikVciInfo.EthernetAddress",
                "ITovikVciInfo.WirelessAddress", "ITovikVciInfo.USBAddress", "ITovikVciInfo.BluetoothAddress",
                "ITovikVciInfo.NumClients", "ITovikVciInfo.ClientAt", "ITovikClientInfo.ClientName",
                "ITovikClientInfo.ConnectTime", "ITovikClientInfo.IsOwner", "ITovikClientInfo.ConnectionInterface",
                "ITovikClientInfo.ConnectionType"), Sim.calls(""));
    }

    @Test
    void moduleInfo3AddsAliasAndZeroExtendedFlagWords() {
        VirtualProvider.loadScenario(WIDE_VALUES);
        TovikVciInfo3 info = new TovikVciInfo3();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetModuleInfo3(handle, 0x80000001L, info, result);

        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetModuleInfo3(2147483649)"), Sim.journal("ITovikManager."));
        assertEquals("e", info.getEthernetAddress());
        assertEquals("w", info.getWirelessAddress());
        assertEquals("b", info.getBluetoothAddress());
        assertEquals("u", info.getUsbAddress());
        assertEquals("Caf\u00e9", info.getVciAlias());
        assertEquals(0x80000000L, info.getWifiFlags());
        assertEquals(0xFFFFFFFFL, info.getBtFlags());
        assertEquals(2147483647L, info.getUsbFlags());
        assertEquals(0xDEADBEEFL, info.getEthFlags());

        TovikClientInfo[] clients = info.getClients();
        assertEquals(3, clients.length);
        // A raw flag of 1 is true; empty client texts arrive as empty strings, never null.
        assertClient(clients[0], true, 0xFFFFFFFEL, 0x80000003L, "A", "T1");
        assertClient(clients[1], false, 0, 1, "", "");
        assertClient(clients[2], true, 3, 4, "C", "T3");
        assertEquals(List.of("Getting module info3", "Number of client items 3", "Getting module info3 done"),
                CapturingLogSink.messagesOf(GET_MODULE_INFO3));
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikClientInfoIF::CmdClientName"));
        assertEquals(List.of("Coud not find connect time"),
                CapturingLogSink.messagesOf("CTovikClientInfoIF::CmdConnectTime"));
    }

    @Test
    void emptyAddressesArriveAsEmptyStringsAndAMissingClientLeavesNoGap() {
        VirtualProvider.loadScenario(WIDE_VALUES);
        TovikVciInfo3 empty = new TovikVciInfo3();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetModuleInfo3(handle, 5, empty, result);
        assertEquals(0, result.get());
        assertEquals("", empty.getEthernetAddress());
        assertEquals("", empty.getWirelessAddress());
        assertEquals("", empty.getBluetoothAddress());
        assertEquals("", empty.getUsbAddress());
        assertEquals("", empty.getVciAlias());
        assertArrayEquals(new TovikClientInfo[0], empty.getClients(), "no clients: an empty array");

        VirtualProvider.setMissingItem("ITovikVciInfo", 1);
        TovikVciInfo info = new TovikVciInfo();
        MANAGER.vtxGetModuleInfo(handle, 0x80000001L, info, result);
        assertEquals(2, info.getClients().length);
        assertEquals("A", info.getClients()[0].getClientName());
        assertEquals("C", info.getClients()[1].getClientName());
    }

    @Test
    void aNonZeroResultLeavesTheTargetUntouched() {
        TovikVciInfo info = new TovikVciInfo();
        LongValue result = new LongValue();
        MANAGER.vtxGetModuleInfo(handle, 4242, info, result);
        assertEquals(UNKNOWN_MODULE, result.get());
        assertUntouched(info);

        // A wrapper with a negative result: still untouched, the wrapper still deleted.
        Sim.setResult("ITovikManager.GetModuleInfo", -1);
        MANAGER.vtxGetModuleInfo(handle, 200101, info, result);
        assertEquals(-1, result.get());
        assertUntouched(info);

        TovikVciInfo3 info3 = new TovikVciInfo3();
        Sim.setResult("ITovikManager.GetModuleInfo3", 0x90000001);
        MANAGER.vtxGetModuleInfo3(handle, 200101, info3, result);
        assertEquals(0xFFFFFFFF90000001L, result.get());
        assertNull(info3.getVciAlias());
        assertNull(info3.getClients());
        assertEquals(List.of("Getting module info3", "Getting module info3 done"),
                CapturingLogSink.messagesOf(GET_MODULE_INFO3));
    }

    // ---- helpers

    private static void assertItem(TovikVciItem item, long state, String name, long serial, long vciInterface,
            long type) {
        assertEquals(state, item.getModuleState(), "state");
        assertEquals(name, item.getModuleName(), "name");
        assertEquals(serial, item.getSerialNumber(), "serial");
        assertEquals(vciInterface, item.getVciInterface(), "interface");
        assertEquals(type, item.getModuleType(), "type");
    }

    private static void assertClient(TovikClientInfo client, boolean owner, long type, long connectionInterface,
            String name, String time) {
        assertEquals(owner, client.isOwner(), "owner");
        assertEquals(type, client.getConnectionType(), "connection type");
        assertEquals(connectionInterface, client.getConnectionInterface(), "connection interface");
        assertEquals(name, client.getClientName(), "client name");
        assertEquals(time, client.getConnectTime(), "connect time");
    }

    private static void assertUntouched(TovikVciInfo info) {
        assertNull(info.getEthernetAddress());
        assertNull(info.getUsbAddress());
        assertNull(info.getClients());
    }
}
