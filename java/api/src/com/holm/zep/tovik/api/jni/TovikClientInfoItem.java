package com.holm.zep.tovik.api.jni;

/** One stored client information block, from {@code vtxGetClientInfoList}. */
public class TovikClientInfoItem {
    private long location;
    private String identifier;
    private long fileSize;

    public TovikClientInfoItem() {
    }

    public TovikClientInfoItem(long location, String identifier, long fileSize) {
        this.location = location;
        this.identifier = identifier;
        this.fileSize = fileSize;
    }

    public long getLocation() {
        return location;
    }

    public String getIdentifier() {
        return identifier;
    }

    public long getFileSize() {
        return fileSize;
    }

    @Override
    public String toString() {
        return "TovikClientInfoItem[location=" + location + ", identifier=" + identifier
                + ", fileSize=" + fileSize + "]";
    }
}
