package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;

/**
 * Runs the {@code tovik} launcher that the build generated (build/bin/tovik, found next to the
 * build's lib/ folder on java.library.path) as a process, with -Xcheck:jni, and captures what
 * it writes. Every finished run is checked for JNI warnings.
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

    private static final String JNI_WARNINGS = "WARNING in native method|WARNING: JNI"
            + "|FATAL ERROR in native method";

    private ToolRunner() {
    }

    static Path launcher() {
        String libraryPath = System.getProperty("java.library.path", "");
        for (String entry : libraryPath.split(java.io.File.pathSeparator)) {
            Path candidate = Paths.get(entry).resolveSibling("bin").resolve("tovik");
            if (Files.isExecutable(candidate)) {
                return candidate;
            }
        }
        throw new IllegalStateException("no bin/tovik next to java.library.path " + libraryPath);
    }

    static ProcessBuilder builder(String... args) {
        List<String> command = new ArrayList<>();
        command.add(launcher().toString());
        command.addAll(List.of(args));
        ProcessBuilder pb = new ProcessBuilder(command);
        pb.environment().put("TOVIK_JAVA_OPTS", "-Xcheck:jni");
        return pb;
    }

    /** Runs the tool to its end (at most two minutes). */
    static Result run(String... args) {
        return run(builder(args));
    }

    /** Runs a process to its end (at most two minutes); its output must show no JNI problem. */
    static Result run(ProcessBuilder builder) {
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

    static Result checked(Result result) {
        assertFalse(java.util.regex.Pattern.compile(JNI_WARNINGS).matcher(result.err()).find(),
                () -> "JNI check failed:\n" + result);
        assertFalse(result.err().contains("Exception in thread"), () -> "uncaught:\n" + result);
        assertFalse(result.err().contains("\tat "), () -> "stack trace printed:\n" + result);
        return result;
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
