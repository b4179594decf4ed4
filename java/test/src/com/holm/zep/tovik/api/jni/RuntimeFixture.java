package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.lang.reflect.Array;
import java.util.ArrayList;
import java.util.List;
import java.util.function.Supplier;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.extension.ExtendWith;

/**
 * Base of the bridge tests that work on one runtime, and the helpers all bridge tests share.
 *
 * <p>Before each test the virtual provider is reset and given the class's scenario, the
 * capturing log class is named, a runtime is initialised into {@link #handle}, and the journal
 * and the captured lines are cleared: a test sees only its own provider calls and log lines.
 * After each test the runtime is shut down (unless the test did so and set {@code handle} to
 * 0), the log class is cleared and so are the provider's faults; {@link LeakCheck} compares the
 * provider's counters around all of it.
 */
@ExtendWith(LeakCheck.class)
abstract class RuntimeFixture {
    static final String PREFIX = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_";
    static final long NO_FACADE = 0x50000007L;
    static final long NO_INTERFACE = 0x50000003L;
    static final long INVALID_HANDLE = 0xFFFFFFFFL;
    static final TovikApiManager MANAGER = new TovikApiManager();

    private static boolean loaded;
    private final Supplier<String> scenario;

    /** The runtime of the running test; 0 once it is shut down. */
    long handle;

    /** A runtime on the scenario `scenario` gives (asked for before each test), null: the default. */
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

    /** Shuts the test's runtime down now, for tests that check what follows the shutdown. */
    final void shutDownRuntime() {
        if (handle != 0) {
            MANAGER.vtxShutdownRuntime(handle);
            handle = 0;
        }
    }

    static synchronized void loadLibraries() {
        if (!loaded) {
            TovikApiManager.loadLibrary();
            VirtualProvider.clearFaults();  // loads the provider, which registers its classes
            loaded = true;
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

    /** Live provider objects and the platform counters, as one comparable text. */
    static String snapshot() {
        return "liveObjects=" + VirtualProvider.liveObjects() + " platform=" + VirtualProvider.platformCounters();
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
        for (int i = 0; i < replacements.length; i += 2) {
            String changed = open.replace(replacements[i], replacements[i + 1]);
            if (!replacements[i].equals(replacements[i + 1])) {
                assertNotEquals(open, changed, "the default scenario holds " + replacements[i]);
            }
            open = changed;
        }
        return open;
    }

    static void loadOpenWorkshop(String... replacements) {
        VirtualProvider.loadScenario(openWorkshop(replacements));
    }

    /** The journal lines starting with `prefix`, arguments included, in call order. */
    static List<String> journal(String prefix) {
        return List.copyOf(VirtualProvider.journal(prefix));
    }

    /** The journal lines starting with `prefix` without arguments: "ITovikVciItems.Item". */
    static List<String> calls(String prefix) {
        return VirtualProvider.journal(prefix).stream().map(call -> call.replaceFirst("\\(.*$", "")).toList();
    }

    /** The calls of `each` in their order, `times` times over: what each element of a list costs. */
    static List<String> repeated(int times, List<String> each) {
        List<String> all = new ArrayList<>();
        for (int i = 0; i < times; i++) {
            all.addAll(each);
        }
        return all;
    }

    /** Joins lists of calls into one expected journal. */
    @SafeVarargs
    static List<String> sequence(List<String>... parts) {
        List<String> all = new ArrayList<>();
        for (List<String> part : parts) {
            all.addAll(part);
        }
        return all;
    }

    /** The journal lines of an element method for the indices 0 to count - 1: "X.Item(0)", ... */
    static List<String> indexed(String key, int count) {
        List<String> lines = new ArrayList<>();
        for (int i = 0; i < count; i++) {
            lines.add(key + "(" + i + ")");
        }
        return lines;
    }

    /** The messages a native method of TovikApiManager logged ("vtxConnect"), in order. */
    static List<String> log(String nativeMethod) {
        return CapturingLogSink.messagesOf(PREFIX + nativeMethod);
    }

    /** The same result object, set back to -1 for the next call. */
    static LongValue again(LongValue result) {
        result.set(-1);
        return result;
    }

    /**
     * Asserts properties of a value object through its getters: pairs of a property name
     * ("moduleState" reads getModuleState() or isModuleState()) and the value expected. Numbers
     * compare by value whatever their boxed type; arrays by content.
     */
    static void assertFields(Object object, Object... namesAndValues) {
        List<String> expected = new ArrayList<>();
        List<String> actual = new ArrayList<>();
        for (int i = 0; i < namesAndValues.length; i += 2) {
            String name = (String) namesAndValues[i];
            expected.add(name + "=" + text(namesAndValues[i + 1]));
            actual.add(name + "=" + text(property(object, name)));
        }
        assertEquals(expected, actual, object.getClass().getSimpleName());
    }

    private static Object property(Object object, String name) {
        String suffix = Character.toUpperCase(name.charAt(0)) + name.substring(1);
        for (String prefix : new String[] {"get", "is"}) {
            try {
                return object.getClass().getMethod(prefix + suffix).invoke(object);
            } catch (NoSuchMethodException e) {
                // try the next prefix
            } catch (ReflectiveOperationException e) {
                throw new AssertionError(e);
            }
        }
        throw new AssertionError("no getter for " + name + " on " + object.getClass().getSimpleName());
    }

    private static String text(Object value) {
        if (value == null) {
            return "null";
        }
        if (value.getClass().isArray()) {
            List<String> elements = new ArrayList<>();
            for (int i = 0; i < Array.getLength(value); i++) {
                elements.add(text(Array.get(value, i)));
            }
            return elements.toString();
        }
        return value instanceof String text ? '"' + text + '"' : value.toString();
    }
}
