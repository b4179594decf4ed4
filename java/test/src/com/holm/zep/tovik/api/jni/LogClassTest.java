package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.RuntimeFixture.*;
import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.packaging.JvmRuns;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import com.holm.zep.tovik.test.CapturingLogSink.Line;
import java.io.InputStream;
import java.lang.invoke.MethodHandles;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.HashSet;
import java.util.List;
import java.util.Objects;
import java.util.Set;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.ExtendWith;

/** vtxSetLogClass and the delivery of the library's log lines into Java. */
@ExtendWith(LeakCheck.class)
class LogClassTest {
    private static final List<String> SHUTDOWN_LINES = List.of("shutting down runtime", "shutting down runtime complete");
    private static final String[] UNKNOWN_CLASSES = {"no/SuchClass", "rel/L\u00f6gger", "x\u00e9", "x\u20ac"};

    @BeforeEach
    void nameTheSink() {
        VirtualProvider.reset();
        WrongShape.CALLS.set(0);
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

    /** Native lines arrive on the caller, each logging statement with a line number of its own. */
    @Test
    void nativeLinesArriveOnTheCallerWithTheirOwnLineNumbers() {
        MANAGER.vtxShutdownRuntime(initialize());
        Set<String> lineNumbers = new HashSet<>();
        for (Line line : CapturingLogSink.records()) {
            Matcher m = CapturingLogSink.LINE.matcher(line.text());
            assertTrue(m.matches(), "malformed line: " + line.text());
            if (line.text().startsWith(PREFIX)) {
                assertSame(Thread.currentThread(), line.thread(), line.text());
                assertTrue(lineNumbers.add(m.group(1) + ":" + m.group(2)), "repeated " + line.text());
            }
        }
        assertEquals(5, lineNumbers.size(), CapturingLogSink.lines().toString());
    }

    @Test
    void renamingTheMethodAndClearingTheClass() {
        long handle = initialize();
        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "other");
        CapturingLogSink.clear();
        MANAGER.vtxConfigureUsbInterface(handle, new LongValue());
        List<String> renamed = CapturingLogSink.lines();
        assertFalse(renamed.isEmpty());
        assertTrue(renamed.stream().allMatch(text -> text.startsWith("other:" + PREFIX)), renamed.toString());

        // Cleared: neither native nor core lines arrive, and nothing composed meanwhile arrives later.
        MANAGER.vtxSetLogClass(null, null);
        CapturingLogSink.clear();
        MANAGER.vtxConfigureUsbInterface(handle, new LongValue());
        MANAGER.vtxShutdownRuntime(handle);
        long second = initialize();
        assertEquals(List.of(), CapturingLogSink.lines());
        MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
        MANAGER.vtxShutdownRuntime(second);
        assertEquals(SHUTDOWN_LINES, log("vtxShutdownRuntime"));
        assertTrue(CapturingLogSink.lines().stream().noneMatch(t -> t.contains("Configuring USB")));
    }

    /** A class whose "log" methods have every shape but the one the library calls. */
    public static final class WrongShape {
        static final AtomicInteger CALLS = new AtomicInteger();

        public static int log(String line) {
            return CALLS.incrementAndGet();
        }

        public static void log(Object line) {
            CALLS.incrementAndGet();
        }

        public void write(String line) {
            CALLS.incrementAndGet();
        }
    }

    @Test
    void aLogMethodOfAnotherShapeDropsLinesSilently() {
        String wrong = WrongShape.class.getName().replace('.', '/');
        for (String[] names : new String[][] {{wrong, "log"}, {wrong, "write"}, {CapturingLogSink.CLASS_NAME, "l\u00f6g\u20ac"}}) {
            MANAGER.vtxSetLogClass(names[0], names[1]);
            runOnce(names[1]);
        }
        assertEquals(0, WrongShape.CALLS.get());
        assertEquals(List.of(), CapturingLogSink.lines());
    }

