package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/**
 * The jars as a user takes them away: a JVM with only tovik-api and tovik-sim and no library
 * path loads the natives the jars carry, drives the library against the virtual provider, keeps
 * one platform layer in the process and leaves no files behind. The jars work on the class path,
 * on the module path and in separate class loaders (the api jar in a parent loader, the sim jar
 * in a child): each jar's natives are found through its own classes.
 */
class CarriedNativesTest extends ProbeFixture {
    /** Runs Probe with the api jar in one class loader and the sim jar (and Probe) in a child of it. */
    private static final String LAUNCHER = String.join("\n",
            "import java.net.URL;",
            "import java.net.URLClassLoader;",
            "import java.nio.file.Paths;",
            "import java.util.Arrays;",
            "public class Launcher {",
            "    /** Launcher <api jar> <sim jar> <probe classes> <probe arguments...> */",
            "    public static void main(String[] args) throws Exception {",
            "        URLClassLoader api = new URLClassLoader(\"api\", new URL[] {Paths.get(args[0]).toUri().toURL()},",
            "                ClassLoader.getPlatformClassLoader());",
            "        URLClassLoader sim = new URLClassLoader(\"sim\", new URL[] {Paths.get(args[1]).toUri().toURL(),",
            "                Paths.get(args[2]).toUri().toURL()}, api);",
            "        Class.forName(\"Probe\", true, sim).getMethod(\"main\", String[].class)",
            "                .invoke(null, (Object) Arrays.copyOfRange(args, 3, args.length));",
            "    }",
            "}",
            "");

    @ParameterizedTest
    @ValueSource(strings = {"library-first", "provider-first"})
    void onTheClassPathTheJarsAloneServeTheApi(String order) throws Exception {
        Run run = JvmRuns.run(work, probe(List.of("-cp", JvmRuns.join(List.of(api, sim, probe))), order));

        run.assertServedTheApi();
        assertTrue(run.out().contains("api module=null loader=app\n"), run.toString());
        assertExtractedAndGone(run);
    }

    @ParameterizedTest
    @ValueSource(strings = {"library-first", "provider-first"})
    void onTheModulePathEachJarFindsItsOwnNatives(String order) throws Exception {
        Run run = JvmRuns.run(work, probe(List.of("--module-path", JvmRuns.join(List.of(api, sim)),
                "--add-modules", "tovik.api,tovik.sim", "-cp", probe.toString()), order));

        run.assertServedTheApi();
        assertTrue(run.out().contains("api module=tovik.api loader=app\n"), run.toString());
        assertTrue(run.out().contains("sim module=tovik.sim loader=app\n"), run.toString());
        assertExtractedAndGone(run);
    }

    @ParameterizedTest
    @ValueSource(strings = {"library-first", "provider-first"})
    void inAParentAndAChildClassLoaderEachJarFindsItsOwnNatives(String order) throws Exception {
        Path launcher = JvmRuns.compile(work, "Launcher", LAUNCHER, List.of());
        Run run = JvmRuns.run(work, JvmRuns.java("-Djava.io.tmpdir=" + tmp, "-cp", launcher.toString(),
                "Launcher", api.toString(), sim.toString(), probe.toString(), order));

        run.assertServedTheApi();
        assertTrue(run.out().contains("api module=null loader=api\n"), run.toString());
        assertTrue(run.out().contains("sim module=null loader=sim\n"), run.toString());
        assertExtractedAndGone(run);
    }

    @Test
    void aJarWithoutNativesNamesWhatIsMissing() throws Exception {
        // The build's own tovik-api.jar carries nothing: the build's lib/ folder serves it.
        Path plainJar = JvmRuns.distFolder().resolveSibling("tovik-api.jar");
        Run run = JvmRuns.run(work, probe(List.of("-cp", JvmRuns.join(List.of(plainJar, sim, probe))),
                "library-first"));

        assertEquals(1, run.exitCode(), run.toString());
        assertTrue(run.err().contains("java.lang.UnsatisfiedLinkError: no TovikApi4J in java.library.path"),
                run.toString());
        assertTrue(run.err().contains("the jar carries no /native/"), run.toString());
        assertEquals(List.of(), List.copyOf(run.mappedFolders().keySet()), run.toString());
    }

    private List<String> probe(List<String> classes, String order) {
        List<String> command = JvmRuns.java("-Djava.io.tmpdir=" + tmp);
        command = new ArrayList<>(command);
        command.addAll(classes);
        command.add("Probe");
        command.add(order);
        return command;
    }

    /** Every library came from an extraction folder in tmp, which is empty again. */
    private void assertExtractedAndGone(Run run) throws Exception {
        run.assertLibrariesMappedOnceFrom(tmp);
        // One platform layer: the library and the provider share its COM runtime.
        assertEquals(1, run.mappedFolders().get("libTovikPlatform").size(), run.toString());
        assertEquals(List.of(), JvmRuns.entries(tmp), run.toString());
    }
}
