package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Details of one module, filled by {@code vtxGetModuleInfo}. */
public class TovikVciInfo {
    private String ethernetAddress;
    private String wirelessAddress;
    private String bluetoothAddress;
    private String usbAddress;
    private TovikClientInfo[] clients;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikVciInfo() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param ethernetAddress the module's Ethernet address
     * @param wirelessAddress the module's wireless address
     * @param bluetoothAddress the module's Bluetooth address
     * @param usbAddress the module's USB address
     * @param clients the clients connected to the module
     */
    public void setData(String ethernetAddress, String wirelessAddress, String bluetoothAddress,
            String usbAddress, TovikClientInfo[] clients) {
        this.ethernetAddress = ethernetAddress;
        this.wirelessAddress = wirelessAddress;
        this.bluetoothAddress = bluetoothAddress;
        this.usbAddress = usbAddress;
        this.clients = clients;
    }

    /** @return the module's Ethernet address */
    public String getEthernetAddress() {
        return ethernetAddress;
    }

    /** @return the module's wireless address */
    public String getWirelessAddress() {
        return wirelessAddress;
    }

    /** @return the module's Bluetooth address */
    public String getBluetoothAddress() {
        return bluetoothAddress;
    }

    /** @return the module's USB address */
    public String getUsbAddress() {
        return usbAddress;
    }

    /** @return the clients connected to the module */
    public TovikClientInfo[] getClients() {
        return clients;
    }

    @Override
    public String toString() {
        return "TovikVciInfo[ethernetAddress=" + ethernetAddress + ", wirelessAddress="
                + wirelessAddress + ", bluetoothAddress=" + bluetoothAddress + ", usbAddress="
                + usbAddress + ", clients=" + Arrays.toString(clients) + "]";
    }
}