    /**
     * Names outside ASCII reach the class and method lookup as the modified UTF-8 the virtual
     * machine reads (in the ANSI code page such a class name ends the virtual machine under
     * -Xcheck:jni, and such a method is not found). The class is a copy of
     * {@link NonAsciiSinkTemplate} defined at run time under such a name, which no source or
     * class file then needs.
     */
    @Test
    void aClassAndMethodNamedOutsideAsciiReceiveTheLines() throws Exception {
        MANAGER.vtxSetLogClass(defineSinkNamed("L\u00f6gger\u20acSink"), "l\u00f6g");
        MANAGER.vtxShutdownRuntime(initialize());
        List<String> texts = CapturingLogSink.lines();
        assertTrue(texts.stream().allMatch(text -> text.startsWith("other:")), texts.toString());
        assertEquals(SHUTDOWN_LINES, texts.stream()
                .map(text -> CapturingLogSink.messageOf(PREFIX + "vtxShutdownRuntime", text.substring(6)))
                .filter(Objects::nonNull).toList());
    }

    /** The template's class file with its own name (one CONSTANT_Utf8 entry) replaced. */
    private static String defineSinkNamed(String simpleName) throws Exception {
        String template = NonAsciiSinkTemplate.class.getName().replace('.', '/');
        String renamed = template.substring(0, template.lastIndexOf('/') + 1) + simpleName;
        byte[] bytes;
        try (InputStream in = NonAsciiSinkTemplate.class.getResourceAsStream("NonAsciiSinkTemplate.class")) {
            bytes = in.readAllBytes();
        }
        String text = new String(bytes, StandardCharsets.ISO_8859_1);  // one char per byte
        String from = utf8Entry(template);
        assertEquals(text.indexOf(from), text.lastIndexOf(from), "the template names itself once");
        MethodHandles.lookup().defineClass(text.replace(from, utf8Entry(renamed)).getBytes(StandardCharsets.ISO_8859_1));
        return renamed;
    }

    /** Tag 1, two length bytes, the text (modified UTF-8 is UTF-8 for these characters). */
    private static String utf8Entry(String name) {
        byte[] chars = name.getBytes(StandardCharsets.UTF_8);
        return "\1" + (char) (chars.length >> 8) + (char) (chars.length & 0xFF)
                + new String(chars, StandardCharsets.ISO_8859_1);
    }

    /** A class that does not exist: vtxSetLogClass throws NoClassDefFoundError once; later calls deliver nothing. */
    @Test
    void anUnknownClassThrowsFromSetLogClassOnceAndLaterCallsRunQuietly() {
        for (String name : UNKNOWN_CLASSES) {
            CapturingLogSink.clear();
            assertEquals(name, assertThrows(NoClassDefFoundError.class, () -> MANAGER.vtxSetLogClass(name, "log"))
                    .getMessage());
            runOnce(name);
            assertEquals(List.of(), CapturingLogSink.lines(), name);
        }
    }

