package com.holm.zep.tovik.client;

/**
 * One module event: the provider's three values, unsigned 32-bit each, in the provider's order.
 *
 * @param first the first value
 * @param second the second value
 * @param third the third value
 */
public record ModuleEvent(long first, long second, long third) {
}
