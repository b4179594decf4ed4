package com.holm.zep.tovik.hardening;

import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import java.util.regex.Pattern;

/**
 * One row per native method that reaches the provider: the provider calls it makes (method keys
 * as the virtual provider names them) and its documented results when the provider's main call
 * fails, hands out no object, or returns its own result code. Each row is called with the valid
 * arguments of {@link Harness#validArguments} on a session (runtime + open connection to the
 * default workshop's first module).
 *
 * <p>The sweeps generate their cases from these rows; {@code FaultSweepTest} also checks that a
 * clean call of every row makes exactly the provider calls listed, so the table cannot fall
 * behind the library.
 */
final class NativeTable {
    /** What reaches Java besides the result code, compared with what a silent call leaves. */
    enum Delivery {
        /** Returned value is the failure value, and the objects passed in are untouched. */
        NONE,
        /** Something was delivered. */
        DELIVERED,
        /** Either is documented. */
        ANY
    }

    static final class Row {
        final Method method;
        final String primary;
        /** The main call hands out an interface (withholding it is a documented case). */
        final boolean primaryHasOutput;
        /** The distinct method keys of {@link #sequence}, in first-seen order. */
        List<String> calls = List.of();
        /** The provider calls of a clean run: method keys and {@link Each} runs, in order. */
        List<Object> sequence = List.of();
        long failResult;
        Delivery onFail = Delivery.NONE;
        Delivery onWithhold = Delivery.NONE;
        Delivery onResult = Delivery.ANY;
        /** The main call has a result value of its own that the provider can set. */
        boolean providerResult = true;
        /** What the method returns when it delivers nothing. */
        Object untouched;

        Row(String method, String primary, boolean primaryHasOutput) {
            this.method = Harness.nativeMethod(method);
            this.primary = "ITovikManager." + primary;
            this.primaryHasOutput = primaryHasOutput;
            this.untouched = Harness.failureValue(this.method);
        }

        /**
         * The provider calls of a clean run in their order: method keys (or arrays of them), and
         * {@link #each} for the calls made once per element of a list. The main call comes first
         * unless the parts name it where it comes.
         */
        Row calls(Object... parts) {
            List<Object> all = flatten(parts);
            if (!all.contains(primary)) {
                all.add(0, primary);
            }
            sequence = List.copyOf(all);
            Set<String> keys = new LinkedHashSet<>();
            collectKeys(sequence, keys);
            calls = List.copyOf(keys);
            return this;
        }

        /** Whether a journal (method keys in call order, repeats included) is this row's sequence. */
        boolean matches(List<String> journal) {
            StringBuilder text = new StringBuilder();
            journal.forEach(key -> text.append(key).append(';'));
            return Pattern.matches(regex(sequence), text);
        }

        /** The sequence as it reads in a failure message. */
        String describe() {
            return NativeTable.describe(sequence);
        }

        Row failResult(long code) {
            failResult = code;
            return this;
        }

        Row onFail(Delivery d) {
            onFail = d;
            return this;
        }

        Row onWithhold(Delivery d) {
            onWithhold = d;
            return this;
        }

        Row onResult(Delivery d) {
            onResult = d;
            return this;
        }

        Row noProviderResult() {
            providerResult = false;
            return this;
        }

        Row untouched(Object value) {
            untouched = value;
            return this;
        }

        @Override
        public String toString() {
            return method.getName();
        }
    }

    private NativeTable() {
    }

    /** Provider calls made once for each element of a list, in this order; one element at least. */
    record Each(List<Object> parts) {
    }

    static Each each(Object... parts) {
        return new Each(flatten(parts));
    }

    /** The method keys of one interface: keys("ITovikX", "A", "B") gives ITovikX.A, ITovikX.B. */
    private static Object[] keys(String itf, String... methods) {
        Object[] keys = new Object[methods.length];
        for (int i = 0; i < methods.length; i++) {
            keys[i] = itf + "." + methods[i];
        }
        return keys;
    }

