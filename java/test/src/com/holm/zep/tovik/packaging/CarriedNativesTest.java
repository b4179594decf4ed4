package com.holm.zep.tovik.packaging;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns.Run;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/**
 * The jars as a user takes them away: a JVM with only tovik-api and tovik-sim and no library
 * path loads the natives the jars carry, drives the library against the virtual provider, keeps
 * one platform layer in the process and leaves no files behind. The jars work on the class path,
 * on the module path and in separate class loaders (the api jar in a parent loader, the sim jar
 * in a child): each jar's natives are found through its own classes.
 */
class CarriedNativesTest extends ProbeFixture {
    /** Runs Probe with the api jar in one class loader and the sim jar (and Probe) in a child of it. */
    private static final String LAUNCHER = """
            import java.net.URL;
            import java.net.URLClassLoader;
            import java.nio.file.Paths;
            import java.util.Arrays;
            public class Launcher {
                /** Launcher <api jar> <sim jar> <probe classes> <probe arguments...> */
                public static void main(String[] args) throws Exception {
                    URLClassLoader api = new URLClassLoader("api", new URL[] {Paths.get(args[0]).toUri().toURL()},
                            ClassLoader.getPlatformClassLoader());
                    URLClassLoader sim = new URLClassLoader("sim", new URL[] {Paths.get(args[1]).toUri().toURL(),
                            Paths.get(args[2]).toUri().toURL()}, api);
                    Class.forName("Probe", true, sim).getMethod("main", String[].class)
                            .invoke(null, (Object) Arrays.copyOfRange(args, 3, args.length));
                }
            }
            """;

    /** Where the jars are: one class path, the module path, or an api loader with a sim loader below it. */
    @ParameterizedTest
    @CsvSource({
        "class-path,   library-first,  api module=null loader=app, sim module=null loader=app",
        "class-path,   provider-first, api module=null loader=app, sim module=null loader=app",
        "module-path,  library-first,  api module=tovik.api loader=app, sim module=tovik.sim loader=app",
        "two-loaders,  provider-first, api module=null loader=api, sim module=null loader=sim",
    })
    void theJarsAloneServeTheApiEachFindingItsOwnNatives(String layout, String order, String apiOrigin,
            String simOrigin) throws Exception {
        List<String> command = new ArrayList<>(JvmRuns.java("-Djava.io.tmpdir=" + tmp));
        switch (layout) {
            case "class-path" -> command.addAll(List.of("-cp", JvmRuns.join(List.of(api, sim, probe)), "Probe"));
            case "module-path" -> command.addAll(List.of("--module-path", JvmRuns.join(List.of(api, sim)),
                    "--add-modules", "tovik.api,tovik.sim", "-cp", probe.toString(), "Probe"));
            default -> command.addAll(List.of("-cp", JvmRuns.compile(work, "Launcher", LAUNCHER, List.of()).toString(),
                    "Launcher", api.toString(), sim.toString(), probe.toString()));
        }
        command.add(order);
        Run run = JvmRuns.run(work, command);

        run.assertServedTheApi();
        assertTrue(run.out().contains(apiOrigin + "\n") && run.out().contains(simOrigin + "\n"), run.toString());
        run.assertLibrariesMappedOnceFrom(tmp);
        // One platform layer: the library and the provider share its COM runtime.
        assertEquals(1, run.mappedFolders().get("libTovikPlatform").size(), run.toString());
        assertEquals(List.of(), JvmRuns.entries(tmp), run.toString());
    }

    @Test
    void aJarWithoutNativesNamesWhatIsMissing() throws Exception {
        // The build's own tovik-api.jar carries nothing: the build's lib/ folder serves it.
        Path plainJar = JvmRuns.distFolder().resolveSibling("tovik-api.jar");
        Run run = JvmRuns.run(work, JvmRuns.java("-Djava.io.tmpdir=" + tmp, "-cp",
                JvmRuns.join(List.of(plainJar, sim, probe)), "Probe", "library-first"));

        assertEquals(1, run.exitCode(), run.toString());
        assertTrue(run.err().contains("java.lang.UnsatisfiedLinkError: no TovikApi4J in java.library.path"),
                run.toString());
        assertTrue(run.err().contains("the jar carries no /native/"), run.toString());
        assertEquals(List.of(), List.copyOf(run.mappedFolders().keySet()), run.toString());
    }
}
