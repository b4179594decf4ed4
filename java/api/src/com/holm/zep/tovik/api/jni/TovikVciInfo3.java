package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Details of one module with alias and interface flags, filled by {@code vtxGetModuleInfo3}. */
public class TovikVciInfo3 {
    private String ethernetAddress;
    private String wirelessAddress;
    private String bluetoothAddress;
    private String usbAddress;
    private String vciAlias;
    private long wifiFlags;
    private long btFlags;
    private long usbFlags;
    private long ethFlags;
    private TovikClientInfo[] clients;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikVciInfo3() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param ethernetAddress the module's Ethernet address
     * @param wirelessAddress the module's wireless address
     * @param bluetoothAddress the module's Bluetooth address
     * @param usbAddress the module's USB address
     * @param vciAlias the module's alias
     * @param wifiFlags the module's Wi-Fi interface flags
     * @param btFlags the module's Bluetooth interface flags
     * @param usbFlags the module's USB interface flags
     * @param ethFlags the module's Ethernet interface flags
     * @param clients the clients connected to the module
     */
    public void setData(String ethernetAddress, String wirelessAddress, String bluetoothAddress,
            String usbAddress, String vciAlias, long wifiFlags, long btFlags, long usbFlags,
            long ethFlags, TovikClientInfo[] clients) {
        this.ethernetAddress = ethernetAddress;
        this.wirelessAddress = wirelessAddress;
        this.bluetoothAddress = bluetoothAddress;
        this.usbAddress = usbAddress;
        this.vciAlias = vciAlias;
        this.wifiFlags = wifiFlags;
        this.btFlags = btFlags;
        this.usbFlags = usbFlags;
        this.ethFlags = ethFlags;
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

    /** @return the module's alias */
    public String getVciAlias() {
        return vciAlias;
    }

    /** @return the module's Wi-Fi interface flags */
    public long getWifiFlags() {
        return wifiFlags;
    }

    /** @return the module's Bluetooth interface flags */
    public long getBtFlags() {
        return btFlags;
    }

    /** @return the module's USB interface flags */
    public long getUsbFlags() {
        return usbFlags;
    }

    /** @return the module's Ethernet interface flags */
    public long getEthFlags() {
        return ethFlags;
    }

    /** @return the clients connected to the module */
    public TovikClientInfo[] getClients() {
        return clients;
    }

    @Override
    public String toString() {
        return "TovikVciInfo3[ethernetAddress=" + ethernetAddress + ", wirelessAddress="
                + wirelessAddress + ", bluetoothAddress=" + bluetoothAddress + ", usbAddress="
                + usbAddress + ", vciAlias=" + vciAlias + ", wifiFlags=" + wifiFlags
                + ", btFlags=" + btFlags + ", usbFlags=" + usbFlags + ", ethFlags=" + ethFlags
                + ", clients=" + Arrays.toString(clients) + "]";
    }
}
