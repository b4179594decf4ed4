package com.holm.zep.tovik.client;

import java.util.List;

/**
 * The pendant's seven-segment display, as {@link Connection#segmentDisplay()} reads it.
 *
 * @param segments segments A, B, C, D, E, F, G and the decimal point, in this order (eight
 *     values), the order {@link Connection#setSegmentDisplay} takes
 * @param displayValue1 the first display value
 * @param displayValue2 the second display value
 */
public record SegmentDisplay(List<Long> segments, long displayValue1, long displayValue2) {}
