package com.holm.zep.tovik.test;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.List;

/** Value objects as text, to compare what the library delivered field by field. */
public final class ValueText {
    private ValueText() {
    }

    /**
     * Every field of a value object in declaration order, nested objects and arrays included:
     * {@code VciItem(4000000000 "High" 5 0 0)}, texts quoted, arrays of objects as "[a b]".
     */
    public static String of(Object value) {
        if (value == null || value instanceof Number || value instanceof Boolean) {
            return String.valueOf(value);
        }
        if (value instanceof String text) {
            return '"' + text + '"';
        }
        Class<?> type = value.getClass();
        if (type.isArray()) {
            List<String> elements = new ArrayList<>();
            for (int i = 0; i < Array.getLength(value); i++) {
                elements.add(of(Array.get(value, i)));
            }
            Class<?> element = type.getComponentType();
            boolean objects = !element.isPrimitive() && element != String.class && !element.isArray();
            return objects ? "[" + String.join(" ", elements) + "]" : elements.toString();
        }
        List<String> fields = new ArrayList<>();
        for (Field field : type.getDeclaredFields()) {
            if (!Modifier.isStatic(field.getModifiers())) {
                field.setAccessible(true);
                try {
                    fields.add(of(field.get(value)));
                } catch (IllegalAccessException e) {
                    throw new AssertionError(e);
                }
            }
        }
        return type.getSimpleName().replaceFirst("^Tovik", "") + "(" + String.join(" ", fields) + ")";
    }
}
