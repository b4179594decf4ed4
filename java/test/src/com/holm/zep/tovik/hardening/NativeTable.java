package com.holm.zep.tovik.hardening;

import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import java.lang.reflect.Method;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import java.util.regex.Pattern;

/**
 * One row per native method that reaches the provider: the provider calls it makes and its
 * documented results when the provider's main call fails, hands out no object, or returns its own
 * result code. Each row is called with the valid arguments of {@link Harness#validArguments} on a
 * session (runtime + open connection to the default workshop's first module).
 *
 * <p>The calls are written as the virtual provider's journal names them, without "ITovik":
 * "VciItems.Count" is ITovikVciItems.Count, ".Name" a method of the interface named before it,
 * and "(...)+" the calls made once per element of a list, in that order, one element at least.
 * The main call comes first unless the sequence names it where it comes. The sweeps generate
 * their cases from these rows; {@code FaultSweepTest} also checks that a clean call of every row
 * makes exactly the provider calls listed, so the table cannot fall behind the library.
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
        /** The provider calls of a clean run, in the notation above. */
        final String sequence;
        /** The distinct method keys of {@link #sequence} ("ITovikVciItems.Count"), in first-seen order. */
        final List<String> calls;
        private final Pattern journal;
        long failResult;
        Delivery onFail = Delivery.NONE;
        Delivery onWithhold = Delivery.NONE;
        Delivery onResult = Delivery.ANY;
        /** The main call has a result value of its own that the provider can set. */
        boolean providerResult = true;
        /** What the method returns when it delivers nothing. */
        Object untouched;

        Row(String method, String primary, boolean primaryHasOutput, String sequence) {
            this.method = Harness.nativeMethod(method);
            this.primary = "ITovikManager." + primary;
            this.primaryHasOutput = primaryHasOutput;
            this.untouched = Harness.failureValue(this.method);
            String main = "Manager." + primary;
            this.sequence = List.of(sequence.split("\\s+")).contains(main) ? sequence : (main + " " + sequence).trim();
            Set<String> keys = new LinkedHashSet<>();
            this.journal = Pattern.compile(regex(this.sequence, keys));
            this.calls = List.copyOf(keys);
        }

        /** Whether a journal (method keys in call order, repeats included) is this row's sequence. */
        boolean matches(List<String> keys) {
            return journal.matcher(String.join(";", keys) + ";").matches();
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

    /** The sequence as a pattern over "key;key;...", its keys added to `keys`. */
    private static String regex(String sequence, Set<String> keys) {
        StringBuilder regex = new StringBuilder();
        String itf = null;
        for (String token : sequence.split("\\s+")) {
            if (token.startsWith("(")) {
                regex.append("(?:");
                token = token.substring(1);
            }
            boolean closes = token.endsWith(")+");
            String name = closes ? token.substring(0, token.length() - 2) : token;
            String key = name.startsWith(".") ? itf + name : "ITovik" + name;
            itf = key.substring(0, key.indexOf('.'));
            keys.add(key);
            regex.append(Pattern.quote(key + ";")).append(closes ? ")+" : "");
        }
        return regex.toString();
    }

    /** A method whose main call hands out the provider object it then reads. */
    private static Row reads(String method, String primary, String sequence) {
        return new Row(method, primary, true, sequence);
    }

    /** A method whose main call hands out no provider object. */
    private static Row plain(String method, String primary, String sequence) {
        return new Row(method, primary, false, sequence);
    }

    private static Row plain(String method, String primary) {
        return plain(method, primary, "");
    }

    private static final String APP_STATUS = "AppStatus.ComponentName .TotalTimeout .ComponentTimeout"
            + " .TotalNumberOfComponents .ComponentNumber .ErrorNumber .Status";
    private static final String ACCESS_ITEM = "ClientAccessItem.ClientInfo .Status .ErrorCode .CurrentBlock"
            + " .TotalBlocks .TimeStampMs";
    private static final String ADDRESSES = "VciInfo.EthernetAddress .WirelessAddress .USBAddress .BluetoothAddress ";
    private static final String CLIENTS = " VciInfo.NumClients (VciInfo.ClientAt ClientInfo.ClientName .ConnectTime"
            + " .IsOwner .ConnectionInterface .ConnectionType)+";
    private static final String BYTES = "ByteBuffer.Length (ByteBuffer.Item)+";
    private static final String SEGMENTS = ".SegmentA .SegmentB .SegmentC .SegmentD .SegmentE .SegmentF .SegmentG"
            + " .SegmentDecimalPoint";

    /** Both version lists, each entry read with `fields`. */
    private static String versionLists(String fields) {
        String list = " VersionItemList.Count (VersionItemList.Item VersionItem." + fields + ")+";
        return "VersionInfo.ServerVersionList .ClientVersionList" + list + list;
    }

    private static String appPcList(String fields) {
        return "AppPcItemList.Count (AppPcItemList.Item AppPcItem." + fields + ")+";
    }

    private static String appVciList(String fields) {
        return "AppVciItemList.Count (AppVciItemList.Item AppVciItem." + fields + ")+";
    }

    static List<Row> rows() {
        Delivery delivered = Delivery.DELIVERED;
        return List.of(
                // ---- runtime: a COM error in InitializeRuntime reads as "no facade", and any
                // other result than 0 gives no handle
                plain("vtxInitializeRuntime", "InitializeRuntime", "Manager.CancelEventNotification")
                        .noProviderResult().failResult(Harness.NO_FACADE),
                plain("vtxConfigureUsbInterface", "ConfigureUsbInterface"),
                plain("vtxConfigureWifiInterface", "ConfigureWifiInterface"),

                // ---- modules: a provider failure of the list reads as no interface; a non-zero
                // result with a module-info object leaves the target unfilled
                reads("vtxGetModuleIds", "GetModuleIds", "VciItems.Count (VciItems.Item VciItem.ModuleName"
                        + " .ModuleType .VCIInterface .SerialNumber .ModuleState)+")
                        .failResult(Harness.NO_INTERFACE).onResult(delivered),
                reads("vtxGetModuleInfo", "GetModuleInfo", ADDRESSES + CLIENTS).onResult(Delivery.NONE),
                reads("vtxGetModuleInfo3", "GetModuleInfo3", ADDRESSES + ".VciAlias .WifiFlags .BtFlags .UsbFlags"
                        + " .EthFlags" + CLIENTS).onResult(Delivery.NONE),

                // ---- connections: an unwritten handle stays 0xFFFFFFFF
                plain("vtxConnect", "Connect"),
                plain("vtxConnect2", "Connect2"),
                plain("vtxGetConStatus", "GetConStatus"),
                plain("vtxDisconnect", "Disconnect"),

                // ---- versions: a non-zero result or no object leaves the target untouched
                reads("vtxGetVersionInformation", "GetVersionInformation", versionLists("Name .Date .Version"))
                        .onResult(Delivery.NONE),
                reads("vtxGetVersionInformation2", "GetVersionInformation_2",
                        versionLists("Name .VersionStr .BranchName .DateStr")).onResult(Delivery.NONE),

                // ---- events: a wait returns false with the event queued before it
                plain("vtxRegisterForEvents", "RegisterForEvents"),
                plain("vtxWaitForEvents", "WaitForEvents", "(Manager.GetNextEvent)+").onFail(Delivery.ANY),
                plain("vtxCancelEventNotification", "CancelEventNotification").noProviderResult(),

                // ---- application catalogues: a list with a non-zero result is still converted
                reads("vtxGetAppsPc", "GetAppsPC", appPcList("AppName .AppVersion .AppDate")).onResult(delivered),
                reads("vtxGetAppsPc2", "GetAppsPC_2", appPcList("AppName .AppVersion .AppDate .ModuleType .App"))
                        .onResult(delivered),
                reads("vtxGetAppsPc3", "GetAppsPC_3",
                        appPcList("AppName .AppVersionStr .BranchName .AppDateStr .ModuleType .App")).onResult(delivered),
                reads("vtxGetAppsVci", "GetAppsVCI", appVciList("App .AppName .AppVersion .AppDate .State .License"
                        + " .LicenseState .DaysRemaining .TimesRemaining")).onResult(delivered),
                reads("vtxGetAppsVci2", "GetAppsVCI_2",
                        appVciList("App .AppName .AppVersionStr .BranchName .AppDateStr .State")).onResult(delivered),

                // ---- installation: a status with a non-zero result is still copied
                reads("vtxInstallVciApp", "InstallVCIApp", APP_STATUS).onResult(delivered),
                reads("vtxInstallVciApp2", "InstallVCIApp_2", APP_STATUS).onResult(delivered),
                reads("vtxUninstallVciApp", "UninstallVCIApp", APP_STATUS).onResult(delivered),
                reads("vtxInstallGetStatus", "InstallGetStatus", APP_STATUS).onResult(delivered),
                reads("vtxUpdateSystemFirmware", "UpdateSystemFirmware", APP_STATUS).onResult(delivered),

                // ---- application control
                plain("vtxControlApp", "ControlApp"),
                plain("vtxSetConfigApp", "SetConfigApp"),
                plain("vtxGetConfigApp", "GetConfigApp"),

                // ---- client information: a failing call leaves the access item untouched
                reads("vtxStoreClientInfo", "StoreClientInfo", ACCESS_ITEM),
                reads("vtxStoreClientInfoFile", "StoreClientInfoFile", ACCESS_ITEM),
                plain("vtxDeleteClientInfo", "DeleteClientInfo"),
                reads("vtxGetClientAccessStatus", "GetClientAccessStatus", ACCESS_ITEM),
                reads("vtxGetAvailableClientSpace", "GetAvailableClientSpace",
                        "ClientSpace.VolRemaining .VolTotal .NonVolRemaining .NonVolTotal"),
                reads("vtxGetClientInfoList", "GetClientInfoList", "ClientInfoList.Count (ClientInfoList.Item"
                        + " ClientInfoItem.ClientInfoId .FileSize .ClientInfoLocation)+"),
                reads("vtxGetClientInfo", "GetClientInfo", ACCESS_ITEM),
                reads("vtxGetClientInfoResult", "GetClientInfoResult", BYTES),
                reads("vtxGetClientInfoFile", "GetClientInfoFile", ACCESS_ITEM),

                // ---- pendant: the LED collection and the display are the library's own provider
                // objects, filled before the main call or read after it
                plain("vtxPendantSetLeds", "PendantSetLeds", "PendantLeds.Count (PendantLeds.Item"
                        + " PendantLed.put_LedValid .put_LedCtrl .put_LedBlinkFreq)+ Manager.PendantSetLeds"),
                plain("vtxPendantGetLeds", "PendantGetLeds", "PendantLeds.Count (PendantLeds.Item"
                        + " PendantLed.LedValid .LedCtrl .LedBlinkFreq)+").onFail(Delivery.ANY),
                plain("vtxPendantSetSegDisp", "PendantSetSegDisp",
                        "PendantDisp" + SEGMENTS.replace(".", ".put_") + " Manager.PendantSetSegDisp"),
                reads("vtxPendantGetSegDisp", "PendantGetSegDisp", "PendantDisp" + SEGMENTS),
                plain("vtxPendantSetAudio", "PendantSetAudio"),
                // The returned object always carries the output values (0 unless the provider wrote them).
                plain("vtxPendantGetAudio", "PendantGetAudio").onFail(delivered).onResult(delivered),

                // ---- wireless
                reads("vtxGetAccessPointState", "GetAccessPointState", "ApStateItem.WifiState .Mode .ApState"
                        + " .NumBars .LinkQualityRaw .NoiseLevel .SignalLevel"),
                plain("vtxEnableManualScan", "EnableManualScan"),
                plain("vtxEnableAutoWifi", "EnableAutoWifi"),
                // Always a TovikAdaptInfoList, with null arrays when there is no adapter list.
                reads("vtxGetAutoWifiInfo", "GetAutoWifiInfo", "AdaptInfoList.Count (AdaptInfoList.GetItem"
                        + " AdaptInfoItem.Vid .Pid .IsInserted .CardName)+").untouched(new TovikAdaptInfoList())
                        .onFail(Delivery.ANY).onWithhold(delivered).onResult(delivered),

                // ---- diagnostics
                reads("vtxRunSelfTest", "RunSelfTest", BYTES),
                reads("vtxGetConfigItems", "GetConfigItems", "ConfigItemList.Count (ConfigItemList.GetItem"
                        + " ConfigItem.ConfigValue .ConfigItem)+"));
    }
}