    @Test
    void aClassNameWithoutMethodNameIsRefused() {
        MANAGER.vtxSetLogClass(null, null);
        Exception refused = assertThrows(Exception.class, () -> MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, null));
        assertTrue(refused.getMessage().contains("method name"), refused.getMessage());
        MANAGER.vtxShutdownRuntime(initialize());
        assertEquals(List.of(), CapturingLogSink.lines(), "the earlier state (no class) stays");
    }

    /** Seen from outside the process: one "Could not find class" line per name, no JNI warning. */
    @Test
    void anUnknownClassIsPrintedOnceAndTheVirtualMachineSurvives() throws Exception {
        String text = runChild("unknown-classes");
        for (String name : UNKNOWN_CLASSES) {
            assertEquals(1, occurrences(text, "Could not find class " + name + "\n"), name + " in\n" + text);
            assertEquals(1, occurrences(text, "thrown for " + name + "\n"), name + " in\n" + text);
        }
        assertEquals(UNKNOWN_CLASSES.length, occurrences(text, "then result=0\n"), text);
    }

    /** The command thread is attached as a daemon: a process whose main returns still ends. */
    @Test
    void aProcessEndsWhenMainReturnsWithTheCommandThreadAttached() throws Exception {
        Matcher m = Pattern.compile("handle=1 result=0 commandThreadLines=([0-9]+)").matcher(runChild("return-from-main"));
        assertTrue(m.find() && Integer.parseInt(m.group(1)) > 0, "command thread lines were delivered");
    }

    private static int occurrences(String text, String part) {
        return text.split(Pattern.quote(part), -1).length - 1;
    }

    /** The output of {@link Child} in a virtual machine of its own that ends by itself, with no JNI warning. */
    private static String runChild(String mode) throws Exception {
        Path work = Files.createTempDirectory("tovik-child-jvm");
        try {
            JvmRuns.Run run = JvmRuns.run(work, JvmRuns.process(JvmRuns.java("-Djava.library.path="
                    + System.getProperty("java.library.path"), "-cp", System.getProperty("java.class.path"),
                    Child.class.getName(), mode)));
            assertEquals(0, run.exitCode(), run.toString());
            return run.out() + run.err();
        } finally {
            Files.delete(work);
        }
    }

    /**
     * "return-from-main" names a log class and starts a runtime (whose command thread logs, and is
     * so attached) and returns; "unknown-classes" names missing log classes, each followed by a run.
     */
    public static final class Child {
        public static void main(String[] args) {
            LeakCheck.loadLibraries();
            LongValue result = new LongValue(-1);
            if (args[0].equals("return-from-main")) {
                MANAGER.vtxSetLogClass(CapturingLogSink.CLASS_NAME, "log");
                long handle = MANAGER.vtxInitializeRuntime("first", "second", false, result);
                MANAGER.vtxConfigureUsbInterface(handle, result);
                long fromOtherThreads = CapturingLogSink.records().stream()
                        .filter(line -> line.thread() != Thread.currentThread()).count();
                System.out.println("handle=" + handle + " result=" + result.get() + " commandThreadLines=" + fromOtherThreads);
                return;
            }
            for (String name : UNKNOWN_CLASSES) {
                try {
                    MANAGER.vtxSetLogClass(name, "log");
                    System.out.println("not thrown for " + name);
                } catch (NoClassDefFoundError e) {
                    System.out.println("thrown for " + name);
                }
                long handle = MANAGER.vtxInitializeRuntime("first", "second", false, result);
                MANAGER.vtxConfigureUsbInterface(handle, result);
                MANAGER.vtxShutdownRuntime(handle);
                System.out.println("then result=" + result.get());
            }
            MANAGER.vtxSetLogClass(null, null);
        }
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
        assertSame(failure, assertThrows(IllegalStateException.class, () -> MANAGER.vtxConfigureUsbInterface(handle, result)));
        assertEquals(12345, result.get(), "the result code is not delivered");
        assertEquals(List.of("Configuring USB interface entered"), log("vtxConfigureUsbInterface"));
        assertEquals(List.of(), journal("ITovikManager.ConfigureUsbInterface"), "the provider is not called");

        // Initialisation stopped the same way creates no facade (the leak check sees it).
        CapturingLogSink.failWhen(line -> line.thread() == caller, new IllegalStateException("again"));
        assertThrows(IllegalStateException.class, () -> MANAGER.vtxInitializeRuntime("a", "b", false, new LongValue()));
        assertEquals(List.of("Initializing"), log("vtxInitializeRuntime"));
        MANAGER.vtxConfigureUsbInterface(handle, result);
        assertEquals(0, result.get(), "the next call runs normally");
        MANAGER.vtxShutdownRuntime(handle);
    }

    /** Thrown while a list is open: the walk stops and the list wrapper is still deleted (the leak check sees it). */
    @Test
    void aLogMethodThrowingInsideAListStopsTheWalkWithoutLeaking() {
        long handle = initialize();
        VirtualProvider.clearJournal();
        IllegalStateException failure = new IllegalStateException("sink down");
        CapturingLogSink.failWhen(line -> line.text().contains("Number of modules"), failure);
        LongValue result = new LongValue(-1);
        assertSame(failure, assertThrows(IllegalStateException.class, () -> MANAGER.vtxGetModuleIds(handle, result)));
        assertEquals(-1, result.get(), "the LongValue is not set after an abort");
        assertEquals(List.of("ITovikManager.GetModuleIds()", "ITovikVciItems.Count()"), journal(""));
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
                CapturingLogSink.lines().toString());
    }
}
