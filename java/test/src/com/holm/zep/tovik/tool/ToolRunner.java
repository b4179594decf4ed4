package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;

/**
 * Runs the tool in this JVM: its command line with standard output and error captured, the
 * virtual provider back at its default workshop first, as a fresh process would find it.
 */
final class ToolRunner {
    private ToolRunner() {
    }

    /** One run of the tool's command line in this JVM. */
    static Run run(String... args) {
        VirtualProvider.reset();
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        ByteArrayOutputStream err = new ByteArrayOutputStream();
        PrintStream stdout = System.out;
        PrintStream stderr = System.err;
        int exitCode;
        try (PrintStream o = new PrintStream(out, true, StandardCharsets.UTF_8);
                PrintStream e = new PrintStream(err, true, StandardCharsets.UTF_8)) {
            System.setOut(o);
            System.setErr(e);
            exitCode = Tovik.commandLine().execute(args);
        } finally {
            System.setOut(stdout);
            System.setErr(stderr);
            // The interrupt hook would otherwise hold this JVM's exit for its cleanup time.
            Interrupts.finished();
        }
        return checked(new Run(exitCode, out.toString(StandardCharsets.UTF_8),
                err.toString(StandardCharsets.UTF_8)));
    }

    /** Runs the tool, which must succeed. */
    static Run ok(String... args) {
        Run r = run(args);
        assertEquals(0, r.exitCode(), r::toString);
        return r;
    }

    /** Runs the tool with --json first, which must succeed, and reads what it wrote. */
    static Map<String, Object> json(String... args) {
        List<String> all = new ArrayList<>(List.of("--json"));
        all.addAll(List.of(args));
        return ToolJson.object(ok(all.toArray(String[]::new)).out());
    }

    /** Runs the tool, which must fail with the exit code and one error line; returns the line. */
    static String fails(int exitCode, String... args) {
        Run r = run(args);
        assertEquals(exitCode, r.exitCode(), r::toString);
        return oneErrorLine(r);
    }

    /** Asserts that a failed run wrote exactly one line to standard error, starting "tovik: ". */
    static String oneErrorLine(Run result) {
        List<String> lines = result.err().isEmpty() ? List.of() : List.of(result.err().split("\n"));
        assertTrue(lines.size() == 1 && lines.get(0).startsWith("tovik: "),
                () -> "expected one 'tovik: ' line on stderr:\n" + result);
        return lines.get(0);
    }

    /** No uncaught exception and no stack trace: the tool reports failures as one line. */
    static Run checked(Run result) {
        assertFalse(result.err().contains("Exception in thread"), () -> "uncaught:\n" + result);
        assertFalse(result.err().contains("\tat "), () -> "stack trace printed:\n" + result);
        return result;
    }
}
