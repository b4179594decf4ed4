package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogRecord;
import java.util.logging.Logger;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/**
 * Proves the test set-up itself with a small native library of its own: it is found on
 * java.library.path, JNI calls run clean under -Xcheck:jni, exceptions raised natively surface
 * in Java, and static log methods are reachable by name both from Java threads and from native
 * threads attached to the virtual machine (which see only the system class path).
 */
class NativeSmokeTest {
    static native String echo(String text);

    static native long sum(long[] values);

    static native void raise(String message);

    static native boolean callStatic(String className, String methodName, String line);

    static native boolean callStaticFromNativeThread(String className, String methodName,
            String line);

    @BeforeAll
    static void loadLibrary() {
        System.loadLibrary("TovikJavaTestSupport");
    }

    @BeforeEach
    void clearSink() {
        CapturingLogSink.clear();
    }

    @Test
    void stringsAndArraysCrossTheBoundary() {
        String text = "Gr\u00fc\u00dfe \u20ac \uD83D\uDE00 end";
        assertEquals(text, echo(text));
        assertEquals("", echo(""));
        assertNull(echo(null));

        long[] values = {1, -2, 0x1_0000_0000L, Long.MIN_VALUE};
        assertEquals(1 - 2 + 0x1_0000_0000L + Long.MIN_VALUE, sum(values));
        assertArrayEquals(new long[] {1, -2, 0x1_0000_0000L, Long.MIN_VALUE}, values,
                "the array is handed back unchanged");
        assertEquals(0, sum(new long[0]));
    }

    @Test
    void nativeExceptionSurfacesInCaller() {
        Exception thrown = assertThrows(Exception.class, () -> raise(" leading blank kept"));
        assertSame(Exception.class, thrown.getClass());
        assertEquals(" leading blank kept", thrown.getMessage());
    }

    @Test
    void capturingSinkIsReachableFromJavaAndNativeThreads() {
        assertTrue(callStatic(CapturingLogSink.CLASS_NAME, CapturingLogSink.METHOD_NAME,
                "Java_x:12: from java thread"));
        assertTrue(callStaticFromNativeThread(CapturingLogSink.CLASS_NAME,
                CapturingLogSink.METHOD_NAME, "CTovikManagerIF::CmdX:345: from native thread"));

        assertEquals(List.of("Java_x:12: from java thread",
                "CTovikManagerIF::CmdX:345: from native thread"), CapturingLogSink.lines());
        assertEquals(List.of("from native thread"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdX"));
    }

    @Test
    void unknownClassOrMethodIsNotCalled() {
        assertFalse(callStatic("com/holm/zep/tovik/test/NoSuchSink", "log", "x"));
        assertFalse(callStatic(CapturingLogSink.CLASS_NAME, "noSuchMethod", "x"));
        assertFalse(callStaticFromNativeThread("com/holm/zep/tovik/test/NoSuchSink", "log", "x"));
        assertTrue(CapturingLogSink.lines().isEmpty());
    }

    @Test
    void throwingLogMethodLeavesItsExceptionPending() {
        IllegalStateException failure = new IllegalStateException("sink failed");
        CapturingLogSink.failWith(failure);
        IllegalStateException thrown = assertThrows(IllegalStateException.class,
                () -> callStatic(CapturingLogSink.CLASS_NAME, CapturingLogSink.METHOD_NAME,
                        "line"));
        assertSame(failure, thrown);
        assertEquals(List.of("line"), CapturingLogSink.lines());
    }

    @Test
    void defaultLogSinkForwardsToSystemLogger() {
        Logger logger = Logger.getLogger(TovikLog.LOGGER_NAME);
        List<LogRecord> records = new ArrayList<>();
        Handler handler = new Handler() {
            @Override
            public void publish(LogRecord record) {
                synchronized (records) {
                    records.add(record);
                }
            }

            @Override
            public void flush() {
            }

            @Override
            public void close() {
            }
        };
        Level previousLevel = logger.getLevel();
        logger.setLevel(Level.ALL);
        logger.addHandler(handler);
        try {
            String className = TovikLog.class.getName().replace('.', '/');
            assertTrue(callStaticFromNativeThread(className, "log", "f:1: from native thread"));
            assertTrue(callStatic(className, "log", "f:2: from java thread"));
        } finally {
            logger.removeHandler(handler);
            logger.setLevel(previousLevel);
        }
        List<String> messages = new ArrayList<>();
        for (LogRecord record : records) {
            messages.add(record.getMessage());
        }
        assertEquals(List.of("f:1: from native thread", "f:2: from java thread"), messages);
    }
}
