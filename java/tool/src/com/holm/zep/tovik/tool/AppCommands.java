package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;
import static com.holm.zep.tovik.tool.VersionViews.date;
import static com.holm.zep.tovik.tool.VersionViews.version;

import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.ModuleApplication;
import com.holm.zep.tovik.client.ModuleApplicationText;
import com.holm.zep.tovik.client.PcApplication;
import java.util.List;
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

    static List<PcApplication> pcApps(Session session, Report report, int form) {
        PcApplication.Form query = switch (form) {
            case 1 -> PcApplication.Form.NUMBERS;
            case 2 -> PcApplication.Form.NUMBERS_AND_TYPE;
            default -> PcApplication.Form.TEXTS;
        };
        List<PcApplication> items = Operation.of("list PC applications",
                () -> session.runtime().pcApplications(query));
        report.title("Applications on the PC: " + items.size());
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
        for (PcApplication item : items) {
            switch (form) {
                case 1 -> table.row(item.name(), version(item.version()), date(item.date()));
                case 2 -> table.row(item.app(), item.name(), version(item.version()),
                        date(item.date()), item.moduleType());
                default -> table.row(item.app(), item.name(), item.versionText(),
                        item.branchName(), item.dateText(), item.moduleType());
            }
        }
        table.print();
        return items;
    }

    static void moduleApps(Session session, Report report, boolean texts, long second,
            long third) {
        if (texts) {
            Connection connection = session.connection();
            List<ModuleApplicationText> items = Operation.of("list module applications",
                    () -> connection.applicationTexts(second, third));
            report.title("Applications on module " + session.serial() + ": " + items.size());
            Report.Table table = report.table("moduleApps", col("APP", "app"),
                    col("NAME", "appName"), col("VERSION", "version"), col("BRANCH", "branch"),
                    col("DATE", "date"), col("STATE", "state"));
            for (ModuleApplicationText item : items) {
                table.row(item.app(), item.name(), item.versionText(), item.branchName(),
                        item.dateText(), item.state());
            }
            table.print();
            return;
        }
        List<ModuleApplication> items = installedApps(session, second, third);
        report.title("Applications on module " + session.serial() + ": " + items.size());
        Report.Table table = report.table("moduleApps", col("APP", "app"), col("NAME", "appName"),
                col("VERSION", "appVersion"), col("DATE", "appDate"), col("STATE", "state"),
                col("LICENCE", "license"), col("LIC.STATE", "licenseState"),
                col("DAYS LEFT", "daysRemaining"), col("USES LEFT", "timesRemaining"));
        for (ModuleApplication item : items) {
            // The uses left arrive as an int holding the provider's 32 bits.
            table.row(item.app(), item.name(), version(item.version()), date(item.date()),
                    item.state(), item.license(), item.licenseState(), item.daysRemaining(),
                    Integer.toUnsignedLong(item.timesRemaining()));
        }
        table.print();
    }

    /** The applications installed on the module (first form of the query). */
    static List<ModuleApplication> installedApps(Session session, long second, long third) {
        Connection connection = session.connection();
        return Operation.of("list module applications",
                () -> connection.applications(second, third));
    }

    static void control(Session session, Report report, long app, long action) {
        Connection connection = session.connection();
        Operation.run("control application " + app,
                () -> connection.controlApplication(app, action));
        report.title("Application " + app + ": control action " + action + " done");
        report.field("Application", "app", app);
        report.field("Action", "action", action);
    }

    static void setConfig(Session session, Report report, long app, long item, long value) {
        Operation.run("set configuration of application " + app,
                () -> session.runtime().setApplicationConfig(app, item, value));
        report.note("Application " + app + ": item " + item + " set to " + value);
    }

    static long getConfig(Session session, Report report, long app, long item) {
        long value = Operation.of("read configuration of application " + app,
                () -> session.runtime().applicationConfig(app, item));
        report.field("Application", "app", app);
        report.field("Item", "item", item);
        report.field("Value", "value", value);
        return value;
    }
}
