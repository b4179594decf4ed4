package com.holm.zep.tovik.tool;

/** Number parsing shared by the commands: decimal or 0x-prefixed hexadecimal. */
final class Numbers {
    /** Largest value of the 32-bit unsigned numbers the provider takes. */
    static final long U32_MAX = 0xFFFFFFFFL;

    private Numbers() {
    }

    /**
     * Parses decimal or 0x-hexadecimal text, with an optional sign and '_' between digits.
     * Throws {@link NumberFormatException} for anything else, including values beyond 64 bits.
     */
    static long parse(String text) {
        String t = text.trim().replace("_", "");
        boolean negative = t.startsWith("-");
        if (negative || t.startsWith("+")) {
            t = t.substring(1);
        }
        if (t.isEmpty() || t.startsWith("-") || t.startsWith("+")) {
            throw new NumberFormatException(text);
        }
        boolean hex = t.startsWith("0x") || t.startsWith("0X");
        long magnitude = hex ? Long.parseUnsignedLong(t.substring(2), 16) : Long.parseLong(t);
        if (hex && magnitude < 0) {
            throw new NumberFormatException(text);
        }
        return negative ? -magnitude : magnitude;
    }

    /** Whether the text is meant as a number (digits, or 0x and hex digits), in range or not. */
    static boolean looksNumeric(String text) {
        return text.trim().replace("_", "").matches("[+-]?(0[xX][0-9a-fA-F]+|[0-9]+)");
    }

    /** Unsigned 32-bit view of a value the provider keeps as 32 bits. */
    static long u32(long value) {
        return value & U32_MAX;
    }

    /** "0 to 4294967295 (0xFFFFFFFF)": how range errors name a range. */
    static String range(long min, long max) {
        return min + " to " + max + (max > 9999 ? String.format(" (0x%X)", max) : "");
    }
}
