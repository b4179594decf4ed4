package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.Report.hex;

import com.holm.zep.tovik.client.ConnectedClient;
import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.Module;
import com.holm.zep.tovik.client.ModuleDetails;
import com.holm.zep.tovik.client.ModuleInfo;
import java.util.List;
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
            Connection connection = session.connect(session.options().connectMode(), client);
            report.title("Connected to module " + session.serial() + " ("
                    + session.module().name() + ")");
            report.field("Connection handle", "connection", hex(connection.handle()));
            showStatus(report, connection);
            session.disconnect();
            report.field("Disconnected", "disconnected", true);
        }
    }

    @Command(name = "status",
            description = "Connect to the module and show the connection state.")
    static final class Status extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            Connection connection = session.connection();
            report.title("Module " + session.serial() + " (" + session.module().name() + ")");
            report.field("Connection handle", "connection", hex(connection.handle()));
            showStatus(report, connection);
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
        List<Module> modules = session.modules();
        report.title("Modules present: " + modules.size());
        Report.Table table = report.table("modules", col("SERIAL", "serialNumber"),
                col("NAME", "moduleName"), col("TYPE", "moduleType"),
                col("INTERFACE", "vciInterface"), col("STATE", "moduleState"));
        for (Module m : modules) {
            table.row(m.serialNumber(), m.name(), m.type(), m.vciInterface(), m.state());
        }
        table.print();
    }

    static void moduleInfo(Session session, Report report, boolean basic) {
        long serial = session.serial();
        String name = session.module().name();
        report.title("Module " + serial + " (" + name + ")");
        report.field("Serial number", "serialNumber", serial);
        report.field("Name", "moduleName", name);
        List<ConnectedClient> clients;
        if (basic) {
            ModuleInfo info = Operation.of("read module info",
                    () -> session.runtime().moduleInfo(serial));
            addresses(report, info.ethernetAddress(), info.wirelessAddress(),
                    info.bluetoothAddress(), info.usbAddress());
            clients = info.clients();
        } else {
            ModuleDetails info = Operation.of("read module info",
                    () -> session.runtime().moduleDetails(serial));
            report.field("Alias", "alias", info.alias());
            addresses(report, info.ethernetAddress(), info.wirelessAddress(),
                    info.bluetoothAddress(), info.usbAddress());
            report.field("Wi-Fi flags", "wifiFlags", hex(info.wifiFlags()));
            report.field("Bluetooth flags", "btFlags", hex(info.bluetoothFlags()));
            report.field("USB flags", "usbFlags", hex(info.usbFlags()));
            report.field("Ethernet flags", "ethFlags", hex(info.ethernetFlags()));
            clients = info.clients();
        }
        report.note("");
        report.title("Connected clients:");
        Report.Table table = report.table("clients", col("CLIENT", "clientName"),
                col("OWNER", "owner"), col("TYPE", "connectionType"),
                col("INTERFACE", "connectionInterface"), col("SINCE", "connectTime"));
        for (ConnectedClient c : clients) {
            table.row(c.name(), c.owner(), c.connectionType(), c.connectionInterface(),
                    c.connectTime());
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

    static void showStatus(Report report, Connection connection) {
        long status = Operation.of("read connection status", connection::status);
        report.field("Connection status", "status", status);
    }
}
