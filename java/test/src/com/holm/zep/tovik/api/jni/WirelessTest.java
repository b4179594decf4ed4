package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** Access-point state, the two Wi-Fi switches and the adapter list against the virtual provider. */
class WirelessTest extends RuntimeFixture {
    private static final String AP_STATE = PREFIX + "vtxGetAccessPointState";
    private static final String MANUAL_SCAN = PREFIX + "vtxEnableManualScan";
    private static final String AUTO_WIFI = PREFIX + "vtxEnableAutoWifi";
    private static final String WIFI_INFO = PREFIX + "vtxGetAutoWifiInfo";
    private static final String ADAPTERS =
            "\"adapters\": [\n"
            + "      { \"vid\": 32902, \"pid\": 9462, \"cardName\": \"Workshop WLAN\", \"inserted\": true },\n"
            + "      { \"vid\": 3034, \"pid\": 33145, \"cardName\": \"USB WLAN Stick\", \"inserted\": false }\n"
            + "    ]";
    private static final long CONNECTION = 7;

    WirelessTest() {
        super(RuntimeFixture::openWorkshop);
    }

    // ---- access point

    @Test
    void accessPointStateFillsThePassedItem() {
        TovikApStateItem item = new TovikApStateItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetAccessPointState(handle, 0x1_0000_0007L, 0x1_0000_0003L, item, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetAccessPointState(7, 3)"), Sim.journal("ITovikManager."));
        assertEquals(1, item.getWifiState());
        assertEquals(2, item.getMode());
        assertEquals(1, item.getApState());
        assertEquals(4, item.getNumBars());
        assertEquals(70, item.getLinkQualityRaw());
        assertEquals(-92, item.getNoiseLevel());
        assertEquals(-48, item.getSignalLevel());
        assertEquals(List.of("GetAccessPointState", "GetAccessPointState done"),
                CapturingLogSink.messagesOf(AP_STATE));
        assertEquals(List.of("Cmd Get Access Point State", "Cmd Get Access Point State 0"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetAccessPointState"));
    }

    /**
     * The whole journal, as an ordered list: the manager call, then each of the seven properties
     * once, in the interface's order (never in the order some compiler evaluates the arguments of
     * one call).
     */
    @Test
    void theSevenPropertiesAreReadOnceEachInTheInterfacesOrder() {
        MANAGER.vtxGetAccessPointState(handle, CONNECTION, 0, new TovikApStateItem(), new LongValue());
        assertEquals(List.of("ITovikManager.GetAccessPointState", "ITovikApStateItem.WifiState",
                "ITovikApStateItem.Mode", "ITovikApStateItem.ApState", "ITovikApStateItem.NumBars",
                "ITovikApStateItem.LinkQualityRaw", "ITovikApStateItem.NoiseLevel", "ITovikApStateItem.SignalLevel"),
                Sim.calls(""));
    }

    @Test
    void unsignedStateValuesArriveNonNegative() {
        loadOpenWorkshop("\"wifiState\": 1, \"mode\": 2, \"apState\": 1, \"numBars\": 4,",
                "\"wifiState\": 4294967295, \"mode\": 2147483648, \"apState\": 1, \"numBars\": 4,",
                "\"noiseLevel\": -92, \"signalLevel\": -48", "\"noiseLevel\": -2147483648, \"signalLevel\": 7");
        TovikApStateItem item = new TovikApStateItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetAccessPointState(handle, CONNECTION, 0, item, result);
        assertEquals(0, result.get());
        assertEquals(4294967295L, item.getWifiState());
        assertEquals(2147483648L, item.getMode());
        assertEquals(Integer.MIN_VALUE, item.getNoiseLevel());
        assertEquals(7, item.getSignalLevel());
    }

    // ---- switches

    @Test
    void switchesSendVariantTrueOnlyForTrue() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxEnableManualScan(handle, true, result);
        assertEquals(0, result.get());
        assertEquals(-1, VirtualProvider.manualScanSwitch());
        MANAGER.vtxEnableManualScan(handle, false, result);
        assertEquals(0, VirtualProvider.manualScanSwitch());

        MANAGER.vtxEnableAutoWifi(handle, false, result);
        assertEquals(0, VirtualProvider.autoWifiSwitch());
        MANAGER.vtxEnableAutoWifi(handle, true, result);
        assertEquals(-1, VirtualProvider.autoWifiSwitch());
        assertEquals(0, result.get());

        assertEquals(List.of("ITovikManager.EnableManualScan(-1)", "ITovikManager.EnableManualScan(0)",
                "ITovikManager.EnableAutoWifi(0)", "ITovikManager.EnableAutoWifi(-1)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("EnableManualScan 1", "EnableManualScan done", "EnableManualScan 0",
                "EnableManualScan done"), CapturingLogSink.messagesOf(MANUAL_SCAN));
        assertEquals(List.of("EnableAutoWifi0", "EnableAutoWifi done", "EnableAutoWifi1", "EnableAutoWifi done"),
                CapturingLogSink.messagesOf(AUTO_WIFI));
    }

    // ---- adapters

    @Test
    void adapterListCarriesFlagsIdsAndNames() {
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(0, result.get());
        assertNotNull(info);
        // Automatic Wi-Fi on, manual scan off, connected.
        assertTrue(info.getFlag1());
        assertFalse(info.getFlag2());
        assertTrue(info.getFlag3());
        assertArrayEquals(new long[] {32902, 3034}, info.getVendorIds());
        assertArrayEquals(new long[] {9462, 33145}, info.getProductIds());
        assertArrayEquals(new boolean[] {true, false}, info.getInserted());
        assertArrayEquals(new String[] {"Workshop WLAN", "USB WLAN Stick"}, info.getCardNames());

        assertEquals(List.of("GetAutoWifiInfo", "Processing 2 items", "Processing item 0", "Processing item 1",
                "GetAutoWifiInfo done 0"), CapturingLogSink.messagesOf(WIFI_INFO));
        assertEquals(List.of("Start", "Done"), CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetAutoWifiInfo"));
    }

    @Test
    void flagsAndInsertedAreTrueOnlyForMinusOne() {
        loadOpenWorkshop("\"autoWifi\": true, \"manualScan\": false, \"connected\": true",
                "\"autoWifi\": 1, \"manualScan\": -1, \"connected\": 65535",
                "\"cardName\": \"Workshop WLAN\", \"inserted\": true", "\"cardName\": \"Workshop WLAN\", \"inserted\": 1");
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, new LongValue());
        assertFalse(info.getFlag1(), "1 is not VARIANT_TRUE");
        assertTrue(info.getFlag2());
        assertTrue(info.getFlag3(), "0xFFFF is VARIANT_TRUE");
        assertArrayEquals(new boolean[] {false, false}, info.getInserted());
    }

    @Test
    void aMissingAdapterLeavesZerosAndShortensTheNameArray() {
        VirtualProvider.setMissingItem("ITovikAdaptInfoList", 0);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, new LongValue());
        assertArrayEquals(new long[] {0, 3034}, info.getVendorIds());
        assertArrayEquals(new long[] {0, 33145}, info.getProductIds());
        assertArrayEquals(new boolean[] {false, false}, info.getInserted());
        assertArrayEquals(new String[] {"USB WLAN Stick"}, info.getCardNames());
    }

    @Test
    void cardNamesAreDecodedAndAnEmptyNameIsAnEmptyString() {
        loadOpenWorkshop(ADAPTERS,
                "\"adapters\": [ { \"vid\": 1, \"pid\": 2, \"cardName\": \"Caf\u00e9 \u20ac \u2713\", \"inserted\": true },"
                + " { \"vid\": 3, \"pid\": 4, \"cardName\": \"\", \"inserted\": false } ]");
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, new LongValue());
        // The card name passes the ANSI code page: the check mark has no place in it.
        assertArrayEquals(new String[] {"Caf\u00e9 \u20ac ?", ""}, info.getCardNames());
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikAdaptInfoItemIF::CmdgetCardName"));
    }

