package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.InstallStatus;
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
            InstallStatus status = poll(session, "read job status", job.value());
            report.field("Job", "job", status.job());
            showStatus(report, status);
        }
    }

    static InstallStatus installByName(Session session, Report report, String name,
            Watch watch) {
        Connection connection = session.connection();
        InstallStatus status = Operation.of("install " + name, () -> connection.install(name));
        return follow(session, report, "install " + name, status, watch);
    }

    static InstallStatus installByNumber(Session session, Report report, long app,
            Watch watch) {
        Connection connection = session.connection();
        InstallStatus status = Operation.of("install application " + app,
                () -> connection.install(app));
        return follow(session, report, "install application " + app, status, watch);
    }

    static InstallStatus uninstall(Session session, Report report, String name, Watch watch) {
        Connection connection = session.connection();
        InstallStatus status = Operation.of("uninstall " + name,
                () -> connection.uninstall(name));
        return follow(session, report, "uninstall " + name, status, watch);
    }

    static InstallStatus firmware(Session session, Report report, Watch watch) {
        Connection connection = session.connection();
        InstallStatus status = Operation.of("update firmware", connection::updateFirmware);
        return follow(session, report, "update firmware", status, watch);
    }

    private static InstallStatus poll(Session session, String operation, long job) {
        Connection connection = session.connection();
        return Operation.of(operation, () -> connection.installStatus(job));
    }

    /** Polls the job started with {@code first} until it has finished, drawing progress. */
    private static InstallStatus follow(Session session, Report report, String operation,
            InstallStatus first, Watch watch) {
        long job = first.job();
        report.title(capitalize(operation) + ": job " + job);
        report.field("Job", "job", job);
        if (watch.noWait) {
            showStatus(report, first);
            return first;
        }
        List<Object> polls = new ArrayList<>();
        ProgressBar bar = new ProgressBar(report.out(), System.console() != null);
        long deadline = System.nanoTime() + watch.timeoutSeconds() * 1_000_000_000L;
        InstallStatus status = first;
        try {
            while (true) {
                polls.add(pollRecord(status));
                if (!report.json()) {
                    bar.update(fraction(status), label(status));
                }
                if (status.errorNumber() != 0) {
                    throw ToolException.failed(operation, "the module reported error "
                            + status.errorNumber() + " in component "
                            + status.componentNumber() + " (" + status.componentName()
                            + ")");
                }
                if (status.status() == InstallStatus.DONE) {
                    break;
                }
                if (status.status() != InstallStatus.RUNNING) {
                    throw ToolException.failed(operation, "the job ended with status "
                            + status.status());
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
    static void showStatus(Report report, InstallStatus status) {
        report.field("Status", "status", status.status(), status.status() + " ("
                + statusName(status) + ")");
        report.field("Error number", "errorNumber", status.errorNumber());
        report.field("Component", "componentNumber", status.componentNumber(),
                status.componentNumber() + " of " + status.totalNumberOfComponents() + ": "
                        + status.componentName());
        report.raw("totalNumberOfComponents", status.totalNumberOfComponents());
        report.raw("componentName", status.componentName());
        report.field("Component timeout", "componentTimeout", status.componentTimeout());
        report.field("Total timeout", "totalTimeout", status.totalTimeout());
    }

    private static String statusName(InstallStatus status) {
        if (status.status() == InstallStatus.RUNNING) {
            return "running";
        }
        return status.status() == InstallStatus.DONE ? "done" : "other";
    }

    private static Map<String, Object> pollRecord(InstallStatus status) {
        Map<String, Object> m = new LinkedHashMap<>();
        m.put("status", status.status());
        m.put("errorNumber", status.errorNumber());
        m.put("componentNumber", status.componentNumber());
        m.put("totalNumberOfComponents", status.totalNumberOfComponents());
        m.put("componentName", status.componentName());
        return m;
    }

    static double fraction(InstallStatus status) {
        if (status.status() == InstallStatus.DONE) {
            return 1.0;
        }
        long total = status.totalNumberOfComponents();
        if (total <= 0) {
            return 0.0;
        }
        return Math.min(status.componentNumber(), total) / (double) total;
    }

    private static String label(InstallStatus status) {
        if (status.status() == InstallStatus.DONE) {
            return "done";
        }
        return "component " + status.componentNumber() + "/"
                + status.totalNumberOfComponents() + " " + status.componentName();
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
