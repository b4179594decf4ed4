package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Server and client version lists, filled by {@code vtxGetVersionInformation} and its variant 2. */
public class TovikVersionInfo {
    private TovikVersionItem[] serverVersions;
    private TovikVersionItem[] clientVersions;

    public TovikVersionInfo() {
    }

    public void setData(TovikVersionItem[] serverVersions, TovikVersionItem[] clientVersions) {
        this.serverVersions = serverVersions;
        this.clientVersions = clientVersions;
    }

    public TovikVersionItem[] getServerVersions() {
        return serverVersions;
    }

    public TovikVersionItem[] getClientVersions() {
        return clientVersions;
    }

    @Override
    public String toString() {
        return "TovikVersionInfo[serverVersions=" + Arrays.toString(serverVersions)
                + ", clientVersions=" + Arrays.toString(clientVersions) + "]";
    }
}
