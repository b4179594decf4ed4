package com.holm.zep.tovik.client;

import java.util.List;

/**
 * A module's addresses, alias, interface flag words and connected clients, from
 * {@link TovikRuntime#moduleDetails(long)}.
 *
 * @param ethernetAddress the Ethernet address, empty when it has none
 * @param wirelessAddress the wireless address
 * @param bluetoothAddress the Bluetooth address
 * @param usbAddress the USB address
 * @param alias the alias given to the module
 * @param wifiFlags the Wi-Fi flag word (unsigned 32-bit)
 * @param bluetoothFlags the Bluetooth flag word
 * @param usbFlags the USB flag word
 * @param ethernetFlags the Ethernet flag word
 * @param clients the connected clients, in the provider's order
 */
public record ModuleDetails(String ethernetAddress, String wirelessAddress,
        String bluetoothAddress, String usbAddress, String alias, long wifiFlags,
        long bluetoothFlags, long usbFlags, long ethernetFlags, List<ConnectedClient> clients) {}
