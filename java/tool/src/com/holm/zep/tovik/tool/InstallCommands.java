package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import picocli.CommandLine.ArgGroup;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;
import picocli.CommandLine.Parameters;

/**
 * Installation, removal and firmware update: each starts a job on the module, and the tool polls
 * the job's status and draws a progress bar until the job has finished.
 */
final class InstallCommands {
    /** Job status values of the provider: the job is still running, the job has finished. */
    static final long STATUS_RUNNING = 1;
    static final long STATUS_DONE = 2;

    private InstallCommands() {
    }

    static final long DEFAULT_INTERVAL_MS = 150;
    static final long DEFAULT_TIMEOUT_SECONDS = 120;

    /** How the job is watched: not at all (--no-wait), or by polls at this pace. */
    static final class Watch {
        @Option(names = "--no-wait", required = true, description = "Start the job and "
                + "return; do not poll.")
        boolean noWait;

        @ArgGroup(exclusive = false)
        Polling polling = new Polling();

        static Watch defaults() {
            return new Watch();
        }

        long intervalMs() {
            return polling == null || polling.intervalMs == null ? DEFAULT_INTERVAL_MS
                    : polling.intervalMs;
        }

        long timeoutSeconds() {
            return polling == null || polling.timeoutSeconds == null ? DEFAULT_TIMEOUT_SECONDS
                    : polling.timeoutSeconds;
        }
    }

    static final class Polling {
        @Bounds(min = 1, max = 60000)
        @Option(names = "--interval", paramLabel = "MS", description = "Time between status "
                + "polls in milliseconds (1 to 60000; default: " + DEFAULT_INTERVAL_MS + ").")
        Long intervalMs;

        @Bounds(min = 1, max = 86400)
        @Option(names = "--timeout", paramLabel = "SECONDS", description = "Give up when the "
                + "job has not finished after this many seconds (1 to 86400; default: "
                + DEFAULT_TIMEOUT_SECONDS + ").")
        Long timeoutSeconds;
    }

    static final class Target {
        @Parameters(paramLabel = "NAME", description = "Application name, as listed by "
                + "'tovik apps pc'.")
        String name;

        @Option(names = "--number", paramLabel = "APP", required = true,
                description = "Install by application number instead of by name.")
        U32 number;
    }

    @Command(name = "install",
            description = "Install an application from the PC on the module and show its "
                    + "progress.")
    static final class Install extends ToolCommand {
        @ArgGroup(exclusive = true, multiplicity = "1")
        Target target;

        @ArgGroup(exclusive = true)
        Watch watch = Watch.defaults();

        @Override
        void execute(Session session, Report report) {
            if (target.number != null) {
                installByNumber(session, report, target.number.value(), watch);
            } else {
                installByName(session, report, target.name, watch);
            }
        }
    }

    @Command(name = "uninstall",
            description = "Remove an application from the module and show the progress.")
    static final class Uninstall extends ToolCommand {
        @Parameters(paramLabel = "NAME", description = "Application name.")
        String name;

        @ArgGroup(exclusive = true)
        Watch watch = Watch.defaults();

        @Override
        void execute(Session session, Report report) {
            uninstall(session, report, name, watch);
        }
    }

    @Command(name = "firmware",
            description = "Update the module's system firmware and show the progress.")
    static final class Firmware extends ToolCommand {
        @ArgGroup(exclusive = true)
        Watch watch = Watch.defaults();

        @Override
        void execute(Session session, Report report) {
            firmware(session, report, watch);
        }
    }

    @Command(name = "job", description = {"Show the status of an installation job once.",
        "Jobs live as long as the provider: on the virtual provider, which starts afresh in "
                + "every run, only jobs started in the same run exist, so this is for real "
                + "providers."})
    static final class Job extends ToolCommand {
        @Parameters(paramLabel = "JOB", description = "Job number, as reported when the job "
                + "was started.")
        U32 job;

        @Override
        void execute(Session session, Report report) {
            TovikAppStatus status = poll(session, "read job status", job.value());
            report.field("Job", "job", status.getJob());
            showStatus(report, status);
        }
    }

