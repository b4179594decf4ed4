package com.holm.zep.tovik.tool;

import com.google.gson.GsonBuilder;
import com.google.gson.ToNumberPolicy;
import com.google.gson.TypeAdapter;
import com.google.gson.stream.JsonReader;
import com.google.gson.stream.JsonToken;
import java.io.IOException;
import java.io.StringReader;
import java.io.UncheckedIOException;
import java.util.List;
import java.util.Map;

/**
 * The tool's --json output read strictly with Gson (anything malformed, including text after
 * the document, throws) into plain values: objects as maps, arrays as lists, integral numbers as
 * Long, other numbers as Double.
 */
final class ToolJson {
    private static final TypeAdapter<Object> PLAIN = new GsonBuilder()
            .setObjectToNumberStrategy(ToNumberPolicy.LONG_OR_DOUBLE).create().getAdapter(Object.class);

    private ToolJson() {
    }

    @SuppressWarnings("unchecked")
    static Map<String, Object> object(String text) {
        // The adapter, unlike Gson.fromJson, keeps the reader strict.
        try (JsonReader reader = new JsonReader(new StringReader(text))) {
            Object value = PLAIN.read(reader);
            if (reader.peek() != JsonToken.END_DOCUMENT) {
                throw new IllegalArgumentException("text after the JSON document: " + text);
            }
            return (Map<String, Object>) value;
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /** Each line one JSON object (JSON Lines); an empty or malformed line throws. */
    static List<Map<String, Object>> lines(String text) {
        return text.lines().map(ToolJson::object).toList();
    }

    /** The value at a path of keys and list indexes, e.g. at(doc, "modules", 0, "serialNumber"). */
    static Object at(Object root, Object... path) {
        Object current = root;
        for (Object step : path) {
            if (step instanceof Integer index) {
                current = ((List<?>) current).get(index);
            } else if (((Map<?, ?>) current).containsKey(step)) {
                current = ((Map<?, ?>) current).get(step);
            } else {
                throw new IllegalArgumentException("no key " + step + " in " + current);
            }
        }
        return current;
    }
}
