package com.holm.zep.tovik.tool;

import java.io.PrintStream;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * Output of one command, either for a person (headings, aligned fields, tables, written at once)
 * or as one JSON document written when the command has finished. Commands describe what they
 * found once; the mode decides how it looks.
 */
final class Report {
    /**
     * A number that people see in a form of its own (hexadecimal, a dotted version, a date) and
     * JSON gets as the plain number.
     */
    record Shown(long value, String text) {
        @Override
        public String toString() {
            return text;
        }
    }

    /** A column of a table: its heading for people and its key in JSON. */
    record Column(String heading, String key) {
    }

    private static final int FIELD_WIDTH = 20;

    private final boolean json;
    private final PrintStream out;
    private final Map<String, Object> root = new LinkedHashMap<>();
    private final Deque<Map<String, Object>> sections = new ArrayDeque<>();
    private boolean lines;

    Report(boolean json, PrintStream out) {
        this.json = json;
        this.out = out;
        sections.push(root);
    }

    boolean json() {
        return json;
    }

    PrintStream out() {
        return out;
    }

    static Shown hex(long value) {
        return hex(Numbers.u32(value), 8);
    }

    static Shown hex(long value, int digits) {
        return new Shown(value, "0x" + String.format("%0" + digits + "X", value));
    }

    static Column col(String heading, String key) {
        return new Column(heading, key);
    }

    /** A heading for people; nothing in JSON. */
    void title(String text) {
        if (!json) {
            out.println(text);
        }
    }

    /** A remark for people; nothing in JSON. */
    void note(String text) {
        if (!json) {
            out.println(text);
        }
    }

    /** One named value. */
    void field(String label, String key, Object value) {
        if (json) {
            sections.peek().put(key, jsonValue(value));
        } else {
            out.printf("  %-" + FIELD_WIDTH + "s %s%n", label + ":", text(value));
        }
    }

    /** One named value that people see as {@code text} and JSON gets as {@code value}. */
    void field(String label, String key, Object value, String text) {
        field(label, key, json ? value : text);
    }

    /**
     * Starts a nested section (a heading for people, an object in JSON); end it with
     * {@link #end()}.
     */
    void section(String heading, String key) {
        if (json) {
            Map<String, Object> child = new LinkedHashMap<>();
            sections.peek().put(key, child);
            sections.push(child);
        } else {
            out.println();
            out.println(heading);
            sections.push(new LinkedHashMap<>());
        }
    }

    void end() {
        if (sections.size() > 1) {
            sections.pop();
        }
    }

    /** Puts a ready-made JSON value (list or map) into the current section; JSON only. */
    void raw(String key, Object value) {
        if (json) {
            sections.peek().put(key, value);
        }
    }

    /** Starts a table; its rows are written by {@link Table#print()}. */
    Table table(String key, Column... columns) {
        return new Table(key, columns);
    }

    /**
     * Switches JSON output to JSON Lines: each {@link #line} is written at once as one object on
     * a line of its own, and no document follows at the end.
     */
    void streamLines() {
        lines = true;
    }

    /** One record of a JSON Lines stream; JSON only. */
    void line(Map<String, Object> record) {
        if (json) {
            out.println(Json.compact(record));
            out.flush();
        }
    }

    /** Writes the JSON document (JSON mode, unless streamed as lines) or nothing. */
    void finish() {
        if (json && !lines) {
            out.println(Json.write(root));
        }
        out.flush();
    }

    static String text(Object value) {
        if (value == null) {
            return "-";
        }
        if (value instanceof long[] longs) {
            StringBuilder b = new StringBuilder();
            for (long l : longs) {
                b.append(b.length() == 0 ? "" : " ").append(l);
            }
            return b.toString();
        }
        if (value instanceof java.util.Collection<?> items) {
            if (items.isEmpty()) {
                return "none";
            }
            StringBuilder b = new StringBuilder();
            for (Object item : items) {
                b.append(b.length() == 0 ? "" : ", ").append(text(item));
            }
            return b.toString();
        }
        if (value instanceof Boolean flag) {
            return flag ? "yes" : "no";
        }
        return value.toString();
    }

    private static Object jsonValue(Object value) {
        if (value instanceof Shown shown) {
            return shown.value();
        }
        return value;
    }

    /** Rows of one table. */
    final class Table {
        private final String key;
        private final Column[] columns;
        private final List<Object[]> rows = new ArrayList<>();

        private Table(String key, Column[] columns) {
            this.key = key;
            this.columns = columns;
        }

        Table row(Object... cells) {
            if (cells.length != columns.length) {
                throw new IllegalArgumentException("row has " + cells.length + " cells, table "
                        + key + " has " + columns.length + " columns");
            }
            rows.add(cells);
            return this;
        }

        int size() {
            return rows.size();
        }

        /** Writes the table: aligned columns for people, an array of objects in JSON. */
        void print() {
            if (json) {
                List<Map<String, Object>> list = new ArrayList<>();
                for (Object[] row : rows) {
                    Map<String, Object> item = new LinkedHashMap<>();
                    for (int i = 0; i < columns.length; i++) {
                        item.put(columns[i].key(), jsonValue(row[i]));
                    }
                    list.add(item);
                }
                sections.peek().put(key, list);
                return;
            }
            int[] widths = new int[columns.length];
            for (int i = 0; i < columns.length; i++) {
                widths[i] = columns[i].heading().length();
                for (Object[] row : rows) {
                    widths[i] = Math.max(widths[i], text(row[i]).length());
                }
            }
            StringBuilder head = new StringBuilder("  ");
            StringBuilder rule = new StringBuilder("  ");
            for (int i = 0; i < columns.length; i++) {
                pad(head, columns[i].heading(), widths[i], i == columns.length - 1);
                pad(rule, "-".repeat(widths[i]), widths[i], i == columns.length - 1);
            }
            out.println(head.toString().stripTrailing());
            out.println(rule.toString().stripTrailing());
            for (Object[] row : rows) {
                StringBuilder line = new StringBuilder("  ");
                for (int i = 0; i < columns.length; i++) {
                    pad(line, text(row[i]), widths[i], i == columns.length - 1);
                }
                out.println(line.toString().stripTrailing());
            }
            if (rows.isEmpty()) {
                out.println("  (none)");
            }
        }

        private void pad(StringBuilder line, String cell, int width, boolean last) {
            line.append(cell);
            if (!last) {
                line.append(" ".repeat(width - cell.length() + 2));
            }
        }
    }
}
