package com.holm.zep.tovik.client;

import java.util.List;

/**
 * The PC's Wi-Fi adapters and the three automatic Wi-Fi flags, from
 * {@link TovikRuntime#autoWifiInfo()}.
 *
 * @param flag1 the first flag
 * @param flag2 the second flag
 * @param flag3 the third flag
 * @param adapters the adapters, in the provider's order; empty when the provider gave no list
 */
public record AutoWifiInfo(boolean flag1, boolean flag2, boolean flag3, List<WifiAdapter> adapters) {}
