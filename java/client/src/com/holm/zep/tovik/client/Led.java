package com.holm.zep.tovik.client;

/**
 * One LED of a module's pendant, as {@link Connection#leds()} reads it and
 * {@link Connection#setLeds(java.util.List)} sets it. Only the low 32 bits of each value reach
 * the provider.
 *
 * @param valid the LED's valid value
 * @param control the LED's control value
 * @param blinkFrequency the blink frequency
 */
public record Led(long valid, long control, long blinkFrequency) {
}
