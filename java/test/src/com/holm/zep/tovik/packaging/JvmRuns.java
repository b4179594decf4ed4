package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.*;

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
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

/**
 * Support for the packaging tests: the jars users take away (the build's dist/ folder), small
 * programs compiled against them, and JVMs run as processes with -Xcheck:jni and no inherited
 * library path or JVM options.
 */
public final class JvmRuns {
    public static final String JNI_PROBLEMS = "WARNING in native method|WARNING: JNI|FATAL ERROR in native method";

    /**
     * Loads the two jars' natives in the order its argument names ("library-first" or
     * "provider-first"), lists the modules and prints where the classes came from and which
     * project libraries are mapped. A failure is printed and ends the run with exit code 1, after
     * the mappings.
     */
    static final String PROBE = """
            import com.holm.zep.tovik.api.jni.LongValue;
            import com.holm.zep.tovik.api.jni.TovikApiManager;
            import com.holm.zep.tovik.api.jni.TovikVciItem;
            import com.holm.zep.tovik.sim.VirtualProvider;
            import java.nio.file.Files;
            import java.nio.file.Paths;
            public class Probe {
                public static void main(String[] args) throws Exception {
                    System.out.println("api " + origin(TovikApiManager.class));
                    System.out.println("sim " + origin(VirtualProvider.class));
                    int exitCode = 0;
                    try {
                        run(args[0].equals("provider-first"));
                    } catch (Throwable failure) {
                        failure.printStackTrace();
                        exitCode = 1;
                    }
                    for (String line : Files.readAllLines(Paths.get("/proc/self/maps"))) {
                        int at = line.indexOf('/');
                        if (at >= 0 && line.contains("/libTovik")) System.out.println("mapped " + line.substring(at));
                    }
                    System.exit(exitCode);
                }
                static String origin(Class<?> type) {
                    return "module=" + type.getModule().getName() + " loader=" + type.getClassLoader().getName();
                }
                static void run(boolean providerFirst) {
                    if (providerFirst) VirtualProvider.reset();
                    TovikApiManager.loadLibrary();
                    if (!providerFirst) VirtualProvider.reset();
                    TovikApiManager manager = new TovikApiManager();
                    LongValue result = new LongValue(-1);
                    long handle = manager.vtxInitializeRuntime("probe", "", false, result);
                    System.out.println("runtime " + result.get());
                    for (TovikVciItem item : manager.vtxGetModuleIds(handle, result)) {
                        System.out.println("module " + item.getSerialNumber() + " " + item.getModuleName());
                    }
                    System.out.println("modules " + result.get());
                    manager.vtxShutdownRuntime(handle);
                }
            }
            """;

    /** "mapped <path>[ (deleted)]": one line per mapping of a project library. */
    private static final Pattern MAPPED = Pattern.compile("mapped (.*/(libTovik[A-Za-z0-9]*)\\.so[0-9.]*)( \\(deleted\\))?");

    private JvmRuns() {
    }

    /** The project's version, as the build passes it to the packaging tests. */
    static String version() {
        String version = System.getProperty("tovik.test.projectVersion");
        assertTrue(version != null && !version.isEmpty(), "tovik.test.projectVersion is not set");
        return version;
    }

