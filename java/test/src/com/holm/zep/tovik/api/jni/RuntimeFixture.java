package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import java.util.function.Supplier;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.extension.ExtendWith;

/**
 * Base of the bridge tests that work on one runtime. Before each test the virtual provider is
 * reset to the class's scenario, the capturing log class is named, a runtime is initialised into
 * {@link #handle}, and the journal and the captured lines are cleared, so a test sees only its own
 * provider calls and log lines. Afterwards the runtime is shut down (unless the test set
 * {@code handle} to 0), the log class and the provider's faults are cleared, and
 * {@link LeakCheck} compares the provider's counters around all of it.
 */
@ExtendWith(LeakCheck.class)
abstract class RuntimeFixture {
    static final String PREFIX = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_";
    static final long INVALID_HANDLE = 0xFFFFFFFFL;
    static final TovikApiManager MANAGER = new TovikApiManager();

    private final Supplier<String> scenario;
    /** The runtime of the running test; 0 once it is shut down. */
    long handle;

    /** A runtime on the scenario `scenario` gives (asked for before each test); null: the default. */
    RuntimeFixture(Supplier<String> scenario) {
        this.scenario = scenario;
    }

    @BeforeEach
    final void startRuntime() {
        VirtualProvider.reset();
        if (scenario != null) {
            VirtualProvider.loadScenario(scenario.get());
        }
        CapturingLogSink.install(MANAGER);
        handle = initialize();
        VirtualProvider.clearJournal();
        CapturingLogSink.clear();
    }

    @AfterEach
    final void stopRuntime() {
        shutDownRuntime();
        MANAGER.vtxSetLogClass(null, null);
        VirtualProvider.clearFaults();
    }

    final void shutDownRuntime() {
        if (handle != 0) {
            MANAGER.vtxShutdownRuntime(handle);
            handle = 0;
        }
    }

    /** Initialises a runtime that must succeed and returns its handle. */
    static long initialize() {
        LongValue result = new LongValue(-1);
        long handle = MANAGER.vtxInitializeRuntime("first", "second", false, result);
        if (result.get() != 0 || handle == INVALID_HANDLE) {
            throw new AssertionError("runtime not initialised: " + handle + " " + result);
        }
        return handle;
    }

    /** The journal lines starting with `prefix`, arguments included, in call order. */
    static List<String> journal(String prefix) {
        return List.copyOf(VirtualProvider.journal(prefix));
    }

    /** The messages a native method of TovikApiManager logged ("vtxConnect"), in order. */
    static List<String> log(String nativeMethod) {
        return CapturingLogSink.messagesOf(PREFIX + nativeMethod);
    }
}
