package com.holm.zep.tovik.tool;

import com.google.gson.Gson;
import com.google.gson.GsonBuilder;

/**
 * JSON text of the tool's machine-readable output (maps in their own order, lists, arrays,
 * numbers, texts, null). The text is plain ASCII, other characters written as escapes, so that
 * the output survives any encoding of standard output.
 */
final class Json {
    private static final Gson PRETTY = new GsonBuilder().serializeNulls().disableHtmlEscaping()
            .setPrettyPrinting().create();
    private static final Gson COMPACT = new GsonBuilder().serializeNulls().disableHtmlEscaping()
            .create();

    private Json() {
    }

    /** The value as indented JSON text. */
    static String write(Object value) {
        return ascii(PRETTY.toJson(value));
    }

    /** The value as JSON text on one line (one record of a JSON Lines stream). */
    static String compact(Object value) {
        return ascii(COMPACT.toJson(value));
    }

    /** Non-ASCII characters can only be inside strings, where an escape means the same. */
    private static String ascii(String json) {
        StringBuilder out = new StringBuilder(json.length());
        for (int i = 0; i < json.length(); i++) {
            char c = json.charAt(i);
            if (c < 0x7F) {
                out.append(c);
            } else {
                out.append(String.format("\\u%04x", (int) c));
            }
        }
        return out.toString();
    }
}
