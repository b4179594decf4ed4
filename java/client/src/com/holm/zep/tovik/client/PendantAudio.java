package com.holm.zep.tovik.client;

/**
 * The pendant's two audio outputs, from {@link Connection#audio()}.
 *
 * @param audio1 the first audio value
 * @param audio2 the second audio value
 */
public record PendantAudio(long audio1, long audio2) {
}
