package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxGetVersionInformation and vtxGetVersionInformation2 against the virtual provider. */
class VersionsTest extends RuntimeFixture {
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
        super(null);
    }

    /** "name version date" of each item: the numeric form. */
    private static List<String> numeric(TovikVersionItem[] items) {
        return Arrays.stream(items).map(i -> i.getName() + " " + i.getVersion() + " " + i.getDate()
                + (i.getVersionStr() == null ? "" : " texts set")).toList();
    }

    /** "name|version|branch|date" texts of each item: the text form. */
    private static List<String> texts(TovikVersionItem[] items) {
        return Arrays.stream(items).map(i -> String.join("|", i.getName(), i.getVersionStr(), i.getBranchName(),
                i.getDateStr()) + (i.getVersion() == 0 ? "" : " number set")).toList();
    }

    @Test
    void numericFormDeliversBothListsAndLogsTheHandle() {
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, (1L << 32) | 7, (2L << 32) | 9, info, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetVersionInformation(7, 9)"), journal("ITovikManager."));
        assertEquals(List.of("VciSystem 83951616 20240210", "VciBoot 16908288 20220905"),
                numeric(info.getServerVersions()));
        assertEquals(List.of("TovikApi 67305985 20240301", "TovikTransport 33619968 20231115"),
                numeric(info.getClientVersions()));

        assertEquals(List.of("Get Version Information 4294967303", "Calling with 7 9", "Get Version Information done"),
                log("vtxGetVersionInformation"));
        assertEquals(List.of("handle is 7"), CapturingLogSink.messagesOf("CTovikManagerIF::GetVersionInformation"));
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
        assertEquals(List.of("ITovikManager.GetVersionInformation_2(3, 4)"), journal("ITovikManager."));
        assertEquals(List.of("VciSystem|5.1.0.0|release/5.1|2024-02-10", "VciBoot|1.2.0.0|main|2022-09-05"),
                texts(info.getServerVersions()));
        assertEquals(List.of("TovikApi|4.3.2.1|release/4.3|2024-03-01", "TovikTransport|2.1.0.0|main|2023-11-15"),
                texts(info.getClientVersions()));

        List<String> lines = log("vtxGetVersionInformation2");
        assertEquals(4, lines.size());
        assertEquals(List.of("Get Version Information 2 3", "Calling with 3 4"), lines.subList(0, 2));
        assertTrue(lines.get(2).matches("Calling with 0  pVersionInfo=[0-9A-F]{16}"), lines.get(2));
        assertEquals("Get Version Information 2 done", lines.get(3));
        assertEquals(List.of("handle is 3"), CapturingLogSink.messagesOf("CTovikManagerIF::GetVersionInformation_2"));
        assertEquals("Calling with 3",
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetVersionInformation_2").get(0));
    }

    @Test
    void wideNumbersArrivePositiveEmptyTextsAsEmptyStringsAndMissingEntriesAreSkipped() {
        VirtualProvider.loadScenario(THREE_EACH);
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, info, result);
        assertEquals(0, result.get());
        assertEquals(List.of("c0 2147483648 4294967295", "c1 1 2", " 3 4"), numeric(info.getClientVersions()));
        assertEquals("s2 3221225472 22", numeric(info.getServerVersions()).get(2));

        MANAGER.vtxGetVersionInformation2(handle, 1, 2, info, again(result));
        assertEquals(0, result.get());
        assertEquals(List.of("s0|S\u00e9|b|d", "s1|||", "s2|||"), texts(info.getServerVersions()));
        assertEquals(List.of("c0|1.0|main|2024-01-01", "c1|||", "|||"), texts(info.getClientVersions()));

        VirtualProvider.setMissingItem("ITovikVersionItemList", 1);
        CapturingLogSink.clear();
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, info, again(result));
        assertEquals(0, result.get());
        assertEquals(List.of("s0", "s2"), Arrays.stream(info.getServerVersions()).map(i -> i.getName()).toList());
        assertEquals(List.of("c0", ""), Arrays.stream(info.getClientVersions()).map(i -> i.getName()).toList());
        assertEquals(List.of("Null item, list 0 1", "Null item, list 1 1"),
                log("vtxGetVersionInformation2").stream().filter(m -> m.startsWith("Null item")).toList());
    }

    @Test
    void anAbsentOrEmptyListGivesAnEmptyArrayAndNoInfoNoReleaseLine() {
        VirtualProvider.withholdOutput("ITovikVersionInfo.ServerVersionList");
        TovikVersionInfo info = new TovikVersionInfo();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetVersionInformation(handle, 1, 2, info, result);
        assertEquals(0, result.get());
        assertEquals(List.of(), numeric(info.getServerVersions()), "no server list: empty, not null");
        assertEquals(2, info.getClientVersions().length);

        VirtualProvider.clearFaults();
        VirtualProvider.loadScenario("{ \"versions\": { \"client\": [], \"server\": [] } }");
        MANAGER.vtxGetVersionInformation2(handle, 1, 2, info, again(result));
        assertEquals(0, result.get());
        assertEquals(0, info.getServerVersions().length + info.getClientVersions().length);

        VirtualProvider.withholdOutput("ITovikManager.GetVersionInformation");
        MANAGER.vtxGetVersionInformation(handle, 5, 2, new TovikVersionInfo(), result);
        List<String> command = CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetVersionInformation");
        assertEquals("Calling with 5", command.get(command.size() - 1), "no info object: no Release line");
    }
}
