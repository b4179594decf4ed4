package com.holm.zep.tovik.api.jni;

/** Progress of a client information transfer (store or read back). */
public class TovikClientAccessItem {
    private long clientInfo;
    private long status;
    private int errorCode;
    private long currentBlock;
    private long totalBlocks;
    private long timeStampMs;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikClientAccessItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param clientInfo the access id of the transfer, as {@code vtxGetClientAccessStatus} and
     *        {@code vtxGetClientInfoResult} take it
     * @param status the job's status
     * @param errorCode the error code of the transfer
     * @param currentBlock the block being transferred
     * @param totalBlocks the number of blocks of the transfer
     * @param timeStampMs the time stamp of this state, in milliseconds
     */
    public void setData(long clientInfo, long status, int errorCode, long currentBlock,
            long totalBlocks, long timeStampMs) {
        this.clientInfo = clientInfo;
        this.status = status;
        this.errorCode = errorCode;
        this.currentBlock = currentBlock;
        this.totalBlocks = totalBlocks;
        this.timeStampMs = timeStampMs;
    }

    /**
     * Access id of the transfer, as taken by {@code vtxGetClientAccessStatus}.
     *
     * @return the access id of the transfer, as {@code vtxGetClientAccessStatus} and {@code
     *         vtxGetClientInfoResult} take it
     */
    public long getClientInfo() {
        return clientInfo;
    }

    /** @return the job's status */
    public long getStatus() {
        return status;
    }

    /** @return the error code of the transfer */
    public int getErrorCode() {
        return errorCode;
    }

    /** @return the block being transferred */
    public long getCurrentBlock() {
        return currentBlock;
    }

    /** @return the number of blocks of the transfer */
    public long getTotalBlocks() {
        return totalBlocks;
    }

    /** @return the time stamp of this state, in milliseconds */
    public long getTimeStampMs() {
        return timeStampMs;
    }

    @Override
    public String toString() {
        return "TovikClientAccessItem[clientInfo=" + clientInfo + ", status=" + status
                + ", errorCode=" + errorCode + ", currentBlock=" + currentBlock + ", totalBlocks="
                + totalBlocks + ", timeStampMs=" + timeStampMs + "]";
    }
}
