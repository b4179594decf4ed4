package com.holm.zep.tovik.api.jni;

/**
 * Mutable 64-bit value through which the native methods report their result code.
 */
public class LongValue {
    private long value;

    public LongValue() {
    }

    public LongValue(long value) {
        this.value = value;
    }

    /** Called by the native library with the result code. */
    public void set(long value) {
        this.value = value;
    }

    public long get() {
        return value;
    }

    @Override
    public String toString() {
        return "LongValue[" + value + " (0x" + Long.toHexString(value) + ")]";
    }
}