    static TovikAppStatus installByName(Session session, Report report, String name,
            Watch watch) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikAppStatus status = new TovikAppStatus();
        session.run("install " + name, "vtxInstallVciApp",
                r -> api.vtxInstallVciApp(session.manager(), connection, name, status, r));
        return follow(session, report, "install " + name, status, watch);
    }

    static TovikAppStatus installByNumber(Session session, Report report, long app,
            Watch watch) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikAppStatus status = new TovikAppStatus();
        session.run("install application " + app, "vtxInstallVciApp2",
                r -> api.vtxInstallVciApp2(session.manager(), connection, app, status, r));
        return follow(session, report, "install application " + app, status, watch);
    }

    static TovikAppStatus uninstall(Session session, Report report, String name, Watch watch) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikAppStatus status = new TovikAppStatus();
        session.run("uninstall " + name, "vtxUninstallVciApp",
                r -> api.vtxUninstallVciApp(session.manager(), connection, name, status, r));
        return follow(session, report, "uninstall " + name, status, watch);
    }

    static TovikAppStatus firmware(Session session, Report report, Watch watch) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikAppStatus status = new TovikAppStatus();
        session.run("update firmware", "vtxUpdateSystemFirmware",
                r -> api.vtxUpdateSystemFirmware(session.manager(), connection, status, r));
        return follow(session, report, "update firmware", status, watch);
    }

    private static TovikAppStatus poll(Session session, String operation, long job) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikAppStatus status = new TovikAppStatus();
        session.run(operation, "vtxInstallGetStatus",
                r -> api.vtxInstallGetStatus(session.manager(), connection, job, status, r));
        return status;
    }

    /** Polls the job started with {@code first} until it has finished, drawing progress. */
    private static TovikAppStatus follow(Session session, Report report, String operation,
            TovikAppStatus first, Watch watch) {
        long job = first.getJob();
        report.title(capitalize(operation) + ": job " + job);
        report.field("Job", "job", job);
        if (watch.noWait) {
            showStatus(report, first);
            return first;
        }
        List<Object> polls = new ArrayList<>();
        ProgressBar bar = new ProgressBar(report.out(), System.console() != null);
        long deadline = System.nanoTime() + watch.timeoutSeconds() * 1_000_000_000L;
        TovikAppStatus status = first;
        try {
            while (true) {
                polls.add(pollRecord(status));
                if (!report.json()) {
                    bar.update(fraction(status), label(status));
                }
                if (status.getErrorNumber() != 0) {
                    throw ToolException.failed(operation, "the module reported error "
                            + status.getErrorNumber() + " in component "
                            + status.getComponentNumber() + " (" + status.getComponentName()
                            + ")");
                }
                if (status.getStatus() == STATUS_DONE) {
                    break;
                }
                if (status.getStatus() != STATUS_RUNNING) {
                    throw ToolException.failed(operation, "the job ended with status "
                            + status.getStatus());
                }
                if (System.nanoTime() > deadline) {
                    throw ToolException.failed(operation, "the job did not finish within "
                            + watch.timeoutSeconds() + " s");
                }
                sleep(watch.intervalMs());
                Interrupts.checkInterrupted(operation);
                status = poll(session, operation, job);
            }
        } finally {
            bar.done();
        }
        report.raw("progress", polls);
        report.field("Result", "result", "finished after " + polls.size() + " status polls");
        return status;
    }

    /** The job's status; its number is shown by the caller, once. */
    static void showStatus(Report report, TovikAppStatus status) {
        report.field("Status", "status", status.getStatus(), status.getStatus() + " ("
                + statusName(status) + ")");
        report.field("Error number", "errorNumber", status.getErrorNumber());
        report.field("Component", "componentNumber", status.getComponentNumber(),
                status.getComponentNumber() + " of " + status.getTotalNumberOfComponents() + ": "
                        + status.getComponentName());
        report.raw("totalNumberOfComponents", status.getTotalNumberOfComponents());
        report.raw("componentName", status.getComponentName());
        report.field("Component timeout", "componentTimeout", status.getComponentTimeout());
        report.field("Total timeout", "totalTimeout", status.getTotalTimeout());
    }

    private static String statusName(TovikAppStatus status) {
        if (status.getStatus() == STATUS_RUNNING) {
            return "running";
        }
        return status.getStatus() == STATUS_DONE ? "done" : "other";
    }

    private static Map<String, Object> pollRecord(TovikAppStatus status) {
        Map<String, Object> m = new LinkedHashMap<>();
        m.put("status", status.getStatus());
        m.put("errorNumber", status.getErrorNumber());
        m.put("componentNumber", status.getComponentNumber());
        m.put("totalNumberOfComponents", status.getTotalNumberOfComponents());
        m.put("componentName", status.getComponentName());
        return m;
    }

    static double fraction(TovikAppStatus status) {
        if (status.getStatus() == STATUS_DONE) {
            return 1.0;
        }
        long total = status.getTotalNumberOfComponents();
        if (total <= 0) {
            return 0.0;
        }
        return Math.min(status.getComponentNumber(), total) / (double) total;
    }

    private static String label(TovikAppStatus status) {
        if (status.getStatus() == STATUS_DONE) {
            return "done";
        }
        String name = status.getComponentName() == null ? "" : " " + status.getComponentName();
        return "component " + status.getComponentNumber() + "/"
                + status.getTotalNumberOfComponents() + name;
    }

    private static String capitalize(String text) {
        return text.isEmpty() ? text : Character.toUpperCase(text.charAt(0)) + text.substring(1);
    }

    /** Sleeps, in short steps so that an interrupt is seen at once. */
    private static void sleep(long ms) {
        long until = System.nanoTime() + Math.max(0, ms) * 1_000_000L;
        try {
            while (!Interrupts.requested()) {
                long left = until - System.nanoTime();
                if (left <= 0) {
                    return;
                }
                Thread.sleep(Math.min(50, Math.max(1, left / 1_000_000L)));
            }
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }
}
