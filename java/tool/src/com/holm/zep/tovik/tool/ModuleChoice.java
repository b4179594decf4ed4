package com.holm.zep.tovik.tool;

/**
 * The module named with --module: a serial number (decimal or 0x-hex, 32-bit unsigned) or a name
 * or alias. A number beyond 32 bits is refused rather than cut to another module's serial.
 */
record ModuleChoice(String text, Long serial) {
    static ModuleChoice parse(String text) {
        return new ModuleChoice(text, Numbers.looksNumeric(text) ? U32.parse(text).value() : null);
    }

    @Override
    public String toString() {
        return text;
    }
}
