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

    /** An empty value with every field at its default; the native library fills it. */
    public TovikPendantDisp() {
    }

    /**
     * Note the order of the last two values: the second display value comes first.
     *
     * @param segmentA segment A
     * @param segmentB segment B
     * @param segmentC segment C
     * @param segmentD segment D
     * @param segmentE segment E
     * @param segmentF segment F
     * @param segmentG segment G
     * @param decimalPoint the decimal point
     * @param displayValue2 the second display value
     * @param displayValue1 the first display value
     */
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

    /** @return segment A */
    public long getSegmentA() {
        return segmentA;
    }

    /** @return segment B */
    public long getSegmentB() {
        return segmentB;
    }

    /** @return segment C */
    public long getSegmentC() {
        return segmentC;
    }

    /** @return segment D */
    public long getSegmentD() {
        return segmentD;
    }

    /** @return segment E */
    public long getSegmentE() {
        return segmentE;
    }

    /** @return segment F */
    public long getSegmentF() {
        return segmentF;
    }

    /** @return segment G */
    public long getSegmentG() {
        return segmentG;
    }

    /** @return the decimal point */
    public long getDecimalPoint() {
        return decimalPoint;
    }

    /**
     * The segments A, B, C, D, E, F, G and the decimal point, in the order of {@code
     * vtxPendantSetSegDisp}.
     *
     * @return a new array of the eight values
     */
    public long[] getSegments() {
        return new long[] {segmentA, segmentB, segmentC, segmentD, segmentE, segmentF, segmentG,
                decimalPoint};
    }

    /** @return the first display value */
    public long getDisplayValue1() {
        return displayValue1;
    }

    /** @return the second display value */
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
