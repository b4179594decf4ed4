package com.holm.zep.tovik.packaging;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.io.TempDir;

/**
 * What the tests that run the probe share: a temporary folder (removed afterwards) with an empty
 * {@code tmp/} to serve as the probe JVMs' java.io.tmpdir, the two jars users take away, and
 * {@link JvmRuns#PROBE} compiled against them.
 */
abstract class ProbeFixture {
    @TempDir
    Path work;

    Path tmp;
    Path api;
    Path sim;
    Path probe;

    @BeforeEach
    void compileProbe() throws Exception {
        tmp = Files.createDirectory(work.resolve("tmp"));
        api = JvmRuns.distJar("tovik-api");
        sim = JvmRuns.distJar("tovik-sim");
        probe = JvmRuns.compile(work, "Probe", JvmRuns.PROBE, List.of(api, sim));
    }
}
