package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.io.BufferedReader;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.nio.channels.FileChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import java.util.zip.ZipEntry;
import java.util.zip.ZipInputStream;
import java.util.zip.ZipOutputStream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;
import org.junit.jupiter.params.provider.ValueSource;

/**
 * How the jars' loader extracts: which copy wins over java.library.path, where the extraction
 * folders go, that folders left by a JVM killed during extraction are removed (and only those),
 * and that a carried library that does not match its recorded checksum is never loaded. Each
 * case runs JVMs as processes.
 */
class NativeExtractionTest extends ProbeFixture {
    /**
     * Opens an extraction folder below its argument the way the loader does, puts a library into
     * it, prints "ready <folder>" and waits: a JVM in the middle of an extraction.
     */
    private static final String HOLDER = """
            import java.lang.reflect.Method;
            import java.nio.file.Files;
            import java.nio.file.Path;
            import java.nio.file.Paths;
            public class Holder {
                public static void main(String[] args) throws Exception {
                    Class<?> type = Class.forName("com.holm.zep.tovik.api.jni.ExtractionFolder");
                    Method create = type.getDeclaredMethod("create", Path.class);
                    create.setAccessible(true);
                    Object folder = create.invoke(null, Paths.get(args[0]));
                    Method newFile = type.getDeclaredMethod("newFile", String.class);
                    newFile.setAccessible(true);
                    Path library = (Path) newFile.invoke(folder, "libTovikApi4J.so.1");
                    Files.write(library, new byte[4096]);
                    System.out.println("ready " + library.getParent());
                    System.out.flush();
                    System.in.read();
                }
            }
            """;

    /**
     * Where the natives come from: the carried copy wins over one on the library path unless
     * preferBundled is false, which still falls back to it; tovik.native.dir names the extraction
     * folder. Extracted files are gone once the JVM has ended.
     */
    @ParameterizedTest
    @CsvSource(delimiter = '|', value = {
        "-Djava.library.path=SYSTEM                                      | TMP",
        "-Djava.library.path=SYSTEM -Dtovik.native.preferBundled=false   | SYSTEM",
        "-Dtovik.native.preferBundled=false                              | TMP",
        "-Dtovik.native.dir=NATIVES                                      | NATIVES"})
    void theNativesAreLoadedFromWhereTheOptionsSay(String options, String from) throws Exception {
        Path natives = work.resolve("natives").resolve("not-yet-there");
        Map<String, Path> places = Map.of("SYSTEM", JvmRuns.buildLibraryFolder(), "TMP", tmp, "NATIVES", natives);
        for (Map.Entry<String, Path> place : places.entrySet()) {
            options = options.replace(place.getKey(), place.getValue().toString());
        }
        Run run = runProbe(List.of(api, sim), options.trim().split("\\s+"));

        run.assertServedTheApi();
        run.assertLibrariesMappedOnceFrom(places.get(from));
        assertEquals(List.of(), JvmRuns.entries(tmp), run.toString());
        if (from.equals("NATIVES")) {
            assertEquals(List.of(), JvmRuns.entries(natives), run.toString());
        }
    }

