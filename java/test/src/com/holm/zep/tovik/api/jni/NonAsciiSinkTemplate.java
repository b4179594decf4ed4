package com.holm.zep.tovik.api.jni;

import com.holm.zep.tovik.test.CapturingLogSink;

/**
 * Byte code of a log class that LogClassTest copies under a class name outside ASCII: no source
 * file needs such a name, which the build machine's file names might not carry. The method name is
 * outside ASCII too.
 */
final class NonAsciiSinkTemplate {
    private NonAsciiSinkTemplate() {
    }

    /** The log method: records the line as {@link CapturingLogSink#other} does. */
    public static void lög(String line) {
        CapturingLogSink.other(line);
    }
}
