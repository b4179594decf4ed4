package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.Led;
import com.holm.zep.tovik.client.PendantAudio;
import com.holm.zep.tovik.client.SegmentDisplay;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import picocli.CommandLine.ArgGroup;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;

/** The module's pendant: LEDs, seven-segment display, audio. */
final class PendantCommands {
    /** Segments A..G of the digits 0 to 9. */
    private static final String[] DIGITS = {"1111110", "0110000", "1101101", "1111001",
        "0110011", "1011011", "1011111", "1110000", "1111111", "1111011"};

    private PendantCommands() {
    }

    @Command(name = "pendant",
            description = "Drive the module's pendant: LEDs, seven-segment display, audio.",
            subcommands = {Leds.class, Display.class, Audio.class})
    static final class Pendant extends CommandGroup {
    }

    @Command(name = "leds", description = "Show the pendant LEDs; with --set change some first.")
    static final class Leds extends ToolCommand {
        @Option(names = "--set", paramLabel = "LED=CTRL[:BLINK]", description = "Set LED number "
                + "LED (from 0) to control value CTRL and blink frequency BLINK (default 0); "
                + "repeatable, e.g. --set 0=1 --set 2=2:4. The other LEDs keep their settings.")
        List<LedSetting> settings;

        @Override
        void execute(Session session, Report report) {
            if (settings != null && !settings.isEmpty()) {
                long[][] wanted = parseLeds(settings);
                long[][] current = readLeds(session);
                if (wanted[0].length > current[0].length) {
                    // Only now is the pendant's size known; naming a LED beyond it is still a
                    // bad argument, not a refusal.
                    throw ToolException.usage("option '--set': LED " + (wanted[0].length - 1)
                            + " is out of range: the pendant has " + current[0].length
                            + " LEDs (0 to " + (current[0].length - 1) + ")");
                }
                setLeds(session, report, merge(current, wanted));
            }
            showLeds(session, report);
        }
    }

    /** A new display content: a digit (with or without the point) or all eight segments. */
    static final class Shape {
        @ArgGroup(exclusive = false)
        DigitChoice digit;

        @Option(names = "--segments", paramLabel = "A,B,C,D,E,F,G,DP", split = ",",
                required = true, description = "Set the eight segment values (A to G and the "
                        + "decimal point).")
        U32[] segments;
    }

    static final class DigitChoice {
        @Bounds(min = 0, max = 9)
        @Option(names = "--digit", paramLabel = "0-9", required = true,
                description = "Show this digit.")
        Integer digit;

        @Option(names = "--dot", description = "With --digit: light the decimal point.")
        boolean dot;
    }

    static final class Change {
        @ArgGroup(exclusive = true, multiplicity = "1")
        Shape shape;

        @Option(names = "--values", paramLabel = "V1,V2", split = ",", description = "With "
                + "--digit or --segments: the two display values handed along (default 0,0).")
        U32[] values;
    }

    @Command(name = "display",
            description = "Show the seven-segment display; with --digit or --segments change "
                    + "it first.")
    static final class Display extends ToolCommand {
        @ArgGroup(exclusive = false)
        Change change;

        @Override
        void validate() {
            if (change != null) {
                requireCount("--segments", change.shape.segments, 8, false);
                requireCount("--values", change.values, 2, false);
            }
        }

        @Override
        void execute(Session session, Report report) {
            if (change != null) {
                Shape shape = change.shape;
                long[] wanted = shape.digit != null
                        ? digitSegments(shape.digit.digit, shape.digit.dot)
                        : Arrays.stream(shape.segments).mapToLong(U32::value).toArray();
                long v1 = change.values != null ? change.values[0].value() : 0;
                long v2 = change.values != null ? change.values[1].value() : 0;
                setDisplay(session, report, wanted, v1, v2);
            }
            showDisplay(session, report);
        }
    }

    @Command(name = "audio",
            description = "Show the pendant audio values; with --set change them first.")
    static final class Audio extends ToolCommand {
        @Option(names = "--set", paramLabel = "A1,A2,A3,A4", split = ",",
                description = "The four audio values.")
        U32[] values;

        @Override
        void validate() {
            requireCount("--set", values, 4, false);
        }

        @Override
        void execute(Session session, Report report) {
            if (values != null) {
                setAudio(session, report, values[0].value(), values[1].value(),
                        values[2].value(), values[3].value());
            }
            showAudio(session, report);
        }
    }

    /** The --set values as three arrays of equal length, valid 1 where a LED is set. */
    static long[][] parseLeds(List<LedSetting> settings) {
        int count = 0;
        for (LedSetting s : settings) {
            count = Math.max(count, s.led() + 1);
        }
        long[][] arrays = new long[3][count];
        for (LedSetting s : settings) {
            arrays[0][s.led()] = 1;
            arrays[1][s.led()] = s.control();
            arrays[2][s.led()] = s.blink();
        }
        return arrays;
    }

