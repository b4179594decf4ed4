package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/** The tool's command line: help texts, argument errors, result code names, the launcher. */
class ToolCommandLineTest {
    private static final List<String> COMMANDS = List.of("modules", "info", "connect", "status",
            "versions", "apps", "install", "uninstall", "firmware", "job", "app", "client",
            "pendant", "wifi", "configure", "selftest", "config-items", "events", "demo", "codes",
            "scenario", "help");

    @Test
    void helpNamesEveryCommandTheGlobalOptionsAndTheExitCodes() {
        ToolRunner.Result r = ToolRunner.run("--help");
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals("", r.err(), r::toString);
        for (String command : COMMANDS) {
            assertTrue(r.out().lines().anyMatch(l -> l.matches("  " + command + "\\s+\\S.*")),
                    () -> command + " missing from help:\n" + r.out());
        }
        for (String option : List.of("--scenario=FILE", "--module=SERIAL|NAME", "--json",
                "--log")) {
            assertTrue(r.out().contains(option), () -> option + " missing:\n" + r.out());
        }
        assertTrue(r.out().contains("Exit codes:") && r.out().contains("130  interrupted"),
                r::toString);
    }

    @ParameterizedTest
    @CsvSource({
        "install, --no-wait, --number=APP",
        "client store, --hex=HEX, --location=LOC",
        "events, --follow, '--post=A,B,C'",
        "pendant leds, --set=LED=CTRL[:BLINK], --json",
        "wifi scan, on|off, --module=SERIAL|NAME"})
    void everyCommandHasItsOwnCompleteHelp(String command, String option1, String option2) {
        List<String> args = new java.util.ArrayList<>(List.of(command.split(" ")));
        args.add("--help");
        ToolRunner.Result r = ToolRunner.run(args.toArray(String[]::new));
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().startsWith("Usage: tovik " + command), r::toString);
        assertTrue(r.out().contains(option1) && r.out().contains(option2), r::toString);
        if (!command.contains(" ")) {
            // The help command shows the same text.
            assertEquals(r.out(), ToolRunner.run("help", command).out());
        }
    }

    @ParameterizedTest
    @CsvSource(delimiter = '|', value = {
        "--frobnicate                    | Unknown option: '--frobnicate'",
        "install                         | Missing required argument",
        "pendant display --digit 12      | --digit must be 0 to 9",
        "client get x --location twelve  | 'twelve' is not a number",
        "wifi auto maybe                 | 'maybe' is not on or off",
        "pendant leds --set 3            | '3' is not LED=CTRL[:BLINK]",
        "apps                            | Missing subcommand"})
    void badArgumentsExitWithCodeTwoAndOneClearLine(String args, String expected) {
        ToolRunner.Result r = ToolRunner.run(args.trim().split("\\s+"));
        assertEquals(2, r.exitCode(), r::toString);
        assertEquals("", r.out(), r::toString);
        List<String> lines = r.errLines();
        assertTrue(lines.get(0).startsWith("tovik: ") && lines.get(0).contains(expected),
                r::toString);
        assertTrue(lines.get(lines.size() - 1).matches("Try 'tovik.* --help' for more information."),
                r::toString);
    }

    @Test
    void noCommandIsAUsageError() {
        ToolRunner.Result r = ToolRunner.run();
        assertEquals(2, r.exitCode(), r::toString);
        assertTrue(r.err().startsWith("tovik: Missing command"), r::toString);
    }

    @Test
    void codesAreExplainedByValueAndName() {
        ToolRunner.Result r = ToolRunner.run("codes", "0x50000003", "1342177287", "e_invalidarg",
                "0x12345678");
        assertEquals(0, r.exitCode(), r::toString);
        List<String> rows = r.out().lines().skip(2).map(String::trim).toList();
        assertEquals(4, rows.size(), r::toString);
        assertTrue(rows.get(0).matches("0x50000003\\s+TOVIK_E_NO_INTERFACE\\s+.*empty input"),
                r::toString);
        assertTrue(rows.get(1).matches("0x50000007\\s+TOVIK_E_NO_RUNTIME\\s+.*"), r::toString);
        assertTrue(rows.get(2).matches("0x80070057\\s+E_INVALIDARG\\s+invalid argument"),
                r::toString);
        assertTrue(rows.get(3).matches("0x12345678\\s+PROVIDER_CODE\\s+.*"), r::toString);

        Map<String, Object> doc = MiniJson.object(ToolRunner.run("--json", "codes",
                "0x50000006").out());
        assertEquals(0x50000006L, MiniJson.at(doc, "codes", 0, "code"));
        assertEquals("TOVIK_E_BYTE_ARRAY", MiniJson.at(doc, "codes", 0, "name"));
    }

    @Test
    void malformedOrMissingScenarioFailsWithTheProblemNamed() throws Exception {
        java.nio.file.Path file = java.nio.file.Files.createTempFile("tovik-bad", ".json");
        try {
            java.nio.file.Files.writeString(file, "{\"modules\": [{\"name\": \"x\"}]}");
            ToolRunner.Result r = ToolRunner.run("--scenario", file.toString(), "modules");
            assertEquals(1, r.exitCode(), r::toString);
            String line = ToolRunner.oneErrorLine(r);
            assertTrue(line.startsWith("tovik: load scenario failed: " + file)
                    && line.contains("modules[0]"), r::toString);
        } finally {
            java.nio.file.Files.delete(file);
        }
        ToolRunner.Result missing = ToolRunner.run("modules", "--scenario", "/nonexistent.json");
        assertEquals(1, missing.exitCode(), missing::toString);
        assertEquals("tovik: load scenario failed: /nonexistent.json cannot be read",
                ToolRunner.oneErrorLine(missing));
    }
}
