package com.holm.zep.tovik.api.jni;

/**
 * The pendant's seven-segment display as read by {@code vtxPendantGetSegDisp}: segments A to G,
 * the decimal point, and the two display values that {@code vtxPendantSetSegDisp} takes.
 */
public class TovikPendantDisp {
    private long segmentA;
    private long segmentB;
    private long segmentC;
    private long segmentD;
    private long segmentE;
    private long segmentF;
    private long segmentG;
    private long decimalPoint;
    private long displayValue1;
    private long displayValue2;

    public TovikPendantDisp() {
    }

    /** Note the order of the last two values: the second display value comes first. */
    public void setData(long segmentA, long segmentB, long segmentC, long segmentD,
            long segmentE, long segmentF, long segmentG, long decimalPoint, long displayValue2,
            long displayValue1) {
        this.segmentA = segmentA;
        this.segmentB = segmentB;
        this.segmentC = segmentC;
        this.segmentD = segmentD;
        this.segmentE = segmentE;
        this.segmentF = segmentF;
        this.segmentG = segmentG;
        this.decimalPoint = decimalPoint;
        this.displayValue2 = displayValue2;
        this.displayValue1 = displayValue1;
    }

    public long getSegmentA() {
        return segmentA;
    }

    public long getSegmentB() {
        return segmentB;
    }

    public long getSegmentC() {
        return segmentC;
    }

    public long getSegmentD() {
        return segmentD;
    }

    public long getSegmentE() {
        return segmentE;
    }

    public long getSegmentF() {
        return segmentF;
    }

    public long getSegmentG() {
        return segmentG;
    }

    public long getDecimalPoint() {
        return decimalPoint;
    }

    /** The segments A, B, C, D, E, F, G and the decimal point, in the order of {@code vtxPendantSetSegDisp}. */
    public long[] getSegments() {
        return new long[] {segmentA, segmentB, segmentC, segmentD, segmentE, segmentF, segmentG,
                decimalPoint};
    }

    public long getDisplayValue1() {
        return displayValue1;
    }

    public long getDisplayValue2() {
        return displayValue2;
    }

    @Override
    public String toString() {
        return "TovikPendantDisp[A=" + segmentA + ", B=" + segmentB + ", C=" + segmentC + ", D="
                + segmentD + ", E=" + segmentE + ", F=" + segmentF + ", G=" + segmentG
                + ", decimalPoint=" + decimalPoint + ", displayValue1=" + displayValue1
                + ", displayValue2=" + displayValue2 + "]";
    }
}
