package com.holm.zep.tovik.client;

/**
 * One Wi-Fi adapter of the PC, part of {@link AutoWifiInfo}.
 *
 * @param vendorId the adapter's vendor id
 * @param productId the adapter's product id
 * @param inserted whether the adapter is inserted
 * @param cardName the adapter's name
 */
public record WifiAdapter(long vendorId, long productId, boolean inserted, String cardName) {
}
