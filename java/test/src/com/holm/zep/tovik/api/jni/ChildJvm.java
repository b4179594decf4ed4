package com.holm.zep.tovik.api.jni;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.concurrent.TimeUnit;

/**
 * Runs a main class of the tests in a virtual machine of its own, with -Xcheck:jni and this
 * run's class and library paths, and collects what it writes (standard output and error, the
 * library's own standard-output lines included).
 */
final class ChildJvm {
    /** Hang detection only: a healthy child ends in a second or two. */
    private static final long HANG_LIMIT_SECONDS = 120;

    /** How the child ended: by itself (with its exit value) or killed after the limit. */
    record Outcome(boolean ended, int exitValue, String output) {
    }

    private ChildJvm() {
    }

    static Outcome run(Class<?> main) throws IOException, InterruptedException {
        Path output = Files.createTempFile("tovik-child-jvm", ".log");
        try {
            String java = Path.of(System.getProperty("java.home"), "bin", "java").toString();
            ProcessBuilder builder = new ProcessBuilder(List.of(java,
                    "-Xcheck:jni",
                    "-Djava.library.path=" + System.getProperty("java.library.path"),
                    "-cp", System.getProperty("java.class.path") + File.pathSeparator + codeSourceOf(main),
                    main.getName()));
            builder.redirectErrorStream(true);
            builder.redirectOutput(output.toFile());
            Process child = builder.start();

            boolean ended = child.waitFor(HANG_LIMIT_SECONDS, TimeUnit.SECONDS);
            if (!ended) {
                child.destroyForcibly().waitFor();
            }
            // Decoded leniently: a broken child may write bytes that are not UTF-8.
            return new Outcome(ended, child.exitValue(),
                    new String(Files.readAllBytes(output), StandardCharsets.UTF_8));
        } finally {
            Files.deleteIfExists(output);
        }
    }

    private static String codeSourceOf(Class<?> type) {
        try {
            return Path.of(type.getProtectionDomain().getCodeSource().getLocation().toURI()).toString();
        } catch (Exception e) {
            throw new IllegalStateException(e);
        }
    }
}
