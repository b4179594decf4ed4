package com.holm.zep.tovik.client;

/**
 * One stored block of client information, from {@link Connection#clientInfoList()}.
 *
 * @param location the storage location
 * @param identifier the block's identifier
 * @param fileSize the block's size in bytes
 */
public record ClientInfoEntry(long location, String identifier, long fileSize) {
}
