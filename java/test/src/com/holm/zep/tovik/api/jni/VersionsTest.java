package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxGetVersionInformation and vtxGetVersionInformation2 against the virtual provider. */
class VersionsTest extends RuntimeFixture {
    static final String VERSIONS = PREFIX + "vtxGetVersionInformation";
    static final String VERSIONS2 = PREFIX + "vtxGetVersionInformation2";

    /** Three entries per list with wide numbers and empty texts. */
    private static final String THREE_EACH = """
            { "versions": {
                "client": [
                  { "name": "c0", "version": "0x80000000", "date": "0xFFFFFFFF",
                    "versionText": "1.0", "branch": "main", "dateText": "2024-01-01" },
                  { "name": "c1", "version": 1, "date": 2 },
                  { "name": "", "version": 3, "date": 4, "versionText": "", "branch": "",
                    "dateText": "" } ],
                "server": [
                  { "name": "s0", "version": 10, "date": 20, "versionText": "S\u00e9",
                    "branch": "b", "dateText": "d" },
                  { "name": "s1", "version": 11, "date": 21 },
                  { "name": "s2", "version": "0xC0000000", "date": 22 } ] } }
            """;

    VersionsTest() {
        super();
    }

    @Test
    void numericFormDeliversServerListFirst() {
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, (1L << 32) | 7, (2L << 32) | 9, info, result);

        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetVersionInformation(7, 9)"), Sim.journal("ITovikManager."));
        TovikVersionItem[] server = info.getServerVersions();
        TovikVersionItem[] client = info.getClientVersions();
        assertEquals(2, server.length);
        assertEquals(2, client.length);
        assertNumeric(server[0], "VciSystem", 83951616, 20240210);
        assertNumeric(server[1], "VciBoot", 16908288, 20220905);
        assertNumeric(client[0], "TovikApi", 67305985, 20240301);
        assertNumeric(client[1], "TovikTransport", 33619968, 20231115);
        assertNull(server[0].getVersionStr(), "the numeric form sets no texts");
        // The lists are fetched server first; each list is counted once, each item reads name,
        // date, version once.
        String[] eachItem = {"ITovikVersionItemList.Item", "ITovikVersionItem.Name", "ITovikVersionItem.Date",
            "ITovikVersionItem.Version"};
        assertEquals(Sim.sequence(List.of("ITovikManager.GetVersionInformation", "ITovikVersionInfo.ServerVersionList",
                "ITovikVersionInfo.ClientVersionList", "ITovikVersionItemList.Count"), Sim.times(2, eachItem),
                List.of("ITovikVersionItemList.Count"), Sim.times(2, eachItem)), Sim.calls(""));

