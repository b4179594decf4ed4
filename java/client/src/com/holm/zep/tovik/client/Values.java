package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import com.holm.zep.tovik.api.jni.TovikApStateItem;
import com.holm.zep.tovik.api.jni.TovikAppPcItem;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import com.holm.zep.tovik.api.jni.TovikAppVciItem;
import com.holm.zep.tovik.api.jni.TovikAppVciItem2;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.api.jni.TovikClientInfo;
import com.holm.zep.tovik.api.jni.TovikClientInfoItem;
import com.holm.zep.tovik.api.jni.TovikClientSpace;
import com.holm.zep.tovik.api.jni.TovikConfigItem;
import com.holm.zep.tovik.api.jni.TovikEvent;
import com.holm.zep.tovik.api.jni.TovikPendantAudioValues;
import com.holm.zep.tovik.api.jni.TovikPendantDisp;
import com.holm.zep.tovik.api.jni.TovikVciInfo;
import com.holm.zep.tovik.api.jni.TovikVciInfo3;
import com.holm.zep.tovik.api.jni.TovikVciItem;
import com.holm.zep.tovik.api.jni.TovikVersionItem;
import java.util.ArrayList;
import java.util.List;
import java.util.function.Function;

/**
 * Turns the value objects the library fills into the client's records: texts never null,
 * arrays as lists (empty for a null array), 32-bit values as the library delivers them
 * (zero-extended).
 */
final class Values {
    private Values() {
    }

    static String text(String s) {
        return s == null ? "" : s;
    }

    /** The non-null elements of {@code items}, converted, in order. */
    static <R, T> List<T> list(R[] items, Function<R, T> convert) {
        if (items == null) {
            return List.of();
        }
        List<T> out = new ArrayList<>(items.length);
        for (R item : items) {
            if (item != null) {
                out.add(convert.apply(item));
            }
        }
        return List.copyOf(out);
    }

    static Module module(TovikVciItem i) {
        return new Module(i.getModuleState(), text(i.getModuleName()), i.getSerialNumber(),
                i.getVciInterface(), i.getModuleType());
    }

    static ConnectedClient client(TovikClientInfo c) {
        return new ConnectedClient(c.isOwner(), c.getConnectionType(),
                c.getConnectionInterface(), text(c.getClientName()), text(c.getConnectTime()));
    }

    static ModuleInfo moduleInfo(TovikVciInfo i) {
        return new ModuleInfo(text(i.getEthernetAddress()), text(i.getWirelessAddress()),
                text(i.getBluetoothAddress()), text(i.getUsbAddress()),
                list(i.getClients(), Values::client));
    }

    static ModuleDetails moduleDetails(TovikVciInfo3 i) {
        return new ModuleDetails(text(i.getEthernetAddress()), text(i.getWirelessAddress()),
                text(i.getBluetoothAddress()), text(i.getUsbAddress()), text(i.getVciAlias()),
                i.getWifiFlags(), i.getBtFlags(), i.getUsbFlags(), i.getEthFlags(),
                list(i.getClients(), Values::client));
    }

    static Version version(TovikVersionItem v) {
        return new Version(text(v.getName()), v.getVersion(), v.getDate(),
                text(v.getVersionStr()), text(v.getBranchName()), text(v.getDateStr()));
    }

    static PcApplication pcApplication(TovikAppPcItem a) {
        return new PcApplication(text(a.getAppName()), a.getAppVersion(), a.getAppDate(),
                a.getModuleType(), a.getApp(), text(a.getAppVersionStr()),
                text(a.getBranchName()), text(a.getAppDateStr()));
    }

    static ModuleApplication moduleApplication(TovikAppVciItem a) {
        return new ModuleApplication(a.getApp(), text(a.getAppName()), a.getAppVersion(),
                a.getAppDate(), a.getState(), text(a.getLicense()), a.getLicenseState(),
                a.getDaysRemaining(), a.getTimesRemaining());
    }

    static ModuleApplicationText moduleApplicationText(TovikAppVciItem2 a) {
        return new ModuleApplicationText(a.getApp(), text(a.getAppName()),
                text(a.getAppVersionStr()), text(a.getBranchName()), text(a.getAppDateStr()),
                a.getState());
    }

    static InstallStatus installStatus(TovikAppStatus s) {
        return new InstallStatus(s.getJob(), s.getStatus(), s.getErrorNumber(),
                s.getComponentNumber(), s.getTotalNumberOfComponents(), s.getComponentTimeout(),
                s.getTotalTimeout(), text(s.getComponentName()));
    }

    static ClientAccess clientAccess(TovikClientAccessItem a) {
        return new ClientAccess(a.getClientInfo(), a.getStatus(), a.getErrorCode(),
                a.getCurrentBlock(), a.getTotalBlocks(), a.getTimeStampMs());
    }

    static ClientInfoEntry clientInfoEntry(TovikClientInfoItem i) {
        return new ClientInfoEntry(i.getLocation(), text(i.getIdentifier()), i.getFileSize());
    }

    static ClientSpace clientSpace(TovikClientSpace s) {
        return new ClientSpace(s.getVolRemaining(), s.getVolTotal(), s.getNonVolRemaining(),
                s.getNonVolTotal());
    }

    static SegmentDisplay segmentDisplay(TovikPendantDisp d) {
        List<Long> segments = new ArrayList<>();
        for (long s : d.getSegments()) {
            segments.add(s);
        }
        return new SegmentDisplay(List.copyOf(segments), d.getDisplayValue1(), d.getDisplayValue2());
    }

    static PendantAudio audio(TovikPendantAudioValues a) {
        return a == null ? new PendantAudio(0, 0) : new PendantAudio(a.getAudio1(), a.getAudio2());
    }

    static AccessPointState accessPointState(TovikApStateItem s) {
        return new AccessPointState(s.getWifiState(), s.getMode(), s.getApState(),
                s.getNumBars(), s.getLinkQualityRaw(), s.getNoiseLevel(), s.getSignalLevel());
    }

    static AutoWifiInfo autoWifiInfo(TovikAdaptInfoList l) {
        if (l == null) {
            return new AutoWifiInfo(false, false, false, List.of());
        }
        String[] names = l.getCardNames();
        long[] vendors = l.getVendorIds();
        long[] products = l.getProductIds();
        boolean[] inserted = l.getInserted();
        List<WifiAdapter> adapters = new ArrayList<>();
        if (names != null && vendors != null && products != null && inserted != null) {
            int n = Math.min(Math.min(names.length, vendors.length),
                    Math.min(products.length, inserted.length));
            for (int i = 0; i < n; i++) {
                adapters.add(new WifiAdapter(vendors[i], products[i], inserted[i], text(names[i])));
            }
        }
        return new AutoWifiInfo(l.getFlag1(), l.getFlag2(), l.getFlag3(), List.copyOf(adapters));
    }

    static ConfigItem configItem(TovikConfigItem i) {
        return new ConfigItem(i.getItem(), text(i.getValue()));
    }

    static ModuleEvent event(TovikEvent e) {
        return new ModuleEvent(e.getFirst(), e.getSecond(), e.getThird());
    }
}
