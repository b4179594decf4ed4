package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.RuntimeFixture.*;
import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import com.holm.zep.tovik.test.CapturingLogSink.Line;
import java.util.HashSet;
import java.util.List;
import java.util.Objects;
import java.util.Set;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

/** vtxSetLogClass and the delivery of the library's trace lines into Java. */
@ExtendWith(LeakCheck.class)
class LogClassTest {
    private static final Pattern CREATE_LINE =
            Pattern.compile("CTovikManagerIF::CmdCreateObject:[0-9]+: Create TOVIK Manager IF ([0-9A-F]{16})");
    private static final List<String> SHUTDOWN_LINES = List.of("shutting down runtime", "shutting down runtime complete");

    @BeforeEach
    void nameTheSink() {
        VirtualProvider.reset();
        WrongSignatureSink.CALLS.set(0);
        CapturingLogSink.install(MANAGER);
    }

    @AfterEach
    void clearTheSink() {
        MANAGER.vtxSetLogClass(null, null);
    }

    /** Initialises a runtime, configures USB on it (result 0 expected) and shuts it down. */
    private static void runOnce(String what) {
        long handle = initialize();
        LongValue result = new LongValue(-1);
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get(), what);
        MANAGER.vtxShutdownRuntime(handle);
    }

    @Test
    void linesHaveTheFunctionLineMessageShapeTheExactTextsAndTheirOwnLineNumbers() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);

        List<Line> lines = CapturingLogSink.records();
        assertFalse(lines.isEmpty());
        Set<String> lineNumbers = new HashSet<>();
        for (Line line : lines) {
            Matcher m = CapturingLogSink.LINE.matcher(line.text());
            assertTrue(m.matches(), "malformed line: " + line.text());
            // Native lines arrive on the caller; each logging statement reports its own line.
            if (line.text().startsWith(PREFIX)) {
                assertSame(Thread.currentThread(), line.thread(), line.text());
                assertTrue(lineNumbers.add(m.group(1) + ":" + m.group(2)), "repeated " + line.text());
            }
        }
        assertEquals(List.of("Initializing", "OK 0", "Initialization done"), log("vtxInitializeRuntime"));
        assertEquals(SHUTDOWN_LINES, log("vtxShutdownRuntime"));
    }

    @Test
    void commandThreadLinesArriveOnADaemonThreadTheLibraryAttached() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);

        Line create = CapturingLogSink.records().stream().filter(l -> CREATE_LINE.matcher(l.text()).matches())
                .findFirst().orElseThrow(() -> new AssertionError("no creation line: " + CapturingLogSink.lines()));
        assertNotSame(Thread.currentThread(), create.thread());
        assertTrue(create.thread().isDaemon(), "attached as daemon thread");

        // The destroy command names the same facade address, on the same thread.
        Matcher m = CREATE_LINE.matcher(create.text());
        assertTrue(m.matches());
        String removing = ": removing TOVIK Manager IF " + m.group(1);
        Line removal = CapturingLogSink.records().stream().filter(l -> l.text().endsWith(removing)).findFirst()
                .orElseThrow(() -> new AssertionError("no line '" + removing + "': " + CapturingLogSink.lines()));
        assertSame(create.thread(), removal.thread());
    }

    @Test
    void hexadecimalValuesAreLowerCaseWithoutPrefixAndPadding() {
        VirtualProvider.failMethod("ITovikManager.ConfigureUsbInterface", 0x8000000A);
        runOnce("a command ended by a COM error yields 0");
        List<String> comErrors = CapturingLogSink.lines().stream().filter(t -> t.contains("com error: 0x")).toList();
        assertEquals(1, comErrors.size(), CapturingLogSink.lines().toString());
        assertTrue(comErrors.get(0).contains("com error: 0x8000000a - "), comErrors.get(0));
    }

    @Test
    void renamingTheMethodAndClearingTheClass() {
        long handle = initialize();
        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "other");
        CapturingLogSink.clear();
        LongValue result = new LongValue();
        MANAGER.vtxConfigureUsbInterface(handle, result);
        List<String> renamed = CapturingLogSink.lines();
        assertFalse(renamed.isEmpty());
        assertTrue(renamed.stream().allMatch(text -> text.startsWith("other:" + PREFIX)), renamed.toString());

        // Cleared: neither native lines nor core lines (the core log keeps its sink) arrive,
        // and nothing composed meanwhile arrives later.
        MANAGER.vtxSetLogClass(null, null);
        CapturingLogSink.clear();
        MANAGER.vtxConfigureUsbInterface(handle, result);
        MANAGER.vtxShutdownRuntime(handle);
        long second = initialize();
        assertEquals(List.of(), CapturingLogSink.lines());

        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
        MANAGER.vtxShutdownRuntime(second);
        assertEquals(SHUTDOWN_LINES, log("vtxShutdownRuntime"));
        assertTrue(CapturingLogSink.lines().stream().noneMatch(t -> t.contains("Configuring USB")),
                "lines from while no class was named");
    }

    @Test
    void aLogMethodOfAnotherShapeDropsLinesSilently() {
        for (String[] names : new String[][] {{WrongSignatureSink.CLASS_NAME, "log"},
                {WrongSignatureSink.CLASS_NAME, "write"}, {CapturingLogSink.CLASS_NAME, "l\u00f6g\u20ac"}}) {
            MANAGER.vtxSetLogClass(names[0], names[1]);
            runOnce(names[1]);
        }
        assertEquals(0, WrongSignatureSink.CALLS.get());
        assertEquals(List.of(), CapturingLogSink.lines());
    }

    /**
     * Names outside ASCII reach the class and method lookup as the modified UTF-8 the virtual
     * machine reads (handed over in the ANSI code page, such a class name ends the virtual
     * machine under -Xcheck:jni, and such a method is not found).
     */
    @Test
    void aClassAndMethodNamedOutsideAsciiReceiveTheLines() {
        MANAGER.vtxSetLogClass(NonAsciiClasses.sinkNamed("L\u00f6gger\u20acSink"), "l\u00f6g");
        MANAGER.vtxShutdownRuntime(initialize());
        List<String> texts = CapturingLogSink.lines();
        assertTrue(texts.stream().allMatch(text -> text.startsWith("other:")), texts.toString());
        assertEquals(SHUTDOWN_LINES, texts.stream()
                .map(text -> CapturingLogSink.messageOf(PREFIX + "vtxShutdownRuntime", text.substring(6)))
                .filter(Objects::nonNull).toList());
    }

    /**
     * A class that does not exist is reported once, by vtxSetLogClass itself: the virtual
     * machine's NoClassDefFoundError naming it. The following calls run normally and deliver
     * nothing (the lookup is not repeated for each line).
     */
    @Test
    void anUnknownClassThrowsFromSetLogClassOnceAndLaterCallsRunQuietly() {
        for (String name : ChildMain.UNKNOWN_CLASSES) {
            CapturingLogSink.clear();
            assertEquals(name, assertThrows(NoClassDefFoundError.class, () -> MANAGER.vtxSetLogClass(name, "log"))
                    .getMessage());
            runOnce(name);
            assertEquals(List.of(), CapturingLogSink.lines(), name);
        }
    }

    /** Seen from outside the process: one "Could not find class" line per name, no JNI warning. */
    @Test
    void anUnknownClassIsPrintedOnceAndTheVirtualMachineSurvives() throws Exception {
        String text = ChildJvm.run("unknown-classes");
        for (String name : ChildMain.UNKNOWN_CLASSES) {
            assertEquals(1, occurrences(text, "Could not find class " + name + "\n"), name + " in\n" + text);
            assertEquals(1, occurrences(text, "thrown for " + name + "\n"), name + " in\n" + text);
        }
        assertEquals(ChildMain.UNKNOWN_CLASSES.length, occurrences(text, "then result=0\n"), text);
    }

    /** Native threads are attached as daemons: a process whose main returns still ends. */
    @Test
    void aProcessEndsWhenMainReturnsWithTheCommandThreadAttached() throws Exception {
        String text = ChildJvm.run("return-from-main");
        Matcher m = Pattern.compile("handle=1 result=0 commandThreadLines=([0-9]+)").matcher(text);
        assertTrue(m.find() && Integer.parseInt(m.group(1)) > 0, "command thread lines were delivered: " + text);
    }

    @Test
    void aClassNameWithoutMethodNameIsRefused() {
        MANAGER.vtxSetLogClass(null, null);
        Exception refused = assertThrows(Exception.class, () -> MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, null));
        assertTrue(refused.getMessage().contains("method name"), refused.getMessage());
        MANAGER.vtxShutdownRuntime(initialize());
        assertEquals(List.of(), CapturingLogSink.lines(), "the earlier state (no class) stays");
    }

    private static int occurrences(String text, String part) {
        int count = 0;
        for (int at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + 1)) {
            count++;
        }
        return count;
    }

    @Test
    void aThrowingLogMethodStopsTheNativeMethodAfterItsEntryLine() {
        long handle = initialize();
        VirtualProvider.clearJournal();
        CapturingLogSink.clear();
        Thread caller = Thread.currentThread();
        IllegalStateException failure = new IllegalStateException("log failed");
        CapturingLogSink.failWhen(line -> line.thread() == caller, failure);

        LongValue result = new LongValue(12345);
        assertSame(failure, assertThrows(IllegalStateException.class,
                () -> MANAGER.vtxConfigureUsbInterface(handle, result)));
        assertEquals(12345, result.get(), "the result code is not delivered");
        assertEquals(List.of("Configuring USB interface entered"), log("vtxConfigureUsbInterface"));
        assertEquals(List.of(), journal("ITovikManager.ConfigureUsbInterface"), "the provider is not called");

        // Initialisation stopped the same way creates no facade (the leak check sees it).
        CapturingLogSink.failWhen(line -> line.thread() == caller, new IllegalStateException("again"));
        assertThrows(IllegalStateException.class,
                () -> MANAGER.vtxInitializeRuntime("a", "b", false, new LongValue()));
        assertEquals(List.of("Initializing"), log("vtxInitializeRuntime"));

        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get(), "the next call runs normally");
        MANAGER.vtxShutdownRuntime(handle);
    }

    @Test
    void aLogMethodThrowingOnTheCommandThreadDoesNotStopLaterLines() {
        Thread caller = Thread.currentThread();
        CapturingLogSink.failWhen(line -> line.thread() != caller, new IllegalStateException("on the command thread"));
        long handle = initialize();
        assertFalse(CapturingLogSink.failurePending(), "a command thread line was delivered");
        CapturingLogSink.clear();
        MANAGER.vtxShutdownRuntime(handle);
        assertTrue(CapturingLogSink.lines().stream().anyMatch(t -> t.startsWith("CTovikManagerIF::CmdDestroyObject:")),
                "command thread lines still arrive: " + CapturingLogSink.lines());
    }
}
