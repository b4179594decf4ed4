package com.holm.zep.tovik.api.jni;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayDeque;
import java.util.Deque;
import java.util.Locale;

/**
 * Loads a native library from {@code java.library.path} or, when it is not there, from the copy
 * that this jar carries under {@code /native/<os>-<arch>/}. The carried library is extracted to
 * a fresh temporary folder together with the libraries it links to, where its {@code $ORIGIN}
 * run path finds them; a library of that name already loaded in the process is used instead of
 * the extracted copy, so the process keeps one platform layer. The carried libraries are found on
 * the class path, so the virtual provider's jar uses this loader for its own library too.
 */
public final class NativeLibraryLoader {
    private NativeLibraryLoader() {
    }

    /**
     * Loads {@code name} (as for {@link System#loadLibrary(String)}); {@code dependencies} are
     * the libraries it links to that the jar carries beside it.
     */
    public static void load(String name, String... dependencies) {
        try {
            System.loadLibrary(name);
        } catch (UnsatisfiedLinkError notOnPath) {
            try {
                loadCarried(name, dependencies);
            } catch (IOException | UnsatisfiedLinkError carried) {
                notOnPath.addSuppressed(carried);
                throw notOnPath;
            }
        }
    }

    /** {@code <os>-<arch>} of the running JVM, e.g. {@code linux-x86_64}. */
    static String platform() {
        String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
        if (os.startsWith("windows")) {
            os = "windows";
        } else if (os.startsWith("mac")) {
            os = "darwin";
        }
        String arch = System.getProperty("os.arch", "").toLowerCase(Locale.ROOT);
        if (arch.equals("amd64") || arch.equals("x86_64")) {
            arch = "x86_64";
        } else if (arch.matches("i[3-6]86|x86")) {
            arch = "x86";
        } else if (arch.equals("arm64")) {
            arch = "aarch64";
        }
        return os + "-" + arch;
    }

    private static void loadCarried(String name, String... dependencies) throws IOException {
        String folder = "/native/" + platform() + "/";
        String libraryFile = System.mapLibraryName(name);
        if (NativeLibraryLoader.class.getResource(folder + libraryFile) == null) {
            throw new IOException("the jar carries no " + folder + libraryFile);
        }
        Path directory = Files.createTempDirectory("tovik-native-");
        Deque<Path> created = new ArrayDeque<>();
        created.push(directory);
        try {
            for (String dependency : dependencies) {
                extract(folder + System.mapLibraryName(dependency), directory, created);
            }
            Path library = extract(folder + libraryFile, directory, created);
            System.load(library.toString());
        } finally {
            remove(created);
        }
    }

    /**
     * Deletes the extracted files, then the folder: the loaded libraries stay mapped. What the
     * system keeps in use goes at exit (deleteOnExit works in reverse order of registration).
     */
    private static void remove(Deque<Path> created) {
        Deque<Path> inUse = new ArrayDeque<>();
        for (Path path : created) {
            try {
                Files.deleteIfExists(path);
            } catch (IOException e) {
                inUse.push(path);
            }
        }
        for (Path path : inUse) {
            path.toFile().deleteOnExit();
        }
    }

    /** Copies one resource into the folder; a dependency the jar does not carry is skipped. */
    private static Path extract(String resource, Path directory, Deque<Path> created) throws IOException {
        try (InputStream in = NativeLibraryLoader.class.getResourceAsStream(resource)) {
            if (in == null) {
                return null;
            }
            Path target = directory.resolve(resource.substring(resource.lastIndexOf('/') + 1));
            Files.copy(in, target);
            created.push(target);
            return target;
        }
    }
}
