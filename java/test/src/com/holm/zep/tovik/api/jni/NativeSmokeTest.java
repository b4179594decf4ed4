package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import java.util.List;
import java.util.concurrent.CopyOnWriteArrayList;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogRecord;
import java.util.logging.Logger;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * The default log class, called by name through a small native library of the tests the way the
 * library calls it: from Java threads and from native threads attached to the virtual machine
 * (which see only the system class path).
 */
class NativeSmokeTest {
    static native boolean callStatic(String className, String methodName, String line);

    static native boolean callStaticFromNativeThread(String className, String methodName, String line);

    @BeforeAll
    static void loadLibrary() {
        System.loadLibrary("TovikJavaTestSupport");
    }

    @Test
    void theDefaultLogSinkForwardsToTheSystemLogger() {
        Logger logger = Logger.getLogger(TovikLog.LOGGER_NAME);
        List<String> messages = new CopyOnWriteArrayList<>();
        Handler handler = new Handler() {
            @Override
            public void publish(LogRecord record) {
                messages.add(record.getMessage());
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
        assertEquals(List.of("f:1: from native thread", "f:2: from java thread"), messages);
    }
}
