package com.holm.zep.tovik.client;

import java.util.List;

/**
 * A module's addresses and connected clients, from {@link TovikRuntime#moduleInfo(long)}.
 *
 * @param ethernetAddress the Ethernet address, empty when it has none
 * @param wirelessAddress the wireless address
 * @param bluetoothAddress the Bluetooth address
 * @param usbAddress the USB address
 * @param clients the connected clients, in the provider's order
 */
public record ModuleInfo(String ethernetAddress, String wirelessAddress, String bluetoothAddress,
        String usbAddress, List<ConnectedClient> clients) {}
