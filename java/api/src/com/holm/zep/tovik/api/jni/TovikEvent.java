package com.holm.zep.tovik.api.jni;

/** One module event: three values in the provider's order. */
public class TovikEvent {
    private long first;
    private long second;
    private long third;

    public TovikEvent() {
    }

    public TovikEvent(long first, long second, long third) {
        this.first = first;
        this.second = second;
        this.third = third;
    }

    public long getFirst() {
        return first;
    }

    public long getSecond() {
        return second;
    }

    public long getThird() {
        return third;
    }

    @Override
    public String toString() {
        return "TovikEvent[" + first + ", " + second + ", " + third + "]";
    }
}
