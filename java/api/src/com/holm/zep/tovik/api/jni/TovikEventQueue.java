package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Receives the events drained by one {@code vtxWaitForEvents} call. */
public class TovikEventQueue {
    private TovikEvent[] events;

    public TovikEventQueue() {
    }

    public void setData(TovikEvent[] events) {
        this.events = events;
    }

    public TovikEvent[] getEvents() {
        return events;
    }

    @Override
    public String toString() {
        return "TovikEventQueue" + Arrays.toString(events);
    }
}
