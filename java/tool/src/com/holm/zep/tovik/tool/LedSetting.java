package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.Connection;
import picocli.CommandLine.TypeConversionException;

/** One --set of 'pendant leds': LED=CTRL[:BLINK], the LED counted from 0. */
record LedSetting(int led, long control, long blink) {
    /** Largest number of LEDs the tool asks for; the module fills as many as it has. */
    static final int MAX_LEDS = Connection.MAX_LEDS;

    static LedSetting parse(String text) {
        String[] parts = text.split("[=:]", -1);
        if (parts.length < 2 || parts.length > 3) {
            throw new TypeConversionException("'" + text + "' is not LED=CTRL[:BLINK]");
        }
        long led;
        try {
            led = Numbers.parse(parts[0]);
        } catch (NumberFormatException e) {
            throw new TypeConversionException("'" + text + "' is not LED=CTRL[:BLINK]");
        }
        if (led < 0 || led >= MAX_LEDS) {
            throw new TypeConversionException("'" + text + "': LED is out of range: 0 to "
                    + (MAX_LEDS - 1));
        }
        long control = value(text, "CTRL", parts[1]);
        long blink = parts.length == 3 ? value(text, "BLINK", parts[2]) : 0;
        return new LedSetting((int) led, control, blink);
    }

    private static long value(String text, String name, String part) {
        try {
            return U32.parse(part).value();
        } catch (TypeConversionException e) {
            throw new TypeConversionException("'" + text + "': " + name + " " + e.getMessage());
        }
    }
}
