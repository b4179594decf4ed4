package com.holm.zep.tovik.api.jni;

/** One configuration item of a module (key and value), from {@code vtxGetConfigItems}. */
public class TovikConfigItem {
    private long item;
    private String value;

    public TovikConfigItem() {
    }

    public void setData(long item, String value) {
        this.item = item;
        this.value = value;
    }

    public long getItem() {
        return item;
    }

    public String getValue() {
        return value;
    }

    @Override
    public String toString() {
        return "TovikConfigItem[item=" + item + ", value=" + value + "]";
    }
}
