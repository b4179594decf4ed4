package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.Report.hex;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikClientInfo;
import com.holm.zep.tovik.api.jni.TovikVciInfo;
import com.holm.zep.tovik.api.jni.TovikVciInfo3;
import com.holm.zep.tovik.api.jni.TovikVciItem;
import picocli.CommandLine.ArgGroup;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;

/** Modules, module details, connections and versions. */
final class ModuleCommands {
    private ModuleCommands() {
    }

    @Command(name = "modules",
            description = "List the modules present (serial number, name, "
            + "type, interface, state).")
    static final class Modules extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            listModules(session, report);
        }
    }

    @Command(name = "info",
            description = "Show a module's details: addresses, alias, interface "
            + "flag words and the clients connected to it.")
    static final class Info extends ToolCommand {
        @Option(names = "--basic", description = "Use the first form of the query (no alias and "
                + "no flag words).")
        boolean basic;

        @Override
        void execute(Session session, Report report) {
            moduleInfo(session, report, basic);
        }
    }

    @Command(name = "connect",
            description = "Connect to the module, show the connection handle "
            + "and state, and disconnect again.")
    static final class Connect extends ToolCommand {
        /** The name announced, or none (the plain connect). */
        static final class ClientName {
            @Option(names = "--client", paramLabel = "NAME", required = true,
                    description = "Client name announced to the module (default: "
                            + Session.CLIENT_NAME + "; Windows-1252, other characters become "
                            + "'?').")
            String client;

            @Option(names = "--no-client", required = true,
                    description = "Connect without a client name (the plain connect).")
            boolean noClient;
        }

        @ArgGroup(exclusive = true)
        ClientName clientName;

        @Override
        void execute(Session session, Report report) {
            String client = clientName == null ? Session.CLIENT_NAME
                    : clientName.noClient ? null : clientName.client;
            long handle = session.connect(session.options().connectMode(), client);
            report.title("Connected to module " + session.serial() + " ("
                    + session.module().getModuleName() + ")");
            report.field("Connection handle", "connection", hex(handle));
            showStatus(session, report, handle);
            session.disconnect();
            report.field("Disconnected", "disconnected", true);
        }
    }

    @Command(name = "status",
            description = "Connect to the module and show the connection state.")
    static final class Status extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            long handle = session.connection();
            report.title("Module " + session.serial() + " (" + session.module().getModuleName()
                    + ")");
            report.field("Connection handle", "connection", hex(handle));
            showStatus(session, report, handle);
        }
    }

    @Command(name = "versions",
            description = "Show the server and client version lists.")
    static final class Versions extends ToolCommand {
        @Option(names = "--numeric", description = "Use the first form of the query (numeric "
                + "versions and dates instead of texts with branch names).")
        boolean numeric;

        @Override
        void execute(Session session, Report report) {
            VersionViews.versions(session, report, !numeric);
        }
    }

    static void listModules(Session session, Report report) {
        TovikVciItem[] items = session.modules();
        report.title("Modules present: " + items.length);
        Report.Table table = report.table("modules", col("SERIAL", "serialNumber"),
                col("NAME", "moduleName"), col("TYPE", "moduleType"),
                col("INTERFACE", "vciInterface"), col("STATE", "moduleState"));
        for (TovikVciItem item : items) {
            table.row(Numbers.u32(item.getSerialNumber()), item.getModuleName(),
                    item.getModuleType(), item.getVciInterface(), item.getModuleState());
        }
        table.print();
    }

    static void moduleInfo(Session session, Report report, boolean basic) {
        long serial = session.serial();
        TovikApiManager api = session.api();
        String name = session.module().getModuleName();
        report.title("Module " + serial + " (" + name + ")");
        report.field("Serial number", "serialNumber", serial);
        report.field("Name", "moduleName", name);
        TovikClientInfo[] clients;
        if (basic) {
            TovikVciInfo info = new TovikVciInfo();
            session.run("read module info", "vtxGetModuleInfo",
                    r -> api.vtxGetModuleInfo(session.manager(), serial, info, r));
            addresses(report, info.getEthernetAddress(), info.getWirelessAddress(),
                    info.getBluetoothAddress(), info.getUsbAddress());
            clients = info.getClients();
        } else {
            TovikVciInfo3 info = new TovikVciInfo3();
            session.run("read module info", "vtxGetModuleInfo3",
                    r -> api.vtxGetModuleInfo3(session.manager(), serial, info, r));
            report.field("Alias", "alias", info.getVciAlias());
            addresses(report, info.getEthernetAddress(), info.getWirelessAddress(),
                    info.getBluetoothAddress(), info.getUsbAddress());
            report.field("Wi-Fi flags", "wifiFlags", hex(info.getWifiFlags()));
            report.field("Bluetooth flags", "btFlags", hex(info.getBtFlags()));
            report.field("USB flags", "usbFlags", hex(info.getUsbFlags()));
            report.field("Ethernet flags", "ethFlags", hex(info.getEthFlags()));
            clients = info.getClients();
        }
        report.note("");
        report.title("Connected clients:");
        Report.Table table = report.table("clients", col("CLIENT", "clientName"),
                col("OWNER", "owner"), col("TYPE", "connectionType"),
                col("INTERFACE", "connectionInterface"), col("SINCE", "connectTime"));
        if (clients != null) {
            for (TovikClientInfo c : clients) {
                table.row(c.getClientName(), c.isOwner(), c.getConnectionType(),
                        c.getConnectionInterface(), c.getConnectTime());
            }
        }
        table.print();
    }

    private static void addresses(Report report, String ethernet, String wireless,
            String bluetooth, String usb) {
        report.field("Ethernet address", "ethernetAddress", ethernet);
        report.field("Wireless address", "wirelessAddress", wireless);
        report.field("Bluetooth address", "bluetoothAddress", bluetooth);
        report.field("USB address", "usbAddress", usb);
    }

    static void showStatus(Session session, Report report, long handle) {
        TovikApiManager api = session.api();
        long status = session.call("read connection status", "vtxGetConStatus",
                r -> api.vtxGetConStatus(session.manager(), handle, r));
        report.field("Connection status", "status", status);
    }
}
