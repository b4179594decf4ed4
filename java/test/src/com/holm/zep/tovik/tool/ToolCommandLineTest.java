package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/**
 * The tool's command line as users meet it, run in this JVM: every argument problem exits 2 with
 * one line on standard error (and a JSON error object under --json) before anything reaches the
 * library; refusals of the provider or the library exit 1.
 */
class ToolCommandLineTest {
    @TempDir
    Path temp;

    /**
     * Runs with --log, so that any call into the library would add log lines: the one error line
     * alone shows that the command stopped before the library was reached.
     */
    private static String usageError(String... args) {
        List<String> all = new ArrayList<>(List.of("--log"));
        all.addAll(List.of(args));
        Run r = ToolRunner.run(all.toArray(String[]::new));
        assertEquals(List.of(2, ""), List.of(r.exitCode(), r.out()), r::toString);
        return ToolRunner.oneErrorLine(r);
    }

    @ParameterizedTest
    @CsvSource(delimiter = '|', quoteCharacter = '"', value = {
        "-m 0x100030DA5 info | option '--module': '0x100030DA5' is out of range: 0 to 4294967295",
        "pendant leds --set 0=99999999999 | "
            + "option '--set' (LED=CTRL[:BLINK]): '0=99999999999': CTRL '99999999999' "
            + "is out of range: 0 to 4294967295",
        "pendant leds --set 32=1 | '32=1': LED is out of range: 0 to 31",
        "codes 0x1FFFFFFFF | "
            + "parameter CODE: '0x1FFFFFFFF' is out of range: -2147483648 to 4294967295",
        "events --post 1,2,-1 | option '--post' (A,B,C): '-1' is out of range: 0 to 4294967295",
        "install x --interval=-5 | option '--interval': '-5' is out of range: 1 to 60000",
        "pendant display --digit 12 | option '--digit': '12' is out of range: 0 to 9",
        "apps pc --form 4 | option '--form': '4' is out of range: 1 to 3",
        "events --register 1 | '--register' takes 2 values",
        "events --follow --timeout 3 | --follow, --timeout=SECONDS are mutually exclusive",
        "client get x --output=OUT --file=y | --output=FILE, --file=PATH are mutually exclusive",
        "client get x --file=y --option=1 | --option cannot be used with --file",
        "pendant display --digit 3 --segments 0,1,1,0,0,0,0,0 | are mutually exclusive",
        "pendant display --values 1,2 | Missing required argument(s): (--segments",
        "pendant display --segments 1,1 | '--segments' takes 8 values",
        "install x --no-wait --interval=5 | "
            + "--no-wait and [[--interval=MS] [--timeout=SECONDS]] are mutually exclusive",
        "wifi auto maybe | expected one of [on, off]",
        "--frobnicate | Unknown option: '--frobnicate'",
        "modulez | 'modulez'; did you mean modules",
        "apps | Missing subcommand: one of pc, module"})
    void outOfRangeConflictingOrMeaninglessArgumentsAreUsageErrors(String args, String expected) {
        String line = usageError(args.trim().replace("OUT", temp.resolve("out").toString())
                .split("\\s+"));
        assertTrue(line.contains(expected), line);
        assertTrue(line.matches("tovik: .* \\(see 'tovik[a-z -]*--help'\\)"), line);
        assertFalse(Files.exists(temp.resolve("out")), "a file was written");
    }

