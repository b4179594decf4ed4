package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.concurrent.TimeUnit;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/**
 * The jars as a user takes them away: a JVM with only tovik-api.jar and tovik-sim.jar on its
 * class path and no library path loads the natives the jars carry, drives the library against
 * the virtual provider, keeps one platform layer in the process and leaves no files behind.
 * Each case runs a small program (Probe.java, run from source) in a JVM of its own.
 */
class CarriedNativesTest {
    private static final String JNI_PROBLEMS =
            "WARNING in native method|WARNING: JNI|FATAL ERROR in native method";

    /** Loads the two jars' natives in the order given by its argument and lists the modules. */
    private static final String PROBE = String.join("\n",
            "import com.holm.zep.tovik.api.jni.LongValue;",
            "import com.holm.zep.tovik.api.jni.TovikApiManager;",
            "import com.holm.zep.tovik.api.jni.TovikVciItem;",
            "import com.holm.zep.tovik.sim.VirtualProvider;",
            "import java.nio.file.Files;",
            "import java.nio.file.Paths;",
            "public class Probe {",
            "    public static void main(String[] args) throws Exception {",
            "        boolean providerFirst = args[0].equals(\"provider-first\");",
            "        if (providerFirst) VirtualProvider.reset();",
            "        TovikApiManager.loadLibrary();",
            "        if (!providerFirst) VirtualProvider.reset();",
            "        TovikApiManager manager = new TovikApiManager();",
            "        LongValue result = new LongValue(-1);",
            "        long handle = manager.vtxInitializeRuntime(\"probe\", \"\", false, result);",
            "        System.out.println(\"runtime \" + result.get());",
            "        for (TovikVciItem item : manager.vtxGetModuleIds(handle, result)) {",
            "            System.out.println(\"module \" + item.getSerialNumber() + \" \" + item.getModuleName());",
            "        }",
            "        System.out.println(\"modules \" + result.get());",
            "        manager.vtxShutdownRuntime(handle);",
            "        for (String line : Files.readAllLines(Paths.get(\"/proc/self/maps\"))) {",
            "            int at = line.indexOf('/');",
            "            if (at >= 0 && line.contains(\"/libTovik\")) System.out.println(\"mapped \" + line.substring(at));",
            "        }",
            "    }",
            "}",
            "");

    /** "mapped <path>[ (deleted)]": one line per mapping of a project library. */
    private static final Pattern MAPPED = Pattern.compile("mapped (.*/(libTovik[A-Za-z0-9]*\\.so))( \\(deleted\\))?");

    @TempDir
    Path work;

    private Path probe;
    private Path tmp;

    @BeforeEach
    void writeProbe() throws IOException {
        probe = work.resolve("Probe.java");
        Files.writeString(probe, PROBE, StandardCharsets.UTF_8);
        tmp = Files.createDirectory(work.resolve("tmp"));
    }

    @ParameterizedTest
    @ValueSource(strings = {"library-first", "provider-first"})
    void theJarsAloneLoadTheirNativesAndServeTheApi(String order) throws Exception {
        Run run = probe(List.of(distJar("tovik-api.jar"), distJar("tovik-sim.jar")), null, order);

        assertEquals(0, run.exitCode, run.toString());
        assertTrue(run.out.contains("runtime 0\n"), run.toString());
        assertTrue(run.out.contains("module 200101 TVX-200 Bay 1\n"), run.toString());
        assertTrue(run.out.contains("module 100017 TVX-100 Bench\n"), run.toString());
        assertTrue(run.out.contains("modules 0\n"), run.toString());

        Map<String, List<String>> mapped = run.mappedFolders();
        assertEquals(List.of("libTovikApi4J.so", "libTovikPlatform.so", "libTovikProviderSim.so"),
                List.copyOf(mapped.keySet()), run.toString());
        // One platform layer: the library and the provider share its COM runtime.
        assertEquals(1, mapped.get("libTovikPlatform.so").size(), run.toString());
        for (List<String> folders : mapped.values()) {
            assertEquals(1, folders.size(), run.toString());
            assertTrue(folders.get(0).startsWith(tmp.toRealPath() + File.separator), run.toString());
        }
        // The extracted files and folders are gone once the libraries are loaded.
        try (Stream<Path> left = Files.list(tmp)) {
            assertEquals(List.of(), left.toList(), run.toString());
        }
    }

