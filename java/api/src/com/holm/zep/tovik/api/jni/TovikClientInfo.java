package com.holm.zep.tovik.api.jni;

/** A client connected to a module, part of {@link TovikVciInfo} and {@link TovikVciInfo3}. */
public class TovikClientInfo {
    private boolean owner;
    private long connectionType;
    private long connectionInterface;
    private String clientName;
    private String connectTime;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikClientInfo() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param owner whether this client owns the module
     * @param connectionType the type of the client's connection
     * @param connectionInterface the interface of the client's connection
     * @param clientName the client's name
     * @param connectTime when the client connected, as the module reports it
     */
    public void setData(boolean owner, long connectionType, long connectionInterface,
            String clientName, String connectTime) {
        this.owner = owner;
        this.connectionType = connectionType;
        this.connectionInterface = connectionInterface;
        this.clientName = clientName;
        this.connectTime = connectTime;
    }

    /** @return whether this client owns the module */
    public boolean isOwner() {
        return owner;
    }

    /** @return the type of the client's connection */
    public long getConnectionType() {
        return connectionType;
    }

    /** @return the interface of the client's connection */
    public long getConnectionInterface() {
        return connectionInterface;
    }

    /** @return the client's name */
    public String getClientName() {
        return clientName;
    }

    /** @return when the client connected, as the module reports it */
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
