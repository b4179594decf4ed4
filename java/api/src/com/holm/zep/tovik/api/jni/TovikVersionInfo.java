package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Server and client version lists, filled by {@code vtxGetVersionInformation} and its variant 2. */
public class TovikVersionInfo {
    private TovikVersionItem[] serverVersions;
    private TovikVersionItem[] clientVersions;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikVersionInfo() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param serverVersions the server version list
     * @param clientVersions the client version list
     */
    public void setData(TovikVersionItem[] serverVersions, TovikVersionItem[] clientVersions) {
        this.serverVersions = serverVersions;
        this.clientVersions = clientVersions;
    }

    /** @return the server version list */
    public TovikVersionItem[] getServerVersions() {
        return serverVersions;
    }

    /** @return the client version list */
    public TovikVersionItem[] getClientVersions() {
        return clientVersions;
    }

    @Override
    public String toString() {
        return "TovikVersionInfo[serverVersions=" + Arrays.toString(serverVersions)
                + ", clientVersions=" + Arrays.toString(clientVersions) + "]";
    }
}
