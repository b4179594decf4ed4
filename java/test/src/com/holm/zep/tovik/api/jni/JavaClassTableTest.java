package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import java.io.IOException;
import java.lang.reflect.Constructor;
import java.lang.reflect.Executable;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.lang.reflect.Parameter;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * The native library names Java classes and the setData/constructor descriptors it calls on
 * them in its own C++ source (src/jni): the JavaClass table and the descriptor literals. A
 * Java change that does not follow shows up only at run time as a NoSuchMethodError in the
 * middle of a result, so the library's own text is read here and resolved against the real
 * classes by reflection.
 */
class JavaClassTableTest {
    private static final Pattern DESCRIPTOR =
            Pattern.compile("\\((\\[*([ZBCSIJFD]|L[\\w/$]+;))*\\)V");
    private static final Pattern CLASS_ROW =
            Pattern.compile("constexpr\\s+char\\s+(\\w+)\\[\\]\\s*=\\s*(?:\\w+\\s+)?\"([\\w/$]+)\"");
    private static final Pattern CLASS_USE = Pattern.compile("JavaClass::(\\w+)");

    /** Table row name -> class, in the order of the table. */
    private static final Map<String, Class<?>> TABLE = new LinkedHashMap<>();
    /** Source file -> its code with comments removed and adjacent literals joined. */
    private static final Map<Path, String> SOURCES = new LinkedHashMap<>();

    @BeforeAll
    static void readLibrarySource() throws IOException {
        String root = System.getProperty("tovik.sourceDir");
        assertNotNull(root, "the test run passes -Dtovik.sourceDir");
        Path jni = Path.of(root, "src", "jni");
        try (Stream<Path> files = Files.walk(jni)) {
            for (Path file : files.filter(f -> f.toString().matches(".*\\.(h|cpp)$")).sorted().toList()) {
                SOURCES.put(file, code(Files.readString(file)));
            }
        }
        for (String code : SOURCES.values()) {
            int start = code.indexOf("namespace JavaClass {");
            if (start < 0) {
                continue;
            }
            Matcher row = CLASS_ROW.matcher(code.substring(start, code.indexOf("\n}", start)));
            while (row.find()) {
                // Rows of the API's package give the simple name after a package macro; others
                // (java/lang/String) give the whole binary name.
                TABLE.put(row.group(1), load(row.group(2).replace('/', '.'), row.group(0)));
            }
        }
        assertTrue(TABLE.size() >= 20, "JavaClass table found in src/jni: " + TABLE.keySet());
    }

    /**
     * The code of a C++ file without comments and character literals, with "a" "b" literal runs
     * joined into "ab" (a descriptor may be split over lines that way).
     */
    private static String code(String text) {
        StringBuilder code = new StringBuilder();
        int i = 0;
        while (i < text.length()) {
            char c = text.charAt(i);
            if (text.startsWith("//", i)) {
                i = text.indexOf('\n', i) < 0 ? text.length() : text.indexOf('\n', i);
            } else if (text.startsWith("/*", i)) {
                i = text.indexOf("*/", i + 2) + 2;
                code.append(' ');
            } else if (c == '"' || (c == '\'' && (i == 0 || !Character.isLetterOrDigit(text.charAt(i - 1))))) {
                // A quote after a digit is a digit separator (0xFFFF'FFFF), no character literal.
                int end = i + 1;
                while (text.charAt(end) != c) {
                    end += text.charAt(end) == '\\' ? 2 : 1;
                }
                if (c == '"') {
                    code.append(text, i, end + 1);
                }
                i = end + 1;
            } else {
                code.append(c);
                i++;
            }
        }
        return code.toString().replaceAll("\"\\s+\"", "");
    }

    private static Class<?> load(String name, String row) {
        String className = name.contains(".") ? name : "com.holm.zep.tovik.api.jni." + name;
        try {
            // Threads the library attaches find classes through the system class loader.
            return Class.forName(className, false, ClassLoader.getSystemClassLoader());
        } catch (ClassNotFoundException e) {
            throw new AssertionError("table row names no loadable class: " + row, e);
        }
    }

    /**
     * Each row names its own public class; classes the library fills through setData (after
     * making them with "()V") have a public no-argument constructor.
     */
    @Test
    void tableRowsNamePublicClassesThatTheLibraryCanMake() {
        List<String> problems = new ArrayList<>();
        TABLE.forEach((row, type) -> {
            if (!row.equals(type.getSimpleName()) || !Modifier.isPublic(type.getModifiers())) {
                problems.add(row + " names " + type + (Modifier.isPublic(type.getModifiers()) ? "" : ", not public"));
            }
            boolean hasSetData = Stream.of(type.getMethods()).anyMatch(m -> m.getName().equals("setData"));
            if (hasSetData && Stream.of(type.getConstructors()).noneMatch(c -> c.getParameterCount() == 0)) {
                problems.add(row + " has no public no-argument constructor");
            }
        });
        assertEquals(List.of(), problems);
    }

