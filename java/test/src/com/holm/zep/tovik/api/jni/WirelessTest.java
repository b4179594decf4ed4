package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.List;
import org.junit.jupiter.api.Test;

/** Access-point state, the two Wi-Fi switches and the adapter list against the virtual provider. */
class WirelessTest extends RuntimeFixture {
    private static final String ADAPTERS = "\"adapters\": [\n"
            + "      { \"vid\": 32902, \"pid\": 9462, \"cardName\": \"Workshop WLAN\", \"inserted\": true },\n"
            + "      { \"vid\": 3034, \"pid\": 33145, \"cardName\": \"USB WLAN Stick\", \"inserted\": false }\n"
            + "    ]";
    private static final Object[] NO_ADAPTERS = {"vendorIds", new long[0], "productIds", new long[0],
        "inserted", new boolean[0], "cardNames", new String[0]};

    WirelessTest() {
        super(RuntimeFixture::openWorkshop);
    }

    /**
     * The whole journal as an ordered list: the manager call with the low halves of its
     * arguments, then each of the seven properties once, in the interface's order (never in the
     * order some compiler evaluates the arguments of one call).
     */
    @Test
    void accessPointStateReadsTheSevenPropertiesOnceEachInOrder() {
        TovikApStateItem item = new TovikApStateItem();
        LongValue result = new LongValue(-1);
        MANAGER.vtxGetAccessPointState(handle, 0x1_0000_0007L, 0x1_0000_0003L, item, result);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetAccessPointState(7, 3)"), journal("ITovikManager."));
        assertEquals(List.of("ITovikManager.GetAccessPointState", "ITovikApStateItem.WifiState",
                "ITovikApStateItem.Mode", "ITovikApStateItem.ApState", "ITovikApStateItem.NumBars",
                "ITovikApStateItem.LinkQualityRaw", "ITovikApStateItem.NoiseLevel", "ITovikApStateItem.SignalLevel"),
                calls(""));
        assertFields(item, "wifiState", 1, "mode", 2, "apState", 1, "numBars", 4, "linkQualityRaw", 70,
                "noiseLevel", -92, "signalLevel", -48);
        assertEquals(List.of("GetAccessPointState", "GetAccessPointState done"), log("vtxGetAccessPointState"));
        assertEquals(List.of("Cmd Get Access Point State", "Cmd Get Access Point State 0"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetAccessPointState"));

        // Unsigned words arrive zero-extended, signed ones sign-extended.
        loadOpenWorkshop("\"wifiState\": 1, \"mode\": 2, \"apState\": 1, \"numBars\": 4,",
                "\"wifiState\": 4294967295, \"mode\": 2147483648, \"apState\": 1, \"numBars\": 4,",
                "\"noiseLevel\": -92, \"signalLevel\": -48", "\"noiseLevel\": -2147483648, \"signalLevel\": 7");
        MANAGER.vtxGetAccessPointState(handle, 7, 0, item, again(result));
        assertEquals(0, result.get());
        assertFields(item, "wifiState", 4294967295L, "mode", 2147483648L, "noiseLevel", Integer.MIN_VALUE,
                "signalLevel", 7);
    }

    @Test
    void switchesSendVariantTrueOnlyForTrue() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxEnableManualScan(handle, true, result);
        assertEquals(-1, VirtualProvider.manualScanSwitch());
        MANAGER.vtxEnableManualScan(handle, false, result);
        assertEquals(0, VirtualProvider.manualScanSwitch());
        MANAGER.vtxEnableAutoWifi(handle, false, result);
        assertEquals(0, VirtualProvider.autoWifiSwitch());
        MANAGER.vtxEnableAutoWifi(handle, true, result);
        assertEquals(-1, VirtualProvider.autoWifiSwitch());
        assertEquals(0, result.get());

        assertEquals(List.of("ITovikManager.EnableManualScan(-1)", "ITovikManager.EnableManualScan(0)",
                "ITovikManager.EnableAutoWifi(0)", "ITovikManager.EnableAutoWifi(-1)"), journal("ITovikManager."));
        assertEquals(List.of("EnableManualScan 1", "EnableManualScan done", "EnableManualScan 0",
                "EnableManualScan done"), log("vtxEnableManualScan"));
        assertEquals(List.of("EnableAutoWifi0", "EnableAutoWifi done", "EnableAutoWifi1", "EnableAutoWifi done"),
                log("vtxEnableAutoWifi"));
    }

    @Test
    void adapterListCarriesFlagsIdsAndNames() {
        LongValue result = new LongValue(-1);
        TovikAdaptInfoList info = MANAGER.vtxGetAutoWifiInfo(handle, result);
        assertEquals(0, result.get());
        // Automatic Wi-Fi on, manual scan off, connected.
        assertFields(info, "flag1", true, "flag2", false, "flag3", true, "vendorIds", new long[] {32902, 3034},
                "productIds", new long[] {9462, 33145}, "inserted", new boolean[] {true, false},
                "cardNames", new String[] {"Workshop WLAN", "USB WLAN Stick"});
        assertEquals(List.of("GetAutoWifiInfo", "Processing 2 items", "Processing item 0", "Processing item 1",
                "GetAutoWifiInfo done 0"), log("vtxGetAutoWifiInfo"));
        assertEquals(List.of("Start", "Done"), CapturingLogSink.messagesOf("CTovikManagerIF::CmdGetAutoWifiInfo"));

        // A missing adapter leaves zeros and shortens the name array.
        VirtualProvider.setMissingItem("ITovikAdaptInfoList", 0);
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, result), "vendorIds", new long[] {0, 3034},
                "productIds", new long[] {0, 33145}, "inserted", new boolean[] {false, false},
                "cardNames", new String[] {"USB WLAN Stick"});
    }

    @Test
    void flagsAndInsertedAreTrueOnlyForMinusOne() {
        loadOpenWorkshop("\"autoWifi\": true, \"manualScan\": false, \"connected\": true",
                "\"autoWifi\": 1, \"manualScan\": -1, \"connected\": 65535",
                "\"cardName\": \"Workshop WLAN\", \"inserted\": true", "\"cardName\": \"Workshop WLAN\", \"inserted\": 1");
        // 1 is not VARIANT_TRUE; 0xFFFF is.
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, new LongValue()), "flag1", false, "flag2", true,
                "flag3", true, "inserted", new boolean[] {false, false});
    }

    @Test
    void cardNamesAreDecodedAndAnEmptyNameIsAnEmptyString() {
        loadOpenWorkshop(ADAPTERS,
                "\"adapters\": [ { \"vid\": 1, \"pid\": 2, \"cardName\": \"Caf\u00e9 \u20ac \u2713\", \"inserted\": true },"
                + " { \"vid\": 3, \"pid\": 4, \"cardName\": \"\", \"inserted\": false } ]");
        // The card name passes the ANSI code page: the check mark has no place in it.
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, new LongValue()),
                "cardNames", new String[] {"Caf\u00e9 \u20ac ?", ""});
        assertEquals(List.of("Coud not find client name"),
                CapturingLogSink.messagesOf("CTovikAdaptInfoItemIF::CmdgetCardName"));
    }

    /**
     * No adapters give empty arrays, and so does a count that fails once: it is read once, so the
     * two adapters a second read would have found stay unseen.
     */
    @Test
    void anEmptyListOrAFailedCountGivesEmptyArrays() {
        VirtualProvider.failMethod("ITovikAdaptInfoList.Count", 0x80004005, true, "count failed once");
        LongValue result = new LongValue(-1);
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, result), NO_ADAPTERS);
        assertEquals(0, result.get());
        assertEquals(List.of("ITovikManager.GetAutoWifiInfo", "ITovikAdaptInfoList.Count"), calls(""));

        loadOpenWorkshop(ADAPTERS, "\"adapters\": []");
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, again(result)), NO_ADAPTERS);
        assertEquals(0, result.get());
    }

    @Test
    void withoutAListTheArraysAreNullAndTheNamesEmpty() {
        VirtualProvider.withholdOutput("ITovikManager.GetAutoWifiInfo");
        VirtualProvider.setResult("ITovikManager.GetAutoWifiInfo", 5);
        LongValue result = new LongValue(-1);
        assertFields(MANAGER.vtxGetAutoWifiInfo(handle, result), "flag1", true, "vendorIds", null,
                "productIds", null, "inserted", null, "cardNames", new String[0]);
        assertEquals(5, result.get());
        assertEquals(List.of("GetAutoWifiInfo", "GetAutoWifiInfo done 5"), log("vtxGetAutoWifiInfo"));
    }
}
