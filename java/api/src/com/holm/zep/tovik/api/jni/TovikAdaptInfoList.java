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

    public TovikAdaptInfoList() {
    }

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

    public boolean getFlag1() {
        return flag1;
    }

    public boolean getFlag2() {
        return flag2;
    }

    public boolean getFlag3() {
        return flag3;
    }

    public long[] getVendorIds() {
        return vendorIds;
    }

    public long[] getProductIds() {
        return productIds;
    }

    public boolean[] getInserted() {
        return inserted;
    }

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