    /**
     * Every descriptor literal in src/jni resolves to a public void setData, set or constructor
     * of a class the same file names through the table (of any table class when the file names
     * none), so one class changing a descriptor another class shares still fails.
     */
    @Test
    void everyCalledDescriptorExistsOnTheClassesOfItsFile() {
        List<String> problems = new ArrayList<>();
        int descriptors = 0;
        for (Map.Entry<Path, String> source : SOURCES.entrySet()) {
            List<Class<?>> candidates = new ArrayList<>();
            Matcher use = CLASS_USE.matcher(source.getValue());
            while (use.find()) {
                Class<?> type = TABLE.get(use.group(1));
                if (type != null && !candidates.contains(type)) {
                    candidates.add(type);
                }
            }
            if (candidates.isEmpty()) {
                candidates.addAll(TABLE.values());
            }
            Matcher literal = Pattern.compile("\"([^\"]*)\"").matcher(source.getValue());
            while (literal.find()) {
                String descriptor = literal.group(1);
                if (!DESCRIPTOR.matcher(descriptor).matches() || descriptor.equals("()V")) {
                    continue;
                }
                descriptors++;
                if (candidates.stream().noneMatch(type -> offers(type, descriptor))) {
                    problems.add(source.getKey().getFileName() + ": " + descriptor
                            + " on none of " + candidates.stream().map(Class::getSimpleName).toList());
                }
            }
        }
        assertEquals(List.of(), problems);
        assertTrue(descriptors >= 20, "descriptor literals found: " + descriptors);
    }

    private static boolean offers(Class<?> type, String descriptor) {
        for (Method method : type.getMethods()) {
            boolean called = method.getName().equals("setData") || method.getName().equals("set");
            if (called && !Modifier.isStatic(method.getModifiers()) && descriptor.equals(descriptor(method))) {
                return true;
            }
        }
        for (Constructor<?> constructor : type.getConstructors()) {
            if (descriptor.equals(descriptor(constructor))) {
                return true;
            }
        }
        return false;
    }

    static String descriptor(Executable executable) {
        StringBuilder text = new StringBuilder("(");
        for (Class<?> parameter : executable.getParameterTypes()) {
            text.append(parameter.descriptorString());
        }
        text.append(')');
        text.append(executable instanceof Method method ? method.getReturnType().descriptorString() : "V");
        return text.toString();
    }

    /**
     * Every setData and field-taking constructor of a table class stores each argument where the
     * getter of the same name reads it (a swapped pair of assignments fails here). Relies on the
     * API being compiled with parameter names.
     */
    @Test
    void everyArgumentReachesItsGetter() throws Exception {
        List<String> problems = new ArrayList<>();
        int checked = 0;
        for (Class<?> type : TABLE.values()) {
            // LongValue is the result holder every test reads; the rest are the value classes.
            if (!type.getPackageName().equals(LongValue.class.getPackageName()) || type == LongValue.class) {
                continue;
            }
            for (Method method : type.getDeclaredMethods()) {
                if (method.getName().equals("setData")) {
                    Object target = type.getConstructor().newInstance();
                    Object[] args = distinctArguments(method);
                    method.invoke(target, args);
                    checkGetters(type.getSimpleName() + "." + descriptor(method), target, method, args, problems);
                    checked++;
                }
            }
            for (Constructor<?> constructor : type.getConstructors()) {
                if (constructor.getParameterCount() > 0) {
                    Object[] args = distinctArguments(constructor);
                    Object target = constructor.newInstance(args);
                    checkGetters(type.getSimpleName() + ".<init>" + descriptor(constructor), target,
                            constructor, args, problems);
                    checked++;
                }
            }
        }
        assertEquals(List.of(), problems);
        assertTrue(checked >= 20, "setData methods and constructors checked: " + checked);
    }

    private static Object[] distinctArguments(Executable executable) {
        Class<?>[] types = executable.getParameterTypes();
        Object[] args = new Object[types.length];
        for (int i = 0; i < types.length; i++) {
            long seed = 1000L * (i + 1) + 7;
            Class<?> type = types[i];
            if (type == long.class) {
                args[i] = seed | 0x1_0000_0000L;
            } else if (type == int.class) {
                args[i] = (int) -seed;
            } else if (type == boolean.class) {
                args[i] = i % 2 == 0;
            } else if (type == String.class) {
                args[i] = "text" + i;
            } else if (type.isArray()) {
                args[i] = java.lang.reflect.Array.newInstance(type.getComponentType(), i + 1);
            } else {
                throw new AssertionError("unexpected parameter type " + type);
            }
        }
        return args;
    }

    private static void checkGetters(String what, Object target, Executable executable,
            Object[] args, List<String> problems) throws Exception {
        Parameter[] parameters = executable.getParameters();
        for (int i = 0; i < parameters.length; i++) {
            assertTrue(parameters[i].isNamePresent(), "compiled with -parameters");
            String property = parameters[i].getName();
            String suffix = Character.toUpperCase(property.charAt(0)) + property.substring(1);
            Method getter = findGetter(target.getClass(), suffix);
            if (getter == null) {
                problems.add(what + ": no getter for " + property);
                continue;
            }
            Object actual = getter.invoke(target);
            boolean same = args[i].getClass().isArray() ? actual == args[i] : args[i].equals(actual);
            if (!same) {
                problems.add(what + ": " + getter.getName() + " returns " + actual
                        + " instead of argument " + i + " (" + args[i] + ")");
            }
        }
        if (!target.toString().startsWith(target.getClass().getSimpleName())) {
            problems.add(what + ": toString does not name the class: " + target);
        }
    }

    private static Method findGetter(Class<?> type, String suffix) {
        for (String prefix : new String[] {"get", "is"}) {
            try {
                return type.getMethod(prefix + suffix);
            } catch (NoSuchMethodException e) {
                // try the next prefix
            }
        }
        return null;
    }
}
