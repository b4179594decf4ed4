package com.holm.zep.tovik.tool;

/** Number parsing shared by the commands: decimal or 0x-prefixed hexadecimal. */
final class Numbers {
    private Numbers() {
    }

    static long parse(String text) {
        String t = text.trim().replace("_", "");
        boolean negative = t.startsWith("-");
        if (negative) {
            t = t.substring(1);
        }
        long value = t.startsWith("0x") || t.startsWith("0X")
                ? Long.parseUnsignedLong(t.substring(2), 16)
                : Long.parseLong(t);
        return negative ? -value : value;
    }

    /** picocli converter: accepts decimal and 0x-hexadecimal values. */
    static final class Converter implements picocli.CommandLine.ITypeConverter<Long> {
        @Override
        public Long convert(String value) {
            try {
                return parse(value);
            } catch (NumberFormatException e) {
                throw new picocli.CommandLine.TypeConversionException(
                        "'" + value + "' is not a number (decimal or 0x-hex)");
            }
        }
    }

    /** Unsigned 32-bit view of a value the provider keeps as 32 bits. */
    static long u32(long value) {
        return value & 0xFFFFFFFFL;
    }
}
