package com.holm.zep.tovik.hardening;

import static com.holm.zep.tovik.hardening.Harness.MANAGER;
import static com.holm.zep.tovik.hardening.Harness.MODULE;
import static com.holm.zep.tovik.hardening.Harness.NO_INTERFACE;
import static com.holm.zep.tovik.hardening.Harness.result;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import com.holm.zep.tovik.api.jni.TovikApStateItem;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.api.jni.TovikClientSpace;
import com.holm.zep.tovik.api.jni.TovikEventQueue;
import com.holm.zep.tovik.api.jni.TovikPendantDisp;
import com.holm.zep.tovik.api.jni.TovikVciInfo;
import com.holm.zep.tovik.api.jni.TovikVciInfo3;
import com.holm.zep.tovik.api.jni.TovikVersionInfo;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import java.util.function.Supplier;
import java.util.regex.Pattern;

/**
 * One row per native method that reaches the provider: how to call it on a session (runtime +
 * open connection to the default workshop's first module), the provider calls it makes (method
 * keys as the virtual provider names them), and its documented results when the provider's
 * main call fails, hands out no object, or returns its own result code.
 *
 * <p>The sweeps generate their cases from these rows; {@code FaultSweepTest} also checks that a
 * clean call of every row makes exactly the provider calls listed, so the table cannot fall
 * behind the library.
 */
final class NativeTable {
    /** What reaches Java besides the result code, compared with what a silent call leaves. */
    enum Delivery {
        /** Returned value is the failure value, or the target object is untouched. */
        NONE,
        /** Something was delivered. */
        DELIVERED,
        /** Either is documented. */
        ANY
    }

    /** The outcome of one call: the result code (UNSET when the method has none) and the value. */
    record Outcome(long result, Object value, Object untouched) {
        static Outcome returned(LongValue result, Object value, Object failureValue) {
            return new Outcome(result == null ? Harness.UNSET : result.get(), value, failureValue);
        }

        static Outcome target(LongValue result, Object target, Object fresh) {
            return new Outcome(result.get(), target, fresh);
        }

        boolean delivered() {
            return !Harness.dump(value).equals(Harness.dump(untouched));
        }
    }

    interface Invoke {
        Outcome call(Harness.Session session, long prepared) throws Exception;
    }

    interface Prepare {
        long run(Harness.Session session) throws Exception;
    }

    static final class Row {
        final String method;
        final String primary;
        final Invoke invoke;
        Prepare prepare = s -> 0;
        /** The distinct method keys of {@link #sequence}, in first-seen order. */
        List<String> calls = List.of();
        /** The provider calls of a clean run: method keys and {@link Each} runs, in order. */
        List<Object> sequence = List.of();
        long failResult;
        boolean hasResult = true;
        Delivery onFail = Delivery.NONE;
        Delivery onWithhold = Delivery.NONE;
        Delivery onResult = Delivery.ANY;
        Delivery onSubFault = Delivery.ANY;
        /** The row's main call has a result value of its own that the provider can set. */
        boolean providerResult = true;
        /** The row's main call hands out an interface (withholding it is a documented case). */
        boolean primaryHasOutput = true;

        Row(String method, String primary, Invoke invoke) {
            this.method = method;
            this.primary = primary;
            this.invoke = invoke;
        }

        Row prepare(Prepare p) {
            prepare = p;
            return this;
        }

        /**
         * The provider calls of a clean run in their order: method keys, and {@link #each} for
         * the calls made once per element of a list. The main call comes first unless the parts
         * name it where it comes.
         */
        Row calls(Object... parts) {
            List<Object> all = new ArrayList<>();
            if (!List.of(parts).contains(primary)) {
                all.add(primary);
            }
            all.addAll(List.of(parts));
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
            return Pattern.matches(NativeTable.regex(sequence), text);
        }

        /** The sequence as it reads in a failure message. */
        String describe() {
            return NativeTable.describe(sequence);
        }

        Row failResult(long code) {
            failResult = code;
            return this;
        }

        Row noResultCode() {
            hasResult = false;
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

        Row noOutput() {
            primaryHasOutput = false;
            return this;
        }

        @Override
        public String toString() {
            return method;
        }
    }

