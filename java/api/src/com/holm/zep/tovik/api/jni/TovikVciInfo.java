package com.holm.zep.tovik.api.jni;

import java.util.Arrays;

/** Details of one module, filled by {@code vtxGetModuleInfo}. */
public class TovikVciInfo {
    private String ethernetAddress;
    private String wirelessAddress;
    private String bluetoothAddress;
    private String usbAddress;
    private TovikClientInfo[] clients;

    public TovikVciInfo() {
    }

    public void setData(String ethernetAddress, String wirelessAddress, String bluetoothAddress,
            String usbAddress, TovikClientInfo[] clients) {
        this.ethernetAddress = ethernetAddress;
        this.wirelessAddress = wirelessAddress;
        this.bluetoothAddress = bluetoothAddress;
        this.usbAddress = usbAddress;
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
