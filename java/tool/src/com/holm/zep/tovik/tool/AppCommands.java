package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.VersionViews.date;
import static com.holm.zep.tovik.tool.VersionViews.version;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikAppPcItem;
import com.holm.zep.tovik.api.jni.TovikAppVciItem;
import com.holm.zep.tovik.api.jni.TovikAppVciItem2;
import picocli.CommandLine.Command;
import picocli.CommandLine.Mixin;
import picocli.CommandLine.Option;
import picocli.CommandLine.Parameters;

/** Application catalogues, application control and configuration. */
final class AppCommands {
    private AppCommands() {
    }

    @Command(name = "apps",
            description = "List applications available on the PC or installed on the module.",
            subcommands = {PcApps.class, ModuleApps.class})
    static final class Apps extends CommandGroup {
    }

    @Command(name = "pc", description = "Applications available on the PC for installation.")
    static final class PcApps extends ToolCommand {
        @Bounds(min = 1, max = 3)
        @Option(names = "--form", paramLabel = "1|2|3", defaultValue = "3", description =
                "Query form: 1 name, version, date; 2 adds module type and application number; "
                + "3 (default) version and date texts with the branch name.")
        int form;

        @Override
        void execute(Session session, Report report) {
            pcApps(session, report, form);
        }
    }

    @Command(name = "module",
            description = "Applications installed on the module, with state and licence.")
    static final class ModuleApps extends ToolCommand {
        @Option(names = "--texts", description = "Use the second form of the query (version and "
                + "date texts with the branch name, no licence columns).")
        boolean texts;

        @Option(names = "--selectors", split = ",", paramLabel = "S2,S3", description = "Second "
                + "and third selector values handed to the provider (the first is the "
                + "connection handle). Default: 0,0.")
        U32[] selectors;

        @Override
        void validate() {
            requireCount("--selectors", selectors, 2, false);
        }

        @Override
        void execute(Session session, Report report) {
            long second = selectors != null ? selectors[0].value() : 0;
            long third = selectors != null ? selectors[1].value() : 0;
            moduleApps(session, report, texts, second, third);
        }
    }

    @Command(name = "app",
            description = "Control an application on the module and read or write its "
                    + "configuration values.",
            subcommands = {Control.class, ConfigGet.class, ConfigSet.class})
    static final class App extends CommandGroup {
    }

    /** The application and the configuration item that 'app get' and 'app set' work on. */
    static final class AppItem {
        @Parameters(index = "0", paramLabel = "APP", description = "Application number.")
        U32 app;

        @Parameters(index = "1", paramLabel = "ITEM", description = "Configuration item number.")
        U32 item;
    }

    @Command(name = "control",
            description = "Send a control action to an application on the module (its meaning "
                    + "is the provider's, e.g. start or stop).")
    static final class Control extends ToolCommand {
        @Parameters(index = "0", paramLabel = "APP", description = "Application number.")
        U32 app;

        @Parameters(index = "1", paramLabel = "ACTION", description = "Control action value.")
        U32 action;

        @Override
        void execute(Session session, Report report) {
            control(session, report, app.value(), action.value());
        }
    }

    @Command(name = "get", description = "Read one configuration value of an application.")
    static final class ConfigGet extends ToolCommand {
        @Mixin
        AppItem target;

        @Override
        void execute(Session session, Report report) {
            getConfig(session, report, target.app.value(), target.item.value());
        }
    }

    @Command(name = "set", description = "Write one configuration value of an application.")
    static final class ConfigSet extends ToolCommand {
        @Mixin
        AppItem target;

        @Parameters(index = "2", paramLabel = "VALUE", description = "New value.")
        U32 value;

        @Override
        void execute(Session session, Report report) {
            long app = target.app.value();
            long item = target.item.value();
            setConfig(session, report, app, item, value.value());
            getConfig(session, report, app, item);
        }
    }

