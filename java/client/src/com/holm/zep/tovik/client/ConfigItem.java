package com.holm.zep.tovik.client;

/**
 * One configuration item of a module, from {@link Connection#configItems()}.
 *
 * @param item the item's numeric key
 * @param value the item's value
 */
public record ConfigItem(long item, String value) {
}
