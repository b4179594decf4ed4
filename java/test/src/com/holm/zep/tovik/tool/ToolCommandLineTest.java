package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

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
 * The tool's command line as users meet it: every argument problem exits 2 with one line on
 * standard error (and a JSON error object under --json) before anything reaches the library;
 * refusals of the provider or the library exit 1.
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
        ToolRunner.Result r = ToolRunner.run(all.toArray(String[]::new));
        assertEquals(2, r.exitCode(), r::toString);
        assertEquals("", r.out(), r::toString);
        return ToolRunner.oneErrorLine(r);
    }

    @ParameterizedTest
    @CsvSource(delimiter = '|', quoteCharacter = '"', value = {
        "install --number=0x100000002 | "
            + "option '--number': '0x100000002' is out of range: 0 to 4294967295",
        "-m 0x100030DA5 info | option '--module': '0x100030DA5' is out of range: 0 to 4294967295",
        "pendant leds --set 0=99999999999 | "
            + "option '--set' (LED=CTRL[:BLINK]): '0=99999999999': CTRL '99999999999' "
            + "is out of range: 0 to 4294967295",
        "pendant leds --set 32=1 | '32=1': LED is out of range: 0 to 31",
        "codes 0x1FFFFFFFF | "
            + "parameter CODE: '0x1FFFFFFFF' is out of range: -2147483648 to 4294967295",
        "app get 1 4294967296 | (ITEM): '4294967296' is out of range: 0 to 4294967295",
        "events --post 1,2,-1 | option '--post' (A,B,C): '-1' is out of range: 0 to 4294967295",
        "install x --interval=-5 | option '--interval': '-5' is out of range: 1 to 60000",
        "events --timeout -1 | option '--timeout': '-1' is out of range: 0 to 86400",
        "pendant display --digit 12 | option '--digit': '12' is out of range: 0 to 9",
        "apps pc --form 4 | option '--form': '4' is out of range: 1 to 3"})
    void aValueOutOfRangeIsAUsageErrorNamingTheParameterAndItsRange(String args,
            String expected) {
        String line = usageError(args.trim().split("\\s+"));
        assertTrue(line.contains(expected), line);
    }

    @ParameterizedTest
    @CsvSource(delimiter = '|', quoteCharacter = '"', value = {
        "events --register 1 | '--register' takes 2 values",
        "events --post 1,2 | '--post' takes 3 values",
        "events --follow --timeout 3 | --follow, --timeout=SECONDS are mutually exclusive",
        "client get x --output=OUT --file=y | --output=FILE, --file=PATH are mutually exclusive",
        "client get x --text --output=OUT | --text, --output=FILE are mutually exclusive",
        "client get x --file=y --option=1 | --option cannot be used with --file",
        "client store x --text=a --hex=0a | --text=TEXT, --hex=HEX are mutually exclusive",
        "pendant display --digit 3 --segments 0,1,1,0,0,0,0,0 | are mutually exclusive",
        "pendant display --dot | Missing required argument(s): --digit=0-9",
        "pendant display --values 1,2 | Missing required argument(s): (--segments",
        "pendant display --segments 1,1 | '--segments' takes 8 values",
        "pendant audio --set 1,2,3 | '--set' takes 4 values",
        "install x --no-wait --interval=5 | "
            + "--no-wait and [[--interval=MS] [--timeout=SECONDS]] are mutually exclusive",
        "install x --number=2 | NAME, --number=APP are mutually exclusive",
        "connect --client=x --no-client | --client=NAME, --no-client are mutually exclusive",
        "wifi auto maybe | expected one of [on, off]",
        "--frobnicate | Unknown option: '--frobnicate'",
        "modulez | 'modulez'; did you mean modules",
        "apps | Missing subcommand: one of pc, module"})
    void conflictingOrMeaninglessOptionsAreRejected(String args, String expected) {
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
        assertEquals("tovik: option '--output': folder " + missing.resolve("sub")
                + " does not exist", usageError("client", "get", "calibration", "--output="
                + missing.resolve("sub").resolve("out")));

        // Found only once the library answered: the module list, the pendant's size.
        ToolRunner.Result module = ToolRunner.run("-m", "nosuch", "info");
        assertEquals(2, module.exitCode(), module::toString);
        assertEquals("tovik: option '--module': no module 'nosuch' (present: TVX-200 Bay 1 "
                + "#200101, TVX-200 Bay 2 #200102, TVX-100 Bench #100017)",
                ToolRunner.oneErrorLine(module));
        ToolRunner.Result led = ToolRunner.run("pendant", "leds", "--set", "10=1");
        assertEquals(2, led.exitCode(), led::toString);
        assertEquals("tovik: option '--set': LED 10 is out of range: the pendant has 5 LEDs "
                + "(0 to 4)", ToolRunner.oneErrorLine(led));
    }

    @Test
    void underJsonEveryFailureIsAlsoAJsonErrorObject() {
        for (String[] args : List.of(
                new String[] {"--json", "install", "--number=0x100000002"},
                new String[] {"install", "--frobnicate", "--json"},
                new String[] {"--json", "-m", "nosuch", "info"})) {
            ToolRunner.Result r = ToolRunner.run(args);
            assertEquals(2, r.exitCode(), r::toString);
            Map<String, Object> doc = ToolJson.object(r.out());
            assertEquals(2L, ToolJson.at(doc, "error", "exitCode"), r::toString);
            assertEquals(false, ToolJson.at(doc, "error", "ok"), r::toString);
            assertEquals(ToolRunner.oneErrorLine(r), "tovik: " + ToolJson.at(doc, "error",
                    "message"));
        }
    }

    @Test
    void noCommandIsAUsageError() {
        assertTrue(usageError().startsWith("tovik: Missing command"));
    }

    @Test
    void helpOfANestedCommandIsThatCommandsHelp() {
        for (String command : List.of("client store", "pendant display", "install")) {
            List<String> help = new ArrayList<>(List.of("help"));
            help.addAll(List.of(command.split(" ")));
            ToolRunner.Result byHelp = ToolRunner.run(help.toArray(String[]::new));
            List<String> option = new ArrayList<>(List.of(command.split(" ")));
            option.add("--help");
            ToolRunner.Result byOption = ToolRunner.run(option.toArray(String[]::new));
            assertEquals(0, byHelp.exitCode(), byHelp::toString);
            assertTrue(byHelp.out().startsWith("Usage: tovik " + command + " "), byHelp::toString);
            assertEquals(byOption.out(), byHelp.out());
        }
        assertTrue(usageError("help", "client", "nosuch").contains(
                "Unknown command: 'tovik client nosuch'"));
    }

    @Test
    void codesAreExplainedByValueAndName() {
        ToolRunner.Result r = ToolRunner.run("codes", "0x50000003", "1342177287", "e_invalidarg",
                "0x12345678", "--", "-2147467259");
        assertEquals(0, r.exitCode(), r::toString);
        List<String> rows = r.out().lines().skip(2).map(String::trim).toList();
        assertEquals(5, rows.size(), r::toString);
        assertTrue(rows.get(0).matches("0x50000003\\s+TOVIK_E_NO_INTERFACE\\s+.*empty input"),
                r::toString);
        assertTrue(rows.get(1).matches("0x50000007\\s+TOVIK_E_NO_RUNTIME\\s+.*"), r::toString);
        assertTrue(rows.get(2).matches("0x80070057\\s+E_INVALIDARG\\s+invalid argument"),
                r::toString);
        assertTrue(rows.get(3).matches("0x12345678\\s+PROVIDER_CODE\\s+.*"), r::toString);
        assertTrue(rows.get(4).matches("0x80004005\\s+E_FAIL\\s+.*"), r::toString);

        Map<String, Object> doc = ToolJson.object(ToolRunner.run("--json", "codes",
                "0x50000006").out());
        assertEquals(0x50000006L, ToolJson.at(doc, "codes", 0, "code"));
        assertEquals("TOVIK_E_BYTE_ARRAY", ToolJson.at(doc, "codes", 0, "name"));
    }

    @Test
    void aScenarioTheProviderRefusesExitsOneWithTheProblemNamed() throws Exception {
        Path file = temp.resolve("bad.json");
        Files.writeString(file, "{\"modules\": [{\"name\": \"x\"}]}");
        ToolRunner.Result r = ToolRunner.run("--scenario", file.toString(), "modules");
        assertEquals(1, r.exitCode(), r::toString);
        String line = ToolRunner.oneErrorLine(r);
        assertTrue(line.startsWith("tovik: load scenario failed: " + file)
                && line.contains("modules[0]"), r::toString);
    }
}
