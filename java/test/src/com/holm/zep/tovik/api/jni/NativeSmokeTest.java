package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
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
 * java.library.path, and static log methods are reachable by name both from Java threads and
 * from native threads attached to the virtual machine (which see only the system class path).
 */
class NativeSmokeTest {
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
