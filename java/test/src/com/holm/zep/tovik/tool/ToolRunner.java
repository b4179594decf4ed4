package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

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
    /** Output and exit code of one run. */
    record Result(int exitCode, String out, String err) {
        List<String> errLines() {
            return err.isEmpty() ? List.of() : List.of(err.split("\n"));
        }

        @Override
        public String toString() {
            return "exit " + exitCode + "\n--- stdout\n" + out + "--- stderr\n" + err;
        }
    }

    private ToolRunner() {
    }

    /** One run of the tool's command line in this JVM. */
    static Result run(String... args) {
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
        return checked(new Result(exitCode, out.toString(StandardCharsets.UTF_8),
                err.toString(StandardCharsets.UTF_8)));
    }

    /** Runs the tool, which must succeed. */
    static Result ok(String... args) {
        Result r = run(args);
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
        Result r = run(args);
        assertEquals(exitCode, r.exitCode(), r::toString);
        return oneErrorLine(r);
    }

    /** Asserts that a failed run wrote exactly one line to standard error, starting "tovik: ". */
    static String oneErrorLine(Result result) {
        List<String> lines = result.errLines();
        assertTrue(lines.size() == 1 && lines.get(0).startsWith("tovik: "),
                () -> "expected one 'tovik: ' line on stderr:\n" + result);
        return lines.get(0);
    }

    /** No uncaught exception and no stack trace: the tool reports failures as one line. */
    static Result checked(Result result) {
        assertFalse(result.err().contains("Exception in thread"), () -> "uncaught:\n" + result);
        assertFalse(result.err().contains("\tat "), () -> "stack trace printed:\n" + result);
        return result;
    }
}
