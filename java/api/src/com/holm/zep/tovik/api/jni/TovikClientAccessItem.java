package com.holm.zep.tovik.api.jni;

/** Progress of a client information transfer (store or read back). */
public class TovikClientAccessItem {
    private long clientInfo;
    private long status;
    private int errorCode;
    private long currentBlock;
    private long totalBlocks;
    private long timeStampMs;

    public TovikClientAccessItem() {
    }

    public void setData(long clientInfo, long status, int errorCode, long currentBlock,
            long totalBlocks, long timeStampMs) {
        this.clientInfo = clientInfo;
        this.status = status;
        this.errorCode = errorCode;
        this.currentBlock = currentBlock;
        this.totalBlocks = totalBlocks;
        this.timeStampMs = timeStampMs;
    }

    /** Access id of the transfer, as taken by {@code vtxGetClientAccessStatus}. */
    public long getClientInfo() {
        return clientInfo;
    }

    public long getStatus() {
        return status;
    }

    public int getErrorCode() {
        return errorCode;
    }

    public long getCurrentBlock() {
        return currentBlock;
    }

    public long getTotalBlocks() {
        return totalBlocks;
    }

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
