package com.holm.zep.tovik.tool;

import java.util.Collection;
import java.util.Map;

/**
 * Minimal JSON writer for the tool's machine-readable output. Values are {@code null},
 * {@link Boolean}, {@link Number}, {@link CharSequence}, {@link Map} (keys as strings, in the
 * map's order), {@link Collection}, {@code long[]}, {@code boolean[]} and {@code Object[]}.
 * The text is plain ASCII; other characters are written as escapes.
 */
final class Json {
    private Json() {
    }

    /** The value as indented JSON text (two blanks per level). */
    static String write(Object value) {
        StringBuilder out = new StringBuilder();
        write(out, value, 0);
        return out.toString();
    }

    /** The value as JSON text on one line. */
    static String compact(Object value) {
        return write(value).replaceAll("\\n\\s*", "");
    }

    private static void write(StringBuilder out, Object value, int depth) {
        if (value == null) {
            out.append("null");
        } else if (value instanceof Boolean || value instanceof Integer || value instanceof Long
                || value instanceof Short || value instanceof Byte) {
            out.append(value);
        } else if (value instanceof Number number) {
            double d = number.doubleValue();
            out.append(Double.isFinite(d) ? number.toString() : "null");
        } else if (value instanceof CharSequence text) {
            quote(out, text);
        } else if (value instanceof Map<?, ?> map) {
            writeObject(out, map, depth);
        } else if (value instanceof Collection<?> items) {
            writeArray(out, items.toArray(), depth);
        } else if (value instanceof long[] longs) {
            Object[] boxed = new Object[longs.length];
            for (int i = 0; i < longs.length; i++) {
                boxed[i] = longs[i];
            }
            writeArray(out, boxed, depth);
        } else if (value instanceof boolean[] flags) {
            Object[] boxed = new Object[flags.length];
            for (int i = 0; i < flags.length; i++) {
                boxed[i] = flags[i];
            }
            writeArray(out, boxed, depth);
        } else if (value instanceof Object[] items) {
            writeArray(out, items, depth);
        } else {
            quote(out, value.toString());
        }
    }

    private static void writeObject(StringBuilder out, Map<?, ?> map, int depth) {
        if (map.isEmpty()) {
            out.append("{}");
            return;
        }
        out.append('{');
        boolean first = true;
        for (Map.Entry<?, ?> entry : map.entrySet()) {
            out.append(first ? "\n" : ",\n");
            first = false;
            indent(out, depth + 1);
            quote(out, String.valueOf(entry.getKey()));
            out.append(": ");
            write(out, entry.getValue(), depth + 1);
        }
        out.append('\n');
        indent(out, depth);
        out.append('}');
    }

    private static void writeArray(StringBuilder out, Object[] items, int depth) {
        if (items.length == 0) {
            out.append("[]");
            return;
        }
        boolean simple = true;
        for (Object item : items) {
            if (item instanceof Map || item instanceof Collection || item instanceof Object[]) {
                simple = false;
                break;
            }
        }
        out.append('[');
        for (int i = 0; i < items.length; i++) {
            if (simple) {
                out.append(i == 0 ? "" : ", ");
            } else {
                out.append(i == 0 ? "\n" : ",\n");
                indent(out, depth + 1);
            }
            write(out, items[i], depth + 1);
        }
        if (!simple) {
            out.append('\n');
            indent(out, depth);
        }
        out.append(']');
    }

    private static void indent(StringBuilder out, int depth) {
        out.append("  ".repeat(depth));
    }

    static void quote(StringBuilder out, CharSequence text) {
        out.append('"');
        for (int i = 0; i < text.length(); i++) {
            char c = text.charAt(i);
            switch (c) {
                case '"' -> out.append("\\\"");
                case '\\' -> out.append("\\\\");
                case '\n' -> out.append("\\n");
                case '\r' -> out.append("\\r");
                case '\t' -> out.append("\\t");
                case '\b' -> out.append("\\b");
                case '\f' -> out.append("\\f");
                default -> {
                    // Everything outside printable ASCII is escaped, so that the document
                    // survives any output encoding.
                    if (c < 0x20 || c >= 0x7F) {
                        out.append(String.format("\\u%04x", (int) c));
                    } else {
                        out.append(c);
                    }
                }
            }
        }
        out.append('"');
    }
}
