package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.client.ModuleEvent;
import java.time.Duration;
import java.time.LocalTime;
import java.time.format.DateTimeFormatter;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import picocli.CommandLine.ArgGroup;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;

/** Module events: register, wait, show; follow until interrupted. */
final class EventCommands {
    private static final DateTimeFormatter TIME = DateTimeFormatter.ofPattern("HH:mm:ss.SSS");
    /** Longest stretch a wait for events goes without looking for Ctrl-C. */
    private static final long SLICE_NANOS = TimeUnit.MILLISECONDS.toNanos(100);

    private EventCommands() {
    }

    @Command(name = "events",
            description = {"Register for module events and show them.",
        "Without --follow: wait once (at most --timeout seconds) and list the events that came. "
                + "With --follow: show events as they come until Ctrl-C, which cancels the wait "
                + "cleanly; with --json each event is one JSON object on a line of its own "
                + "(JSON Lines), and nothing else is written to standard output."})
    static final class Events extends ToolCommand {
        /** How long to wait: once, or until interrupted. */
        static final class Wait {
            @Option(names = "--follow", required = true, description = "Keep waiting and show "
                    + "each event as it comes, until interrupted.")
            boolean follow;

            @Bounds(min = 0, max = 86400)
            @Option(names = "--timeout", paramLabel = "SECONDS", required = true,
                    description = "Wait once, at most this many seconds (0 to 86400; default: "
                            + DEFAULT_TIMEOUT + ").")
            Double timeoutSeconds;
        }

        static final int DEFAULT_TIMEOUT = 5;

        @Option(names = "--register", paramLabel = "FIRST,SECOND", split = ",",
                description = "The two registration values handed to the provider (default: "
                        + "0xFFFFFFFF,0).")
        U32[] registration;

        @ArgGroup(exclusive = true)
        Wait wait;

        @Option(names = "--post", paramLabel = "A,B,C", split = ",",
                description = "Virtual provider only: queue this event (three values) before "
                        + "waiting; repeatable.")
        U32[] posts;

        @Override
        void validate() {
            requireCount("--register", registration, 2, false);
            requireCount("--post", posts, 3, true);
        }

        @Override
        void execute(Session session, Report report) {
            long first = registration != null ? registration[0].value() : 0xFFFFFFFFL;
            long second = registration != null ? registration[1].value() : 0;
            register(session, first, second);
            if (posts != null) {
                for (int i = 0; i < posts.length; i += 3) {
                    Provider.postEvent(posts[i].value(), posts[i + 1].value(),
                            posts[i + 2].value());
                }
            }
            if (wait != null && wait.follow) {
                follow(session, report);
            } else {
                waitOnce(session, report, wait != null ? wait.timeoutSeconds : DEFAULT_TIMEOUT);
            }
        }
    }

    static void register(Session session, long first, long second) {
        Operation.run("register for events",
                () -> session.runtime().registerForEvents(first, second));
    }

    /** One wait, ended by the first events or by the time-out. */
    static List<ModuleEvent> waitOnce(Session session, Report report, double timeoutSeconds) {
        report.note("Waiting up to " + seconds(timeoutSeconds) + " s for events ...");
        report.out().flush();
        List<ModuleEvent> events = nextEvents(session, (long) (timeoutSeconds * 1e9));
        report.title(events.isEmpty() ? "No events within " + seconds(timeoutSeconds) + " s"
                : "Events received: " + events.size());
        Report.Table table = report.table("events", col("FIRST", "first"),
                col("SECOND", "second"), col("THIRD", "third"));
        for (ModuleEvent e : events) {
            table.row(e.first(), e.second(), e.third());
        }
        table.print();
        return events;
    }

    private static String seconds(double value) {
        return value == Math.rint(value) ? Long.toString((long) value) : Double.toString(value);
    }

    /**
     * The events that the provider's next wait delivers, if that comes within {@code nanos};
     * none on time-out or Ctrl-C. The runtime's waiter thread does the waiting, so this only
     * takes from its queue, in slices short enough to notice Ctrl-C at once.
     */
    private static List<ModuleEvent> nextEvents(Session session, long nanos) {
        long until = System.nanoTime() + nanos;
        try {
            do {
                long slice = Math.max(0, Math.min(SLICE_NANOS, until - System.nanoTime()));
                List<ModuleEvent> events = session.runtime().pollBatch(Duration.ofNanos(slice));
                if (!events.isEmpty()) {
                    return events;
                }
            } while (!Interrupts.requested() && System.nanoTime() < until);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
        return List.of();
    }

    /** Shows events as they come until Ctrl-C; with --json one JSON object per event. */
    static void follow(Session session, Report report) {
        report.streamLines();
        if (!report.json()) {
            report.out().println("Waiting for events (Ctrl-C to stop) ...");
            report.out().flush();
        }
        int count = 0;
        while (!Interrupts.requested() && !Thread.currentThread().isInterrupted()) {
            for (ModuleEvent e : nextEvents(session, SLICE_NANOS)) {
                count++;
                if (report.json()) {
                    Map<String, Object> m = new LinkedHashMap<>();
                    m.put("time", LocalTime.now().format(TIME));
                    m.put("first", e.first());
                    m.put("second", e.second());
                    m.put("third", e.third());
                    report.line(m);
                } else {
                    report.out().printf("  %s  event %d: %d %d %d%n",
                            LocalTime.now().format(TIME), count, e.first(), e.second(),
                            e.third());
                    report.out().flush();
                }
            }
        }
        report.note("Interrupted: event wait cancelled after " + count + " event(s).");
    }
}