    private static List<Object> flatten(Object[] parts) {
        List<Object> all = new ArrayList<>();
        for (Object part : parts) {
            if (part instanceof Object[] many) {
                all.addAll(flatten(many));
            } else {
                all.add(part);
            }
        }
        return all;
    }

    private static void collectKeys(List<Object> parts, Set<String> keys) {
        for (Object part : parts) {
            if (part instanceof Each each) {
                collectKeys(each.parts(), keys);
            } else {
                keys.add((String) part);
            }
        }
    }

    private static String regex(List<Object> parts) {
        StringBuilder regex = new StringBuilder();
        for (Object part : parts) {
            if (part instanceof Each each) {
                regex.append("(?:").append(regex(each.parts())).append(")+");
            } else {
                regex.append(Pattern.quote(part + ";"));
            }
        }
        return regex.toString();
    }

    private static String describe(List<Object> parts) {
        List<String> items = new ArrayList<>();
        for (Object part : parts) {
            items.add(part instanceof Each each ? "each" + describe(each.parts()) : (String) part);
        }
        return items.toString();
    }

    /** A method whose main call hands out the provider object it then reads. */
    private static Row reads(String method, String primary) {
        return new Row(method, primary, true);
    }

    /** A method whose main call hands out no provider object. */
    private static Row plain(String method, String primary) {
        return new Row(method, primary, false).calls();
    }

    private static final Object[] APP_STATUS = keys("ITovikAppStatus", "ComponentName", "TotalTimeout",
            "ComponentTimeout", "TotalNumberOfComponents", "ComponentNumber", "ErrorNumber", "Status");
    private static final Object[] ACCESS_ITEM = keys("ITovikClientAccessItem", "ClientInfo", "Status",
            "ErrorCode", "CurrentBlock", "TotalBlocks", "TimeStampMs");
    private static final Object[] ADDRESSES = keys("ITovikVciInfo", "EthernetAddress", "WirelessAddress",
            "USBAddress", "BluetoothAddress");
    private static final Object[] CLIENTS = {"ITovikVciInfo.NumClients", each("ITovikVciInfo.ClientAt",
            keys("ITovikClientInfo", "ClientName", "ConnectTime", "IsOwner", "ConnectionInterface",
                    "ConnectionType"))};
    private static final String BYTES = "ITovikByteBuffer.Length";
    private static final Each BYTE_ITEMS = each("ITovikByteBuffer.Item");
    private static final String[] SEGMENTS = {"SegmentA", "SegmentB", "SegmentC", "SegmentD", "SegmentE",
        "SegmentF", "SegmentG", "SegmentDecimalPoint"};

    /** A version list as read by the numeric (false) or the text (true) form. */
    private static Object[] versionList(boolean texts) {
        return new Object[] {"ITovikVersionItemList.Count", each("ITovikVersionItemList.Item",
                keys("ITovikVersionItem", texts ? new String[] {"Name", "VersionStr", "BranchName", "DateStr"}
                        : new String[] {"Name", "Date", "Version"}))};
    }

    private static Object[] appPcList(String... fields) {
        return new Object[] {"ITovikAppPcItemList.Count", each("ITovikAppPcItemList.Item",
                keys("ITovikAppPcItem", fields))};
    }

    private static Object[] appVciList(String... fields) {
        return new Object[] {"ITovikAppVciItemList.Count", each("ITovikAppVciItemList.Item",
                keys("ITovikAppVciItem", fields))};
    }

    private static String[] prefixed(String prefix, String... names) {
        String[] all = new String[names.length];
        for (int i = 0; i < names.length; i++) {
            all[i] = prefix + names[i];
        }
        return all;
    }

