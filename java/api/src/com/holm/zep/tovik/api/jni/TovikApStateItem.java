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

    public TovikApStateItem() {
    }

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

    public long getWifiState() {
        return wifiState;
    }

    public long getMode() {
        return mode;
    }

    public long getApState() {
        return apState;
    }

    public long getNumBars() {
        return numBars;
    }

    public long getLinkQualityRaw() {
        return linkQualityRaw;
    }

    public int getNoiseLevel() {
        return noiseLevel;
    }

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
