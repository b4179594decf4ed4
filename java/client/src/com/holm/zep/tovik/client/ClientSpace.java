package com.holm.zep.tovik.client;

/**
 * Free and total client storage of a module, from {@link Connection#clientSpace()}.
 *
 * @param volatileRemaining free volatile storage
 * @param volatileTotal total volatile storage
 * @param nonVolatileRemaining free non-volatile storage
 * @param nonVolatileTotal total non-volatile storage
 */
public record ClientSpace(long volatileRemaining, long volatileTotal, long nonVolatileRemaining,
        long nonVolatileTotal) {
}
