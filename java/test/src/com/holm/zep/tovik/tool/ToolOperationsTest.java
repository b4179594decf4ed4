package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.ToolJson.at;
import static com.holm.zep.tovik.tool.ToolRunner.fails;
import static com.holm.zep.tovik.tool.ToolRunner.json;
import static com.holm.zep.tovik.tool.ToolRunner.ok;
import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Representative commands, run in this JVM, against the virtual provider's default workshop
 * (three modules: 200101 "TVX-200 Bay 1", 200102 "TVX-200 Bay 2", 100017 "TVX-100 Bench"): how
 * the tool shows what the client hands it. The values themselves are the client tests' concern.
 */
class ToolOperationsTest {
    private static void assertLine(String regex, Run r) {
        assertTrue(Pattern.compile("(?m)^" + regex + "$").matcher(r.out()).find(), () -> regex + " in\n" + r);
    }

    @Test
    void modulesAreListedAsTableAndAsJsonAndChosenBySerialNameOrAlias() {
        Run table = ok("modules");
        assertTrue(table.out().startsWith("Modules present: 3\n"), table::toString);
        assertLine("  100017\\s+TVX-100 Bench\\s+1\\s+4\\s+0", table);
        Map<String, Object> doc = json("modules");
        assertEquals(List.of(200102L, "TVX-200 Bay 2", 2L), List.of(at(doc, "modules", 1, "serialNumber"),
                at(doc, "modules", 1, "moduleName"), at(doc, "modules", 1, "vciInterface")));

        assertEquals("00:1B:7A:10:21:01", json("info", "--module", "200102").get("ethernetAddress"));
        Run byName = ok("-m", "tvx-200 bay 1", "info");
        assertTrue(byName.out().contains("Alias:               Bay 1"), byName::toString);
        assertLine("  Workshop PC 3\\s+yes\\s+1\\s+2\\s+2024-05-14 07:58:12", byName);
        assertEquals(200102L, json("-m", "BAY 2", "info").get("serialNumber"));
    }

    @Test
    void aRefusedOperationExitsOneWithTheCodeByName() {
        assertEquals("tovik: get no-such-block failed: 0x20000103 PROVIDER_NOT_FOUND (no stored "
                + "client information with this identifier)", fails(1, "client", "get", "no-such-block"));
        Run json = ToolRunner.run("--json", "client", "get", "no-such-block");
        assertEquals(1, json.exitCode(), json::toString);
        Map<?, ?> error = (Map<?, ?>) ToolJson.object(json.out()).get("error");
        assertEquals(List.of(0x20000103L, "0x20000103", "PROVIDER_NOT_FOUND", 1L), List.of(error.get("code"),
                error.get("codeHex"), error.get("name"), error.get("exitCode")));
    }

    @Test
    void installationProgressIsDrawnFromStatusPollsUntilDone() {
        Run r = ok("install", "Data Logger", "--interval", "10");
        assertTrue(r.out().startsWith("Install Data Logger: job "), r::toString);
        List<Integer> percents = new ArrayList<>();
        Matcher bar = Pattern.compile("(?m)^  \\[([#.]{30})\\]\\s+(\\d+)%").matcher(r.out());
        while (bar.find()) {
            int filled = bar.group(1).indexOf('.') < 0 ? 30 : bar.group(1).indexOf('.');
            int percent = Integer.parseInt(bar.group(2));
            assertEquals(Math.round(percent * 30 / 100.0), filled, r::toString);
            percents.add(percent);
        }
        assertEquals(List.of(0, 33, 67, 100), percents, r::toString);
        assertTrue(r.out().contains("100%  done"), r::toString);

        List<?> polls = (List<?>) json("install", "--number", "2", "--interval", "10").get("progress");
        assertEquals(List.of(4, 1L, 2L, 3L), List.of(polls.size(), at(polls, 0, "status"), at(polls, 3, "status"),
                at(polls, 3, "componentNumber")));
        Run started = ok("install", "--number=2", "--no-wait");
        assertEquals(1, started.out().split("Job:", -1).length - 1, started::toString);
    }

    @Test
    void storedInformationAndSelfTestAreShownAsHexDumpsAndControlBytesEscaped() {
        assertTrue(ok("client", "get", "calibration").out().contains("00000000  0a 0b 0c 0d 0e 0f"));
        Map<String, Object> doc = json("client", "get", "session", "--location", "0");
        assertEquals("62617920312073657373696f6e", doc.get("bytes")); // "bay 1 session"
        assertEquals(13L, doc.get("length"));

        Run text = ok("client", "get", "calibration", "--text");
        assertTrue(text.out().contains("  Text:                \\n\\x0b\\x0c\\r\\x0e\\x0f\n"), text::toString);
        assertTrue(text.out().chars().allMatch(c -> c == '\n' || c >= 0x20 && c != 0x7F), text::toString);
        assertEquals("\n\u000b\f\r\u000e\u000f", json("client", "get", "calibration", "--text").get("text"));

        Run self = ok("selftest");
        assertTrue(self.out().contains("00000000  00 01 02 03 a5 ff") && self.out().contains("|......|"),
                self::toString);
    }

