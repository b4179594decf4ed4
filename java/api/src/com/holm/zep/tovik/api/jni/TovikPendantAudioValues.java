package com.holm.zep.tovik.api.jni;

/** The pendant's two audio outputs, from {@code vtxPendantGetAudio}. */
public class TovikPendantAudioValues {
    private long audio1;
    private long audio2;

    public TovikPendantAudioValues() {
    }

    public void setData(long audio1, long audio2) {
        this.audio1 = audio1;
        this.audio2 = audio2;
    }

    public long getAudio1() {
        return audio1;
    }

    public long getAudio2() {
        return audio2;
    }

    @Override
    public String toString() {
        return "TovikPendantAudioValues[audio1=" + audio1 + ", audio2=" + audio2 + "]";
    }
}
