package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns;
import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import java.util.function.BooleanSupplier;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * What only a process of its own shows: the launcher script, exit codes through System.exit, the
 * tool jar run alone, natives that are not there, Ctrl-C during a wait and during the demo, and
 * the completion script and manual page the build wrote.
 */
class ToolProcessTest {
    @TempDir
    Path work;

    /** The launcher the build generated, beside the lib/ folder of this JVM's library path. */
    private static Path launcher() {
        return JvmRuns.buildLibraryFolder().resolveSibling("bin").resolve("tovik");
    }

    /** The launcher with these arguments, its JVM under -Xcheck:jni. */
    private static ProcessBuilder tovik(String... args) {
        List<String> command = new ArrayList<>(List.of(launcher().toString()));
        command.addAll(List.of(args));
        ProcessBuilder builder = JvmRuns.process(command);
        builder.environment().put("TOVIK_JAVA_OPTS", "-Xcheck:jni");
        return builder;
    }

    private Run run(ProcessBuilder builder) throws Exception {
        return ToolRunner.checked(JvmRuns.run(work, builder));
    }

    /** The part of the launcher script that {@code pattern}'s first group matches. */
    private static String fromLauncher(String pattern) throws Exception {
        String launcher = Files.readString(launcher());
        Matcher m = Pattern.compile(pattern).matcher(launcher);
        assertTrue(m.find(), launcher);
        return m.group(1);
    }

    /** The launcher's JVM with -Xcheck:jni, a library path of our own, then the arguments. */
    private Run java(String libraryPath, String... args) throws Exception {
        List<String> command = new ArrayList<>(List.of(fromLauncher("exec \"([^\"]+)\""), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath));
        command.addAll(List.of(args));
        return run(JvmRuns.process(command));
    }

    @Test
    void theLauncherPassesTheExitCodeAndTheJarRunsOnItsOwn() throws Exception {
        Run version = run(tovik("--version"));
        assertEquals(0, version.exitCode(), version::toString);
        assertTrue(version.out().matches("(?s)tovik \\d+\\.\\d+\\.\\d+ - TovikApi4J .*\n"
                + "TovikApi4J library \\d+\\.\\d+\\.\\d+\n.*"), version::toString);
        Run refused = run(tovik("--json", "-m", "nosuch", "info"));
        assertEquals(2, refused.exitCode(), refused::toString);
        assertEquals("tovik: " + ToolJson.at(ToolJson.object(refused.out()), "error", "message"),
                ToolRunner.oneErrorLine(refused));

        // The manifest's Main-Class and Class-Path are what a plain "java -jar" relies on.
        String libraryPath = JvmRuns.buildLibraryFolder().toString();
        Run r = java(libraryPath, "-jar", fromLauncher("([^:\"]*tovik-tool\\.jar)"), "--json",
                "modules");
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals(3, ((List<?>) ToolJson.object(r.out()).get("modules")).size(), r::toString);
    }

    @Test
    void withoutTheNativeLibrariesACommandExitsThreeWithOneLineAndOthersStillWork() throws Exception {
        String[] tool = {"-cp", fromLauncher("-cp \"([^\"]+)\""), "com.holm.zep.tovik.tool.Tovik"};
        Run json = java("/nonexistent", concat(tool, "--json", "modules"));
        assertEquals(List.of(3, 3L), List.of(json.exitCode(), ToolJson.at(ToolJson.object(json.out()), "error",
                "exitCode")), json::toString);
        String line = ToolRunner.oneErrorLine(json);
        assertTrue(line.startsWith("tovik: load virtual provider failed: libTovikProviderSim "
                + "could not be loaded ("), line);
        assertEquals(line, "tovik: " + ToolJson.at(ToolJson.object(json.out()), "error", "message"));

        Run codes = java("/nonexistent", concat(tool, "codes", "0x50000007"));
        assertEquals(0, codes.exitCode(), codes::toString);
        assertTrue(codes.out().contains("TOVIK_E_NO_RUNTIME"), codes::toString);
    }

    private static String[] concat(String[] first, String... more) {
        List<String> all = new ArrayList<>(List.of(first));
        all.addAll(List.of(more));
        return all.toArray(String[]::new);
    }

    /** A running tool that a test interrupts once it has got far enough. */
    private final class Running implements AutoCloseable {
        final Process process;
        final Path out = Files.createTempFile(work, "out", ".txt");
        final Path err = Files.createTempFile(work, "err", ".txt");
        final String signal = sigintIgnored() ? "TERM" : "INT";

        Running(String... args) throws IOException {
            process = tovik(args).redirectOutput(out.toFile()).redirectError(err.toFile()).start();
        }

        String out() {
            return read(out);
        }

        String err() {
            return read(err);
        }

        private static String read(Path file) {
            try {
                return Files.readString(file);
            } catch (IOException e) {
                throw new java.io.UncheckedIOException(e);
            }
        }

        void awaitThen(BooleanSupplier ready) throws Exception {
            long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(60);
            while (!ready.getAsBoolean()) {
                assertTrue(process.isAlive() && System.nanoTime() < deadline, () -> "not reached:\n" + out() + err());
                Thread.sleep(20);
            }
        }

