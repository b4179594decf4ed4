package com.holm.zep.tovik.tool;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * A strict little JSON reader for checking the tool's --json output: objects become maps,
 * arrays lists, numbers Long (or Double with a fraction or exponent). Anything malformed,
 * including trailing text, throws.
 */
final class MiniJson {
    private final String text;
    private int pos;

    private MiniJson(String text) {
        this.text = text;
    }

    static Object parse(String text) {
        MiniJson p = new MiniJson(text);
        Object value = p.value();
        p.blank();
        if (p.pos != text.length()) {
            throw p.error("trailing text");
        }
        return value;
    }

    @SuppressWarnings("unchecked")
    static Map<String, Object> object(String text) {
        return (Map<String, Object>) parse(text);
    }

    /** The value at a path of keys and list indexes, e.g. at(doc, "modules", 0, "serialNumber"). */
    @SuppressWarnings("unchecked")
    static Object at(Object root, Object... path) {
        Object current = root;
        for (Object step : path) {
            if (step instanceof Integer index) {
                current = ((List<Object>) current).get(index);
            } else {
                Map<String, Object> map = (Map<String, Object>) current;
                if (!map.containsKey(step)) {
                    throw new AssertionError("no key '" + step + "' in " + map.keySet());
                }
                current = map.get(step);
            }
        }
        return current;
    }

    private Object value() {
        blank();
        if (pos >= text.length()) {
            throw error("value expected");
        }
        char c = text.charAt(pos);
        switch (c) {
            case '{':
                return object();
            case '[':
                return array();
            case '"':
                return string();
            case 't':
                return literal("true", Boolean.TRUE);
            case 'f':
                return literal("false", Boolean.FALSE);
            case 'n':
                return literal("null", null);
            default:
                return number();
        }
    }

    private Map<String, Object> object() {
        Map<String, Object> map = new LinkedHashMap<>();
        pos++;
        blank();
        if (peek() == '}') {
            pos++;
            return map;
        }
        while (true) {
            blank();
            String key = string();
            blank();
            expect(':');
            if (map.put(key, value()) != null) {
                throw error("duplicate key " + key);
            }
            blank();
            if (peek() == ',') {
                pos++;
            } else {
                expect('}');
                return map;
            }
        }
    }

    private List<Object> array() {
        List<Object> list = new ArrayList<>();
        pos++;
        blank();
        if (peek() == ']') {
            pos++;
            return list;
        }
        while (true) {
            list.add(value());
            blank();
            if (peek() == ',') {
                pos++;
            } else {
                expect(']');
                return list;
            }
        }
    }

    private String string() {
        expect('"');
        StringBuilder b = new StringBuilder();
        while (true) {
            if (pos >= text.length()) {
                throw error("unterminated string");
            }
            char c = text.charAt(pos++);
            if (c == '"') {
                return b.toString();
            }
            if (c < 0x20) {
                throw error("control character in string");
            }
            if (c != '\\') {
                b.append(c);
                continue;
            }
            char e = text.charAt(pos++);
            switch (e) {
                case '"', '\\', '/' -> b.append(e);
                case 'n' -> b.append('\n');
                case 'r' -> b.append('\r');
                case 't' -> b.append('\t');
                case 'b' -> b.append('\b');
                case 'f' -> b.append('\f');
                case 'u' -> {
                    b.append((char) Integer.parseInt(text.substring(pos, pos + 4), 16));
                    pos += 4;
                }
                default -> throw error("bad escape \\" + e);
            }
        }
    }

    private Object number() {
        int start = pos;
        while (pos < text.length() && "+-0123456789.eE".indexOf(text.charAt(pos)) >= 0) {
            pos++;
        }
        String n = text.substring(start, pos);
        if (!n.matches("-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?")) {
            throw error("bad number '" + n + "'");
        }
        return n.matches("-?[0-9]+") ? (Object) Long.parseLong(n) : (Object) Double.parseDouble(n);
    }

    private Object literal(String word, Object value) {
        if (!text.startsWith(word, pos)) {
            throw error("unknown literal");
        }
        pos += word.length();
        return value;
    }

    private void expect(char c) {
        if (peek() != c) {
            throw error("'" + c + "' expected");
        }
        pos++;
    }

    private char peek() {
        return pos < text.length() ? text.charAt(pos) : '\0';
    }

    private void blank() {
        while (pos < text.length() && Character.isWhitespace(text.charAt(pos))) {
            pos++;
        }
    }

    private IllegalArgumentException error(String what) {
        return new IllegalArgumentException(what + " at " + pos + " in: " + text);
    }
}