    @Test
    void foldersOfKilledJvmsAreRemovedAndLiveOnesKept() throws Exception {
        // Not the loader's: no lock file, an empty one (its owner has not locked it yet), a
        // different name.
        Path withoutLock = Files.createDirectories(tmp.resolve("tovik-native-1-without-lock"));
        Files.write(withoutLock.resolve("libTovikApi4J.so.1"), new byte[16]);
        Path unlockedEmpty = Files.createDirectories(tmp.resolve("tovik-native-1-empty-lock"));
        Files.createFile(unlockedEmpty.resolve(".lock"));
        Path otherName = Files.createDirectories(tmp.resolve("other-native-1-x"));
        Files.writeString(otherName.resolve(".lock"), "1");
        // Abandoned, but holding what the loader never makes (a folder with a file): left alone.
        Path foreign = Files.createDirectories(tmp.resolve("tovik-native-1-foreign").resolve("keep"));
        Files.writeString(foreign.resolve("note"), "not the loader's");
        Files.writeString(foreign.getParent().resolve(".lock"), "1");
        // A folder this JVM holds locked, as a live extraction in another process does.
        Path heldHere = Files.createDirectories(tmp.resolve("tovik-native-1-held"));
        Files.writeString(heldHere.resolve(".lock"), "1");

        Process holder = JvmRuns.process(JvmRuns.java("-cp",
                JvmRuns.join(List.of(api, JvmRuns.compile(work, "Holder", HOLDER, List.of()))), "Holder",
                tmp.toString())).redirectError(work.resolve("holder-err.txt").toFile()).start();
        try (FileChannel held = FileChannel.open(heldHere.resolve(".lock"), StandardOpenOption.WRITE)) {
            assertTrue(held.lock().isValid());
            Path holders = Path.of(readReady(holder.getInputStream()));
            assertTrue(Files.isRegularFile(holders.resolve(".lock")), holders.toString());

            // While its owner lives, a folder stays, even mid-extraction.
            runProbe(List.of(api, sim)).assertServedTheApi();
            assertTrue(Files.isRegularFile(holders.resolve("libTovikApi4J.so.1")), holders.toString());
            assertTrue(Files.isDirectory(heldHere));

            // Killed during the extraction: the next start removes what it left.
            holder.destroyForcibly();
            assertTrue(holder.waitFor(60, TimeUnit.SECONDS));
            assertTrue(Files.isRegularFile(holders.resolve("libTovikApi4J.so.1")), "left behind");
            Run run = runProbe(List.of(api, sim));

            run.assertServedTheApi();
            assertFalse(Files.exists(holders), run.toString());
            assertEquals(List.of("other-native-1-x", "tovik-native-1-empty-lock", "tovik-native-1-foreign",
                    "tovik-native-1-held", "tovik-native-1-without-lock"), JvmRuns.entries(tmp), run.toString());
            assertTrue(Files.isRegularFile(foreign.resolve("note")));
            assertEquals(List.of(".lock"), JvmRuns.entries(heldHere));
            assertEquals(List.of("libTovikApi4J.so.1"), JvmRuns.entries(withoutLock));
        } finally {
            holder.destroyForcibly();
            holder.waitFor(60, TimeUnit.SECONDS);
        }
    }

    @ParameterizedTest
    @ValueSource(strings = {"libTovikApi4J.so", "libTovikPlatform.so"})
    void aCarriedLibraryThatDoesNotMatchItsChecksumIsNotLoaded(String tampered) throws Exception {
        Path damaged = work.resolve("tovik-api-damaged.jar");
        String entry = flipOneByte(api, damaged, tampered);

        Run run = runProbe(List.of(damaged, sim), "-Djava.library.path=" + JvmRuns.buildLibraryFolder());

        assertEquals(1, run.exitCode(), run.toString());
        assertTrue(run.err().contains("java.lang.UnsatisfiedLinkError: cannot load the TovikApi4J library that the"
                + " jar carries: checksum mismatch for /" + entry + ": SHA-256 "), run.toString());
        // Refused before anything was loaded, even though the library path has a copy, and
        // the extracted files are gone.
        assertEquals(List.of(), List.copyOf(run.mappedFolders().keySet()), run.toString());
        assertEquals(List.of(), JvmRuns.entries(tmp), run.toString());
    }

    private Run runProbe(List<Path> jars, String... options) throws Exception {
        List<String> command = new ArrayList<>(JvmRuns.java("-Djava.io.tmpdir=" + tmp));
        command.addAll(List.of(options));
        List<Path> classPath = new ArrayList<>(jars);
        classPath.add(probe);
        command.addAll(List.of("-cp", JvmRuns.join(classPath), "Probe", "library-first"));
        return JvmRuns.run(work, command);
    }

    private static String readReady(InputStream out) throws Exception {
        BufferedReader reader = new BufferedReader(new InputStreamReader(out, StandardCharsets.UTF_8));
        String line = reader.readLine();
        assertTrue(line != null && line.startsWith("ready "), "holder said " + line);
        return line.substring("ready ".length());
    }

    /** Copies the jar with one byte of the native entry whose name starts with the prefix changed. */
    private static String flipOneByte(Path from, Path to, String prefix) throws Exception {
        String changed = null;
        try (ZipInputStream in = new ZipInputStream(Files.newInputStream(from));
                ZipOutputStream out = new ZipOutputStream(Files.newOutputStream(to))) {
            for (ZipEntry entry = in.getNextEntry(); entry != null; entry = in.getNextEntry()) {
                byte[] bytes = in.readAllBytes();
                String name = entry.getName();
                if (name.startsWith("native/") && name.substring(name.lastIndexOf('/') + 1).startsWith(prefix + ".")) {
                    bytes[bytes.length / 2] ^= 0x01;
                    changed = name;
                }
                out.putNextEntry(new ZipEntry(name));
                out.write(bytes);
                out.closeEntry();
            }
        }
        assertTrue(changed != null, "no native entry " + prefix + " in " + from);
        return changed;
    }
}
