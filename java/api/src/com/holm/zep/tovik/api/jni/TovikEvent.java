package com.holm.zep.tovik.api.jni;

/** One module event: three values in the provider's order. */
public class TovikEvent {
    private long first;
    private long second;
    private long third;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikEvent() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param first the event's first value
     * @param second the event's second value
     * @param third the event's third value
     */
    public TovikEvent(long first, long second, long third) {
        this.first = first;
        this.second = second;
        this.third = third;
    }

    /** @return the event's first value */
    public long getFirst() {
        return first;
    }

    /** @return the event's second value */
    public long getSecond() {
        return second;
    }

    /** @return the event's third value */
    public long getThird() {
        return third;
    }

    @Override
    public String toString() {
        return "TovikEvent[" + first + ", " + second + ", " + third + "]";
    }
}
