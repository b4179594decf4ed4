package com.holm.zep.tovik.api.jni;

/** Mutable 64-bit value through which the native methods report their result code. */
public class LongValue {
    private long value;

    /** A value of 0 until the native library sets the result code. */
    public LongValue() {
    }

    /**
     * A value that starts as {@code value}; the result code replaces it.
     *
     * @param value the initial value
     */
    public LongValue(long value) {
        this.value = value;
    }

    /**
     * Called by the native library with the result code.
     *
     * @param value the result code, sign-extended from 32 bits
     */
    public void set(long value) {
        this.value = value;
    }

    /** @return the value last set */
    public long get() {
        return value;
    }

    @Override
    public String toString() {
        return "LongValue[" + value + " (0x" + Long.toHexString(value) + ")]";
    }
}