        /** Ctrl-C (SIGTERM where this process ignores SIGINT, as background jobs do). */
        Run interrupt() throws Exception {
            Process kill = new ProcessBuilder("kill", "-" + signal, Long.toString(process.pid())).start();
            assertEquals(0, kill.waitFor());
            assertTrue(process.waitFor(60, TimeUnit.SECONDS), "the tool did not stop");
            Run r = ToolRunner.checked(JvmRuns.finished(process, out, err));
            assertEquals(signal.equals("INT") ? 130 : 143, r.exitCode(), r::toString);
            return r;
        }

        @Override
        public void close() {
            process.destroyForcibly();
        }
    }

    @Test
    void followShowsEventsAndAnInterruptCancelsTheWaitCleanly() throws Exception {
        try (Running tool = new Running("--log", "events", "--follow", "--post", "7,8,9")) {
            // The event is shown, and the tool is back in the library's wait for the next one.
            tool.awaitThen(() -> tool.out().contains("event 1: 7 8 9")
                    && tool.err().split("Wait for events\n", -1).length > 2);
            Run r = tool.interrupt();
            assertTrue(r.out().endsWith("Interrupted: event wait cancelled after 1 event(s).\n"), r::toString);
            // Cancelled through the library, the wait ended, then the runtime shut down.
            String log = r.err();
            int cancel = log.indexOf("CancelEventNotification OK");
            int waitEnded = log.lastIndexOf("Wait for events done 1");
            int shutdown = log.indexOf("shutting down runtime complete");
            assertTrue(waitEnded > 0 && cancel > 0 && shutdown > Math.max(cancel, waitEnded), r::toString);
            assertTrue(log.endsWith("shutting down runtime complete\n"), r::toString);
        }
    }

    @Test
    void followUnderJsonWritesOneObjectPerEventAndNothingElse() throws Exception {
        try (Running tool = new Running("--json", "events", "--follow", "--post", "7,8,9", "--post",
                "1,0xFFFFFFFF,3")) {
            tool.awaitThen(() -> tool.out().lines().count() >= 2);
            Run r = tool.interrupt();
            List<Map<String, Object>> events = ToolJson.lines(r.out());
            assertEquals(List.of(List.of(7L, 8L, 9L), List.of(1L, 0xFFFFFFFFL, 3L)), events.stream()
                    .map(e -> List.of(e.get("first"), e.get("second"), e.get("third"))).toList(), r::toString);
            assertTrue(events.get(1).get("time").toString().matches("\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"), r::toString);
            assertEquals("", r.err(), r::toString);
        }
    }

    @Test
    void anInterruptEndsTheDemoAtOnce() throws Exception {
        // Jobs that need a million polls: the installation step runs until interrupted.
        String scenario = ToolRunner.ok("scenario").out();
        assertTrue(scenario.contains("\"components\": 3"), "default scenario changed its layout");
        Path file = work.resolve("slow-jobs.json");
        Files.writeString(file, scenario.replace("\"components\": 3", "\"components\": 1000000"));
        try (Running tool = new Running("--scenario", file.toString(), "demo")) {
            tool.awaitThen(() -> tool.out().contains("== 7/15  Installing an application")
                    && tool.out().contains("  [....."));
            Run r = tool.interrupt();
            assertEquals("tovik: demo (step 7 of 15, Installing an application) interrupted",
                    ToolRunner.oneErrorLine(r));
            assertFalse(r.out().contains("== 8/15"), r::toString);
            assertFalse(r.out().contains("Summary"), r::toString);
        }
    }

    /** Whether this process (and so the tool it starts) ignores SIGINT, as background jobs do. */
    private static boolean sigintIgnored() throws IOException {
        for (String line : Files.readAllLines(Path.of("/proc/self/status"))) {
            if (line.startsWith("SigIgn:")) {
                long mask = Long.parseUnsignedLong(line.substring(7).trim(), 16);
                return (mask & (1L << (2 - 1))) != 0;
            }
        }
        return false;
    }

    /** What bash offers after the words typed so far, from the build's completion script. */
    private List<String> complete(Path script, String... words) throws Exception {
        String line = "tovik " + String.join(" ", words);
        String program = "source '" + script + "' 2>/dev/null\n"
                + "COMP_WORDS=(tovik " + String.join(" ", words) + ")\n"
                + "COMP_CWORD=" + words.length + "\n"
                + "COMP_LINE='" + line + "'; COMP_POINT=" + line.length() + "\n"
                + "_complete_tovik tovik '" + words[words.length - 1] + "' 2>/dev/null\n"
                + "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        Run r = run(new ProcessBuilder("bash", "--norc", "-c", program));
        assertEquals(0, r.exitCode(), r::toString);
        return r.out().lines().map(String::trim).filter(l -> !l.isEmpty()).sorted().toList();
    }

    @Test
    void theBuildWritesACompletionScriptAndAManPageFromTheCommandModel() throws Exception {
        Path toolBuild = launcher().getParent().resolveSibling("java").resolve("tool");
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

    /** The names in the "Commands:" part of a help text (asked in this JVM). */
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