    @Test
    void argumentProblemsFoundWhileRunningExitTwoAsWell() throws Exception {
        Path folder = Files.createDirectory(temp.resolve("scenarios"));
        Path missing = temp.resolve("missing.json");
        assertEquals("tovik: option '--scenario': " + folder + " is a folder, not a file",
                usageError("--scenario", folder.toString(), "modules"));
        assertEquals("tovik: option '--scenario': " + missing + " does not exist",
                usageError("modules", "--scenario", missing.toString()));
        assertEquals("tovik: option '--input': " + missing + " does not exist",
                usageError("client", "store", "x", "--input=" + missing));
        assertEquals("tovik: option '--output': folder " + missing.resolve("sub") + " does not exist",
                usageError("client", "get", "calibration", "--output=" + missing.resolve("sub").resolve("out")));
        // Found only once the library answered: the module list, the pendant's size.
        assertEquals("tovik: option '--module': no module 'nosuch' (present: TVX-200 Bay 1 #200101, "
                + "TVX-200 Bay 2 #200102, TVX-100 Bench #100017)", ToolRunner.fails(2, "-m", "nosuch", "info"));
        assertEquals("tovik: option '--set': LED 5 is out of range: the pendant has 5 LEDs (0 to 4)",
                ToolRunner.fails(2, "pendant", "leds", "--set", "5=1"));
    }

    @Test
    void underJsonEveryFailureIsAlsoAJsonErrorObject() {
        for (String args : List.of("--json install --number=0x100000002", "install --frobnicate --json",
                "--json -m nosuch info")) {
            Run r = ToolRunner.run(args.split(" "));
            assertEquals(2, r.exitCode(), r::toString);
            Map<String, Object> doc = ToolJson.object(r.out());
            assertEquals(List.of(2L, false), List.of(ToolJson.at(doc, "error", "exitCode"),
                    ToolJson.at(doc, "error", "ok")), r::toString);
            assertEquals(ToolRunner.oneErrorLine(r), "tovik: " + ToolJson.at(doc, "error", "message"));
        }
    }

    @Test
    void noCommandIsAUsageErrorAndHelpOfANestedCommandIsThatCommandsHelp() {
        assertTrue(usageError().startsWith("tovik: Missing command"));
        for (String command : List.of("client store", "install")) {
            Run byHelp = ToolRunner.ok(("help " + command).split(" "));
            assertTrue(byHelp.out().startsWith("Usage: tovik " + command + " "), byHelp::toString);
            assertEquals(ToolRunner.ok((command + " --help").split(" ")).out(), byHelp.out());
        }
        assertTrue(usageError("help", "client", "nosuch").contains("Unknown command: 'tovik client nosuch'"));
    }

    @Test
    void codesAreExplainedByValueAndName() {
        Run r = ToolRunner.ok("codes", "0x50000003", "1342177287", "e_invalidarg", "0x12345678", "--",
                "-2147467259");
        List<String> rows = r.out().lines().skip(2).map(String::trim).toList();
        List<String> expected = List.of("0x50000003\\s+TOVIK_E_NO_INTERFACE\\s+.*empty input",
                "0x50000007\\s+TOVIK_E_NO_RUNTIME\\s+.*", "0x80070057\\s+E_INVALIDARG\\s+invalid argument",
                "0x12345678\\s+PROVIDER_CODE\\s+.*", "0x80004005\\s+E_FAIL\\s+.*");
        assertEquals(expected.size(), rows.size(), r::toString);
        for (int i = 0; i < rows.size(); i++) {
            assertTrue(rows.get(i).matches(expected.get(i)), r::toString);
        }
        Map<String, Object> doc = ToolRunner.json("codes", "0x50000006");
        assertEquals(List.of(0x50000006L, "TOVIK_E_BYTE_ARRAY"), List.of(ToolJson.at(doc, "codes", 0, "code"),
                ToolJson.at(doc, "codes", 0, "name")));
    }

    @Test
    void aScenarioTheProviderRefusesExitsOneWithTheProblemNamed() throws Exception {
        Path file = temp.resolve("bad.json");
        Files.writeString(file, "{\"modules\": [{\"name\": \"x\"}]}");
        String line = ToolRunner.fails(1, "--scenario", file.toString(), "modules");
        assertTrue(line.startsWith("tovik: load scenario failed: " + file) && line.contains("modules[0]"), line);
    }
}
