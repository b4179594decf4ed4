package com.holm.zep.tovik.tool;

import com.google.gson.Gson;
import com.google.gson.JsonArray;
import com.google.gson.JsonElement;
import com.google.gson.JsonObject;
import com.google.gson.JsonPrimitive;
import com.google.gson.stream.JsonReader;
import com.google.gson.stream.JsonToken;
import java.io.IOException;
import java.io.StringReader;
import java.io.UncheckedIOException;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * The tool's --json output read strictly with Gson (anything malformed, including text after
 * the document, throws) into plain values: objects as maps, arrays as lists, integral numbers as
 * Long, other numbers as Double.
 */
final class ToolJson {
    private static final Gson GSON = new Gson();

    private ToolJson() {
    }

    static Object parse(String text) {
        try (JsonReader reader = new JsonReader(new StringReader(text))) {
            reader.setLenient(false);
            // Gson's adapter, unlike JsonParser, keeps the reader strict.
            JsonElement element = GSON.getAdapter(JsonElement.class).read(reader);
            if (reader.peek() != JsonToken.END_DOCUMENT) {
                throw new IllegalArgumentException("text after the JSON document: " + text);
            }
            return plain(element);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    @SuppressWarnings("unchecked")
    static Map<String, Object> object(String text) {
        return (Map<String, Object>) parse(text);
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
            } else {
                Map<?, ?> map = (Map<?, ?>) current;
                if (!map.containsKey(step)) {
                    throw new IllegalArgumentException("no key " + step + " in " + map);
                }
                current = map.get(step);
            }
        }
        return current;
    }

    private static Object plain(JsonElement element) {
        if (element.isJsonNull()) {
            return null;
        }
        if (element instanceof JsonObject object) {
            Map<String, Object> map = new LinkedHashMap<>();
            object.entrySet().forEach(e -> map.put(e.getKey(), plain(e.getValue())));
            return map;
        }
        if (element instanceof JsonArray array) {
            List<Object> list = new ArrayList<>();
            array.forEach(e -> list.add(plain(e)));
            return list;
        }
        JsonPrimitive primitive = element.getAsJsonPrimitive();
        if (primitive.isBoolean()) {
            return primitive.getAsBoolean();
        }
        if (primitive.isString()) {
            return primitive.getAsString();
        }
        String number = primitive.getAsString();
        return number.matches("-?\\d+") ? (Object) Long.parseLong(number)
                : (Object) Double.parseDouble(number);
    }
}