    @Test
    void aLibraryOnTheLibraryPathIsPreferred() throws Exception {
        Path buildLib = buildLibraryFolder();
        Run run = probe(List.of(distJar("tovik-api.jar"), distJar("tovik-sim.jar")), buildLib, "library-first");

        assertEquals(0, run.exitCode, run.toString());
        assertTrue(run.out.contains("module 200102 TVX-200 Bay 2\n"), run.toString());
        for (List<String> folders : run.mappedFolders().values()) {
            assertEquals(List.of(buildLib.toRealPath().toString()), folders, run.toString());
        }
        try (Stream<Path> left = Files.list(tmp)) {
            assertEquals(List.of(), left.toList(), "nothing extracted");
        }
    }

    @Test
    void aJarWithoutNativesNamesWhatIsMissing() throws Exception {
        // The build's own tovik-api.jar carries nothing: the build's lib/ folder serves it.
        Path plainJar = distJar("tovik-api.jar").getParent().resolveSibling("tovik-api.jar");
        Run run = probe(List.of(plainJar, distJar("tovik-sim.jar")), null, "library-first");

        assertEquals(1, run.exitCode, run.toString());
        assertTrue(run.err.contains("java.lang.UnsatisfiedLinkError: no TovikApi4J in java.library.path"),
                run.toString());
        assertTrue(run.err.contains("the jar carries no /native/"), run.toString());
        assertFalse(run.out.contains("mapped"), run.toString());
    }

    // ---- running the probe

    private record Run(int exitCode, String out, String err) {
        /** Folder(s) each project library was mapped from, by file name. */
        Map<String, List<String>> mappedFolders() {
            Map<String, List<String>> folders = new TreeMap<>();
            for (String line : out.split("\n")) {
                Matcher m = MAPPED.matcher(line);
                if (m.matches()) {
                    List<String> list = folders.computeIfAbsent(m.group(2), k -> new ArrayList<>());
                    String folder = Paths.get(m.group(1)).getParent().toString();
                    if (!list.contains(folder)) {
                        list.add(folder);
                    }
                }
            }
            return folders;
        }

        @Override
        public String toString() {
            return "exit " + exitCode + "\n--- stdout\n" + out + "--- stderr\n" + err;
        }
    }

    /** Runs the probe with exactly these jars; libraryPath null: no java.library.path option. */
    private Run probe(List<Path> jars, Path libraryPath, String order) throws Exception {
        for (Path jar : jars) {
            assertTrue(Files.isRegularFile(jar), "missing " + jar);
        }
        List<String> command = new ArrayList<>();
        command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
        command.add("-Xcheck:jni");
        command.add("-Djava.io.tmpdir=" + tmp);
        if (libraryPath != null) {
            command.add("-Djava.library.path=" + libraryPath);
        }
        command.add("-cp");
        command.add(String.join(File.pathSeparator, jars.stream().map(Path::toString).toList()));
        command.add(probe.toString());
        command.add(order);

        ProcessBuilder builder = new ProcessBuilder(command);
        builder.environment().remove("LD_LIBRARY_PATH");
        builder.environment().remove("JAVA_TOOL_OPTIONS");
        builder.redirectOutput(work.resolve("out.txt").toFile());
        builder.redirectError(work.resolve("err.txt").toFile());
        Process process = builder.start();
        if (!process.waitFor(120, TimeUnit.SECONDS)) {
            process.destroyForcibly();
            throw new AssertionError("probe did not finish: " + command);
        }
        Run run = new Run(process.exitValue(), Files.readString(work.resolve("out.txt")),
                Files.readString(work.resolve("err.txt")));
        assertFalse(Pattern.compile(JNI_PROBLEMS).matcher(run.out + run.err).find(), run.toString());
        return run;
    }

    /** The jars that carry their natives: dist/ beside the jar of this test. */
    private static Path distJar(String name) throws Exception {
        Path testJar = Paths.get(CarriedNativesTest.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        return testJar.resolveSibling("dist").resolve(name);
    }

    /** The build's lib/ folder, which the test run's own java.library.path names. */
    private static Path buildLibraryFolder() {
        for (String entry : System.getProperty("java.library.path", "").split(File.pathSeparator)) {
            Path candidate = Paths.get(entry);
            if (Files.isRegularFile(candidate.resolve(System.mapLibraryName("TovikApi4J")))) {
                return candidate;
            }
        }
        throw new IllegalStateException("no libTovikApi4J on " + System.getProperty("java.library.path"));
    }
}
