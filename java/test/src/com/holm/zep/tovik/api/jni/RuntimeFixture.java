package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.initialize;
import static org.junit.jupiter.api.Assertions.assertNotEquals;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import java.util.function.Supplier;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.extension.ExtendWith;

/**
 * Base of the bridge tests that work on one runtime.
 *
 * <p>Before each test the virtual provider is reset and given the class's scenario, a capturing
 * log class is named, a runtime is initialised into {@link #handle}, and the provider's journal
 * and the captured lines are cleared: a test sees only its own provider calls and log lines.
 * After each test the runtime is shut down (unless the test did so and set {@code handle} to
 * 0), the log class is cleared and so are the provider's faults. {@link LeakCheck} compares the
 * provider's counters around all of it.
 */
@ExtendWith(LeakCheck.class)
abstract class RuntimeFixture {
    private final Supplier<String> scenario;

    /** The runtime of the running test; 0 once it is shut down. */
    long handle;

    /** A runtime on the workshop the provider starts with after a reset. */
    RuntimeFixture() {
        this(null);
    }

    /** A runtime on the scenario `scenario` gives (asked for before each test, libraries loaded). */
    RuntimeFixture(Supplier<String> scenario) {
        this.scenario = scenario;
    }

    @BeforeEach
    final void startRuntime() {
        Sim.reset();
        if (scenario != null) {
            VirtualProvider.loadScenario(scenario.get());
        }
        CapturingLogSink.install(MANAGER);
        handle = initialize();
        Sim.clearJournal();
        CapturingLogSink.clear();
    }

    @AfterEach
    final void stopRuntime() {
        shutDownRuntime();
        MANAGER.vtxSetLogClass(null, null);
        VirtualProvider.clearFaults();
    }

    /** Shuts the test's runtime down now, for tests that check what follows the shutdown. */
    final void shutDownRuntime() {
        if (handle != 0) {
            MANAGER.vtxShutdownRuntime(handle);
            handle = 0;
        }
    }

    /**
     * The default workshop opened to every connection value (a handle that is not open
     * addresses the first module), with pairs of texts replaced: each text replaced must be in
     * it, unless it is replaced by itself.
     */
    static String openWorkshop(String... replacements) {
        String scenario = VirtualProvider.defaultScenario();
        String open = scenario.replace("\"requireConnection\": true", "\"requireConnection\": false");
        assertNotEquals(scenario, open, "the default scenario requires connections");
        if (replacements.length % 2 != 0) {
            throw new IllegalArgumentException("replacements come in pairs");
        }
        for (int i = 0; i < replacements.length; i += 2) {
            String changed = open.replace(replacements[i], replacements[i + 1]);
            if (!replacements[i].equals(replacements[i + 1])) {
                assertNotEquals(open, changed, "the default scenario holds " + replacements[i]);
            }
            open = changed;
        }
        return open;
    }

    /** Loads {@link #openWorkshop} with the replacements, in the middle of a test. */
    static void loadOpenWorkshop(String... replacements) {
        VirtualProvider.loadScenario(openWorkshop(replacements));
    }

    /** Journal lines without their argument lists: "Interface.Member". */
    static List<String> stripArguments(List<String> calls) {
        return calls.stream().map(call -> call.replaceFirst("\\(.*$", "")).toList();
    }

    /** The same result object, set back to -1 for the next call. */
    static LongValue again(LongValue result) {
        result.set(-1);
        return result;
    }
}
