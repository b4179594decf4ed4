package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.util.ArrayList;
import java.util.List;
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

/**
 * The Flight Recorder events of the client's calls, read back from a recording file, and the
 * bridge of the library's log to System.Logger (here the JDK's default backend,
 * java.util.logging).
 */
class ClientObservabilityTest extends ClientFixture {
    private static final String PREFIX = "Java_com_holm_zep_tovik_api_jni_TovikApiManager_";

    private final List<LogRecord> records = new ArrayList<>();
    private final Handler capture = new Handler() {
        @Override
        public void publish(LogRecord r) {
            synchronized (records) {
                records.add(r);
            }
        }

        @Override
        public void flush() {
        }

        @Override
        public void close() {
        }
    };
    private final Logger root = Logger.getLogger(NativeLog.LOGGER_PREFIX);
    private Path folder;

    @BeforeEach
    void captureLog() throws Exception {
        folder = Files.createTempDirectory("tovik-client-test");
        root.setLevel(Level.ALL);
        root.addHandler(capture);
    }

    @AfterEach
    void removeCapture() throws Exception {
        root.removeHandler(capture);
        root.setLevel(null);
        try (var files = Files.walk(folder)) {
            for (Path p : files.sorted((a, b) -> b.compareTo(a)).toList()) {
                Files.delete(p);
            }
        }
    }

    private List<LogRecord> records() {
        synchronized (records) {
            return new ArrayList<>(records);
        }
    }

    private List<RecordedEvent> callEvents(Path file) throws Exception {
        List<RecordedEvent> events = new ArrayList<>();
        for (RecordedEvent e : RecordingFile.readAllEvents(file)) {
            if (e.getEventType().getName().equals(CallEvent.NAME)) {
                events.add(e);
            }
        }
        events.sort((a, b) -> a.getStartTime().compareTo(b.getStartTime()));
        return events;
    }

    @Test
    void everyCallRecordsItsOperationRuntimeDurationAndCode() throws Exception {
        Path file = folder.resolve("calls.jfr");
        long handle;
        try (Recording recording = new Recording()) {
            recording.enable(CallEvent.NAME).withThreshold(Duration.ZERO);
            recording.start();
            try (TovikRuntime runtime = TovikRuntime.open()) {
                handle = runtime.handle();
                runtime.modules();
                assertThrows(TovikException.class, () -> runtime.moduleInfo(4711));
                try (Connection c = runtime.connect(BAY1, 0)) {
                    c.status();
                }
            }
            recording.stop();
            recording.dump(file);
        }
        List<RecordedEvent> events = callEvents(file);
        List<String> operations = new ArrayList<>();
        for (RecordedEvent e : events) {
            operations.add(e.getString("operation"));
        }
        assertEquals(List.of("vtxInitializeRuntime", "vtxGetModuleIds", "vtxGetModuleInfo",
                "vtxConnect", "vtxGetConStatus", "vtxDisconnect", "vtxShutdownRuntime"), operations);
        RecordedEvent refused = events.get(2);
        assertEquals(0x20000101L, refused.getLong("resultCode"));
        assertEquals("PROVIDER_UNKNOWN_MODULE", refused.getString("resultName"));
        assertEquals(0xFFFFFFFFL, events.get(0).getLong("runtimeHandle"));
        for (RecordedEvent e : events.subList(1, events.size())) {
            assertEquals(handle, e.getLong("runtimeHandle"), e.toString());
            assertFalse(e.getDuration().isNegative());
        }
        assertEquals(0, events.get(1).getLong("resultCode"));
        assertTrue(events.get(1).getDuration().toNanos() > 0, events.get(1).toString());
    }

    @Test
    void noCallEventIsRecordedUnlessARecordingEnablesIt() throws Exception {
        Path file = folder.resolve("default.jfr");
        try (Recording recording = new Recording()) {
            recording.start();
            try (TovikRuntime runtime = TovikRuntime.open()) {
                runtime.modules();
            }
            recording.stop();
            recording.dump(file);
        }
        assertEquals(List.of(), callEvents(file));
    }

