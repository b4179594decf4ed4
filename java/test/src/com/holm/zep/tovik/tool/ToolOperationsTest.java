package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/**
 * Representative commands run as processes against the virtual provider's default workshop
 * (three modules: 200101 "TVX-200 Bay 1", 200102 "TVX-200 Bay 2", 100017 "TVX-100 Bench").
 */
class ToolOperationsTest {
    @Test
    void modulesAreListedAsTableAndAsJson() {
        ToolRunner.Result text = ToolRunner.run("modules");
        assertEquals(0, text.exitCode(), text::toString);
        assertTrue(text.out().startsWith("Modules present: 3\n"), text::toString);
        assertTrue(Pattern.compile("(?m)^  200101\\s+TVX-200 Bay 1\\s+2\\s+1\\s+1$")
                .matcher(text.out()).find(), text::toString);
        assertTrue(Pattern.compile("(?m)^  100017\\s+TVX-100 Bench\\s+1\\s+4\\s+0$")
                .matcher(text.out()).find(), text::toString);

        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "modules").out());
        List<?> modules = (List<?>) doc.get("modules");
        assertEquals(3, modules.size());
        assertEquals(200102L, ToolJson.at(doc, "modules", 1, "serialNumber"));
        assertEquals("TVX-200 Bay 2", ToolJson.at(doc, "modules", 1, "moduleName"));
        assertEquals(2L, ToolJson.at(doc, "modules", 1, "vciInterface"));
    }

    @Test
    void moduleIsChosenBySerialOrNameAndAnUnknownOneIsRefused() {
        Map<String, Object> bay2 = ToolJson.object(ToolRunner.run("info", "--json", "--module",
                "200102").out());
        assertEquals("Bay 2", bay2.get("alias"));
        assertEquals("00:1B:7A:10:21:01", bay2.get("ethernetAddress"));

        ToolRunner.Result byName = ToolRunner.run("-m", "tvx-200 bay 1", "info");
        assertEquals(0, byName.exitCode(), byName::toString);
        assertTrue(byName.out().contains("Alias:               Bay 1"), byName::toString);
        assertTrue(Pattern.compile("(?m)^  Workshop PC 3\\s+yes\\s+1\\s+2\\s+2024-05-14 07:58:12$")
                .matcher(byName.out()).find(), byName::toString);

        ToolRunner.Result byAlias = ToolRunner.run("--json", "-m", "BAY 2", "info");
        assertEquals(0, byAlias.exitCode(), byAlias::toString);
        assertEquals(200102L, ToolJson.object(byAlias.out()).get("serialNumber"));

        ToolRunner.Result unknown = ToolRunner.run("--module", "999", "info");
        assertEquals(2, unknown.exitCode(), unknown::toString);
        assertEquals("tovik: option '--module': no module '999' (present: TVX-200 Bay 1 "
                + "#200101, TVX-200 Bay 2 #200102, TVX-100 Bench #100017)",
                ToolRunner.oneErrorLine(unknown));
    }

    @Test
    void aRefusedOperationExitsNonZeroWithTheCodeByName() {
        ToolRunner.Result r = ToolRunner.run("client", "get", "no-such-block");
        assertEquals(1, r.exitCode(), r::toString);
        assertEquals("tovik: get no-such-block failed: 0x20000103 PROVIDER_NOT_FOUND (no stored "
                + "client information with this identifier)", ToolRunner.oneErrorLine(r));

        ToolRunner.Result json = ToolRunner.run("--json", "client", "get", "no-such-block");
        assertEquals(1, json.exitCode(), json::toString);
        Map<String, Object> doc = ToolJson.object(json.out());
        assertEquals(0x20000103L, ToolJson.at(doc, "error", "code"));
        assertEquals("0x20000103", ToolJson.at(doc, "error", "codeHex"));
        assertEquals("PROVIDER_NOT_FOUND", ToolJson.at(doc, "error", "name"));
        assertEquals(1L, ToolJson.at(doc, "error", "exitCode"));
    }

    @Test
    void emptyInputIsRefusedByTheLibraryItself() {
        ToolRunner.Result r = ToolRunner.run("client", "store", "empty", "--hex", "");
        assertEquals(1, r.exitCode(), r::toString);
        assertEquals("tovik: store empty failed: 0x50000003 TOVIK_E_NO_INTERFACE (no provider "
                + "interface, too few arguments or empty input)", ToolRunner.oneErrorLine(r));
    }

    @Test
    void installationProgressIsDrawnFromStatusPollsUntilDone() {
        ToolRunner.Result r = ToolRunner.run("install", "Data Logger", "--interval", "10");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().startsWith("Install Data Logger: job "), r::toString);
        List<Integer> percents = new java.util.ArrayList<>();
        Matcher bar = Pattern.compile("(?m)^  \\[([#.]{30})\\]\\s+(\\d+)%").matcher(r.out());
        while (bar.find()) {
            int filled = bar.group(1).indexOf('.') < 0 ? 30 : bar.group(1).indexOf('.');
            int percent = Integer.parseInt(bar.group(2));
            assertEquals(Math.round(percent * 30 / 100.0), filled, r::toString);
            percents.add(percent);
        }
        assertEquals(List.of(0, 33, 67, 100), percents, r::toString);
        assertTrue(r.out().contains("100%  done"), r::toString);

        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "install",
                "--number", "2", "--interval", "10").out());
        List<?> polls = (List<?>) doc.get("progress");
        assertEquals(4, polls.size(), doc::toString);
        assertEquals(1L, ToolJson.at(polls, 0, "status"));
        assertEquals(2L, ToolJson.at(polls, 3, "status"));
        assertEquals(3L, ToolJson.at(polls, 3, "componentNumber"));

        ToolRunner.Result started = ToolRunner.run("install", "--number=2", "--no-wait");
        assertEquals(0, started.exitCode(), started::toString);
        assertEquals(1, started.out().split("Job:", -1).length - 1, started::toString);

        ToolRunner.Result unknown = ToolRunner.run("install", "Solitaire");
        assertEquals(1, unknown.exitCode(), unknown::toString);
        assertEquals("tovik: install Solitaire failed: 0x20000105 PROVIDER_UNKNOWN_APP (no such "
                + "application)", ToolRunner.oneErrorLine(unknown));
    }

    @Test
    void storedInformationAndSelfTestAreShownAsHexDumps() {
        ToolRunner.Result get = ToolRunner.run("client", "get", "calibration");
        assertEquals(0, get.exitCode(), get::toString);
        assertTrue(get.out().contains("00000000  0a 0b 0c 0d 0e 0f"), get::toString);
        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "client", "get",
                "session", "--location", "0").out());
        assertEquals("62617920312073657373696f6e", doc.get("bytes")); // "bay 1 session"
        assertEquals(13L, doc.get("length"));

        // As text, control bytes are escaped: nothing reaches the terminal raw.
        ToolRunner.Result text = ToolRunner.run("client", "get", "calibration", "--text");
        assertEquals(0, text.exitCode(), text::toString);
        assertTrue(text.out().contains("  Text:                \\n\\x0b\\x0c\\r\\x0e\\x0f\n"),
                text::toString);
        assertTrue(text.out().chars().allMatch(c -> c == '\n' || c >= 0x20 && c != 0x7F),
                text::toString);
        assertEquals("\n\u000b\f\r\u000e\u000f", ToolJson.object(ToolRunner.run("--json",
                "client", "get", "calibration", "--text").out()).get("text"));

        ToolRunner.Result list = ToolRunner.run("client", "list");
        assertTrue(Pattern.compile("(?m)^  1\\s+calibration\\s+6$").matcher(list.out()).find(),
                list::toString);

        ToolRunner.Result self = ToolRunner.run("selftest");
        assertEquals(0, self.exitCode(), self::toString);
        assertTrue(self.out().contains("00000000  00 01 02 03 a5 ff"), self::toString);
        assertTrue(self.out().contains("|......|"), self::toString);
    }

    @Test
    void pendantDisplayIsDrawnFromTheSegmentsReadBack() {
        ToolRunner.Result r = ToolRunner.run("pendant", "display", "--digit", "7", "--dot");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().contains("     _ \n      |\n      |.\n"), r::toString);
        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "pendant", "display",
                "--segments", "0,1,1,0,0,0,0,0", "--values", "1,9").out());
        assertEquals(List.of(0L, 1L, 1L, 0L, 0L, 0L, 0L, 0L), doc.get("segments"));
        assertEquals(1L, doc.get("displayValue1"));
        assertEquals(9L, doc.get("displayValue2"));
    }

    @Test
    void ledsNamedAreChangedAndTheOthersKeepTheirSettings() {
        ToolRunner.Result r = ToolRunner.run("--json", "pendant", "leds", "--set", "3=2:4",
                "--set", "1=1");
        assertEquals(0, r.exitCode(), r::toString);
        List<?> leds = (List<?>) ToolJson.object(r.out()).get("leds");
        assertEquals(5, leds.size(), r::toString);
        // LED 0 keeps the scenario's setting (valid 1, control 2); 1 and 3 are the new ones.
        assertEquals(List.of(1L, 2L, 0L), List.of(ToolJson.at(leds, 0, "valid"),
                ToolJson.at(leds, 0, "control"), ToolJson.at(leds, 0, "blinkFrequency")));
        assertEquals(List.of(1L, 1L, 0L), List.of(ToolJson.at(leds, 1, "valid"),
                ToolJson.at(leds, 1, "control"), ToolJson.at(leds, 1, "blinkFrequency")));
        assertEquals(List.of(1L, 2L, 4L), List.of(ToolJson.at(leds, 3, "valid"),
                ToolJson.at(leds, 3, "control"), ToolJson.at(leds, 3, "blinkFrequency")));
        assertEquals(0L, ToolJson.at(leds, 2, "valid"));

        ToolRunner.Result beyond = ToolRunner.run("pendant", "leds", "--set", "5=1");
        assertEquals(2, beyond.exitCode(), beyond::toString);
        assertEquals("tovik: option '--set': LED 5 is out of range: the pendant has 5 LEDs "
                + "(0 to 4)", ToolRunner.oneErrorLine(beyond));

        // Every column of the table has a title.
        ToolRunner.Result table = ToolRunner.run("pendant", "leds");
        List<String> lines = table.out().lines().toList();
        assertEquals(List.of("LED", "VALID", "CONTROL", "BLINK", "LAMP"),
                List.of(lines.get(1).trim().split("\\s+")), table::toString);
        assertEquals(lines.get(2).trim().split("\\s+").length, 5, table::toString);
    }

    @Test
    void connectionVersionsAndWirelessStateAreShown() {
        ToolRunner.Result connect = ToolRunner.run("connect", "--module", "200102");
        assertEquals(0, connect.exitCode(), connect::toString);
        assertTrue(connect.out().contains("Connection handle:   0x00010001\n"
                + "  Connection status:   1\n  Disconnected:        yes\n"), connect::toString);

        Map<String, Object> versions = ToolJson.object(ToolRunner.run("--json", "versions")
                .out());
        assertEquals("VciSystem", ToolJson.at(versions, "server", 0, "name"));
        assertEquals("5.1.0.0", ToolJson.at(versions, "server", 0, "version"));
        assertEquals("release/4.3", ToolJson.at(versions, "client", 0, "branch"));
        Map<String, Object> adapters = ToolJson.object(ToolRunner.run("--json", "wifi",
                "adapters").out());
        assertEquals(List.of(true, false, true), List.of(adapters.get("flag1"),
                adapters.get("flag2"), adapters.get("flag3")));
        assertEquals("USB WLAN Stick", ToolJson.at(adapters, "adapters", 1, "cardName"));
        assertEquals(false, ToolJson.at(adapters, "adapters", 1, "inserted"));

        Map<String, Object> ap = ToolJson.object(ToolRunner.run("--json", "wifi", "ap", "-m",
                "200102").out());
        assertEquals(2L, ap.get("numBars"));
        assertEquals(-71L, ap.get("signalLevel"));
    }

    @Test
    void applicationVersionsAndDatesLookAlikeInEveryList() {
        // The module's list carries numbers, the PC's third form texts: both show 3.0.0.
        Pattern diagnostics = Pattern.compile("(?m)^  1\\s+Diagnostics\\s+3\\.0\\.0\\s+"
                + "(release/3\\.0\\s+)?2024-01-15\\s");
        for (String[] args : List.of(new String[] {"apps", "module"},
                new String[] {"apps", "module", "--texts"}, new String[] {"apps", "pc"},
                new String[] {"apps", "pc", "--form", "2"})) {
            ToolRunner.Result r = ToolRunner.run(args);
            assertEquals(0, r.exitCode(), r::toString);
            assertTrue(diagnostics.matcher(r.out()).find(), r::toString);
        }
        assertTrue(Pattern.compile("(?m)^  Diagnostics\\s+3\\.0\\.0\\s+2024-01-15$")
                .matcher(ToolRunner.run("apps", "pc", "--form", "1").out()).find());
        // JSON keeps the provider's numbers; uses left is unsigned, as the provider counts.
        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "apps", "module").out());
        assertEquals(196608L, ToolJson.at(doc, "moduleApps", 0, "appVersion"));
        assertEquals(20240115L, ToolJson.at(doc, "moduleApps", 0, "appDate"));
        assertEquals(4294967295L, ToolJson.at(doc, "moduleApps", 0, "timesRemaining"));
        Map<String, Object> numeric = ToolJson.object(ToolRunner.run("--json", "versions",
                "--numeric").out());
        assertEquals(83951616L, ToolJson.at(numeric, "server", 0, "version"));
        assertTrue(ToolRunner.run("versions", "--numeric").out().contains(
                "VciSystem  5.1.0.0  2024-02-10"));
    }

    @Test
    void textsSurviveTheJsonOutputUnchanged() throws Exception {
        String name = "Bay \"7\" \\ \u00c4\u00df\u20ac\ttab";
        String scenario = ToolRunner.run("scenario").out().replace("\"TVX-200 Bay 1\"",
                "\"" + name.replace("\\", "\\\\").replace("\"", "\\\"")
                        .replace("\t", "\\t") + "\"");
        Path file = Files.createTempFile("tovik-texts", ".json");
        try {
            Files.writeString(file, scenario);
            ToolRunner.Result r = ToolRunner.run("--json", "--scenario", file.toString(),
                    "modules");
            assertEquals(0, r.exitCode(), r::toString);
            assertEquals(name, ToolJson.at(ToolJson.object(r.out()), "modules", 0,
                    "moduleName"));
        } finally {
            Files.delete(file);
        }
    }

    @Test
    void logOptionShowsTheLibrarysLinesOnStandardError() {
        ToolRunner.Result r = ToolRunner.run("--log", "modules");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.err().contains(
                "log| Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetModuleIds:"),
                r::toString);
        assertTrue(r.errLines().stream().allMatch(l -> l.startsWith("log| ")), r::toString);
        assertTrue(r.out().lines().noneMatch(l -> l.startsWith("log|")), r::toString);
        assertEquals("", ToolRunner.run("modules").err());
    }

    @Test
    void scenarioFileReplacesTheDefaultWorkshop() throws Exception {
        String scenario = ToolRunner.run("scenario").out()
                .replace("\"TVX-200 Bay 1\", \"serial\": 200101", "\"Test Rig\", \"serial\": 4711");
        assertTrue(scenario.contains("Test Rig"), "default scenario changed its layout");
        Path file = Files.createTempFile("tovik-scenario", ".json");
        try {
            Files.writeString(file, scenario);
            ToolRunner.Result r = ToolRunner.run("--scenario", file.toString(), "modules");
            assertEquals(0, r.exitCode(), r::toString);
            assertTrue(Pattern.compile("(?m)^  4711\\s+Test Rig\\s").matcher(r.out()).find(),
                    r::toString);
            assertTrue(!r.out().contains("200101"), r::toString);
        } finally {
            Files.delete(file);
        }
    }

    @Test
    void demoToursEverythingAndEndsCleanly() {
        ToolRunner.Result r = ToolRunner.run("demo");
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals("", r.err(), r::toString);
        assertTrue(r.out().contains("== 15/15  A refused operation =="), r::toString);
        assertTrue(Pattern.compile("Succeeded:\\s+15\\n").matcher(r.out()).find(), r::toString);
        assertTrue(r.out().contains("read back unchanged"), r::toString);
        assertTrue(r.out().contains("100%  done"), r::toString);
        assertTrue(r.out().contains("PROVIDER_NOT_FOUND"), r::toString);

        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "demo").out());
        assertEquals(List.of(), ToolJson.at(doc, "summary", "failed"));
        assertEquals(true, ToolJson.at(doc, "install", "ok"));
        assertEquals(2, ((List<?>) ToolJson.at(doc, "events", "events")).size());
    }
}
