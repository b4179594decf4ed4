package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Receives the events drained by one {@code vtxWaitForEvents} call. */
public class TovikEventQueue {
    private TovikEvent[] events;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikEventQueue() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param events the events in the order the provider reported them
     */
    public void setData(TovikEvent[] events) {
        this.events = events;
    }

    /** @return the events in the order the provider reported them */
    public TovikEvent[] getEvents() {
        return events;
    }

    @Override
    public String toString() {
        return "TovikEventQueue" + Arrays.toString(events);
    }
}
