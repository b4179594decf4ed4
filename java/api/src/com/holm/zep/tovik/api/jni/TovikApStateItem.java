package com.holm.zep.tovik.api.jni;

/** State of a module's access-point link, from {@code vtxGetAccessPointState}. */
public class TovikApStateItem {
    private long wifiState;
    private long mode;
    private long apState;
    private long numBars;
    private long linkQualityRaw;
    private int noiseLevel;
    private int signalLevel;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikApStateItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param wifiState the Wi-Fi state
     * @param mode the access-point mode
     * @param apState the access-point state
     * @param numBars the signal strength in bars
     * @param linkQualityRaw the raw link quality
     * @param noiseLevel the noise level
     * @param signalLevel the signal level
     */
    public void setData(long wifiState, long mode, long apState, long numBars,
            long linkQualityRaw, int noiseLevel, int signalLevel) {
        this.wifiState = wifiState;
        this.mode = mode;
        this.apState = apState;
        this.numBars = numBars;
        this.linkQualityRaw = linkQualityRaw;
        this.noiseLevel = noiseLevel;
        this.signalLevel = signalLevel;
    }

    /** @return the Wi-Fi state */
    public long getWifiState() {
        return wifiState;
    }

    /** @return the access-point mode */
    public long getMode() {
        return mode;
    }

    /** @return the access-point state */
    public long getApState() {
        return apState;
    }

    /** @return the signal strength in bars */
    public long getNumBars() {
        return numBars;
    }

    /** @return the raw link quality */
    public long getLinkQualityRaw() {
        return linkQualityRaw;
    }

    /** @return the noise level */
    public int getNoiseLevel() {
        return noiseLevel;
    }

    /** @return the signal level */
    public int getSignalLevel() {
        return signalLevel;
    }

    @Override
    public String toString() {
        return "TovikApStateItem[wifiState=" + wifiState + ", mode=" + mode + ", apState="
                + apState + ", numBars=" + numBars + ", linkQualityRaw=" + linkQualityRaw
                + ", noiseLevel=" + noiseLevel + ", signalLevel=" + signalLevel + "]";
    }
}
