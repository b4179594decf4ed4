package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import java.io.File;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.concurrent.TimeUnit;

/**
 * Runs {@link ChildMain} in a virtual machine of its own, with -Xcheck:jni and this run's class
 * and library paths, and collects what it writes (standard output and error, the library's own
 * standard-output lines included).
 */
final class ChildJvm {
    /** Hang detection only: a healthy child ends in a second or two. */
    private static final long HANG_LIMIT_SECONDS = 120;

    private ChildJvm() {
    }

    /** The output of a child that ended by itself with exit value 0 and no JNI warning. */
    static String run(String mode) throws Exception {
        Path output = Files.createTempFile("tovik-child-jvm", ".log");
        try {
            String java = Path.of(System.getProperty("java.home"), "bin", "java").toString();
            String codeSource = Path.of(ChildMain.class.getProtectionDomain().getCodeSource().getLocation().toURI())
                    .toString();
            Process child = new ProcessBuilder(List.of(java, "-Xcheck:jni",
                    "-Djava.library.path=" + System.getProperty("java.library.path"),
                    "-cp", System.getProperty("java.class.path") + File.pathSeparator + codeSource,
                    ChildMain.class.getName(), mode))
                    .redirectErrorStream(true).redirectOutput(output.toFile()).start();
            boolean ended = child.waitFor(HANG_LIMIT_SECONDS, TimeUnit.SECONDS);
            if (!ended) {
                child.destroyForcibly().waitFor();
            }
            // Decoded leniently: a broken child may write bytes that are not UTF-8.
            String text = new String(Files.readAllBytes(output), StandardCharsets.UTF_8);
            assertTrue(ended, "the child did not end by itself:\n" + text);
            assertEquals(0, child.exitValue(), text);
            assertFalse(text.contains("WARNING") || text.contains("FATAL ERROR"), text);
            return text;
        } finally {
            Files.deleteIfExists(output);
        }
    }
}