    /**
     * The module's LEDs with the wanted ones changed: the provider takes the whole set, so the
     * LEDs not named keep the settings read before.
     */
    static long[][] merge(long[][] current, long[][] wanted) {
        int count = Math.max(current[0].length, wanted[0].length);
        long[][] merged = new long[3][];
        for (int a = 0; a < 3; a++) {
            merged[a] = Arrays.copyOf(current[a], count);
            for (int i = 0; i < wanted[0].length; i++) {
                if (wanted[0][i] != 0) {
                    merged[a][i] = wanted[a][i];
                }
            }
        }
        return merged;
    }

    static long[] digitSegments(int digit, boolean dot) {
        long[] segs = new long[8];
        for (int i = 0; i < 7; i++) {
            segs[i] = DIGITS[digit].charAt(i) == '1' ? 1 : 0;
        }
        segs[7] = dot ? 1 : 0;
        return segs;
    }

    static void setLeds(Session session, Report report, long[][] arrays) {
        List<Led> leds = new ArrayList<>();
        for (int i = 0; i < arrays[0].length; i++) {
            leds.add(new Led(arrays[0][i], arrays[1][i], arrays[2][i]));
        }
        Connection connection = session.connection();
        Operation.run("set LEDs", () -> connection.setLeds(leds));
        report.note("LEDs set");
    }

    /** The LEDs as three arrays (valid, control, blink frequency), as many as the module has. */
    static long[][] readLeds(Session session) {
        Connection connection = session.connection();
        List<Led> leds = Operation.of("read LEDs", connection::leds);
        long[][] arrays = new long[3][leds.size()];
        for (int i = 0; i < leds.size(); i++) {
            arrays[0][i] = leds.get(i).valid();
            arrays[1][i] = leds.get(i).control();
            arrays[2][i] = leds.get(i).blinkFrequency();
        }
        return arrays;
    }

    static void showLeds(Session session, Report report) {
        long[][] leds = readLeds(session);
        report.title("Pendant LEDs of module " + session.serial());
        Report.Table table = report.table("leds", col("LED", "led"), col("VALID", "valid"),
                col("CONTROL", "control"), col("BLINK", "blinkFrequency"), col("LAMP", "lamp"));
        for (int i = 0; i < leds[0].length; i++) {
            long control = leds[1][i];
            long blink = leds[2][i];
            String lamp = control == 0 ? "( )" : blink != 0 ? "(*) blinking" : "(#)";
            table.row(i, leds[0][i], control, blink, lamp);
        }
        table.print();
    }

    static void setDisplay(Session session, Report report, long[] segments, long v1, long v2) {
        List<Long> values = Arrays.stream(segments).boxed().toList();
        Connection connection = session.connection();
        Operation.run("set display", () -> connection.setSegmentDisplay(values, v1, v2));
        report.note("Display set");
    }

    static void showDisplay(Session session, Report report) {
        Connection connection = session.connection();
        SegmentDisplay display = Operation.of("read display", connection::segmentDisplay);
        long[] s = display.segments().stream().mapToLong(Long::longValue).toArray();
        report.title("Seven-segment display of module " + session.serial());
        if (!report.json()) {
            for (String line : render(s)) {
                report.out().println("    " + line);
            }
        }
        report.field("Segments A-G,DP", "segments", s);
        report.field("Display value 1", "displayValue1", display.displayValue1());
        report.field("Display value 2", "displayValue2", display.displayValue2());
    }

    /** Three text lines drawing the segments (A top, B/C right, D bottom, E/F left, G middle). */
    static List<String> render(long[] s) {
        String top = " " + (s[0] != 0 ? "_" : " ") + " ";
        String mid = (s[5] != 0 ? "|" : " ") + (s[6] != 0 ? "_" : " ") + (s[1] != 0 ? "|" : " ");
        String bottom = (s[4] != 0 ? "|" : " ") + (s[3] != 0 ? "_" : " ")
                + (s[2] != 0 ? "|" : " ") + (s[7] != 0 ? "." : " ");
        return List.of(top, mid, bottom);
    }

    static void setAudio(Session session, Report report, long a1, long a2, long a3, long a4) {
        Connection connection = session.connection();
        Operation.run("set audio", () -> connection.setAudio(a1, a2, a3, a4));
        report.note("Audio set to " + a1 + ", " + a2 + ", " + a3 + ", " + a4);
    }

    static void showAudio(Session session, Report report) {
        Connection connection = session.connection();
        PendantAudio audio = Operation.of("read audio", connection::audio);
        report.title("Pendant audio of module " + session.serial());
        report.field("Audio value 1", "audio1", audio.audio1());
        report.field("Audio value 2", "audio2", audio.audio2());
    }
}
