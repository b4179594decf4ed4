package com.holm.zep.tovik.client;

/**
 * Progress of a transfer of client information (a store or a read), from the client information
 * operations of {@link Connection}. The error code is the module's information about the
 * transfer, not a failure of the call.
 *
 * @param accessId the transfer's id, for {@link Connection#accessStatus(long)} and
 *     {@link Connection#readResult(long)}
 * @param status the transfer's status, as the provider reports it
 * @param errorCode the module's error code for the transfer, 0 when none
 * @param currentBlock the block being transferred
 * @param totalBlocks how many blocks the transfer has
 * @param timeStampMs the module's time stamp in milliseconds
 */
public record ClientAccess(long accessId, long status, int errorCode, long currentBlock,
        long totalBlocks, long timeStampMs) {
}
