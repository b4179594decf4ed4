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

    public TovikVciInfo3() {
    }

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

    public String getEthernetAddress() {
        return ethernetAddress;
    }

    public String getWirelessAddress() {
        return wirelessAddress;
    }

    public String getBluetoothAddress() {
        return bluetoothAddress;
    }

    public String getUsbAddress() {
        return usbAddress;
    }

    public String getVciAlias() {
        return vciAlias;
    }

    public long getWifiFlags() {
        return wifiFlags;
    }

    public long getBtFlags() {
        return btFlags;
    }

    public long getUsbFlags() {
        return usbFlags;
    }

    public long getEthFlags() {
        return ethFlags;
    }

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
