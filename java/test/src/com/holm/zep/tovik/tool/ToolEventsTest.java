package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import java.util.function.BooleanSupplier;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Events (one wait with a time-out, --follow ended by an interrupt) and interrupted commands. */
class ToolEventsTest {
    @Test
    void oneWaitListsTheEventsPostedInOrder() {
        ToolRunner.Result r = ToolRunner.ok("events", "--post", "1,2,3", "--post", "4,5,0xFFFFFFFF", "--timeout", "30");
        assertTrue(r.out().contains("Events received: 2\n"), r::toString);
        assertTrue(Pattern.compile("(?m)^  1\\s+2\\s+3\\n  4\\s+5\\s+4294967295$")
                .matcher(r.out()).find(), r::toString);
    }

    @Test
    void oneWaitWithoutEventsEndsAtTheTimeout() {
        assertEquals(List.of(), ToolRunner.json("events", "--timeout", "0.3").get("events"));
    }

    /** A running tool that a test interrupts once it has got far enough. */
    private static final class Running implements AutoCloseable {
        final Process process;
        final ToolRunner.Drain out;
        final ToolRunner.Drain err;
        final String signal;

        Running(Path scenario, String... args) throws IOException {
            List<String> all = new ArrayList<>();
            if (scenario != null) {
                all.addAll(List.of("--scenario", scenario.toString()));
            }
            all.addAll(List.of(args));
            process = ToolRunner.builder(all.toArray(String[]::new)).start();
            process.getOutputStream().close();
            out = new ToolRunner.Drain(process.getInputStream());
            err = new ToolRunner.Drain(process.getErrorStream());
            signal = sigintIgnored() ? "TERM" : "INT";
        }

        void awaitThen(BooleanSupplier ready) throws Exception {
            long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(60);
            while (!ready.getAsBoolean()) {
                assertTrue(process.isAlive() && System.nanoTime() < deadline,
                        () -> "not reached:\n" + out.sofar() + err.sofar());
                Thread.sleep(20);
            }
        }

        /** Ctrl-C (SIGTERM where this process ignores SIGINT, as background jobs do). */
        ToolRunner.Result interrupt() throws Exception {
            Process kill = new ProcessBuilder("kill", "-" + signal,
                    Long.toString(process.pid())).start();
            assertEquals(0, kill.waitFor());
            assertTrue(process.waitFor(60, TimeUnit.SECONDS), "the tool did not stop");
            ToolRunner.Result r = ToolRunner.checked(new ToolRunner.Result(process.exitValue(),
                    out.text(), err.text()));
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
        try (Running tool = new Running(null, "--log", "events", "--follow", "--post", "7,8,9")) {
            // The event is shown, and the tool is back in the library's wait for the next one.
            tool.awaitThen(() -> tool.out.sofar().contains("event 1: 7 8 9")
                    && countOf(tool.err.sofar(), "Wait for events\n") >= 2);
            ToolRunner.Result r = tool.interrupt();
            assertTrue(r.out().endsWith("Interrupted: event wait cancelled after 1 event(s).\n"),
                    r::toString);
            // Cancelled through the library, the wait ended, then the runtime shut down.
            String log = r.err();
            int cancel = log.indexOf("CancelEventNotification OK");
            int waitEnded = log.lastIndexOf("Wait for events done 1");
            int shutdown = log.indexOf("shutting down runtime complete");
            assertTrue(waitEnded > 0 && cancel > 0 && shutdown > Math.max(cancel, waitEnded),
                    r::toString);
            assertTrue(log.endsWith("shutting down runtime complete\n"), r::toString);
        }
    }

    @Test
    void followUnderJsonWritesOneObjectPerEventAndNothingElse() throws Exception {
        try (Running tool = new Running(null, "--json", "events", "--follow", "--post",
                "7,8,9", "--post", "1,0xFFFFFFFF,3")) {
            tool.awaitThen(() -> tool.out.sofar().lines().count() >= 2);
            ToolRunner.Result r = tool.interrupt();
            List<Map<String, Object>> events = ToolJson.lines(r.out());
            assertEquals(List.of(List.of(7L, 8L, 9L), List.of(1L, 0xFFFFFFFFL, 3L)), events.stream()
                    .map(e -> List.of(e.get("first"), e.get("second"), e.get("third"))).toList(), r::toString);
            assertTrue(events.get(1).get("time").toString().matches(
                    "\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"), r::toString);
            assertEquals("", r.err(), r::toString);
        }
    }

    @Test
    void anInterruptEndsTheDemoAtOnce(@TempDir Path temp) throws Exception {
        // Jobs that need a million polls: the installation step runs until interrupted.
        String scenario = ToolRunner.run("scenario").out();
        assertTrue(scenario.contains("\"components\": 3"), "default scenario changed its layout");
        Path file = temp.resolve("slow-jobs.json");
        Files.writeString(file, scenario.replace("\"components\": 3", "\"components\": 1000000"));
        try (Running tool = new Running(file, "demo")) {
            tool.awaitThen(() -> tool.out.sofar().contains("== 7/15  Installing an application")
                    && tool.out.sofar().contains("  [....."));
            ToolRunner.Result r = tool.interrupt();
            assertEquals("tovik: demo (step 7 of 15, Installing an application) interrupted",
                    ToolRunner.oneErrorLine(r));
            assertFalse(r.out().contains("== 8/15"), r::toString);
            assertFalse(r.out().contains("Summary"), r::toString);
        }
    }

    private static int countOf(String text, String part) {
        return text.split(Pattern.quote(part), -1).length - 1;
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
}
