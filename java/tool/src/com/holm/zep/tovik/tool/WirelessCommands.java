package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.Report.hex;

import com.holm.zep.tovik.client.AccessPointState;
import com.holm.zep.tovik.client.AutoWifiInfo;
import com.holm.zep.tovik.client.ConfigItem;
import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.WifiAdapter;
import java.util.List;
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
            Operation.run("switch manual scan", () -> session.runtime().enableManualScan(enable));
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
            Operation.run("switch automatic Wi-Fi",
                    () -> session.runtime().enableAutoWifi(enable));
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
            switch (which) {
                case usb -> Operation.run("configure USB interface",
                        session.runtime()::configureUsbInterface);
                case wifi -> Operation.run("configure Wi-Fi interface",
                        session.runtime()::configureWifiInterface);
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
        Connection connection = session.connection();
        AccessPointState state = Operation.of("read access point state",
                () -> connection.accessPointState(selector));
        report.title("Access point of module " + session.serial());
        report.field("Wi-Fi state", "wifiState", state.wifiState());
        report.field("Mode", "mode", state.mode());
        report.field("AP state", "apState", state.apState());
        report.field("Signal bars", "numBars", bars(state.numBars()));
        report.field("Link quality (raw)", "linkQualityRaw", state.linkQualityRaw());
        report.field("Signal level", "signalLevel", state.signalLevel());
        report.field("Noise level", "noiseLevel", state.noiseLevel());
        report.raw("numBars", state.numBars());
    }

    private static String bars(long n) {
        long shown = Math.max(0, Math.min(5, n));
        return n + " " + "|".repeat((int) shown) + ".".repeat((int) (5 - shown));
    }

    static void adapters(Session session, Report report) {
        AutoWifiInfo info = Operation.of("read Wi-Fi adapters", session.runtime()::autoWifiInfo);
        report.title("Automatic Wi-Fi");
        report.field("Flag 1", "flag1", info.flag1());
        report.field("Flag 2", "flag2", info.flag2());
        report.field("Flag 3", "flag3", info.flag3());
        Report.Table table = report.table("adapters", col("#", "index"), col("VENDOR", "vendorId"),
                col("PRODUCT", "productId"), col("INSERTED", "inserted"), col("NAME", "cardName"));
        List<WifiAdapter> adapters = info.adapters();
        for (int i = 0; i < adapters.size(); i++) {
            WifiAdapter a = adapters.get(i);
            table.row(i, hex(a.vendorId(), 4), hex(a.productId(), 4), a.inserted(), a.cardName());
        }
        table.print();
    }

    static byte[] selfTest(Session session, Report report) {
        Connection connection = session.connection();
        byte[] bytes = Operation.of("run self test", connection::selfTest).bytes();
        report.title("Self test of module " + session.serial() + ": " + bytes.length
                + " result bytes");
        HexDump.show(report, bytes);
        return bytes;
    }

    static void configItems(Session session, Report report) {
        Connection connection = session.connection();
        List<ConfigItem> items = Operation.of("read configuration items",
                connection::configItems);
        report.title("Configuration items of module " + session.serial() + ": " + items.size());
        Report.Table table = report.table("configItems", col("ITEM", "item"),
                col("VALUE", "value"));
        for (ConfigItem item : items) {
            table.row(item.item(), item.value());
        }
        table.print();
    }
}
