package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxGetModuleIds, vtxGetModuleInfo and vtxGetModuleInfo3 against the virtual provider. */
class ModulesTest extends RuntimeFixture {
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
        super(null);
    }

    /** "state name serial interface type" of each module. */
    private static List<String> modules(TovikVciItem[] items) {
        return Arrays.stream(items).map(m -> m.getModuleState() + " " + m.getModuleName() + " " + m.getSerialNumber()
                + " " + m.getVciInterface() + " " + m.getModuleType()).toList();
    }

    /** "owner type interface name|time" of each client. */
    private static List<String> clients(TovikClientInfo[] clients) {
        return Arrays.stream(clients).map(c -> c.isOwner() + " " + c.getConnectionType() + " "
                + c.getConnectionInterface() + " " + c.getClientName() + "|" + c.getConnectTime()).toList();
    }

    @Test
    void moduleListReachesJavaInProviderOrder() {
        LongValue result = new LongValue(-1);
        assertEquals(List.of("1 TVX-200 Bay 1 200101 1 2", "1 TVX-200 Bay 2 200102 2 2", "0 TVX-100 Bench 100017 4 1"),
                modules(MANAGER.vtxGetModuleIds(handle, result)));
        assertEquals(0, result.get());
        assertEquals(List.of("Getting module IDs", "Number of modules is 3", "Getting module IDs done"),
                log("vtxGetModuleIds"));

        VirtualProvider.setMissingItem("ITovikVciItems", 1);
        assertEquals(List.of(200101L, 100017L), Arrays.stream(MANAGER.vtxGetModuleIds(handle, result))
                .map(TovikVciItem::getSerialNumber).toList(), "a missing item leaves no gap");
    }

    @Test
    void unsignedWordsArriveZeroExtendedAndAnEmptyNameAsNull() {
        VirtualProvider.loadScenario(WIDE_VALUES);
        LongValue result = new LongValue(-1);
        // Windows-1252 text decoded into a proper Java string.
        assertEquals(List.of("4000000000 High \u00c4\u20ac 2147483649 2147483648 4294967295", "0 null 5 0 0"),
                modules(MANAGER.vtxGetModuleIds(handle, result)).subList(0, 2));
        assertEquals(0, result.get());

        VirtualProvider.loadScenario("{ \"modules\": [] }");
        assertNull(MANAGER.vtxGetModuleIds(handle, again(result)), "no modules: null, not an empty array");
        assertEquals(0, result.get());
        assertEquals(List.of("Getting module IDs", "Getting module IDs done"), log("vtxGetModuleIds").subList(3, 5));
    }

    @Test
    void aProviderFailureOfTheListIsLoggedAndAFailedPropertyReadsAsZero() {
        VirtualProvider.failMethod("ITovikManager.GetModuleIds", 0x80004005, true, "bus offline");
        LongValue result = new LongValue();
        assertNull(MANAGER.vtxGetModuleIds(handle, result));
        assertEquals(NO_INTERFACE, result.get());
        assertEquals(List.of("com error -2147467259 bus offline"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetModulesIds"));

        VirtualProvider.failMethod("ITovikVciItem.SerialNumber", 0x80004005, true, "");
        assertEquals(List.of("1 TVX-200 Bay 1 0 1 2", "1 TVX-200 Bay 2 200102 2 2"),
                modules(MANAGER.vtxGetModuleIds(handle, result)).subList(0, 2));
        assertEquals(0, result.get());
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
        List<String> modules = modules(MANAGER.vtxGetModuleIds(handle, result));
        assertEquals(0, result.get());
        assertEquals(10_000, modules.size());
        for (int i = 0; i < modules.size(); i++) {
            assertEquals("2 M" + i + " " + (3_000_000_000L + i) + " 1 " + i % 7, modules.get(i));
        }
    }

    @Test
    void moduleInfoFillsTheTargetWithAddressesAndClients() {
        TovikVciInfo info = new TovikVciInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetModuleInfo(handle, (7L << 32) | 200101, info, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetModuleInfo(200101)"), journal("ITovikManager."));
        assertFields(info, "ethernetAddress", "00:1B:7A:10:20:01", "wirelessAddress", "00:1B:7A:10:20:02",
                "bluetoothAddress", "00:1B:7A:10:20:03", "usbAddress", "USB0::200101");
        assertEquals(List.of("true 1 2 Workshop PC 3|2024-05-14 07:58:12"), clients(info.getClients()));
        assertEquals(List.of("Getting module info", "Number of client items 1", "Getting module info done"),
                log("vtxGetModuleInfo"));
    }

    @Test
    void moduleInfo3AddsAliasAndZeroExtendedFlagWords() {
        VirtualProvider.loadScenario(WIDE_VALUES);
        TovikVciInfo3 info = new TovikVciInfo3();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetModuleInfo3(handle, 0x80000001L, info, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetModuleInfo3(2147483649)"), journal("ITovikManager."));
        assertFields(info, "ethernetAddress", "e", "wirelessAddress", "w", "bluetoothAddress", "b", "usbAddress", "u",
                "vciAlias", "Caf\u00e9", "wifiFlags", 0x80000000L, "btFlags", 0xFFFFFFFFL, "usbFlags", 2147483647L,
                "ethFlags", 0xDEADBEEFL);
        // A raw flag of 1 is true; empty client texts arrive as empty strings, never null.
        assertEquals(List.of("true 4294967294 2147483651 A|T1", "false 0 1 |", "true 3 4 C|T3"),
                clients(info.getClients()));
        assertEquals(List.of("Getting module info3", "Number of client items 3", "Getting module info3 done"),
                log("vtxGetModuleInfo3"));
        assertEquals(List.of("Coud not find client name"), CapturingLogSink.messagesOf("CTovikClientInfoIF::CmdClientName"));
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
        assertFields(empty, "ethernetAddress", "", "wirelessAddress", "", "bluetoothAddress", "", "usbAddress", "",
                "vciAlias", "", "clients", new TovikClientInfo[0]);

        VirtualProvider.setMissingItem("ITovikVciInfo", 1);
        TovikVciInfo info = new TovikVciInfo();
        MANAGER.vtxGetModuleInfo(handle, 0x80000001L, info, result);
        assertEquals(List.of("A", "C"), Arrays.stream(info.getClients()).map(TovikClientInfo::getClientName).toList());
    }
}
