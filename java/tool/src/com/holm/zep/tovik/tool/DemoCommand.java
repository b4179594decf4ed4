package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.ModuleApplication;
import com.holm.zep.tovik.client.PcApplication;
import com.holm.zep.tovik.client.ResultCode;
import com.holm.zep.tovik.client.TovikException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Stream;
import picocli.CommandLine.Command;

/**
 * A guided tour of everything the library does, in one session against one module: the steps
 * that a workshop technician would take, each shown as the matching command would show it.
 */
@Command(name = "demo",
        description = {"A tour of all capabilities in one session: modules, "
        + "details, connection, versions, applications, an installation with progress, "
        + "application control, client information, pendant, Wi-Fi, self test, configuration "
        + "items, events, a firmware update, and how a refused operation is reported.",
    "A step that fails is reported and the tour goes on; the exit code is non-zero when any "
            + "step failed. Ctrl-C ends the tour at once (exit code 130)."})
final class DemoCommand extends ToolCommand {
    private static final String DEMO_ID = "tovik-demo";

    private record Step(String title, String key, Action action) {
    }

    private interface Action {
        void run(Session session, Report report);
    }

    @Override
    void execute(Session session, Report report) {
        List<Step> steps = steps();
        List<String> failed = new ArrayList<>();
        report.title("TovikApi4J tour on the " + (Provider.isVirtual() ? "virtual provider"
                : "provider") + " (" + steps.size() + " steps)");
        int n = 0;
        for (Step step : steps) {
            n++;
            report.section("== " + n + "/" + steps.size() + "  " + step.title() + " ==",
                    step.key());
            try {
                step.action().run(session, report);
                Interrupts.checkInterrupted("demo");
                report.raw("ok", true);
            } catch (ToolException e) {
                // A step cut short by Ctrl-C has not failed: the whole tour ends here.
                if (Interrupts.requested()) {
                    throw Interrupts.interrupted("demo (step " + n + " of " + steps.size()
                            + ", " + step.title() + ")");
                }
                failed.add(step.title());
                report.raw("ok", false);
                report.raw("error", e.getMessage());
                report.note("  ! " + e.getMessage());
            } finally {
                report.end();
            }
        }
        report.section("== Summary ==", "summary");
        report.field("Steps", "steps", steps.size());
        report.field("Succeeded", "succeeded", steps.size() - failed.size());
        report.field("Failed", "failed", failed);
        report.end();
        if (!failed.isEmpty()) {
            // The tour's output stays complete (one JSON document with --json); the failure
            // is the one line on standard error and the exit code.
            System.err.println("tovik: " + ToolException.failed("demo", failed.size() + " of "
                    + steps.size() + " steps failed: " + String.join(", ", failed)).getMessage());
            exitCode = ToolException.FAILED;
        }
    }

    private static List<Step> steps() {
        List<Step> steps = new ArrayList<>();
        steps.add(new Step("Modules present", "modules", ModuleCommands::listModules));
        steps.add(new Step("Module details", "moduleInfo",
                (s, r) -> ModuleCommands.moduleInfo(s, r, false)));
        steps.add(new Step("Connection", "connection", (s, r) -> {
            Connection connection = s.connection();
            r.title("Connected to module " + s.serial() + " as '" + Session.CLIENT_NAME + "'");
            r.field("Connection handle", "connection", Report.hex(connection.handle()));
            ModuleCommands.showStatus(r, connection);
        }));
        steps.add(new Step("Versions", "versions", (s, r) -> VersionViews.versions(s, r, true)));
        steps.add(new Step("Applications on the PC", "pcApps",
                (s, r) -> AppCommands.pcApps(s, r, 3)));
        steps.add(new Step("Applications on the module", "moduleApps",
                (s, r) -> AppCommands.moduleApps(s, r, false, 0, 0)));
        steps.add(new Step("Installing an application", "install", DemoCommand::install));
        steps.add(new Step("Application control and configuration", "appControl",
                DemoCommand::appControl));
        steps.add(new Step("Client information", "clientInfo", DemoCommand::clientInfo));
        steps.add(new Step("Pendant", "pendant", DemoCommand::pendant));
        steps.add(new Step("Wi-Fi", "wifi", (s, r) -> {
            WirelessCommands.accessPoint(s, r, 0);
            WirelessCommands.adapters(s, r);
        }));
        steps.add(new Step("Self test and configuration items", "diagnostics", (s, r) -> {
            WirelessCommands.selfTest(s, r);
            WirelessCommands.configItems(s, r);
        }));
        steps.add(new Step("Events", "events", DemoCommand::events));
        steps.add(new Step("Firmware update", "firmware",
                (s, r) -> InstallCommands.firmware(s, r, InstallCommands.Watch.defaults())));
        steps.add(new Step("A refused operation", "refused", DemoCommand::refused));
        return steps;
    }

