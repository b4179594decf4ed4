package com.holm.zep.tovik.api.jni;

/** Free and total client storage of a module, volatile and non-volatile. */
public class TovikClientSpace {
    private long volRemaining;
    private long volTotal;
    private long nonVolRemaining;
    private long nonVolTotal;

    public TovikClientSpace() {
    }

    public void setData(long volRemaining, long volTotal, long nonVolRemaining, long nonVolTotal) {
        this.volRemaining = volRemaining;
        this.volTotal = volTotal;
        this.nonVolRemaining = nonVolRemaining;
        this.nonVolTotal = nonVolTotal;
    }

    public long getVolRemaining() {
        return volRemaining;
    }

    public long getVolTotal() {
        return volTotal;
    }

    public long getNonVolRemaining() {
        return nonVolRemaining;
    }

    public long getNonVolTotal() {
        return nonVolTotal;
    }

    @Override
    public String toString() {
        return "TovikClientSpace[volRemaining=" + volRemaining + ", volTotal=" + volTotal
                + ", nonVolRemaining=" + nonVolRemaining + ", nonVolTotal=" + nonVolTotal + "]";
    }
}
