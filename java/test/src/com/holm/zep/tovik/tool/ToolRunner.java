package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import java.util.regex.Pattern;

/**
 * Runs the tool in this JVM (its command line with standard output and error captured, the
 * virtual provider back at its default workshop first, as a fresh process would find it) or, for
 * what only a process shows (the launcher, System.exit, signals), the {@code tovik} launcher the
 * build generated (build/bin/tovik, beside the lib/ folder on java.library.path) with -Xcheck:jni.
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

    private static final Pattern JNI_WARNINGS = Pattern.compile(
            "WARNING in native method|WARNING: JNI|FATAL ERROR in native method");

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

    static Result checked(Result result) {
        assertFalse(JNI_WARNINGS.matcher(result.err()).find(), () -> "JNI check failed:\n" + result);
        assertFalse(result.err().contains("Exception in thread"), () -> "uncaught:\n" + result);
        assertFalse(result.err().contains("\tat "), () -> "stack trace printed:\n" + result);
        return result;
    }

    // ---- processes

    static Path launcher() {
        for (String entry : System.getProperty("java.library.path", "").split(java.io.File.pathSeparator)) {
            Path candidate = Paths.get(entry).resolveSibling("bin").resolve("tovik");
            if (Files.isExecutable(candidate)) {
                return candidate;
            }
        }
        throw new IllegalStateException("no bin/tovik next to java.library.path");
    }

    /** The launcher with these arguments, its JVM under -Xcheck:jni. */
    static ProcessBuilder builder(String... args) {
        List<String> command = new ArrayList<>();
        command.add(launcher().toString());
        command.addAll(List.of(args));
        ProcessBuilder pb = new ProcessBuilder(command);
        pb.environment().put("TOVIK_JAVA_OPTS", "-Xcheck:jni");
        return pb;
    }

    /** Runs a process to its end (at most two minutes); its output must show no JNI problem. */
    static Result process(ProcessBuilder builder) {
        try {
            Process process = builder.start();
            process.getOutputStream().close();
            Drain out = new Drain(process.getInputStream());
            Drain err = new Drain(process.getErrorStream());
            if (!process.waitFor(120, TimeUnit.SECONDS)) {
                process.destroyForcibly();
                throw new AssertionError(builder.command() + " did not end");
            }
            return checked(new Result(process.exitValue(), out.text(), err.text()));
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            throw new AssertionError(e);
        }
    }

    /** Collects a stream on a thread of its own, so that a full pipe never blocks the tool. */
    static final class Drain {
        private final ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        private final Thread thread;

        Drain(InputStream in) {
            thread = new Thread(() -> {
                byte[] buffer = new byte[8192];
                try (in) {
                    int n;
                    while ((n = in.read(buffer)) > 0) {
                        synchronized (bytes) {
                            bytes.write(buffer, 0, n);
                        }
                    }
                } catch (IOException e) {
                    // the process ended
                }
            });
            thread.setDaemon(true);
            thread.start();
        }

        /** What has arrived so far. */
        String sofar() {
            synchronized (bytes) {
                return bytes.toString(StandardCharsets.UTF_8);
            }
        }

        /** Everything, once the stream has ended. */
        String text() throws InterruptedException {
            thread.join(TimeUnit.SECONDS.toMillis(30));
            return sofar();
        }
    }
}
