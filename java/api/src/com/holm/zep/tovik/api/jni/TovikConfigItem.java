package com.holm.zep.tovik.api.jni;

/** One configuration item of a module (key and value), from {@code vtxGetConfigItems}. */
public class TovikConfigItem {
    private long item;
    private String value;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikConfigItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param item the configuration item's key
     * @param value the configuration item's value
     */
    public void setData(long item, String value) {
        this.item = item;
        this.value = value;
    }

    /** @return the configuration item's key */
    public long getItem() {
        return item;
    }

    /** @return the configuration item's value */
    public String getValue() {
        return value;
    }

    @Override
    public String toString() {
        return "TovikConfigItem[item=" + item + ", value=" + value + "]";
    }
}
