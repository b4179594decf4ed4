package com.holm.zep.tovik.api.jni;

/** One stored client information block, from {@code vtxGetClientInfoList}. */
public class TovikClientInfoItem {
    private long location;
    private String identifier;
    private long fileSize;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikClientInfoItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param location the storage location of the block
     * @param identifier the block's identifier
     * @param fileSize the block's size in bytes
     */
    public TovikClientInfoItem(long location, String identifier, long fileSize) {
        this.location = location;
        this.identifier = identifier;
        this.fileSize = fileSize;
    }

    /** @return the storage location of the block */
    public long getLocation() {
        return location;
    }

    /** @return the block's identifier */
    public String getIdentifier() {
        return identifier;
    }

    /** @return the block's size in bytes */
    public long getFileSize() {
        return fileSize;
    }

    @Override
    public String toString() {
        return "TovikClientInfoItem[location=" + location + ", identifier=" + identifier
                + ", fileSize=" + fileSize + "]";
    }
}
