package com.holm.zep.tovik.tool;

import java.io.PrintStream;

/**
 * A text progress bar, "[#########...........]  45%  component 2/3 Navigation". On a terminal
 * the line is redrawn in place; otherwise each change is a line of its own.
 */
final class ProgressBar {
    private static final int WIDTH = 30;

    private final PrintStream out;
    private final boolean inPlace;
    private String last = "";

    ProgressBar(PrintStream out, boolean inPlace) {
        this.out = out;
        this.inPlace = inPlace;
    }

    /** The bar for a fraction between 0 and 1 followed by a label. */
    static String render(double fraction, String label) {
        double f = Math.max(0, Math.min(1, fraction));
        int filled = (int) Math.round(f * WIDTH);
        return "[" + "#".repeat(filled) + ".".repeat(WIDTH - filled) + "] "
                + String.format("%3d%%", Math.round(f * 100))
                + (label.isEmpty() ? "" : "  " + label);
    }

    void update(double fraction, String label) {
        String line = render(fraction, label);
        if (line.equals(last)) {
            return;
        }
        if (inPlace) {
            int clear = Math.max(0, last.length() - line.length());
            out.print("\r  " + line + " ".repeat(clear));
        } else {
            out.println("  " + line);
        }
        out.flush();
        last = line;
    }

    /** Ends the bar's line; calling it again does nothing. */
    void done() {
        if (inPlace && !last.isEmpty()) {
            out.println();
        }
        last = "";
        out.flush();
    }
}
