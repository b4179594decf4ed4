package com.holm.zep.tovik.api.jni;

/** The pendant's two audio outputs, from {@code vtxPendantGetAudio}. */
public class TovikPendantAudioValues {
    private long audio1;
    private long audio2;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikPendantAudioValues() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param audio1 the first audio output
     * @param audio2 the second audio output
     */
    public void setData(long audio1, long audio2) {
        this.audio1 = audio1;
        this.audio2 = audio2;
    }

    /** @return the first audio output */
    public long getAudio1() {
        return audio1;
    }

    /** @return the second audio output */
    public long getAudio2() {
        return audio2;
    }

    @Override
    public String toString() {
        return "TovikPendantAudioValues[audio1=" + audio1 + ", audio2=" + audio2 + "]";
    }
}
