package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.concurrent.TimeUnit;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/** Events: one wait with a time-out, and --follow ended by an interrupt. */
class ToolEventsTest {
    @Test
    void oneWaitListsTheEventsPostedInOrder() {
        ToolRunner.Result r = ToolRunner.run("events", "--post", "1,2,3", "--post",
                "4,5,0xFFFFFFFF", "--timeout", "30");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().contains("Events received: 2\n"), r::toString);
        assertTrue(Pattern.compile("(?m)^  1\\s+2\\s+3\\n  4\\s+5\\s+4294967295$")
                .matcher(r.out()).find(), r::toString);
    }

    @Test
    void oneWaitWithoutEventsEndsAtTheTimeout() {
        ToolRunner.Result r = ToolRunner.run("--json", "events", "--timeout", "0.3");
        assertEquals(0, r.exitCode(), r::toString);
        assertEquals(java.util.List.of(), MiniJson.object(r.out()).get("events"));
    }

    @Test
    void followShowsEventsAndAnInterruptCancelsTheWaitCleanly() throws Exception {
        Process process = ToolRunner.builder("--log", "events", "--follow", "--post", "7,8,9")
                .start();
        process.getOutputStream().close();
        ToolRunner.Drain out = new ToolRunner.Drain(process.getInputStream());
        ToolRunner.Drain err = new ToolRunner.Drain(process.getErrorStream());
        try {
            long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(60);
            // The event is shown, and the tool is back in the library's wait for the next one.
            while (!(out.sofar().contains("event 1: 7 8 9")
                    && countOf(err.sofar(), "Wait for events\n") >= 2)) {
                assertTrue(process.isAlive() && System.nanoTime() < deadline,
                        () -> "no event shown:\n" + out.sofar() + err.sofar());
                Thread.sleep(20);
            }
            String signal = sigintIgnored() ? "TERM" : "INT";
            Process kill = new ProcessBuilder("kill", "-" + signal, Long.toString(process.pid()))
                    .start();
            assertEquals(0, kill.waitFor());
            assertTrue(process.waitFor(60, TimeUnit.SECONDS), "the tool did not stop");
            ToolRunner.Result r = ToolRunner.checked(new ToolRunner.Result(process.exitValue(),
                    out.text(), err.text()));
            assertEquals(signal.equals("INT") ? 130 : 143, r.exitCode(), r::toString);
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
        } finally {
            process.destroyForcibly();
        }
    }

    private static int countOf(String text, String part) {
        int count = 0;
        for (int i = text.indexOf(part); i >= 0; i = text.indexOf(part, i + 1)) {
            count++;
        }
        return count;
    }

    /** Whether this process (and so the tool it starts) ignores SIGINT, as background jobs do. */
    private static boolean sigintIgnored() throws IOException {
        Path status = Path.of("/proc/self/status");
        for (String line : Files.readAllLines(status)) {
            if (line.startsWith("SigIgn:")) {
                long mask = Long.parseUnsignedLong(line.substring(7).trim(), 16);
                return (mask & (1L << (2 - 1))) != 0;
            }
        }
        return false;
    }
}
