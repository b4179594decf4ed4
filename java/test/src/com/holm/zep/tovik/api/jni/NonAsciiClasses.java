package com.holm.zep.tovik.api.jni;

import java.io.IOException;
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.lang.invoke.MethodHandles;
import java.nio.charset.StandardCharsets;
import java.util.HashMap;
import java.util.Map;

/**
 * Classes with names outside ASCII, defined at run time in this package (and so in the class
 * loader of {@link TovikApiManager}, where the library's class lookup finds them): a copy of
 * {@link NonAsciiSinkTemplate} whose name entry in the class file is replaced.
 */
final class NonAsciiClasses {
    private static final Map<String, String> DEFINED = new HashMap<>();

    private NonAsciiClasses() {
    }

    /** The slash-separated name of a log sink class named {@code simpleName} in this package. */
    static synchronized String sinkNamed(String simpleName) {
        return DEFINED.computeIfAbsent(simpleName, NonAsciiClasses::define);
    }

    private static String define(String simpleName) {
        String template = NonAsciiSinkTemplate.class.getName().replace('.', '/');
        String renamed = template.substring(0, template.lastIndexOf('/') + 1) + simpleName;
        byte[] bytes = templateBytes();
        byte[] from = utf8Entry(template);
        byte[] to = utf8Entry(renamed);
        int at = indexOf(bytes, from, 0);
        if (at < 0 || indexOf(bytes, from, at + 1) >= 0) {
            throw new IllegalStateException("the template names itself once, not " + (at < 0 ? 0 : "twice"));
        }
        byte[] copy = new byte[bytes.length - from.length + to.length];
        System.arraycopy(bytes, 0, copy, 0, at);
        System.arraycopy(to, 0, copy, at, to.length);
        System.arraycopy(bytes, at + from.length, copy, at + to.length, bytes.length - at - from.length);
        try {
            MethodHandles.lookup().defineClass(copy);
        } catch (IllegalAccessException e) {
            throw new IllegalStateException(e);
        }
        return renamed;
    }

    private static byte[] templateBytes() {
        try (InputStream in = NonAsciiSinkTemplate.class.getResourceAsStream("NonAsciiSinkTemplate.class")) {
            return in.readAllBytes();
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /**
     * A CONSTANT_Utf8 entry: tag 1, two length bytes, the text (modified UTF-8 is UTF-8 for the
     * characters used here: no NUL, nothing outside the Basic Multilingual Plane).
     */
    private static byte[] utf8Entry(String text) {
        byte[] chars = text.getBytes(StandardCharsets.UTF_8);
        byte[] entry = new byte[chars.length + 3];
        entry[0] = 1;
        entry[1] = (byte) (chars.length >> 8);
        entry[2] = (byte) chars.length;
        System.arraycopy(chars, 0, entry, 3, chars.length);
        return entry;
    }

    private static int indexOf(byte[] haystack, byte[] needle, int from) {
        outer:
        for (int i = from; i + needle.length <= haystack.length; i++) {
            for (int j = 0; j < needle.length; j++) {
                if (haystack[i + j] != needle[j]) {
                    continue outer;
                }
            }
            return i;
        }
        return -1;
    }
}
