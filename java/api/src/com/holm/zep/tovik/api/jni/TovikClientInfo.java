package com.holm.zep.tovik.api.jni;

/** A client connected to a module, part of {@link TovikVciInfo} and {@link TovikVciInfo3}. */
public class TovikClientInfo {
    private boolean owner;
    private long connectionType;
    private long connectionInterface;
    private String clientName;
    private String connectTime;

    public TovikClientInfo() {
    }

    public void setData(boolean owner, long connectionType, long connectionInterface,
            String clientName, String connectTime) {
        this.owner = owner;
        this.connectionType = connectionType;
        this.connectionInterface = connectionInterface;
        this.clientName = clientName;
        this.connectTime = connectTime;
    }

    public boolean isOwner() {
        return owner;
    }

    public long getConnectionType() {
        return connectionType;
    }

    public long getConnectionInterface() {
        return connectionInterface;
    }

    public String getClientName() {
        return clientName;
    }

    public String getConnectTime() {
        return connectTime;
    }

    @Override
    public String toString() {
        return "TovikClientInfo[owner=" + owner + ", connectionType=" + connectionType
                + ", connectionInterface=" + connectionInterface + ", clientName=" + clientName
                + ", connectTime=" + connectTime + "]";
    }
}
