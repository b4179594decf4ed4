package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.CONFIGURE_USB;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.INITIALIZE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.LINE;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.SHUTDOWN;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.initialize;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotSame;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.test.CapturingLogSink.Line;
import com.holm.zep.tovik.test.CapturingLogSink;
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

    @BeforeEach
    void nameTheSink() {
        Sim.reset();
        CapturingLogSink.clear();
        WrongSignatureSink.CALLS.set(0);
        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
    }

    @AfterEach
    void clearTheSink() {
        MANAGER.vtxSetLogClass(null, null);
    }

    @Test
    void linesHaveTheFunctionLineMessageShapeAndTheExactTexts() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);

        List<Line> lines = CapturingLogSink.records();
        assertFalse(lines.isEmpty());
        for (Line line : lines) {
            assertTrue(LINE.matcher(line.text()).matches(), "malformed line: " + line.text());
        }
        assertEquals(List.of("Initializing", "OK 0", "Initialization done"),
                CapturingLogSink.messagesOf(INITIALIZE));
        assertEquals(List.of("shutting down runtime", "shutting down runtime complete"),
                CapturingLogSink.messagesOf(SHUTDOWN));

        // Each logging statement reports its own source line; native lines arrive on the caller.
        Set<String> lineNumbers = new HashSet<>();
        for (Line line : lines) {
            if (line.text().startsWith(PREFIX)) {
                assertSame(Thread.currentThread(), line.thread(), line.text());
                Matcher m = LINE.matcher(line.text());
                assertTrue(m.matches());
                assertTrue(lineNumbers.add(m.group(1) + ":" + m.group(2)), "repeated " + line.text());
            }
        }
    }

    @Test
    void commandThreadLinesArriveOnADaemonThreadTheLibraryAttached() {
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);

        Line create = null;
        for (Line line : CapturingLogSink.records()) {
            if (CREATE_LINE.matcher(line.text()).matches()) {
                create = line;
            }
        }
        assertTrue(create != null, "no creation line in " + CapturingLogSink.lines());
        assertNotSame(Thread.currentThread(), create.thread());
        assertTrue(create.thread().isDaemon(), "attached as daemon thread");

        // The destroy command names the same facade address, on the same thread.
        Matcher m = CREATE_LINE.matcher(create.text());
        assertTrue(m.matches());
        String removing = "removing TOVIK Manager IF " + m.group(1);
        Line removal = null;
        for (Line line : CapturingLogSink.records()) {
            if (line.text().endsWith(": " + removing)) {
                removal = line;
            }
        }
        assertTrue(removal != null, "no line '" + removing + "' in " + CapturingLogSink.lines());
        assertSame(create.thread(), removal.thread());
    }

    @Test
    void hexadecimalValuesAreLowerCaseWithoutPrefixAndPadding() {
        Sim.failMethod("ITovikManager.ConfigureUsbInterface", 0x8000000A);
        long handle = initialize();
        LongValue result = new LongValue(-1);
        MANAGER.vtxConfigureUsbInterface(handle, result);
        MANAGER.vtxShutdownRuntime(handle);

        assertEquals(0, result.get(), "a command ended by a COM error yields 0");
        List<String> comErrors = CapturingLogSink.lines().stream()
                .filter(text -> text.contains("com error: 0x")).toList();
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
        assertEquals(List.of("shutting down runtime", "shutting down runtime complete"),
                CapturingLogSink.messagesOf(SHUTDOWN));
        assertTrue(CapturingLogSink.lines().stream().noneMatch(t -> t.contains("Configuring USB")),
                "lines from while no class was named");
    }

    @Test
    void aLogMethodOfAnotherShapeDropsLinesSilently() {
        for (String[] names : new String[][] {
                {WrongSignatureSink.CLASS_NAME, "log"},
                {WrongSignatureSink.CLASS_NAME, "write"},
                {CapturingLogSink.CLASS_NAME, "l\u00f6g\u20ac"}}) {
            MANAGER.vtxSetLogClass(names[0], names[1]);
            long handle = initialize();
            LongValue result = new LongValue(-1);
            MANAGER.vtxConfigureUsbInterface(handle, result);
            assertEquals(0, result.get());
            MANAGER.vtxShutdownRuntime(handle);
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
        String className = NonAsciiClasses.sinkNamed("L\u00f6gger\u20acSink");
        MANAGER.vtxSetLogClass(className, "l\u00f6g");
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);

        List<String> texts = CapturingLogSink.lines();
        assertTrue(texts.stream().allMatch(text -> text.startsWith("other:")), texts.toString());
        List<String> shutdown = texts.stream()
                .map(text -> BridgeTestSupport.messageOf(SHUTDOWN, text.substring("other:".length())))
                .filter(Objects::nonNull)
                .toList();
        assertEquals(List.of("shutting down runtime", "shutting down runtime complete"), shutdown);
    }

    /**
     * A class that does not exist is reported once, by vtxSetLogClass itself: the virtual
     * machine's NoClassDefFoundError naming it. The following calls run normally and deliver
     * nothing (the lookup is not repeated for each line).
     */
    @Test
    void anUnknownClassThrowsFromSetLogClassOnceAndLaterCallsRunQuietly() {
        for (String name : UnknownLogClassMain.NAMES) {
            CapturingLogSink.clear();
            NoClassDefFoundError thrown = assertThrows(NoClassDefFoundError.class,
                    () -> MANAGER.vtxSetLogClass(name, "log"));
            assertEquals(name, thrown.getMessage());

            long handle = initialize();
            LongValue result = new LongValue(-1);
            MANAGER.vtxConfigureUsbInterface(handle, result);
            assertEquals(0, result.get(), name);
            MANAGER.vtxShutdownRuntime(handle);
            assertEquals(List.of(), CapturingLogSink.lines(), name);
        }
    }

    /** Seen from outside the process: one "Could not find class" line per name, no JNI warning. */
    @Test
    void anUnknownClassIsPrintedOnceAndTheVirtualMachineSurvives() throws Exception {
        ChildJvm.Outcome child = ChildJvm.run(UnknownLogClassMain.class);
        String text = child.output();
        assertTrue(child.ended(), "the child did not end by itself:\n" + text);
        assertEquals(0, child.exitValue(), text);
        assertFalse(text.contains("WARNING"), text);
        assertFalse(text.contains("FATAL ERROR"), text);
        for (String name : UnknownLogClassMain.NAMES) {
            assertEquals(1, occurrences(text, "Could not find class " + name + "\n"), name + " in\n" + text);
            assertEquals(1, occurrences(text, "thrown for " + name + "\n"), name + " in\n" + text);
        }
        assertEquals(UnknownLogClassMain.NAMES.length, occurrences(text, "then result=0\n"), text);
    }

    @Test
    void aClassNameWithoutMethodNameIsRefused() {
        MANAGER.vtxSetLogClass(null, null);
        Exception refused = assertThrows(Exception.class,
                () -> MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, null));
        assertTrue(refused.getMessage().contains("method name"), refused.getMessage());
        long handle = initialize();
        MANAGER.vtxShutdownRuntime(handle);
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
        Sim.clearJournal();
        CapturingLogSink.clear();
        IllegalStateException failure = new IllegalStateException("log failed");
        CapturingLogSink.failNextOn(Thread.currentThread(), failure);

        LongValue result = new LongValue(12345);
        IllegalStateException thrown = assertThrows(IllegalStateException.class,
                () -> MANAGER.vtxConfigureUsbInterface(handle, result));
        assertSame(failure, thrown);
        assertEquals(12345, result.get(), "the result code is not delivered");
        assertEquals(List.of("Configuring USB interface entered"),
                CapturingLogSink.messagesOf(CONFIGURE_USB));
        assertEquals(List.of(), Sim.journal("ITovikManager.ConfigureUsbInterface"),
                "the provider is not called");

        // Initialisation stopped the same way creates no facade (the leak check sees it).
        CapturingLogSink.failNextOn(Thread.currentThread(), new IllegalStateException("again"));
        assertThrows(IllegalStateException.class,
                () -> MANAGER.vtxInitializeRuntime("a", "b", false, new LongValue()));
        assertEquals(List.of("Initializing"), CapturingLogSink.messagesOf(INITIALIZE));

        // The next call runs normally.
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get());
        MANAGER.vtxShutdownRuntime(handle);
    }

    @Test
    void aLogMethodThrowingOnTheCommandThreadDoesNotStopLaterLines() {
        CapturingLogSink.failNextOffThread(Thread.currentThread(),
                new IllegalStateException("on the command thread"));
        long handle = initialize();
        assertFalse(CapturingLogSink.failurePending(), "a command thread line was delivered");
        CapturingLogSink.clear();

        MANAGER.vtxShutdownRuntime(handle);
        assertTrue(CapturingLogSink.lines().stream()
                .anyMatch(text -> text.startsWith("CTovikManagerIF::CmdDestroyObject:")),
                "command thread lines still arrive: " + CapturingLogSink.lines());
    }
}