    private NativeTable() {
    }

    /** Provider calls made once for each element of a list, in this order; one element at least. */
    record Each(List<Object> parts) {
    }

    static Each each(Object... parts) {
        return new Each(List.of(parts));
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

    private static final String M = "ITovikManager.";

    private static Path tempFile(String prefix, byte[] content) {
        try {
            Path file = Files.createTempFile(prefix, ".bin");
            file.toFile().deleteOnExit();
            if (content != null) {
                Files.write(file, content);
            }
            return file;
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    private static final Path STORE_FILE = tempFile("tovik-store", new byte[] {1, 2, 3, 4});
    private static final Path READ_FILE = tempFile("tovik-read", null);

    private static <T> Outcome onTarget(Supplier<T> fresh, TargetCall<T> call) {
        T target = fresh.get();
        LongValue r = result();
        call.call(target, r);
        return Outcome.target(r, target, fresh.get());
    }

    interface TargetCall<T> {
        void call(T target, LongValue result);
    }

    /** The access id of a fresh read of the "calibration" block. */
    private static long readAccess(Harness.Session s) {
        TovikClientAccessItem item = new TovikClientAccessItem();
        MANAGER.vtxGetClientInfo(s.manager, s.connection, "calibration", 1, 0, item, result());
        return item.getClientInfo();
    }

    static List<Row> rows() {
        List<Row> rows = new ArrayList<>();

        // ---- runtime: a COM error in InitializeRuntime reads as "no facade", and any other
        // result than 0 gives no handle
        rows.add(new Row("vtxInitializeRuntime", M + "InitializeRuntime", (s, p) -> {
            LongValue r = result();
            long handle = MANAGER.vtxInitializeRuntime("sweep", null, true, r);
            if (handle != Harness.INVALID_HANDLE) {
                MANAGER.vtxShutdownRuntime(handle);
            }
            return Outcome.returned(r, handle == Harness.INVALID_HANDLE ? handle : "a handle", Harness.INVALID_HANDLE);
        }).noOutput().noProviderResult().failResult(Harness.NO_FACADE)
                .calls("ITovikManager.CancelEventNotification"));
        rows.add(new Row("vtxConfigureUsbInterface", M + "ConfigureUsbInterface", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxConfigureUsbInterface(s.manager, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxConfigureWifiInterface", M + "ConfigureWifiInterface", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxConfigureWifiInterface(s.manager, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());

        // ---- modules: a provider failure of the list reads as no interface
        rows.add(new Row("vtxGetModuleIds", M + "GetModuleIds", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetModuleIds(s.manager, r), null);
        }).failResult(NO_INTERFACE).onResult(Delivery.DELIVERED)
                .calls("ITovikVciItems.Count", each("ITovikVciItems.Item", "ITovikVciItem.ModuleName",
                        "ITovikVciItem.ModuleType", "ITovikVciItem.VCIInterface",
                        "ITovikVciItem.SerialNumber", "ITovikVciItem.ModuleState")));
        // a non-zero result with a module-info object leaves the target unfilled
        rows.add(new Row("vtxGetModuleInfo", M + "GetModuleInfo", (s, p) -> onTarget(TovikVciInfo::new,
                (t, r) -> MANAGER.vtxGetModuleInfo(s.manager, MODULE, t, r))).onResult(Delivery.NONE)
                .calls("ITovikVciInfo.EthernetAddress", "ITovikVciInfo.WirelessAddress",
                        "ITovikVciInfo.USBAddress", "ITovikVciInfo.BluetoothAddress",
                        "ITovikVciInfo.NumClients", each("ITovikVciInfo.ClientAt", "ITovikClientInfo.ClientName",
                        "ITovikClientInfo.ConnectTime", "ITovikClientInfo.IsOwner",
                        "ITovikClientInfo.ConnectionInterface", "ITovikClientInfo.ConnectionType")));
        rows.add(new Row("vtxGetModuleInfo3", M + "GetModuleInfo3", (s, p) -> onTarget(TovikVciInfo3::new,
                (t, r) -> MANAGER.vtxGetModuleInfo3(s.manager, MODULE, t, r))).onResult(Delivery.NONE)
                .calls("ITovikVciInfo.EthernetAddress", "ITovikVciInfo.WirelessAddress",
                        "ITovikVciInfo.USBAddress", "ITovikVciInfo.BluetoothAddress",
                        "ITovikVciInfo.VciAlias", "ITovikVciInfo.WifiFlags", "ITovikVciInfo.BtFlags",
                        "ITovikVciInfo.UsbFlags", "ITovikVciInfo.EthFlags", "ITovikVciInfo.NumClients",
                        each("ITovikVciInfo.ClientAt", "ITovikClientInfo.ClientName",
                                "ITovikClientInfo.ConnectTime", "ITovikClientInfo.IsOwner",
                                "ITovikClientInfo.ConnectionInterface", "ITovikClientInfo.ConnectionType")));

        // ---- connections: an unwritten handle stays 0xFFFFFFFF
        rows.add(new Row("vtxConnect", M + "Connect", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxConnect(s.manager, 200102, 1, r), Harness.INVALID_HANDLE);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxConnect2", M + "Connect2", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxConnect2(s.manager, 200102, 1, "sweep", r),
                    Harness.INVALID_HANDLE);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxGetConStatus", M + "GetConStatus", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetConStatus(s.manager, s.connection, r), 0L);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxDisconnect", M + "Disconnect", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxDisconnect(s.manager, s.connection, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());

        // ---- versions: a non-zero result or no object leaves the target untouched
        rows.add(new Row("vtxGetVersionInformation", M + "GetVersionInformation", (s, p) -> onTarget(
                TovikVersionInfo::new, (t, r) -> MANAGER.vtxGetVersionInformation(s.manager, s.connection, 0, t, r)))
                .onResult(Delivery.NONE)
                .calls("ITovikVersionInfo.ServerVersionList", "ITovikVersionInfo.ClientVersionList",
                        "ITovikVersionItemList.Count", each("ITovikVersionItemList.Item", "ITovikVersionItem.Name",
                                "ITovikVersionItem.Date", "ITovikVersionItem.Version"),
                        "ITovikVersionItemList.Count", each("ITovikVersionItemList.Item", "ITovikVersionItem.Name",
                                "ITovikVersionItem.Date", "ITovikVersionItem.Version")));
        rows.add(new Row("vtxGetVersionInformation2", M + "GetVersionInformation_2", (s, p) -> onTarget(
                TovikVersionInfo::new, (t, r) -> MANAGER.vtxGetVersionInformation2(s.manager, s.connection, 0, t, r)))
                .onResult(Delivery.NONE)
                .calls("ITovikVersionInfo.ServerVersionList", "ITovikVersionInfo.ClientVersionList",
                        "ITovikVersionItemList.Count", each("ITovikVersionItemList.Item", "ITovikVersionItem.Name",
                                "ITovikVersionItem.VersionStr", "ITovikVersionItem.BranchName",
                                "ITovikVersionItem.DateStr"),
                        "ITovikVersionItemList.Count", each("ITovikVersionItemList.Item", "ITovikVersionItem.Name",
                                "ITovikVersionItem.VersionStr", "ITovikVersionItem.BranchName",
                                "ITovikVersionItem.DateStr")));

        // ---- events
        rows.add(new Row("vtxRegisterForEvents", M + "RegisterForEvents", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxRegisterForEvents(s.manager, 1, 2, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        // One event is queued before the wait, so a working wait returns false with it.
        rows.add(new Row("vtxWaitForEvents", M + "WaitForEvents", (s, p) -> {
            TovikEventQueue queue = new TovikEventQueue();
            boolean ended = MANAGER.vtxWaitForEvents(s.manager, queue);
            return Outcome.returned(null, List.of(ended, Harness.dump(queue)), List.of(true,
                    Harness.dump(new TovikEventQueue())));
        }).prepare(s -> {
            MANAGER.vtxRegisterForEvents(s.manager, 1, 2, result());
            VirtualProvider.postEvent(7, 8, 9);
            return 0;
        }).noResultCode().noOutput().onFail(Delivery.ANY).onResult(Delivery.ANY)
                .calls(each("ITovikManager.GetNextEvent")));
        rows.add(new Row("vtxCancelEventNotification", M + "CancelEventNotification", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxCancelEventNotification(s.manager, r);
            return Outcome.returned(r, null, null);
        }).noOutput().noProviderResult()
                .calls());

        // ---- application catalogues: a list with a non-zero result is still converted
        rows.add(new Row("vtxGetAppsPc", M + "GetAppsPC", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAppsPc(s.manager, r), null);
        }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppPcItemList.Count", each("ITovikAppPcItemList.Item", "ITovikAppPcItem.AppName",
                        "ITovikAppPcItem.AppVersion", "ITovikAppPcItem.AppDate")));
        rows.add(new Row("vtxGetAppsPc2", M + "GetAppsPC_2", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAppsPc2(s.manager, r), null);
        }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppPcItemList.Count", each("ITovikAppPcItemList.Item", "ITovikAppPcItem.AppName",
                        "ITovikAppPcItem.AppVersion", "ITovikAppPcItem.AppDate", "ITovikAppPcItem.ModuleType",
                        "ITovikAppPcItem.App")));
        rows.add(new Row("vtxGetAppsPc3", M + "GetAppsPC_3", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAppsPc3(s.manager, r), null);
        }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppPcItemList.Count", each("ITovikAppPcItemList.Item", "ITovikAppPcItem.AppName",
                        "ITovikAppPcItem.AppVersionStr", "ITovikAppPcItem.BranchName",
                        "ITovikAppPcItem.AppDateStr", "ITovikAppPcItem.ModuleType", "ITovikAppPcItem.App")));
        rows.add(new Row("vtxGetAppsVci", M + "GetAppsVCI", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAppsVci(s.manager, s.connection, 0, 0, r), null);
        }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppVciItemList.Count", each("ITovikAppVciItemList.Item", "ITovikAppVciItem.App",
                        "ITovikAppVciItem.AppName", "ITovikAppVciItem.AppVersion", "ITovikAppVciItem.AppDate",
                        "ITovikAppVciItem.State", "ITovikAppVciItem.License", "ITovikAppVciItem.LicenseState",
                        "ITovikAppVciItem.DaysRemaining", "ITovikAppVciItem.TimesRemaining")));
        rows.add(new Row("vtxGetAppsVci2", M + "GetAppsVCI_2", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAppsVci2(s.manager, s.connection, 0, 0, r), null);
        }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppVciItemList.Count", each("ITovikAppVciItemList.Item", "ITovikAppVciItem.App",
                        "ITovikAppVciItem.AppName", "ITovikAppVciItem.AppVersionStr",
                        "ITovikAppVciItem.BranchName", "ITovikAppVciItem.AppDateStr", "ITovikAppVciItem.State")));

        // ---- installation: a status with a non-zero result is still copied
        rows.add(new Row("vtxInstallVciApp", M + "InstallVCIApp", (s, p) -> onTarget(TovikAppStatus::new,
                (t, r) -> MANAGER.vtxInstallVciApp(s.manager, s.connection, "Data Logger", t, r)))
                .onResult(Delivery.DELIVERED)
                .calls("ITovikAppStatus.ComponentName", "ITovikAppStatus.TotalTimeout",
                        "ITovikAppStatus.ComponentTimeout", "ITovikAppStatus.TotalNumberOfComponents",
                        "ITovikAppStatus.ComponentNumber", "ITovikAppStatus.ErrorNumber",
                        "ITovikAppStatus.Status"));
        rows.add(new Row("vtxInstallVciApp2", M + "InstallVCIApp_2", (s, p) -> onTarget(TovikAppStatus::new,
                (t, r) -> MANAGER.vtxInstallVciApp2(s.manager, s.connection, 3, t, r)))
                .onResult(Delivery.DELIVERED)
                .calls("ITovikAppStatus.ComponentName", "ITovikAppStatus.TotalTimeout",
                        "ITovikAppStatus.ComponentTimeout", "ITovikAppStatus.TotalNumberOfComponents",
                        "ITovikAppStatus.ComponentNumber", "ITovikAppStatus.ErrorNumber",
                        "ITovikAppStatus.Status"));
        rows.add(new Row("vtxUninstallVciApp", M + "UninstallVCIApp", (s, p) -> onTarget(TovikAppStatus::new,
                (t, r) -> MANAGER.vtxUninstallVciApp(s.manager, s.connection, "Diagnostics", t, r)))
                .onResult(Delivery.DELIVERED)
                .calls("ITovikAppStatus.ComponentName", "ITovikAppStatus.TotalTimeout",
                        "ITovikAppStatus.ComponentTimeout", "ITovikAppStatus.TotalNumberOfComponents",
                        "ITovikAppStatus.ComponentNumber", "ITovikAppStatus.ErrorNumber",
                        "ITovikAppStatus.Status"));
        rows.add(new Row("vtxInstallGetStatus", M + "InstallGetStatus", (s, p) -> onTarget(TovikAppStatus::new,
                (t, r) -> MANAGER.vtxInstallGetStatus(s.manager, s.connection, p, t, r)))
                .prepare(s -> {
                    TovikAppStatus status = new TovikAppStatus();
                    MANAGER.vtxInstallVciApp2(s.manager, s.connection, 3, status, result());
                    return status.getJob();
                }).onResult(Delivery.DELIVERED)
                .calls("ITovikAppStatus.ComponentName", "ITovikAppStatus.TotalTimeout",
                        "ITovikAppStatus.ComponentTimeout", "ITovikAppStatus.TotalNumberOfComponents",
                        "ITovikAppStatus.ComponentNumber", "ITovikAppStatus.ErrorNumber",
                        "ITovikAppStatus.Status"));
        rows.add(new Row("vtxUpdateSystemFirmware", M + "UpdateSystemFirmware", (s, p) -> onTarget(
                TovikAppStatus::new, (t, r) -> MANAGER.vtxUpdateSystemFirmware(s.manager, s.connection, t, r)))
                .onResult(Delivery.DELIVERED)
                .calls("ITovikAppStatus.ComponentName", "ITovikAppStatus.TotalTimeout",
                        "ITovikAppStatus.ComponentTimeout", "ITovikAppStatus.TotalNumberOfComponents",
                        "ITovikAppStatus.ComponentNumber", "ITovikAppStatus.ErrorNumber",
                        "ITovikAppStatus.Status"));

        // ---- application control
        rows.add(new Row("vtxControlApp", M + "ControlApp", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxControlApp(s.manager, s.connection, 1, 2, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxSetConfigApp", M + "SetConfigApp", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxSetConfigApp(s.manager, 1, 3, 77, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxGetConfigApp", M + "GetConfigApp", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetConfigApp(s.manager, 1, 1, r), 0L);
        }).noOutput()
                .calls());

        // ---- client information: a failing call leaves the access item untouched
        rows.add(new Row("vtxStoreClientInfo", M + "StoreClientInfo", (s, p) -> onTarget(
                TovikClientAccessItem::new, (t, r) -> MANAGER.vtxStoreClientInfo(s.manager, s.connection, "sweep", 1,
                        new byte[] {5, 6, 7}, 0, t, r)))
                .calls("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"));
        rows.add(new Row("vtxStoreClientInfoFile", M + "StoreClientInfoFile", (s, p) -> onTarget(
                TovikClientAccessItem::new, (t, r) -> MANAGER.vtxStoreClientInfoFile(s.manager, s.connection, "sweep",
                        1, STORE_FILE.toString(), 0, t, r)))
                .calls("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"));
        rows.add(new Row("vtxDeleteClientInfo", M + "DeleteClientInfo", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxDeleteClientInfo(s.manager, s.connection, "calibration", 1, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxGetClientAccessStatus", M + "GetClientAccessStatus", (s, p) -> onTarget(
                TovikClientAccessItem::new, (t, r) -> MANAGER.vtxGetClientAccessStatus(s.manager, s.connection, p, t, r)))
                .prepare(NativeTable::readAccess)
                .calls("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"));
        rows.add(new Row("vtxGetAvailableClientSpace", M + "GetAvailableClientSpace", (s, p) -> onTarget(
                TovikClientSpace::new, (t, r) -> MANAGER.vtxGetAvailableClientSpace(s.manager, s.connection, t, r)))
                .calls("ITovikClientSpace.VolRemaining", "ITovikClientSpace.VolTotal",
                        "ITovikClientSpace.NonVolRemaining", "ITovikClientSpace.NonVolTotal"));
        rows.add(new Row("vtxGetClientInfoList", M + "GetClientInfoList", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetClientInfoList(s.manager, s.connection, r), null);
        })
                .calls("ITovikClientInfoList.Count", each("ITovikClientInfoList.Item",
                        "ITovikClientInfoItem.ClientInfoId", "ITovikClientInfoItem.FileSize",
                        "ITovikClientInfoItem.ClientInfoLocation")));
        rows.add(new Row("vtxGetClientInfo", M + "GetClientInfo", (s, p) -> onTarget(TovikClientAccessItem::new,
                (t, r) -> MANAGER.vtxGetClientInfo(s.manager, s.connection, "calibration", 1, 0, t, r)))
                .calls("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"));
        rows.add(new Row("vtxGetClientInfoResult", M + "GetClientInfoResult", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetClientInfoResult(s.manager, s.connection, p, r), null);
        }).prepare(NativeTable::readAccess)
                .calls("ITovikByteBuffer.Length", each("ITovikByteBuffer.Item")));
        rows.add(new Row("vtxGetClientInfoFile", M + "GetClientInfoFile", (s, p) -> onTarget(
                TovikClientAccessItem::new, (t, r) -> MANAGER.vtxGetClientInfoFile(s.manager, s.connection,
                        "calibration", 1, READ_FILE.toString(), t, r)))
                .calls("ITovikClientAccessItem.ClientInfo", "ITovikClientAccessItem.Status",
                        "ITovikClientAccessItem.ErrorCode", "ITovikClientAccessItem.CurrentBlock",
                        "ITovikClientAccessItem.TotalBlocks", "ITovikClientAccessItem.TimeStampMs"));

        // ---- pendant: the LED collection and the display are the library's own provider objects
        rows.add(new Row("vtxPendantSetLeds", M + "PendantSetLeds", (s, p) -> {
            LongValue r = result();
            long[] valid = {1, 1, 0, 1, 0};
            long[] control = {2, 3, 0, 1, 0};
            long[] blink = {0, 5, 0, 2, 0};
            MANAGER.vtxPendantSetLeds(s.manager, s.connection, valid, control, blink, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls("ITovikPendantLeds.Count", each("ITovikPendantLeds.Item", "ITovikPendantLed.put_LedValid",
                        "ITovikPendantLed.put_LedCtrl", "ITovikPendantLed.put_LedBlinkFreq"),
                        M + "PendantSetLeds"));
        rows.add(new Row("vtxPendantGetLeds", M + "PendantGetLeds", (s, p) -> {
            LongValue r = result();
            long[][] arrays = {{9, 9, 9, 9, 9}, {9, 9, 9, 9, 9}, {9, 9, 9, 9, 9}};
            MANAGER.vtxPendantGetLeds(s.manager, s.connection, arrays[0], arrays[1], arrays[2], r);
            return Outcome.returned(r, arrays, new long[][] {{9, 9, 9, 9, 9}, {9, 9, 9, 9, 9}, {9, 9, 9, 9, 9}});
        }).noOutput().onFail(Delivery.ANY)
                .calls("ITovikPendantLeds.Count", each("ITovikPendantLeds.Item", "ITovikPendantLed.LedValid",
                        "ITovikPendantLed.LedCtrl", "ITovikPendantLed.LedBlinkFreq")));
        rows.add(new Row("vtxPendantSetSegDisp", M + "PendantSetSegDisp", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxPendantSetSegDisp(s.manager, s.connection, new long[] {1, 0, 1, 0, 1, 0, 1, 1}, 4, 2, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls("ITovikPendantDisp.put_SegmentA", "ITovikPendantDisp.put_SegmentB",
                        "ITovikPendantDisp.put_SegmentC", "ITovikPendantDisp.put_SegmentD",
                        "ITovikPendantDisp.put_SegmentE", "ITovikPendantDisp.put_SegmentF",
                        "ITovikPendantDisp.put_SegmentG", "ITovikPendantDisp.put_SegmentDecimalPoint",
                        M + "PendantSetSegDisp"));
        rows.add(new Row("vtxPendantGetSegDisp", M + "PendantGetSegDisp", (s, p) -> onTarget(TovikPendantDisp::new,
                (t, r) -> MANAGER.vtxPendantGetSegDisp(s.manager, s.connection, t, r)))
                .calls("ITovikPendantDisp.SegmentA", "ITovikPendantDisp.SegmentB",
                        "ITovikPendantDisp.SegmentC", "ITovikPendantDisp.SegmentD",
                        "ITovikPendantDisp.SegmentE", "ITovikPendantDisp.SegmentF",
                        "ITovikPendantDisp.SegmentG", "ITovikPendantDisp.SegmentDecimalPoint"));
        rows.add(new Row("vtxPendantSetAudio", M + "PendantSetAudio", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxPendantSetAudio(s.manager, s.connection, 880, 100, 2, 1, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        // The returned object always carries the output values (0 unless the provider wrote them).
        rows.add(new Row("vtxPendantGetAudio", M + "PendantGetAudio", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxPendantGetAudio(s.manager, s.connection, r), null);
        }).noOutput().onFail(Delivery.DELIVERED).onResult(Delivery.DELIVERED)
                .calls());

        // ---- wireless
        rows.add(new Row("vtxGetAccessPointState", M + "GetAccessPointState", (s, p) -> onTarget(
                TovikApStateItem::new, (t, r) -> MANAGER.vtxGetAccessPointState(s.manager, s.connection, 0, t, r)))
                .calls("ITovikApStateItem.WifiState", "ITovikApStateItem.Mode", "ITovikApStateItem.ApState",
                        "ITovikApStateItem.NumBars", "ITovikApStateItem.LinkQualityRaw",
                        "ITovikApStateItem.NoiseLevel", "ITovikApStateItem.SignalLevel"));
        rows.add(new Row("vtxEnableManualScan", M + "EnableManualScan", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxEnableManualScan(s.manager, true, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        rows.add(new Row("vtxEnableAutoWifi", M + "EnableAutoWifi", (s, p) -> {
            LongValue r = result();
            MANAGER.vtxEnableAutoWifi(s.manager, false, r);
            return Outcome.returned(r, null, null);
        }).noOutput()
                .calls());
        // Always a TovikAdaptInfoList, with null arrays when there is no adapter list.
        rows.add(new Row("vtxGetAutoWifiInfo", M + "GetAutoWifiInfo", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetAutoWifiInfo(s.manager, r), new TovikAdaptInfoList());
        }).onFail(Delivery.ANY).onWithhold(Delivery.DELIVERED).onResult(Delivery.DELIVERED)
                .calls("ITovikAdaptInfoList.Count", each("ITovikAdaptInfoList.GetItem", "ITovikAdaptInfoItem.Vid",
                        "ITovikAdaptInfoItem.Pid", "ITovikAdaptInfoItem.IsInserted",
                        "ITovikAdaptInfoItem.CardName")));

        // ---- diagnostics
        rows.add(new Row("vtxRunSelfTest", M + "RunSelfTest", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxRunSelfTest(s.manager, s.connection, r), null);
        })
                .calls("ITovikByteBuffer.Length", each("ITovikByteBuffer.Item")));
        rows.add(new Row("vtxGetConfigItems", M + "GetConfigItems", (s, p) -> {
            LongValue r = result();
            return Outcome.returned(r, MANAGER.vtxGetConfigItems(s.manager, s.connection, r), null);
        })
                .calls("ITovikConfigItemList.Count", each("ITovikConfigItemList.GetItem",
                        "ITovikConfigItem.ConfigValue", "ITovikConfigItem.ConfigItem")));
        return rows;
    }
}
