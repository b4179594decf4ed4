package com.holm.zep.tovik.client;

/**
 * State of a module's access-point link, from {@link Connection#accessPointState(long)}.
 *
 * @param wifiState the Wi-Fi state
 * @param mode the Wi-Fi mode
 * @param apState the access point's state
 * @param numBars the signal strength in bars
 * @param linkQualityRaw the raw link quality
 * @param noiseLevel the noise level (signed)
 * @param signalLevel the signal level (signed)
 */
public record AccessPointState(long wifiState, long mode, long apState, long numBars,
        long linkQualityRaw, int noiseLevel, int signalLevel) {
}