    @Test
    void theLibrarysLinesReachTheLoggerNamedAfterTheirFunction() {
        try (TovikRuntime runtime = TovikRuntime.open(
                TovikRuntime.Options.defaults().withNativeLog(true))) {
            assertTrue(NativeLog.installed());
            int before = records().size();
            runtime.modules();
            List<String> lines = new ArrayList<>();
            for (LogRecord r : records().subList(before, records().size())) {
                if (r.getLoggerName().equals(NativeLog.LOGGER_PREFIX + "." + PREFIX
                        + "vtxGetModuleIds")) {
                    assertEquals(Level.FINE, r.getLevel());
                    lines.add(r.getMessage());
                }
            }
            assertFalse(lines.isEmpty());
            assertTrue(lines.get(0).startsWith(PREFIX + "vtxGetModuleIds:"), lines.get(0));
            assertTrue(lines.stream().allMatch(l -> l.matches(PREFIX + "vtxGetModuleIds:\\d+: .*")),
                    lines.toString());
            // The command thread's lines come under "Class::Member".
            assertTrue(records().stream().anyMatch(r -> r.getLoggerName().startsWith(
                    NativeLog.LOGGER_PREFIX + ".CTovikManagerIF::")), "no core log line");
        }
        assertFalse(NativeLog.installed());
        int after = records().size();
        try (TovikRuntime runtime = TovikRuntime.open()) {
            runtime.modules();
        }
        assertEquals(after, records().size(), "lines delivered with the bridge off");
    }

    @Test
    void listenersGetEveryLineUnchangedWhateverTheLoggerConfiguration() {
        List<String> heard = java.util.Collections.synchronizedList(new ArrayList<>());
        java.util.function.Consumer<String> listener = heard::add;
        java.util.function.Consumer<String> failing = line -> {
            throw new IllegalStateException("a listener that fails");
        };
        NativeLog.addListener(failing);
        NativeLog.addListener(listener);
        try {
            try (TovikRuntime runtime = TovikRuntime.open(
                    TovikRuntime.Options.defaults().withNativeLog(true))) {
                assertEquals(3, runtime.modules().size(), "a failing listener broke the call");
            }
            // The calling thread's lines, as the logger got them and as the listener did.
            String modules = NativeLog.LOGGER_PREFIX + "." + PREFIX + "vtxGetModuleIds";
            List<String> logged = records().stream()
                    .filter(r -> r.getLoggerName().equals(modules))
                    .map(LogRecord::getMessage).toList();
            assertFalse(logged.isEmpty());
            assertEquals(logged, List.copyOf(heard).stream()
                    .filter(l -> l.startsWith(PREFIX + "vtxGetModuleIds:")).toList());
            // Closing logs too, and the listener hears it.
            assertTrue(heard.stream().anyMatch(l -> l.contains("shutting down runtime complete")),
                    heard.toString());

            // With the logger off (as java.util.logging is once the JVM shuts down), the
            // listener still hears every line.
            root.setLevel(Level.OFF);
            int loggedBefore = records().size();
            heard.clear();
            try (TovikRuntime runtime = TovikRuntime.open(
                    TovikRuntime.Options.defaults().withNativeLog(true))) {
                runtime.modules();
            }
            assertEquals(loggedBefore, records().size(), "the logger got lines while off");
            assertTrue(heard.stream().anyMatch(l -> l.startsWith(PREFIX + "vtxGetModuleIds:")),
                    heard.toString());
        } finally {
            NativeLog.removeListener(failing);
            NativeLog.removeListener(listener);
        }
        heard.clear();
        try (TovikRuntime runtime = TovikRuntime.open(
                TovikRuntime.Options.defaults().withNativeLog(true))) {
            runtime.modules();
        }
        assertEquals(List.of(), heard, "a removed listener still got lines");
    }

    @Test
    void installsNestAndLoggerNamesFollowTheLineForm() {
        NativeLog.install();
        NativeLog.install();
        NativeLog.uninstall();
        assertTrue(NativeLog.installed());
        NativeLog.uninstall();
        assertFalse(NativeLog.installed());
        NativeLog.uninstall();
        assertFalse(NativeLog.installed());

        assertEquals(NativeLog.LOGGER_PREFIX + ".CTovikManagerIF::CmdDestroyObject",
                NativeLog.loggerName("CTovikManagerIF::CmdDestroyObject:123: Releasing 0"));
        assertEquals(NativeLog.LOGGER_PREFIX + ".WaitForEventProc",
                NativeLog.loggerName("WaitForEventProc:88: Waiting for Events done 0"));
        assertEquals(NativeLog.LOGGER_PREFIX, NativeLog.loggerName("no function here: 1"));
        assertEquals(NativeLog.LOGGER_PREFIX, NativeLog.loggerName(""));
        VirtualProvider.clearJournal();
    }
}