    static List<Row> rows() {
        Delivery delivered = Delivery.DELIVERED;
        return List.of(
                // ---- runtime: a COM error in InitializeRuntime reads as "no facade", and any
                // other result than 0 gives no handle
                plain("vtxInitializeRuntime", "InitializeRuntime").noProviderResult().failResult(Harness.NO_FACADE)
                        .calls("ITovikManager.CancelEventNotification"),
                plain("vtxConfigureUsbInterface", "ConfigureUsbInterface"),
                plain("vtxConfigureWifiInterface", "ConfigureWifiInterface"),

                // ---- modules: a provider failure of the list reads as no interface; a non-zero
                // result with a module-info object leaves the target unfilled
                reads("vtxGetModuleIds", "GetModuleIds").failResult(Harness.NO_INTERFACE).onResult(delivered)
                        .calls("ITovikVciItems.Count", each("ITovikVciItems.Item", keys("ITovikVciItem",
                                "ModuleName", "ModuleType", "VCIInterface", "SerialNumber", "ModuleState"))),
                reads("vtxGetModuleInfo", "GetModuleInfo").onResult(Delivery.NONE).calls(ADDRESSES, CLIENTS),
                reads("vtxGetModuleInfo3", "GetModuleInfo3").onResult(Delivery.NONE).calls(ADDRESSES,
                        keys("ITovikVciInfo", "VciAlias", "WifiFlags", "BtFlags", "UsbFlags", "EthFlags"), CLIENTS),

                // ---- connections: an unwritten handle stays 0xFFFFFFFF
                plain("vtxConnect", "Connect"),
                plain("vtxConnect2", "Connect2"),
                plain("vtxGetConStatus", "GetConStatus"),
                plain("vtxDisconnect", "Disconnect"),

                // ---- versions: a non-zero result or no object leaves the target untouched
                reads("vtxGetVersionInformation", "GetVersionInformation").onResult(Delivery.NONE)
                        .calls(keys("ITovikVersionInfo", "ServerVersionList", "ClientVersionList"),
                                versionList(false), versionList(false)),
                reads("vtxGetVersionInformation2", "GetVersionInformation_2").onResult(Delivery.NONE)
                        .calls(keys("ITovikVersionInfo", "ServerVersionList", "ClientVersionList"),
                                versionList(true), versionList(true)),

                // ---- events: a wait returns false with the event queued before it
                plain("vtxRegisterForEvents", "RegisterForEvents"),
                plain("vtxWaitForEvents", "WaitForEvents").onFail(Delivery.ANY)
                        .calls(each("ITovikManager.GetNextEvent")),
                plain("vtxCancelEventNotification", "CancelEventNotification").noProviderResult(),

                // ---- application catalogues: a list with a non-zero result is still converted
                reads("vtxGetAppsPc", "GetAppsPC").onResult(delivered)
                        .calls(appPcList("AppName", "AppVersion", "AppDate")),
                reads("vtxGetAppsPc2", "GetAppsPC_2").onResult(delivered)
                        .calls(appPcList("AppName", "AppVersion", "AppDate", "ModuleType", "App")),
                reads("vtxGetAppsPc3", "GetAppsPC_3").onResult(delivered).calls(appPcList("AppName",
                        "AppVersionStr", "BranchName", "AppDateStr", "ModuleType", "App")),
                reads("vtxGetAppsVci", "GetAppsVCI").onResult(delivered).calls(appVciList("App", "AppName",
                        "AppVersion", "AppDate", "State", "License", "LicenseState", "DaysRemaining",
                        "TimesRemaining")),
                reads("vtxGetAppsVci2", "GetAppsVCI_2").onResult(delivered).calls(appVciList("App", "AppName",
                        "AppVersionStr", "BranchName", "AppDateStr", "State")),

                // ---- installation: a status with a non-zero result is still copied
                reads("vtxInstallVciApp", "InstallVCIApp").onResult(delivered).calls(APP_STATUS),
                reads("vtxInstallVciApp2", "InstallVCIApp_2").onResult(delivered).calls(APP_STATUS),
                reads("vtxUninstallVciApp", "UninstallVCIApp").onResult(delivered).calls(APP_STATUS),
                reads("vtxInstallGetStatus", "InstallGetStatus").onResult(delivered).calls(APP_STATUS),
                reads("vtxUpdateSystemFirmware", "UpdateSystemFirmware").onResult(delivered).calls(APP_STATUS),

                // ---- application control
                plain("vtxControlApp", "ControlApp"),
                plain("vtxSetConfigApp", "SetConfigApp"),
                plain("vtxGetConfigApp", "GetConfigApp"),

                // ---- client information: a failing call leaves the access item untouched
                reads("vtxStoreClientInfo", "StoreClientInfo").calls(ACCESS_ITEM),
                reads("vtxStoreClientInfoFile", "StoreClientInfoFile").calls(ACCESS_ITEM),
                plain("vtxDeleteClientInfo", "DeleteClientInfo"),
                reads("vtxGetClientAccessStatus", "GetClientAccessStatus").calls(ACCESS_ITEM),
                reads("vtxGetAvailableClientSpace", "GetAvailableClientSpace").calls(keys("ITovikClientSpace",
                        "VolRemaining", "VolTotal", "NonVolRemaining", "NonVolTotal")),
                reads("vtxGetClientInfoList", "GetClientInfoList").calls("ITovikClientInfoList.Count",
                        each("ITovikClientInfoList.Item", keys("ITovikClientInfoItem", "ClientInfoId", "FileSize",
                                "ClientInfoLocation"))),
                reads("vtxGetClientInfo", "GetClientInfo").calls(ACCESS_ITEM),
                reads("vtxGetClientInfoResult", "GetClientInfoResult").calls(BYTES, BYTE_ITEMS),
                reads("vtxGetClientInfoFile", "GetClientInfoFile").calls(ACCESS_ITEM),

                // ---- pendant: the LED collection and the display are the library's own provider
                // objects, filled before the main call or read after it
                plain("vtxPendantSetLeds", "PendantSetLeds").calls("ITovikPendantLeds.Count",
                        each("ITovikPendantLeds.Item", keys("ITovikPendantLed", "put_LedValid", "put_LedCtrl",
                                "put_LedBlinkFreq")), "ITovikManager.PendantSetLeds"),
                plain("vtxPendantGetLeds", "PendantGetLeds").onFail(Delivery.ANY).calls("ITovikPendantLeds.Count",
                        each("ITovikPendantLeds.Item", keys("ITovikPendantLed", "LedValid", "LedCtrl",
                                "LedBlinkFreq"))),
                plain("vtxPendantSetSegDisp", "PendantSetSegDisp").calls(keys("ITovikPendantDisp",
                        prefixed("put_", SEGMENTS)), "ITovikManager.PendantSetSegDisp"),
                reads("vtxPendantGetSegDisp", "PendantGetSegDisp").calls(keys("ITovikPendantDisp", SEGMENTS)),
                plain("vtxPendantSetAudio", "PendantSetAudio"),
                // The returned object always carries the output values (0 unless the provider wrote them).
                plain("vtxPendantGetAudio", "PendantGetAudio").onFail(delivered).onResult(delivered),

                // ---- wireless
                reads("vtxGetAccessPointState", "GetAccessPointState").calls(keys("ITovikApStateItem",
                        "WifiState", "Mode", "ApState", "NumBars", "LinkQualityRaw", "NoiseLevel", "SignalLevel")),
                plain("vtxEnableManualScan", "EnableManualScan"),
                plain("vtxEnableAutoWifi", "EnableAutoWifi"),
                // Always a TovikAdaptInfoList, with null arrays when there is no adapter list.
                reads("vtxGetAutoWifiInfo", "GetAutoWifiInfo").untouched(new TovikAdaptInfoList())
                        .onFail(Delivery.ANY).onWithhold(delivered).onResult(delivered)
                        .calls("ITovikAdaptInfoList.Count", each("ITovikAdaptInfoList.GetItem",
                                keys("ITovikAdaptInfoItem", "Vid", "Pid", "IsInserted", "CardName"))),

                // ---- diagnostics
                reads("vtxRunSelfTest", "RunSelfTest").calls(BYTES, BYTE_ITEMS),
                reads("vtxGetConfigItems", "GetConfigItems").calls("ITovikConfigItemList.Count",
                        each("ITovikConfigItemList.GetItem", keys("ITovikConfigItem", "ConfigValue", "ConfigItem"))));
    }
}
