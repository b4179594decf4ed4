package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.api.extension.AfterEachCallback;
import org.junit.jupiter.api.extension.BeforeEachCallback;
import org.junit.jupiter.api.extension.ExtensionContext;

/**
 * Checks that a test gives back everything it took: after each test the virtual provider's
 * live-object count and the platform stand-in's counters (BSTRs, safe arrays, LocalAlloc
 * blocks, global interface table entries) are where they were before it.
 *
 * <p>Use with {@code @ExtendWith(LeakCheck.class)}; the runtimes a test initialises must be
 * shut down by the test.
 */
public final class LeakCheck implements BeforeEachCallback, AfterEachCallback {
    private static final ExtensionContext.Namespace NAMESPACE = ExtensionContext.Namespace.create(LeakCheck.class);

    @Override
    public void beforeEach(ExtensionContext context) {
        RuntimeFixture.loadLibraries();
        context.getStore(NAMESPACE).put("baseline", RuntimeFixture.snapshot());
    }

    @Override
    public void afterEach(ExtensionContext context) {
        assertEquals(context.getStore(NAMESPACE).get("baseline", String.class), RuntimeFixture.snapshot(),
                "live provider objects and platform counters after the test");
    }
}