    static TovikAppPcItem[] pcApps(Session session, Report report, int form) {
        TovikApiManager api = session.api();
        long manager = session.manager();
        TovikAppPcItem[] items = switch (form) {
            case 1 -> session.call("list PC applications", "vtxGetAppsPc",
                    r -> api.vtxGetAppsPc(manager, r));
            case 2 -> session.call("list PC applications", "vtxGetAppsPc2",
                    r -> api.vtxGetAppsPc2(manager, r));
            default -> session.call("list PC applications", "vtxGetAppsPc3",
                    r -> api.vtxGetAppsPc3(manager, r));
        };
        items = items == null ? new TovikAppPcItem[0] : items;
        report.title("Applications on the PC: " + items.length);
        Report.Table table = switch (form) {
            case 1 -> report.table("pcApps", col("NAME", "appName"), col("VERSION", "appVersion"),
                    col("DATE", "appDate"));
            case 2 -> report.table("pcApps", col("APP", "app"), col("NAME", "appName"),
                    col("VERSION", "appVersion"), col("DATE", "appDate"),
                    col("MODULE TYPE", "moduleType"));
            default -> report.table("pcApps", col("APP", "app"), col("NAME", "appName"),
                    col("VERSION", "version"), col("BRANCH", "branch"), col("DATE", "date"),
                    col("MODULE TYPE", "moduleType"));
        };
        for (TovikAppPcItem item : items) {
            switch (form) {
                case 1 -> table.row(item.getAppName(), version(item.getAppVersion()),
                        date(item.getAppDate()));
                case 2 -> table.row(item.getApp(), item.getAppName(),
                        version(item.getAppVersion()), date(item.getAppDate()),
                        item.getModuleType());
                default -> table.row(item.getApp(), item.getAppName(), item.getAppVersionStr(),
                        item.getBranchName(), item.getAppDateStr(), item.getModuleType());
            }
        }
        table.print();
        return items;
    }

    static void moduleApps(Session session, Report report, boolean texts, long second,
            long third) {
        TovikApiManager api = session.api();
        long manager = session.manager();
        long connection = session.connection();
        if (texts) {
            TovikAppVciItem2[] items = session.call("list module applications", "vtxGetAppsVci2",
                    r -> api.vtxGetAppsVci2(manager, connection, second, third, r));
            items = items == null ? new TovikAppVciItem2[0] : items;
            report.title("Applications on module " + session.serial() + ": " + items.length);
            Report.Table table = report.table("moduleApps", col("APP", "app"),
                    col("NAME", "appName"), col("VERSION", "version"), col("BRANCH", "branch"),
                    col("DATE", "date"), col("STATE", "state"));
            for (TovikAppVciItem2 item : items) {
                table.row(item.getApp(), item.getAppName(), item.getAppVersionStr(),
                        item.getBranchName(), item.getAppDateStr(), item.getState());
            }
            table.print();
            return;
        }
        TovikAppVciItem[] items = installedApps(session, second, third);
        report.title("Applications on module " + session.serial() + ": " + items.length);
        Report.Table table = report.table("moduleApps", col("APP", "app"), col("NAME", "appName"),
                col("VERSION", "appVersion"), col("DATE", "appDate"), col("STATE", "state"),
                col("LICENCE", "license"), col("LIC.STATE", "licenseState"),
                col("DAYS LEFT", "daysRemaining"), col("USES LEFT", "timesRemaining"));
        for (TovikAppVciItem item : items) {
            // The binding hands the uses left over as an int holding the provider's 32 bits.
            table.row(item.getApp(), item.getAppName(), version(item.getAppVersion()),
                    date(item.getAppDate()), item.getState(), item.getLicense(),
                    item.getLicenseState(), item.getDaysRemaining(),
                    Integer.toUnsignedLong(item.getTimesRemaining()));
        }
        table.print();
    }

    /** The applications installed on the module (first form of the query), never null. */
    static TovikAppVciItem[] installedApps(Session session, long second, long third) {
        TovikApiManager api = session.api();
        long manager = session.manager();
        long connection = session.connection();
        TovikAppVciItem[] items = session.call("list module applications", "vtxGetAppsVci",
                r -> api.vtxGetAppsVci(manager, connection, second, third, r));
        return items == null ? new TovikAppVciItem[0] : items;
    }

    static void control(Session session, Report report, long app, long action) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        session.run("control application " + app, "vtxControlApp",
                r -> api.vtxControlApp(session.manager(), connection, app, action, r));
        report.title("Application " + app + ": control action " + action + " done");
        report.field("Application", "app", app);
        report.field("Action", "action", action);
    }

    static void setConfig(Session session, Report report, long app, long item, long value) {
        TovikApiManager api = session.api();
        session.run("set configuration of application " + app, "vtxSetConfigApp",
                r -> api.vtxSetConfigApp(session.manager(), app, item, value, r));
        report.note("Application " + app + ": item " + item + " set to " + value);
    }

    static long getConfig(Session session, Report report, long app, long item) {
        TovikApiManager api = session.api();
        long value = session.call("read configuration of application " + app, "vtxGetConfigApp",
                r -> api.vtxGetConfigApp(session.manager(), app, item, r));
        report.field("Application", "app", app);
        report.field("Item", "item", item);
        report.field("Value", "value", value);
        return value;
    }
}
