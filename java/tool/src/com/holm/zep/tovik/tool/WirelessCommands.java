package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.Report.hex;

import com.holm.zep.tovik.api.jni.TovikAdaptInfoList;
import com.holm.zep.tovik.api.jni.TovikApStateItem;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikConfigItem;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;
import picocli.CommandLine.Parameters;

/** Access point, Wi-Fi switches and adapters, interface set-up, self test, configuration items. */
final class WirelessCommands {
    private WirelessCommands() {
    }

    /** A switch's new state. */
    enum OnOff {
        on, off
    }

    /** The interfaces 'configure' sets up. */
    enum Interface {
        usb, wifi
    }

    @Command(name = "wifi",
            description = "Access point state, manual scan and automatic Wi-Fi "
            + "switches, Wi-Fi adapters of the PC.", subcommands = {AccessPoint.class,
                    ManualScan.class, AutoWifi.class, Adapters.class})
    static final class Wifi extends CommandGroup {
    }

    @Command(name = "ap",
            description = "Show the module's access point state and link quality.")
    static final class AccessPoint extends ToolCommand {
        @Option(names = "--selector", paramLabel = "N", defaultValue = "0",
                description = "Selector value handed to the provider (default: "
                        + "${DEFAULT-VALUE}).")
        U32 selector;

        @Override
        void execute(Session session, Report report) {
            accessPoint(session, report, selector.value());
        }
    }

    @Command(name = "scan",
            description = "Switch manual Wi-Fi scanning on or off.")
    static final class ManualScan extends ToolCommand {
        @Parameters(paramLabel = "on|off", description = "New state.")
        OnOff state;

        @Override
        void execute(Session session, Report report) {
            boolean enable = state == OnOff.on;
            TovikApiManager api = session.api();
            session.run("switch manual scan", "vtxEnableManualScan",
                    r -> api.vtxEnableManualScan(session.manager(), enable, r));
            report.title("Manual scan switched " + (enable ? "on" : "off"));
            report.field("Manual scan", "manualScan", enable);
        }
    }

    @Command(name = "auto",
            description = "Switch automatic Wi-Fi on or off.")
    static final class AutoWifi extends ToolCommand {
        @Parameters(paramLabel = "on|off", description = "New state.")
        OnOff state;

        @Override
        void execute(Session session, Report report) {
            boolean enable = state == OnOff.on;
            TovikApiManager api = session.api();
            session.run("switch automatic Wi-Fi", "vtxEnableAutoWifi",
                    r -> api.vtxEnableAutoWifi(session.manager(), enable, r));
            report.title("Automatic Wi-Fi switched " + (enable ? "on" : "off"));
            report.field("Automatic Wi-Fi", "autoWifi", enable);
        }
    }

    @Command(name = "adapters",
            description = "Show the automatic Wi-Fi flags and the Wi-Fi "
            + "adapters of the PC.")
    static final class Adapters extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            adapters(session, report);
        }
    }

    @Command(name = "configure",
            description = "Configure the module's USB or Wi-Fi interface.")
    static final class Configure extends ToolCommand {
        @Parameters(paramLabel = "usb|wifi", description = "Interface to configure.")
        Interface which;

        @Override
        void execute(Session session, Report report) {
            TovikApiManager api = session.api();
            switch (which) {
                case usb -> session.run("configure USB interface", "vtxConfigureUsbInterface",
                        r -> api.vtxConfigureUsbInterface(session.manager(), r));
                case wifi -> session.run("configure Wi-Fi interface",
                        "vtxConfigureWifiInterface",
                        r -> api.vtxConfigureWifiInterface(session.manager(), r));
            }
            report.title("Interface " + which + " configured");
            report.field("Configured", "configured", which.name());
        }
    }

    @Command(name = "selftest",
            description = "Run the module's self test and show its result "
            + "bytes as a hex dump.")
    static final class SelfTest extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            selfTest(session, report);
        }
    }

    @Command(name = "config-items",
            description = "List the module's configuration items.")
    static final class ConfigItems extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            configItems(session, report);
        }
    }

    static void accessPoint(Session session, Report report, long selector) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikApStateItem item = new TovikApStateItem();
        session.run("read access point state", "vtxGetAccessPointState",
                r -> api.vtxGetAccessPointState(session.manager(), connection, selector, item, r));
        report.title("Access point of module " + session.serial());
        report.field("Wi-Fi state", "wifiState", item.getWifiState());
        report.field("Mode", "mode", item.getMode());
        report.field("AP state", "apState", item.getApState());
        report.field("Signal bars", "numBars", bars(item.getNumBars()));
        report.field("Link quality (raw)", "linkQualityRaw", item.getLinkQualityRaw());
        report.field("Signal level", "signalLevel", item.getSignalLevel());
        report.field("Noise level", "noiseLevel", item.getNoiseLevel());
        report.raw("numBars", item.getNumBars());
    }

    private static String bars(long n) {
        long shown = Math.max(0, Math.min(5, n));
        return n + " " + "|".repeat((int) shown) + ".".repeat((int) (5 - shown));
    }

    static void adapters(Session session, Report report) {
        TovikApiManager api = session.api();
        TovikAdaptInfoList list = session.call("read Wi-Fi adapters", "vtxGetAutoWifiInfo",
                r -> api.vtxGetAutoWifiInfo(session.manager(), r));
        report.title("Automatic Wi-Fi");
        if (list == null) {
            report.note("  (no information)");
            return;
        }
        report.field("Flag 1", "flag1", list.getFlag1());
        report.field("Flag 2", "flag2", list.getFlag2());
        report.field("Flag 3", "flag3", list.getFlag3());
        Report.Table table = report.table("adapters", col("#", "index"), col("VENDOR", "vendorId"),
                col("PRODUCT", "productId"), col("INSERTED", "inserted"), col("NAME", "cardName"));
        long[] vendors = list.getVendorIds();
        long[] products = list.getProductIds();
        boolean[] inserted = list.getInserted();
        String[] names = list.getCardNames();
        int count = vendors == null ? 0 : vendors.length;
        for (int i = 0; i < count; i++) {
            table.row(i, hex(vendors[i], 4), products != null && i < products.length
                    ? hex(products[i], 4) : null, inserted != null && i < inserted.length
                    && inserted[i], names != null && i < names.length ? names[i] : null);
        }
        table.print();
    }

    static byte[] selfTest(Session session, Report report) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        byte[] bytes = session.call("run self test", "vtxRunSelfTest",
                r -> api.vtxRunSelfTest(session.manager(), connection, r));
        bytes = bytes == null ? new byte[0] : bytes;
        report.title("Self test of module " + session.serial() + ": " + bytes.length
                + " result bytes");
        HexDump.show(report, bytes);
        return bytes;
    }

    static void configItems(Session session, Report report) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikConfigItem[] items = session.call("read configuration items", "vtxGetConfigItems",
                r -> api.vtxGetConfigItems(session.manager(), connection, r));
        items = items == null ? new TovikConfigItem[0] : items;
        report.title("Configuration items of module " + session.serial() + ": " + items.length);
        Report.Table table = report.table("configItems", col("ITEM", "item"),
                col("VALUE", "value"));
        for (TovikConfigItem item : items) {
            table.row(item.getItem(), item.getValue());
        }
        table.print();
    }
}
