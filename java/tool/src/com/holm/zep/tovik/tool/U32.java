package com.holm.zep.tovik.tool;

import picocli.CommandLine.TypeConversionException;

/**
 * A value that the provider takes as a 32-bit unsigned number (module serials, application and
 * item numbers, LED and segment values, selectors, ...). The library would keep only the low
 * 32 bits of anything larger and so act on another target: such input is refused when the command
 * line is read.
 */
record U32(long value) {
    static U32 parse(String text) {
        long value;
        try {
            value = Numbers.parse(text);
        } catch (NumberFormatException e) {
            if (Numbers.looksNumeric(text)) {
                throw outOfRange(text);
            }
            throw new TypeConversionException("'" + text + "' is not a number (decimal or 0x-hex)");
        }
        if (value < 0 || value > Numbers.U32_MAX) {
            throw outOfRange(text);
        }
        return new U32(value);
    }

    private static TypeConversionException outOfRange(String text) {
        return new TypeConversionException("'" + text + "' is out of range: "
                + Numbers.range(0, Numbers.U32_MAX));
    }

    @Override
    public String toString() {
        return Long.toString(value);
    }
}
