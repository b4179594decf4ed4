package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/**
 * How the tool behaves when what it loads is not there, its jar run on its own, its version
 * line, and the completion script and manual page the build makes from its command model.
 */
class ToolEnvironmentTest {
    /** The part of the launcher script that {@code pattern}'s first group matches. */
    private static String fromLauncher(String pattern) throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher m = Pattern.compile(pattern).matcher(launcher);
        assertTrue(m.find(), launcher);
        return m.group(1);
    }

    /** The JVM, class path and main class the launcher uses, but a library path of our own. */
    private static ToolRunner.Result runWithLibraryPath(String libraryPath, String... args) throws Exception {
        List<String> command = new ArrayList<>(List.of(fromLauncher("exec \"([^\"]+)\""), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath, "-cp", fromLauncher("-cp \"([^\"]+)\""),
                "com.holm.zep.tovik.tool.Tovik"));
        command.addAll(List.of(args));
        return ToolRunner.run(new ProcessBuilder(command));
    }

    @Test
    void withoutTheNativeLibrariesACommandExitsThreeWithOneLineAndOthersStillWork() throws Exception {
        ToolRunner.Result r = runWithLibraryPath("/nonexistent", "modules");
        assertEquals(List.of(3, ""), List.of(r.exitCode(), r.out()), r::toString);
        String line = ToolRunner.oneErrorLine(r);
        assertTrue(line.startsWith("tovik: load virtual provider failed: libTovikProviderSim "
                + "could not be loaded ("), line);
        ToolRunner.Result json = runWithLibraryPath("/nonexistent", "--json", "modules");
        assertEquals(3L, ToolJson.at(ToolJson.object(json.out()), "error", "exitCode"), json::toString);
        assertEquals(line, "tovik: " + ToolJson.at(ToolJson.object(json.out()), "error", "message"));

        ToolRunner.Result codes = runWithLibraryPath("/nonexistent", "codes", "0x50000007");
        assertEquals(0, codes.exitCode(), codes::toString);
        assertTrue(codes.out().contains("TOVIK_E_NO_RUNTIME"), codes::toString);
    }

    /** The manifest's Main-Class and Class-Path are what a plain "java -jar" relies on. */
    @Test
    void theToolJarRunsOnItsOwnWithTheJarsItNamesBesideItAndNamesTheLibraryVersion() throws Exception {
        String libraryPath = ToolRunner.launcher().getParent().resolveSibling("lib").toString();
        ToolRunner.Result r = ToolRunner.run(new ProcessBuilder(fromLauncher("exec \"([^\"]+)\""), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath, "-jar", fromLauncher("([^:\"]*tovik-tool\\.jar)"), "--json",
                "modules"));
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals(3, ((List<?>) ToolJson.object(r.out()).get("modules")).size(), r::toString);

        ToolRunner.Result version = ToolRunner.ok("--version");
        assertTrue(version.out().matches("(?s)tovik \\d+\\.\\d+\\.\\d+ - TovikApi4J .*\n"
                + "TovikApi4J library \\d+\\.\\d+\\.\\d+\n.*"), version::toString);
    }

    /** What bash offers after the words typed so far, from the build's completion script. */
    private static List<String> complete(Path script, String... words) {
        String line = "tovik " + String.join(" ", words);
        String program = "source '" + script + "' 2>/dev/null\n"
                + "COMP_WORDS=(tovik " + String.join(" ", words) + ")\n"
                + "COMP_CWORD=" + words.length + "\n"
                + "COMP_LINE='" + line + "'; COMP_POINT=" + line.length() + "\n"
                + "_complete_tovik tovik '" + words[words.length - 1] + "' 2>/dev/null\n"
                + "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        ToolRunner.Result r = ToolRunner.run(new ProcessBuilder("bash", "--norc", "-c", program));
        assertEquals(0, r.exitCode(), r::toString);
        return r.out().lines().map(String::trim).filter(l -> !l.isEmpty()).sorted().toList();
    }

    @Test
    void theBuildWritesACompletionScriptAndAManPageFromTheCommandModel() throws Exception {
        Path toolBuild = ToolRunner.launcher().getParent().resolveSibling("java").resolve("tool");
        Path script = toolBuild.resolve("tovik-completion.bash");
        assertEquals(List.of("client", "codes", "config-items", "configure", "connect"), complete(script, "c"));
        assertEquals(List.of("status", "store"), complete(script, "client", "st"));
        assertEquals(List.of("--digit", "--dot"), complete(script, "pendant", "display", "--d"));

        // Every command the help names, and every subcommand of a group, has its section.
        String man = Files.readString(toolBuild.resolve("tovik.1"));
        assertTrue(man.startsWith(".TH TOVIK 1 "), man);
        List<String> commands = commandsListedBy("--help");
        assertTrue(commands.size() > 20 && commands.contains("pendant"), commands::toString);
        for (String command : commands) {
            List<String> subcommands = command.equals("help") ? List.of() : commandsListedBy(command, "--help");
            for (String sub : subcommands.isEmpty() ? List.of("") : subcommands) {
                String name = ("tovik " + command + " " + sub).trim().replace("-", "\\-");
                assertTrue(man.contains("\n.SS \"" + name + "\"\n"), () -> name + " missing");
            }
        }
    }

    /** The names in the "Commands:" part of a help text. */
    private static List<String> commandsListedBy(String... args) {
        List<String> names = new ArrayList<>();
        boolean inCommands = false;
        for (String line : ToolRunner.ok(args).out().split("\n")) {
            if (line.equals("Commands:")) {
                inCommands = true;
            } else if (inCommands && line.isEmpty()) {
                break;
            } else if (inCommands && line.matches("  [a-z-]+ .*")) {
                names.add(line.trim().split("\\s+")[0]);
            }
        }
        return names;
    }
}
