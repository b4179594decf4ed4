package com.holm.zep.tovik.tool;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/** How the tool behaves when what it loads is not there, and the jar's own manifest. */
class ToolEnvironmentTest {
    /** The JVM, class path and main class the launcher uses, but a library path of our own. */
    private static ToolRunner.Result runWithLibraryPath(String libraryPath, String... args)
            throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher java = Pattern.compile("exec \"([^\"]+)\"").matcher(launcher);
        Matcher classPath = Pattern.compile("-cp \"([^\"]+)\"").matcher(launcher);
        assertTrue(java.find() && classPath.find(), launcher);
        List<String> command = new ArrayList<>(List.of(java.group(1), "-Xcheck:jni",
                "-Djava.library.path=" + libraryPath, "-cp", classPath.group(1),
                "com.holm.zep.tovik.tool.Tovik"));
        command.addAll(List.of(args));
        Process process = new ProcessBuilder(command).start();
        process.getOutputStream().close();
        ToolRunner.Drain out = new ToolRunner.Drain(process.getInputStream());
        ToolRunner.Drain err = new ToolRunner.Drain(process.getErrorStream());
        assertTrue(process.waitFor(60, TimeUnit.SECONDS));
        return ToolRunner.checked(new ToolRunner.Result(process.exitValue(), out.text(),
                err.text()));
    }

    @Test
    void withoutTheNativeLibrariesACommandExitsThreeWithOneLine() throws Exception {
        ToolRunner.Result r = runWithLibraryPath("/nonexistent", "modules");
        assertEquals(3, r.exitCode(), r::toString);
        assertEquals("", r.out(), r::toString);
        String line = ToolRunner.oneErrorLine(r);
        assertTrue(line.startsWith("tovik: load virtual provider failed: libTovikProviderSim "
                + "could not be loaded ("), line);

        ToolRunner.Result json = runWithLibraryPath("/nonexistent", "--json", "modules");
        assertEquals(3, json.exitCode(), json::toString);
        assertEquals(3L, MiniJson.at(MiniJson.object(json.out()), "error", "exitCode"));
    }

    @Test
    void commandsWithoutTheLibraryStillWork() throws Exception {
        ToolRunner.Result r = runWithLibraryPath("/nonexistent", "codes", "0x50000007");
        assertEquals(0, r.exitCode(), r::toString);
        assertTrue(r.out().contains("TOVIK_E_NO_RUNTIME"), r::toString);
    }

    @Test
    void theToolJarNamesItsMainClassAndVersion() throws Exception {
        String launcher = Files.readString(ToolRunner.launcher());
        Matcher toolJar = Pattern.compile("[^:\"]*tovik-tool\\.jar").matcher(launcher);
        assertTrue(toolJar.find(), launcher);
        try (java.util.jar.JarFile jar = new java.util.jar.JarFile(toolJar.group())) {
            java.util.jar.Attributes main = jar.getManifest().getMainAttributes();
            assertEquals("com.holm.zep.tovik.tool.Tovik", main.getValue("Main-Class"));
            assertTrue(main.getValue("Class-Path").contains("picocli.jar"));
        }
        ToolRunner.Result version = ToolRunner.run("--version");
        assertEquals(0, version.exitCode(), version::toString);
        assertTrue(version.out().matches("(?s)tovik \\d+\\.\\d+\\.\\d+ - TovikApi4J.*"),
                version::toString);
    }
}
