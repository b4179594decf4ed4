package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import java.util.function.Consumer;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogRecord;
import java.util.logging.Logger;
import jdk.jfr.Recording;
import jdk.jfr.consumer.RecordedEvent;
import jdk.jfr.consumer.RecordingFile;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The Flight Recorder events of the client's calls, read back from a recording file, and the
 * bridge of the library's log to System.Logger (here the JDK's default backend,
 * java.util.logging) and to listeners.
 */
class ClientObservabilityTest extends ClientFixture {
    private static final String PREFIX = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_";
    private static final String MODULE_IDS = PREFIX + "vtxGetModuleIds";

    private final List<LogRecord> records = Collections.synchronizedList(new ArrayList<>());
    private final Handler capture = new Handler() {
        @Override
        public void publish(LogRecord r) {
            records.add(r);
        }

        @Override
        public void flush() {
        }

        @Override
        public void close() {
        }
    };
    private final Logger root = Logger.getLogger(NativeLog.LOGGER_PREFIX);
    @TempDir
    Path folder;

    @BeforeEach
    void captureLog() {
        root.setLevel(Level.ALL);
        root.addHandler(capture);
    }

    @AfterEach
    void removeCapture() {
        root.removeHandler(capture);
        root.setLevel(null);
    }

    /** The messages of the lines that reached the logger of a function, in order. */
    private List<String> logged(String function) {
        return List.copyOf(records).stream()
                .filter(r -> r.getLoggerName().equals(NativeLog.LOGGER_PREFIX + "." + function))
                .map(LogRecord::getMessage).toList();
    }

    /** The client's call events of a recording of {@code work}, in start order. */
    private List<RecordedEvent> callEvents(boolean enabled, Consumer<TovikRuntime> work) throws Exception {
        Path file = Files.createTempFile(folder, "calls", ".jfr");
        try (Recording recording = new Recording()) {
            if (enabled) {
                recording.enable(CallEvent.NAME).withThreshold(Duration.ZERO);
            }
            recording.start();
            try (TovikRuntime runtime = TovikRuntime.open()) {
                work.accept(runtime);
            }
            recording.stop();
            recording.dump(file);
        }
        List<RecordedEvent> events = new ArrayList<>(RecordingFile.readAllEvents(file).stream()
                .filter(e -> e.getEventType().getName().equals(CallEvent.NAME)).toList());
        events.sort((a, b) -> a.getStartTime().compareTo(b.getStartTime()));
        return events;
    }

    @Test
    void everyCallRecordsItsOperationRuntimeDurationAndCodeOnceARecordingEnablesIt() throws Exception {
        long[] handle = new long[1];
        List<RecordedEvent> events = callEvents(true, runtime -> {
            handle[0] = runtime.handle();
            runtime.modules();
            assertThrows(TovikException.class, () -> runtime.moduleInfo(4711));
            try (Connection c = runtime.connect(BAY1, 0)) {
                c.status();
            }
        });
        assertEquals(List.of("vtxInitializeRuntime", "vtxGetModuleIds", "vtxGetModuleInfo", "vtxConnect",
                "vtxGetConStatus", "vtxDisconnect", "vtxShutdownRuntime"),
                events.stream().map(e -> e.getString("operation")).toList());
        RecordedEvent refused = events.get(2);
        assertEquals(List.of(0x20000101L, "PROVIDER_UNKNOWN_MODULE"),
                List.of(refused.getLong("resultCode"), refused.getString("resultName")));
        assertEquals(0xFFFFFFFFL, events.get(0).getLong("runtimeHandle"));
        for (RecordedEvent e : events.subList(1, events.size())) {
            assertEquals(handle[0], e.getLong("runtimeHandle"), e.toString());
            assertFalse(e.getDuration().isNegative());
        }
        assertEquals(0, events.get(1).getLong("resultCode"));
        assertTrue(events.get(1).getDuration().toNanos() > 0, events.get(1).toString());

        assertEquals(List.of(), callEvents(false, TovikRuntime::modules), "recorded without being enabled");
    }

    @Test
    void theLibrarysLinesReachTheLoggerNamedAfterTheirFunctionAndEveryListener() {
        List<String> heard = Collections.synchronizedList(new ArrayList<>());
        Consumer<String> listener = heard::add;
        Consumer<String> failing = line -> {
            throw new IllegalStateException("a listener that fails");
        };
        NativeLog.addListener(failing);
        NativeLog.addListener(listener);
        try {
            try (TovikRuntime runtime = TovikRuntime.open(TovikRuntime.Options.defaults().withNativeLog(true))) {
                assertTrue(NativeLog.installed());
                assertEquals(3, runtime.modules().size(), "a failing listener broke the call");
            }
            List<String> lines = logged(MODULE_IDS);
            assertFalse(lines.isEmpty());
            assertTrue(lines.stream().allMatch(l -> l.matches(MODULE_IDS + ":\\d+: .*")), lines::toString);
            assertTrue(List.copyOf(records).stream().filter(r -> r.getLoggerName().endsWith(MODULE_IDS))
                    .allMatch(r -> r.getLevel() == Level.FINE));
            // The command thread's lines come under "Class::Member".
            assertTrue(List.copyOf(records).stream().anyMatch(r -> r.getLoggerName().startsWith(
                    NativeLog.LOGGER_PREFIX + ".CTovikManagerIF::")), "no core log line");
            // The listener got the calling thread's lines as the logger did, and closing logs too.
            assertEquals(lines, List.copyOf(heard).stream().filter(l -> l.startsWith(MODULE_IDS + ":")).toList());
            assertTrue(heard.stream().anyMatch(l -> l.contains("shutting down runtime complete")), heard::toString);

            // With the logger off (as java.util.logging is once the JVM shuts down), the
            // listener still hears every line.
            root.setLevel(Level.OFF);
            int loggedBefore = records.size();
            heard.clear();
            try (TovikRuntime runtime = TovikRuntime.open(TovikRuntime.Options.defaults().withNativeLog(true))) {
                runtime.modules();
            }
            assertEquals(loggedBefore, records.size(), "the logger got lines while off");
            assertTrue(heard.stream().anyMatch(l -> l.startsWith(MODULE_IDS + ":")), heard::toString);
        } finally {
            NativeLog.removeListener(failing);
            NativeLog.removeListener(listener);
        }
        root.setLevel(Level.ALL);
        heard.clear();
        try (TovikRuntime runtime = TovikRuntime.open(TovikRuntime.Options.defaults().withNativeLog(true))) {
            runtime.modules();
        }
        assertEquals(List.of(), heard, "a removed listener still got lines");
        assertFalse(NativeLog.installed());
        int after = records.size();
        try (TovikRuntime runtime = TovikRuntime.open()) {
            runtime.modules();
        }
        assertEquals(after, records.size(), "lines delivered with the bridge off");
    }

    @Test
    void installsNestAndALineWithoutAFunctionGoesToTheRootLogger() {
        assertEquals(NativeLog.LOGGER_PREFIX, NativeLog.loggerName("no function here: 1"));
        assertEquals(NativeLog.LOGGER_PREFIX, NativeLog.loggerName(""));
        NativeLog.install();
        NativeLog.install();
        NativeLog.uninstall();
        assertTrue(NativeLog.installed());
        NativeLog.uninstall();
        assertFalse(NativeLog.installed());
        NativeLog.uninstall();
        assertFalse(NativeLog.installed());
    }
}
