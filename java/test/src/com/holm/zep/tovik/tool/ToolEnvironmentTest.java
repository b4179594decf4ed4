package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/** How the tool behaves when what it loads is not there, and the jar's own manifest. */
class ToolEnvironmentTest {
    /** The JVM, class path and main class the launcher uses, but a library path of our own. */
    private static ToolRunner.Result runWithLibraryPath(String libraryPath, String... args)
            throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher java = Pattern.compile("exec \"([^\"]+)\"").matcher(launcher);
        Matcher classPath = Pattern.compile("-cp \"([^\"]+)\"").matcher(launcher);
        assertTrue(java.find() && classPath.find(), launcher);
        List<String> command = new ArrayList<>(List.of(java.group(1), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath, "-cp", classPath.group(1),
                "com.holm.zep.tovik.tool.Tovik"));
        command.addAll(List.of(args));
        Process process = new ProcessBuilder(command).start();
        process.getOutputStream().close();
        ToolRunner.Drain out = new ToolRunner.Drain(process.getInputStream());
        ToolRunner.Drain err = new ToolRunner.Drain(process.getErrorStream());
        assertTrue(process.waitFor(60, TimeUnit.SECONDS));
        return ToolRunner.checked(new ToolRunner.Result(process.exitValue(), out.text(),
                err.text()));
    }

    @Test
    void withoutTheNativeLibrariesACommandExitsThreeWithOneLine() throws Exception {
        ToolRunner.Result r = runWithLibraryPath("/nonexistent", "modules");
        assertEquals(3, r.exitCode(), r::toString);
        assertEquals("", r.out(), r::toString);
        String line = ToolRunner.oneErrorLine(r);
        assertTrue(line.startsWith("tovik: load virtual provider failed: libTovikProviderSim "
                + "could not be loaded ("), line);

        ToolRunner.Result json = runWithLibraryPath("/nonexistent", "--json", "modules");
        assertEquals(3, json.exitCode(), json::toString);
        assertEquals(3L, ToolJson.at(ToolJson.object(json.out()), "error", "exitCode"));
        assertEquals(line, "tovik: " + ToolJson.at(ToolJson.object(json.out()), "error",
                "message"));
    }

    @Test
    void commandsWithoutTheLibraryStillWork() throws Exception {
        ToolRunner.Result r = runWithLibraryPath("/nonexistent", "codes", "0x50000007");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().contains("TOVIK_E_NO_RUNTIME"), r::toString);
    }

    @Test
    void theToolJarNamesItsMainClassAndVersionNamesToolAndLibrary() throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher toolJar = Pattern.compile("[^:\"]*tovik-tool\\.jar").matcher(launcher);
        assertTrue(toolJar.find(), launcher);
        try (java.util.jar.JarFile jar = new java.util.jar.JarFile(toolJar.group())) {
            java.util.jar.Attributes main = jar.getManifest().getMainAttributes();
            assertEquals("com.holm.zep.tovik.tool.Tovik", main.getValue("Main-Class"));
            assertTrue(main.getValue("Class-Path").contains("picocli.jar"));
            assertTrue(main.getValue("Class-Path").contains("gson.jar"));
            assertTrue(main.getValue("Class-Path").contains("tovik-client"));
        }
        ToolRunner.Result version = ToolRunner.run("--version");
        assertEquals(0, version.exitCode(), version::toString);
        assertTrue(version.out().matches("(?s)tovik \\d+\\.\\d+\\.\\d+ - TovikApi4J .*\n"
                + "TovikApi4J library \\d+\\.\\d+\\.\\d+\n.*"), version::toString);
    }

    @Test
    void theToolJarRunsOnItsOwnWithTheJarsItNamesBesideIt() throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher java = Pattern.compile("exec \"([^\"]+)\"").matcher(launcher);
        Matcher toolJar = Pattern.compile("[^:\"]*tovik-tool\\.jar").matcher(launcher);
        assertTrue(java.find() && toolJar.find(), launcher);
        String libraryPath = ToolRunner.launcher().getParent().resolveSibling("lib").toString();
        Process process = new ProcessBuilder(java.group(1), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath, "-jar", toolJar.group(), "--json",
                "modules").start();
        process.getOutputStream().close();
        ToolRunner.Drain out = new ToolRunner.Drain(process.getInputStream());
        ToolRunner.Drain err = new ToolRunner.Drain(process.getErrorStream());
        assertTrue(process.waitFor(60, TimeUnit.SECONDS));
        ToolRunner.Result r = ToolRunner.checked(new ToolRunner.Result(process.exitValue(),
                out.text(), err.text()));
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals(3, ((List<?>) ToolJson.object(r.out()).get("modules")).size(),
                r::toString);
    }

    /** What bash offers after the words typed so far, from the build's completion script. */
    private static List<String> complete(Path script, String... words) throws Exception {
        String line = "tovik " + String.join(" ", words);
        String program = "source '" + script + "' 2>/dev/null\n"
                + "COMP_WORDS=(tovik " + String.join(" ", words) + ")\n"
                + "COMP_CWORD=" + words.length + "\n"
                + "COMP_LINE='" + line + "'; COMP_POINT=" + line.length() + "\n"
                + "_complete_tovik tovik '" + words[words.length - 1] + "' 2>/dev/null\n"
                + "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        Process bash = new ProcessBuilder("bash", "--norc", "-c", program).start();
        bash.getOutputStream().close();
        ToolRunner.Drain out = new ToolRunner.Drain(bash.getInputStream());
        ToolRunner.Drain err = new ToolRunner.Drain(bash.getErrorStream());
        assertTrue(bash.waitFor(60, TimeUnit.SECONDS));
        String problems = err.text();
        assertEquals(0, bash.exitValue(), problems);
        return out.text().lines().map(String::trim).filter(l -> !l.isEmpty()).sorted().toList();
    }

    @Test
    void theBuildWritesACompletionScriptAndAManPageFromTheCommandModel() throws Exception {
        Path toolBuild = ToolRunner.launcher().getParent().resolveSibling("java").resolve("tool");
        Path script = toolBuild.resolve("tovik-completion.bash");
        assertEquals(List.of("client", "codes", "config-items", "configure", "connect"),
                complete(script, "c"));
        assertEquals(List.of("status", "store"), complete(script, "client", "st"));
        assertEquals(List.of("--digit", "--dot"), complete(script, "pendant", "display", "--d"));

        // Every command the help names, and every subcommand of a group, has its section.
        String man = Files.readString(toolBuild.resolve("tovik.1"));
        assertTrue(man.startsWith(".TH TOVIK 1 "), man);
        List<String> commands = commandsListedBy("--help");
        assertTrue(commands.size() > 20 && commands.contains("pendant"), commands::toString);
        for (String command : commands) {
            List<String> subcommands = command.equals("help") ? List.of()
                    : commandsListedBy(command, "--help");
            for (String sub : subcommands.isEmpty() ? List.of("") : subcommands) {
                String name = ("tovik " + command + " " + sub).trim().replace("-", "\\-");
                assertTrue(man.contains("\n.SS \"" + name + "\"\n"), () -> name + " missing");
            }
        }
    }

    /** The names in the "Commands:" part of a help text. */
    private static List<String> commandsListedBy(String... args) {
        ToolRunner.Result help = ToolRunner.run(args);
        assertEquals(0, help.exitCode(), help::toString);
        List<String> names = new ArrayList<>();
        boolean inCommands = false;
        for (String line : help.out().split("\n")) {
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
