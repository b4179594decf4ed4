package com.holm.zep.tovik.client;

import java.util.Arrays;
import java.util.HexFormat;

/**
 * The raw result bytes of a module's self test, from {@link Connection#selfTest()}.
 */
public final class SelfTest {
    private final byte[] bytes;

    /**
     * A result of these bytes (copied).
     *
     * @param bytes the result bytes
     */
    public SelfTest(byte[] bytes) {
        this.bytes = bytes.clone();
    }

    /** {@return a copy of the result bytes} */
    public byte[] bytes() {
        return bytes.clone();
    }

    /** {@return number of result bytes} */
    public int length() {
        return bytes.length;
    }

    @Override
    public boolean equals(Object other) {
        return other instanceof SelfTest that && Arrays.equals(bytes, that.bytes);
    }

    @Override
    public int hashCode() {
        return Arrays.hashCode(bytes);
    }

    @Override
    public String toString() {
        return "SelfTest[" + HexFormat.ofDelimiter(" ").formatHex(bytes) + "]";
    }
}
