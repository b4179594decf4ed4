package com.holm.zep.tovik.tool;

/**
 * Text read from a module shown safely on a terminal: control characters (which could move the
 * cursor, clear the screen or retitle the window) and invisible format characters are written
 * as escapes, and the backslash is doubled so that an escape cannot be faked.
 */
final class Printable {
    private Printable() {
    }

    static String escape(String text) {
        StringBuilder out = new StringBuilder(text.length());
        text.codePoints().forEach(c -> {
            switch (c) {
                case '\\' -> out.append("\\\\");
                case '\n' -> out.append("\\n");
                case '\r' -> out.append("\\r");
                case '\t' -> out.append("\\t");
                default -> {
                    int type = Character.getType(c);
                    if (type == Character.CONTROL && c <= 0xFF) {
                        out.append(String.format("\\x%02x", c));
                    } else if (type == Character.CONTROL || type == Character.FORMAT
                            || type == Character.LINE_SEPARATOR
                            || type == Character.PARAGRAPH_SEPARATOR) {
                        out.append(String.format("\\u%04x", c));
                    } else {
                        out.appendCodePoint(c);
                    }
                }
            }
        });
        return out.toString();
    }
}
