package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.holm.zep.tovik.sim.VirtualProvider;
import org.junit.jupiter.api.extension.AfterEachCallback;
import org.junit.jupiter.api.extension.BeforeEachCallback;
import org.junit.jupiter.api.extension.ExtensionContext;

/**
 * Checks that a test gives back everything it took: after each test the virtual provider's
 * live-object count and the platform stand-in's counters (BSTRs, safe arrays, LocalAlloc
 * blocks, global interface table entries) are where they were before it. Use with
 * {@code @ExtendWith(LeakCheck.class)}; the runtimes a test initialises must be shut down by it.
 */
public final class LeakCheck implements BeforeEachCallback, AfterEachCallback {
    private static final ExtensionContext.Namespace NAMESPACE = ExtensionContext.Namespace.create(LeakCheck.class);
    private static boolean loaded;

    /** Loads the library and the virtual provider (which registers its classes on loading). */
    public static synchronized void loadLibraries() {
        if (!loaded) {
            TovikApiManager.loadLibrary();
            VirtualProvider.clearFaults();
            loaded = true;
        }
    }

    /** Live provider objects and the platform's counters as one comparable text. */
    public static String snapshot() {
        return "liveObjects=" + VirtualProvider.liveObjects() + " platform=" + VirtualProvider.platformCounters();
    }

    @Override
    public void beforeEach(ExtensionContext context) {
        loadLibraries();
        context.getStore(NAMESPACE).put("baseline", snapshot());
    }

    @Override
    public void afterEach(ExtensionContext context) {
        assertEquals(context.getStore(NAMESPACE).get("baseline", String.class), snapshot(),
                "live provider objects and platform counters after the test");
    }
}