    @Test
    void pendantDisplayAndLedsShowWhatWasReadBack() {
        Run display = ok("pendant", "display", "--digit", "7", "--dot");
        assertTrue(display.out().contains("     _ \n      |\n      |.\n"), display::toString);
        Map<String, Object> doc = json("pendant", "display", "--segments", "0,1,1,0,0,0,0,0", "--values", "1,9");
        assertEquals(List.of(List.of(0L, 1L, 1L, 0L, 0L, 0L, 0L, 0L), 1L, 9L), List.of(doc.get("segments"),
                doc.get("displayValue1"), doc.get("displayValue2")));

        // LED 0 keeps the scenario's setting (valid 1, control 2); 1 and 3 are the new ones.
        List<?> leds = (List<?>) json("pendant", "leds", "--set", "3=2:4", "--set", "1=1").get("leds");
        List<List<Object>> settings = new ArrayList<>();
        for (int i = 0; i < leds.size(); i++) {
            settings.add(List.of(at(leds, i, "valid"), at(leds, i, "control"), at(leds, i, "blinkFrequency")));
        }
        assertEquals(List.of(1L, 2L, 0L), settings.get(0));
        assertEquals(List.of(1L, 1L, 0L), settings.get(1));
        assertEquals(0L, settings.get(2).get(0));
        assertEquals(List.of(1L, 2L, 4L), settings.get(3));
        assertEquals(5, settings.size());
        // Every column of the table has a title.
        List<String> lines = ok("pendant", "leds").out().lines().toList();
        assertEquals(List.of("LED", "VALID", "CONTROL", "BLINK", "LAMP"), List.of(lines.get(1).trim().split("\\s+")));
        assertEquals(5, lines.get(2).trim().split("\\s+").length, lines::toString);
    }

    @Test
    void connectionVersionsWirelessAndApplicationsAreShown() {
        assertTrue(ok("connect", "--module", "200102").out().contains("Connection handle:   0x00010001\n"
                + "  Connection status:   1\n  Disconnected:        yes\n"));
        assertEquals("release/4.3", at(json("versions"), "client", 0, "branch"));
        assertEquals(83951616L, at(json("versions", "--numeric"), "server", 0, "version"));
        assertTrue(ok("versions", "--numeric").out().contains("VciSystem  5.1.0.0  2024-02-10"));
        Map<String, Object> adapters = json("wifi", "adapters");
        assertEquals(List.of(true, false, true, false), List.of(adapters.get("flag1"), adapters.get("flag2"),
                adapters.get("flag3"), at(adapters, "adapters", 1, "inserted")));
        assertEquals(-71L, json("wifi", "ap", "-m", "200102").get("signalLevel"));

        // The module's list carries numbers, the PC's third form texts: both show 3.0.0.
        String diagnostics = "  1\\s+Diagnostics\\s+3\\.0\\.0\\s+(release/3\\.0\\s+)?2024-01-15\\s.*";
        for (String args : List.of("apps module", "apps module --texts", "apps pc", "apps pc --form 2")) {
            assertLine(diagnostics, ok(args.split(" ")));
        }
        assertLine("  Diagnostics\\s+3\\.0\\.0\\s+2024-01-15", ok("apps", "pc", "--form", "1"));
        // JSON keeps the provider's numbers; uses left is unsigned, as the provider counts.
        Map<String, Object> apps = json("apps", "module");
        assertEquals(List.of(196608L, 20240115L, 4294967295L), List.of(at(apps, "moduleApps", 0, "appVersion"),
                at(apps, "moduleApps", 0, "appDate"), at(apps, "moduleApps", 0, "timesRemaining")));
    }

    @Test
    void aScenarioFileReplacesTheWorkshopAndItsTextsSurviveTheJsonOutput(@TempDir Path temp) throws Exception {
        String name = "Bay \"7\" \\ \u00c4\u00df\u20ac\ttab";
        String scenario = ok("scenario").out().replace("\"TVX-200 Bay 1\", \"serial\": 200101", "\""
                + name.replace("\\", "\\\\").replace("\"", "\\\"").replace("\t", "\\t") + "\", \"serial\": 4711");
        Path file = temp.resolve("texts.json");
        Files.writeString(file, scenario);
        Map<String, Object> doc = json("--scenario", file.toString(), "modules");
        assertEquals(List.of(name, 4711L), List.of(at(doc, "modules", 0, "moduleName"),
                at(doc, "modules", 0, "serialNumber")));
        assertEquals(3, ((List<?>) doc.get("modules")).size());
    }

    @Test
    void logOptionShowsTheLibrarysLinesOnStandardError() {
        Run r = ok("--log", "modules");
        assertTrue(r.err().contains("log| Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetModuleIds:"),
                r::toString);
        assertTrue(r.err().lines().allMatch(l -> l.startsWith("log| ")), r::toString);
        assertTrue(r.out().lines().noneMatch(l -> l.startsWith("log|")), r::toString);
        assertEquals("", ok("modules").err());
    }

    @Test
    void demoToursEverythingAndEndsCleanly() {
        Run r = ok("demo");
        assertEquals("", r.err(), r::toString);
        for (String part : List.of("== 15/15  A refused operation ==", "read back unchanged", "100%  done",
                "PROVIDER_NOT_FOUND")) {
            assertTrue(r.out().contains(part), part);
        }
        assertTrue(Pattern.compile("Succeeded:\\s+15\\n").matcher(r.out()).find(), r::toString);
        Map<String, Object> doc = json("demo");
        assertEquals(List.of(List.of(), true, 2), List.of(at(doc, "summary", "failed"), at(doc, "install", "ok"),
                ((List<?>) at(doc, "events", "events")).size()));
    }

    @Test
    void oneWaitListsTheEventsPostedInOrderOrEndsAtTheTimeout() {
        Run r = ok("events", "--post", "1,2,3", "--post", "4,5,0xFFFFFFFF", "--timeout", "30");
        assertTrue(r.out().contains("Events received: 2\n"), r::toString);
        assertLine("  1\\s+2\\s+3\\n  4\\s+5\\s+4294967295", r);
        assertEquals(List.of(), json("events", "--timeout", "0.3").get("events"));
    }
}
