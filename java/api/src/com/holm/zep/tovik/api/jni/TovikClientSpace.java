package com.holm.zep.tovik.api.jni;

/** Free and total client storage of a module, volatile and non-volatile. */
public class TovikClientSpace {
    private long volRemaining;
    private long volTotal;
    private long nonVolRemaining;
    private long nonVolTotal;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikClientSpace() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param volRemaining free volatile client storage
     * @param volTotal total volatile client storage
     * @param nonVolRemaining free non-volatile client storage
     * @param nonVolTotal total non-volatile client storage
     */
    public void setData(long volRemaining, long volTotal, long nonVolRemaining, long nonVolTotal) {
        this.volRemaining = volRemaining;
        this.volTotal = volTotal;
        this.nonVolRemaining = nonVolRemaining;
        this.nonVolTotal = nonVolTotal;
    }

    /** @return free volatile client storage */
    public long getVolRemaining() {
        return volRemaining;
    }

    /** @return total volatile client storage */
    public long getVolTotal() {
        return volTotal;
    }

    /** @return free non-volatile client storage */
    public long getNonVolRemaining() {
        return nonVolRemaining;
    }

    /** @return total non-volatile client storage */
    public long getNonVolTotal() {
        return nonVolTotal;
    }

    @Override
    public String toString() {
        return "TovikClientSpace[volRemaining=" + volRemaining + ", volTotal=" + volTotal
                + ", nonVolRemaining=" + nonVolRemaining + ", nonVolTotal=" + nonVolTotal + "]";
    }
}