    /** The build's dist/ folder: the jars users take away, beside the jar of the tests. */
    static Path distFolder() throws Exception {
        Path testJar = Paths.get(JvmRuns.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        return testJar.resolveSibling("dist");
    }

    /** dist/<artifact>-<version>.jar, which must exist. */
    static Path distJar(String artifact) throws Exception {
        Path jar = distFolder().resolve(artifact + "-" + version() + ".jar");
        assertTrue(Files.isRegularFile(jar), "missing " + jar);
        return jar;
    }

    /** The build's lib/ folder, which the test run's own java.library.path names. */
    public static Path buildLibraryFolder() {
        for (String entry : System.getProperty("java.library.path", "").split(File.pathSeparator)) {
            Path candidate = Paths.get(entry);
            if (Files.isRegularFile(candidate.resolve(System.mapLibraryName("TovikApi4J")))) {
                return candidate;
            }
        }
        throw new IllegalStateException("no libTovikApi4J on " + System.getProperty("java.library.path"));
    }

    /** Compiles one source file (class {@code name}) against the class path into a new folder. */
    static Path compile(Path work, String name, String source, List<Path> classPath) throws IOException {
        Path sources = Files.createDirectories(work.resolve("src-" + name));
        Path classes = Files.createDirectories(work.resolve("classes-" + name));
        Path file = sources.resolve(name + ".java");
        Files.writeString(file, source, StandardCharsets.UTF_8);
        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        List<String> arguments = new ArrayList<>(List.of("-d", classes.toString(), "-Xlint:all", "-Werror"));
        if (!classPath.isEmpty()) {
            arguments.add("-cp");
            arguments.add(join(classPath));
        }
        arguments.add(file.toString());
        assertEquals(0, javac.run(null, null, null, arguments.toArray(String[]::new)), "javac " + name);
        return classes;
    }

    static String join(List<Path> paths) {
        return String.join(File.pathSeparator, paths.stream().map(Path::toString).toList());
    }

    /** The java launcher of this JVM, -Xcheck:jni, then the options given. */
    public static List<String> java(String... options) {
        List<String> command = new ArrayList<>();
        command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
        command.add("-Xcheck:jni");
        command.addAll(List.of(options));
        return command;
    }

    /** A process for the command without LD_LIBRARY_PATH and JAVA_TOOL_OPTIONS. */
    public static ProcessBuilder process(List<String> command) {
        ProcessBuilder builder = new ProcessBuilder(command);
        builder.environment().remove("LD_LIBRARY_PATH");
        builder.environment().remove("JAVA_TOOL_OPTIONS");
        return builder;
    }

    /** Runs the command to its end (output kept in files of {@code work}); fails on JNI warnings. */
    static Run run(Path work, List<String> command) throws Exception {
        return run(work, process(command));
    }

    /** Runs the process to its end (output kept in files of {@code work}); fails on JNI warnings. */
    public static Run run(Path work, ProcessBuilder builder) throws Exception {
        Path out = Files.createTempFile(work, "out", ".txt");
        Path err = Files.createTempFile(work, "err", ".txt");
        builder.redirectOutput(out.toFile());
        builder.redirectError(err.toFile());
        Process process = builder.start();
        if (!process.waitFor(120, TimeUnit.SECONDS)) {
            process.destroyForcibly();
            throw new AssertionError("did not finish: " + builder.command());
        }
        return finished(process, out, err);
    }

    /** What an ended process wrote to its two files (which are deleted); fails on JNI warnings. */
    public static Run finished(Process process, Path out, Path err) throws IOException {
        Run run = new Run(process.exitValue(), Files.readString(out), Files.readString(err));
        Files.delete(out);
        Files.delete(err);
        assertFalse(Pattern.compile(JNI_PROBLEMS).matcher(run.out + run.err).find(), run.toString());
        return run;
    }

    /** The entries of a folder, by name. */
    static List<String> entries(Path folder) throws IOException {
        try (Stream<Path> list = Files.list(folder)) {
            return list.map(p -> p.getFileName().toString()).sorted().toList();
        }
    }

    /** What one JVM run printed. */
    public record Run(int exitCode, String out, String err) {
        /** Folder(s) each project library was mapped from, by library name (e.g. libTovikApi4J). */
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

        /** The modules the probe listed and its result codes: the run served the API. */
        void assertServedTheApi() {
            assertEquals(0, exitCode, toString());
            assertTrue(out.contains("runtime 0\n"), toString());
            assertTrue(out.contains("module 200101 TVX-200 Bay 1\n"), toString());
            assertTrue(out.contains("module 100017 TVX-100 Bench\n"), toString());
            assertTrue(out.contains("modules 0\n"), toString());
        }

        /** Each of the three libraries mapped once, from below {@code folder}. */
        void assertLibrariesMappedOnceFrom(Path folder) throws IOException {
            Map<String, List<String>> mapped = mappedFolders();
            assertEquals(List.of("libTovikApi4J", "libTovikPlatform", "libTovikProviderSim"),
                    List.copyOf(mapped.keySet()), toString());
            String below = folder.toRealPath().toString();
            for (List<String> folders : mapped.values()) {
                assertEquals(1, folders.size(), toString());
                assertTrue(folders.get(0).equals(below) || folders.get(0).startsWith(below + File.separator),
                        "expected below " + below + "\n" + this);
            }
        }

        @Override
        public String toString() {
            return "exit " + exitCode + "\n--- stdout\n" + out + "--- stderr\n" + err;
        }
    }
}