    /** Installs the first PC application that the module does not have yet. */
    private static void install(Session session, Report report) {
        List<PcApplication> pc = AppCommands.pcApps(session, new Report(true, report.out()), 3);
        List<ModuleApplication> installed = AppCommands.installedApps(session, 0, 0);
        PcApplication choice = null;
        for (PcApplication candidate : pc) {
            boolean present = false;
            for (ModuleApplication app : installed) {
                present |= app.app() == candidate.app();
            }
            if (!present) {
                choice = candidate;
                break;
            }
        }
        if (choice == null && !pc.isEmpty()) {
            choice = pc.get(0);
        }
        if (choice == null) {
            report.note("  (no application on the PC to install)");
            return;
        }
        report.note("Installing '" + choice.name() + "' " + choice.versionText()
                + " on module " + session.serial() + ":");
        InstallCommands.installByName(session, report, choice.name(),
                InstallCommands.Watch.defaults());
        AppCommands.moduleApps(session, report, true, 0, 0);
    }

    private static void appControl(Session session, Report report) {
        List<ModuleApplication> installed = AppCommands.installedApps(session, 0, 0);
        if (installed.isEmpty()) {
            report.note("  (no application installed)");
            return;
        }
        long app = installed.get(0).app();
        AppCommands.control(session, report, app, 1);
        report.note("Configuration of application " + app + ", item 1:");
        long before = AppCommands.getConfig(session, new Report(true, report.out()), app, 1);
        long after = before + 250;
        AppCommands.setConfig(session, report, app, 1, after);
        AppCommands.getConfig(session, report, app, 1);
        report.field("Previous value", "previousValue", before);
    }

    private static void clientInfo(Session session, Report report) {
        ClientCommands.space(session, report);
        byte[] data = ("Brake test bay 1, " + java.time.LocalDate.now() + ": passed")
                .getBytes(StandardCharsets.UTF_8);
        report.note("");
        ClientCommands.store(session, report, DEMO_ID, 1, data, 0);
        report.note("");
        ClientCommands.list(session, report);
        report.note("");
        byte[] back = ClientCommands.get(session, report, DEMO_ID, 1, 0);
        HexDump.show(report, back);
        if (!java.util.Arrays.equals(data, back)) {
            throw ToolException.failed("read back " + DEMO_ID, "the bytes read back differ from "
                    + "the bytes stored");
        }
        report.note("  read back unchanged");
        report.note("");
        ClientCommands.delete(session, report, DEMO_ID, 1);
        ClientCommands.space(session, report);
    }

    private static void pendant(Session session, Report report) {
        PendantCommands.setLeds(session, report, PendantCommands.parseLeds(Stream.of(
                "0=1", "1=1:2", "2=0", "3=1", "4=1:5").map(LedSetting::parse).toList()));
        PendantCommands.showLeds(session, report);
        PendantCommands.setDisplay(session, report, PendantCommands.digitSegments(4, true), 4, 0);
        PendantCommands.showDisplay(session, report);
        PendantCommands.setAudio(session, report, 880, 150, 2, 1);
        PendantCommands.showAudio(session, report);
    }

    private static void events(Session session, Report report) {
        EventCommands.register(session, 0xFFFFFFFFL, 0);
        if (Provider.isVirtual()) {
            report.note("The virtual provider raises two events:");
            Provider.postEvent(1, session.serial(), 0x10);
            Provider.postEvent(2, session.serial(), 0x20);
        }
        EventCommands.waitOnce(session, report, 2);
    }

    /** What a refused operation looks like: the result code by name, with its meaning. */
    private static void refused(Session session, Report report) {
        String id = "no-such-block";
        Connection connection = session.connection();
        long code;
        try {
            connection.read(id, 1, 0);
            code = 0;
        } catch (TovikException e) {
            code = e.code();
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.missing("get " + id, "vtxGetClientInfo");
        }
        // A runtime that does not exist cannot be named through the client, which hands out
        // only the runtimes it opened: the raw binding shows the library's answer to one.
        long unknownRuntime = session.runtime().handle() + 1000;
        LongValue unknown = new LongValue(ResultCode.TOVIK_E_NO_RUNTIME.value());
        Operation.run("list modules", () -> new TovikApiManager().vtxGetModuleIds(
                unknownRuntime, unknown));
        report.title("Reading '" + id + "' and asking an unknown runtime for modules:");
        Report.Table table = report.table("codes", col("OPERATION", "operation"),
                col("CODE", "code"), col("NAME", "name"), col("MEANING", "meaning"));
        table.row("get " + id, Report.hex(code), ResultCode.nameOf(code),
                ResultCode.meaningOf(code));
        table.row("modules, runtime " + unknownRuntime, Report.hex(unknown.get()),
                ResultCode.nameOf(unknown.get()), ResultCode.meaningOf(unknown.get()));
        table.print();
        report.note("  (the command alone would exit with code 1 and print the first line as "
                + "'tovik: get " + id + " failed: " + ResultCode.describe(code) + "')");
    }
}
