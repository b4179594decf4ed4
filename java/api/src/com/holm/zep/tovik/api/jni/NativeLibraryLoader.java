package com.holm.zep.tovik.api.jni;

import java.io.IOException;
import java.lang.invoke.MethodHandle;
import java.lang.invoke.MethodHandles;
import java.lang.invoke.MethodType;
import java.util.Locale;

/**
 * Loads the native library behind a class's native methods, from the copy that the class's own
 * jar carries or from {@code java.library.path}.
 *
 * <p>A jar carries its natives under {@code /native/<os>-<arch>/} (for example
 * {@code /native/linux-x86_64/}) together with {@code <name>.SHA256SUMS}, the SHA-256 of the
 * library and of the libraries it links to as recorded when the jar was built. They are found
 * through the class that declares the native
 * methods, so each jar finds its own natives on the class path, on the module path and under
 * separate class loaders alike, and the library is loaded on that class's behalf, so that the
 * JVM binds it to that class's loader.
 *
 * <p>The carried copy is extracted to a fresh folder {@code tovik-native-<pid>-<n>} together
 * with the libraries it links to, where its {@code $ORIGIN} run path finds them; every file is
 * checked against its recorded checksum before anything is loaded, and the folder is removed
 * once the library is loaded (the loaded libraries stay mapped). A library that the process has
 * already loaded under the same SONAME, such as the platform layer shared by the API and the
 * virtual provider, is used instead of its extracted copy.
 *
 * <p>System properties:
 * <ul>
 * <li>{@value #EXTRACTION_FOLDER_PROPERTY}: the folder in which the extraction folders are made;
 * default {@code java.io.tmpdir}. Folders there that a JVM killed during extraction left behind
 * are removed before each extraction; a folder whose owner still runs is left alone.</li>
 * <li>{@value #PREFER_BUNDLED_PROPERTY}: {@code true} (the default) loads the copy the jar
 * carries whenever it carries one for the running platform, {@code false} tries
 * {@code java.library.path} first. The default is the carried copy because it was built together
 * with the jar's classes: an older library elsewhere on the system may lack native methods or
 * behave differently, and it would otherwise be picked up without notice. A jar that carries no
 * natives for the platform always uses {@code java.library.path}.</li>
 * </ul>
 */
public final class NativeLibraryLoader {
    /** System property naming the folder that receives the extracted natives. */
    public static final String EXTRACTION_FOLDER_PROPERTY = "tovik.native.dir";

    /** System property: {@code false} prefers a library on {@code java.library.path}. */
    public static final String PREFER_BUNDLED_PROPERTY = "tovik.native.preferBundled";

    private NativeLibraryLoader() {
    }

    /**
     * Loads the library {@code name} (as for {@link System#loadLibrary(String)}) for the class
     * whose native methods it implements.
     *
     * @param carrier {@code MethodHandles.lookup()} of the class that declares the native methods:
     *        its jar is searched for the natives and the library is loaded on its behalf
     * @param name the library's name without prefix and suffix, e.g. {@code "TovikApi4J"}
     * @throws UnsatisfiedLinkError when no copy can be loaded, or when a carried file does not
     *         match its recorded checksum
     */
    public static void load(MethodHandles.Lookup carrier, String name) {
        Linker linker = new Linker(carrier);
        CarriedNatives carried;
        try {
            carried = CarriedNatives.of(carrier.lookupClass(), platform(), name);
        } catch (IOException e) {
            throw unsatisfied(name, e);
        }
        if (carried == null) {
            try {
                linker.loadLibrary(name);
            } catch (UnsatisfiedLinkError notOnPath) {
                String list = CarriedNatives.list(platform(), name);
                notOnPath.addSuppressed(new IOException("the jar carries no " + list));
                throw notOnPath;
            }
            return;
        }
        if (Boolean.parseBoolean(System.getProperty(PREFER_BUNDLED_PROPERTY, "true"))) {
            loadCarried(carried, name, linker);
            return;
        }
        try {
            linker.loadLibrary(name);
        } catch (UnsatisfiedLinkError notOnPath) {
            try {
                loadCarried(carried, name, linker);
            } catch (UnsatisfiedLinkError carriedFailed) {
                notOnPath.addSuppressed(carriedFailed);
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

    private static void loadCarried(CarriedNatives carried, String name, Linker linker) {
        try {
            ExtractionFolder.removeStale(ExtractionFolder.root());
            try (ExtractionFolder folder = ExtractionFolder.create(ExtractionFolder.root())) {
                linker.load(carried.extract(name, folder).toString());
            }
        } catch (IOException e) {
            throw unsatisfied(name, e);
        }
    }

    private static UnsatisfiedLinkError unsatisfied(String name, IOException cause) {
        UnsatisfiedLinkError error = new UnsatisfiedLinkError(
                "cannot load the " + name + " library that the jar carries: " + cause.getMessage());
        error.initCause(cause);
        return error;
    }

    /**
     * {@link System#load(String)} and {@link System#loadLibrary(String)} as the carrier class
     * calls them: the JVM looks a class's native methods up in the libraries loaded by that
     * class's own loader, so the call must count as the carrier's.
     */
    private static final class Linker {
        private final MethodHandle load;
        private final MethodHandle loadLibrary;

        Linker(MethodHandles.Lookup carrier) {
            MethodType takesString = MethodType.methodType(void.class, String.class);
            try {
                load = carrier.findStatic(System.class, "load", takesString);
                loadLibrary = carrier.findStatic(System.class, "loadLibrary", takesString);
            } catch (ReflectiveOperationException e) {
                throw new IllegalArgumentException("the lookup of " + carrier.lookupClass()
                        + " cannot load libraries; pass MethodHandles.lookup()", e);
            }
        }

        void load(String path) {
            call(load, path);
        }

        void loadLibrary(String name) {
            call(loadLibrary, name);
        }

        private static void call(MethodHandle method, String argument) {
            try {
                method.invokeExact(argument);
            } catch (RuntimeException | Error e) {
                throw e;
            } catch (Throwable e) {
                throw new IllegalStateException(e);
            }
        }
    }
}
