package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.concurrent.TimeUnit;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/**
 * A process whose main returns while the library's command thread is attached to the virtual
 * machine must still end: native threads are attached as daemon threads.
 */
class DaemonAttachProcessTest {
    /** Hang detection only: a healthy child ends in a second or two. */
    private static final long HANG_LIMIT_SECONDS = 120;

    @Test
    void theProcessEndsWhenMainReturns() throws IOException, InterruptedException {
        Path output = Files.createTempFile("tovik-daemon-attach", ".log");
        try {
            String java = Path.of(System.getProperty("java.home"), "bin", "java").toString();
            ProcessBuilder builder = new ProcessBuilder(List.of(java,
                    "-Xcheck:jni",
                    "-Djava.library.path=" + System.getProperty("java.library.path"),
                    "-cp", System.getProperty("java.class.path") + File.pathSeparator + codeSourceOf(LoggingMain.class),
                    LoggingMain.class.getName()));
            builder.redirectErrorStream(true);
            builder.redirectOutput(output.toFile());
            Process child = builder.start();

            boolean ended = child.waitFor(HANG_LIMIT_SECONDS, TimeUnit.SECONDS);
            if (!ended) {
                child.destroyForcibly().waitFor();
            }
            String text = Files.readString(output, StandardCharsets.UTF_8);
            assertTrue(ended, "the child did not end by itself:\n" + text);
            assertEquals(0, child.exitValue(), text);

            Matcher m = Pattern.compile("handle=1 result=0 commandThreadLines=([0-9]+)").matcher(text);
            assertTrue(m.find(), text);
            assertTrue(Integer.parseInt(m.group(1)) > 0, "command thread lines were delivered: " + text);
            assertFalse(text.contains("WARNING"), text);
            assertFalse(text.contains("FATAL ERROR"), text);
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