        assertEquals(List.of("Get Version Information 4294967303", "Calling with 7 9",
                "Get Version Information done"), CapturingLogSink.messagesOf(VERSIONS));
        assertEquals(List.of("handle is 7"),
                CapturingLogSink.messagesOf("CTovikManagerIF::GetVersionInformation"));
        List<String> command = CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetVersionInformation");
        assertEquals(2, command.size());
        assertEquals("Calling with 7", command.get(0));
        assertTrue(command.get(1).matches("Release my copy [0-9]+"), command.get(1));
    }

    @Test
    void textFormDeliversFourTexts() {
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation2(handle, 3, 4, info, result);

        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetVersionInformation_2(3, 4)"), Sim.journal("ITovikManager."));
        assertText(info.getServerVersions()[0], "VciSystem", "5.1.0.0", "release/5.1", "2024-02-10");
        assertText(info.getServerVersions()[1], "VciBoot", "1.2.0.0", "main", "2022-09-05");
        assertText(info.getClientVersions()[0], "TovikApi", "4.3.2.1", "release/4.3", "2024-03-01");
        assertText(info.getClientVersions()[1], "TovikTransport", "2.1.0.0", "main", "2023-11-15");
        assertEquals(0, info.getServerVersions()[0].getVersion(), "the text form sets no numbers");

        List<String> lines = CapturingLogSink.messagesOf(VERSIONS2);
        assertEquals(4, lines.size());
        assertEquals("Get Version Information 2 3", lines.get(0));
        assertEquals("Calling with 3 4", lines.get(1));
        assertTrue(lines.get(2).matches("Calling with 0  pVersionInfo=[0-9A-F]{16}"), lines.get(2));
        assertEquals("Get Version Information 2 done", lines.get(3));
        assertEquals(List.of("handle is 3"),
                CapturingLogSink.messagesOf("CTovikManagerIF::GetVersionInformation_2"));
        assertEquals("Calling with 3",
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetVersionInformation_2").get(0));
    }

    @Test
    void wideNumbersArrivePositiveAndEmptyTextsAsEmptyStrings() {
        VirtualProvider.loadScenario(THREE_EACH);
        TovikVersionInfo numeric = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, numeric, result);
        assertEquals(0, result.get());
        assertNumeric(numeric.getClientVersions()[0], "c0", 0x80000000L, 0xFFFFFFFFL);
        assertNumeric(numeric.getClientVersions()[2], "", 3, 4);
        assertNumeric(numeric.getServerVersions()[2], "s2", 0xC0000000L, 22);

        TovikVersionInfo texts = new TovikVersionInfo();
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, texts, result);
        assertEquals(0, result.get());
        assertText(texts.getServerVersions()[0], "s0", "S\u00e9", "b", "d");
        assertText(texts.getClientVersions()[1], "c1", "", "", "");
        assertText(texts.getClientVersions()[2], "", "", "", "");
    }

    @Test
    void missingEntriesAreLoggedAndSkipped() {
        VirtualProvider.loadScenario(THREE_EACH);
        VirtualProvider.setMissingItem("ITovikVersionItemList", 1);
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, info, result);

        assertEquals(0, result.get());
        assertEquals(List.of("s0", "s2"), names(info.getServerVersions()));
        assertEquals(List.of("c0", ""), names(info.getClientVersions()));
        assertEquals(List.of("Null item, list 0 1", "Null item, list 1 1"),
                CapturingLogSink.messagesOf(VERSIONS2).stream().filter(m -> m.startsWith("Null item")).toList());
    }

    @Test
    void anAbsentOrEmptyListGivesAnEmptyArray() {
        VirtualProvider.withholdOutput("ITovikVersionInfo.ServerVersionList");
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, info, result);
        assertEquals(0, result.get());
        assertEquals(0, info.getServerVersions().length, "no server list: empty, not null");
        assertEquals(List.of("TovikApi", "TovikTransport"), names(info.getClientVersions()));

        VirtualProvider.clearFaults();
        VirtualProvider.loadScenario("{ \"versions\": { \"client\": [], \"server\": [] } }");
        TovikVersionInfo empty = new TovikVersionInfo();
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, empty, result);
        assertEquals(0, result.get());
        assertEquals(0, empty.getServerVersions().length);
        assertEquals(0, empty.getClientVersions().length);
    }

    @Test
    void aNonZeroResultOrNoInfoLeavesTheTargetUntouched() {
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue();
        Sim.setResult("ITovikManager.GetVersionInformation", -1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, info, result);
        assertEquals(-1, result.get());
        assertNull(info.getServerVersions());

        Sim.setResult("ITovikManager.GetVersionInformation_2", 0x20000001);
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, info, result);
        assertEquals(0x20000001L, result.get());
        assertNull(info.getClientVersions());

        VirtualProvider.clearFaults();
        VirtualProvider.withholdOutput("ITovikManager.GetVersionInformation");
        result.set(-1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, info, result);
        assertEquals(0, result.get());
        assertNull(info.getServerVersions());
        // No info object: no "Release my copy " line after the last call.
        List<String> command = CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetVersionInformation");
        assertEquals("Calling with 1", command.get(command.size() - 1));
    }

    private static void assertNumeric(TovikVersionItem item, String name, long version, long date) {
        assertEquals(name, item.getName(), "name");
        assertEquals(version, item.getVersion(), "version");
        assertEquals(date, item.getDate(), "date");
    }

    private static void assertText(TovikVersionItem item, String name, String version, String branch,
            String date) {
        assertEquals(name, item.getName(), "name");
        assertEquals(version, item.getVersionStr(), "version text");
        assertEquals(branch, item.getBranchName(), "branch");
        assertEquals(date, item.getDateStr(), "date text");
    }

    private static List<String> names(TovikVersionItem[] items) {
        return java.util.Arrays.stream(items).map(TovikVersionItem::getName).toList();
    }
}