    @Test
    void anEmptyAdapterListGivesEmptyArrays() {
        loadOpenWorkshop(ADAPTERS, "\"adapters\": []");
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(0, result.get());
        assertNoAdapters(info);
    }

    /**
     * The count is read once: when that one read fails, the command yields 0 and every array is
     * empty, although the list has two adapters (a second read would have found them).
     */
    @Test
    void aCountThatFailsOnceGivesEmptyArrays() {
        VirtualProvider.failMethod("ITovikAdaptInfoList.Count", 0x80004005, true, "count failed once");
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(0, result.get());
        assertNoAdapters(info);
        assertEquals(List.of("ITovikManager.GetAutoWifiInfo", "ITovikAdaptInfoList.Count"), Sim.calls(""));
    }

    @Test
    void withoutAListTheArraysAreNullAndTheNamesEmpty() {
        VirtualProvider.withholdOutput("ITovikManager.GetAutoWifiInfo");
        Sim.setResult("ITovikManager.GetAutoWifiInfo", 5);
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(5, result.get());
        assertTrue(info.getFlag1());
        assertNull(info.getVendorIds());
        assertNull(info.getProductIds());
        assertNull(info.getInserted());
        assertEquals(0, info.getCardNames().length);
        assertEquals(List.of("GetAutoWifiInfo", "GetAutoWifiInfo done 5"), CapturingLogSink.messagesOf(WIFI_INFO));
    }

    @Test
    void aFailingProviderCallLeavesTheFlagsFalse() {
        VirtualProvider.failMethod("ITovikManager.GetAutoWifiInfo", 0x80004005);
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(0, result.get());
        assertFalse(info.getFlag1());
        assertNull(info.getVendorIds());
        assertEquals(0, info.getCardNames().length);
    }

    private static void assertNoAdapters(TovikAdaptInfoList info) {
        assertEquals(0, info.getVendorIds().length);
        assertEquals(0, info.getProductIds().length);
        assertEquals(0, info.getInserted().length);
        assertEquals(0, info.getCardNames().length);
    }
}
