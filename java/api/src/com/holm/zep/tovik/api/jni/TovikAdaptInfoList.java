package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/**
 * The PC's Wi-Fi adapters and the three automatic Wi-Fi flags, from {@code vtxGetAutoWifiInfo}.
 * Element i of the four arrays describes adapter i. The arrays are null when the provider
 * returned no adapter list; the name array is then empty.
 */
public class TovikAdaptInfoList {
    private boolean flag1;
    private boolean flag2;
    private boolean flag3;
    private long[] vendorIds;
    private long[] productIds;
    private boolean[] inserted;
    private String[] cardNames;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikAdaptInfoList() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param flag1 the first automatic Wi-Fi flag
     * @param flag2 the second automatic Wi-Fi flag
     * @param flag3 the third automatic Wi-Fi flag
     * @param vendorIds the adapters' vendor ids
     * @param productIds the adapters' product ids
     * @param inserted whether each adapter is inserted
     * @param cardNames the adapters' names
     */
    public void setData(boolean flag1, boolean flag2, boolean flag3, long[] vendorIds,
            long[] productIds, boolean[] inserted, String[] cardNames) {
        this.flag1 = flag1;
        this.flag2 = flag2;
        this.flag3 = flag3;
        this.vendorIds = vendorIds;
        this.productIds = productIds;
        this.inserted = inserted;
        this.cardNames = cardNames;
    }

    /** @return the first automatic Wi-Fi flag */
    public boolean getFlag1() {
        return flag1;
    }

    /** @return the second automatic Wi-Fi flag */
    public boolean getFlag2() {
        return flag2;
    }

    /** @return the third automatic Wi-Fi flag */
    public boolean getFlag3() {
        return flag3;
    }

    /** @return the adapters' vendor ids */
    public long[] getVendorIds() {
        return vendorIds;
    }

    /** @return the adapters' product ids */
    public long[] getProductIds() {
        return productIds;
    }

    /** @return whether each adapter is inserted */
    public boolean[] getInserted() {
        return inserted;
    }

    /** @return the adapters' names */
    public String[] getCardNames() {
        return cardNames;
    }

    @Override
    public String toString() {
        return "TovikAdaptInfoList[flags=" + flag1 + "/" + flag2 + "/" + flag3 + ", vendorIds="
                + Arrays.toString(vendorIds) + ", productIds=" + Arrays.toString(productIds)
                + ", inserted=" + Arrays.toString(inserted) + ", cardNames="
                + Arrays.toString(cardNames) + "]";
    }
}
