package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import java.lang.reflect.Array;
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
 * The library names the Java classes it makes and the setData/constructor descriptors it calls in
 * its own C++ source (src/jni): the JavaClass table and the descriptor literals. A Java change
 * that does not follow shows only at run time, as a NoSuchMethodError in the middle of a result,
 * so the library's own text is read here and resolved against the real classes by reflection.
 */
class JavaClassTableTest {
    private static final Pattern DESCRIPTOR = Pattern.compile("\\((\\[*([ZBCSIJFD]|L[\\w/$]+;))*\\)V");
    private static final Pattern CLASS_ROW =
            Pattern.compile("constexpr\\s+char\\s+(\\w+)\\[\\]\\s*=\\s*(?:\\w+\\s+)?\"([\\w/$]+)\"");
    private static final Pattern CLASS_USE = Pattern.compile("JavaClass::(\\w+)");
    /** Comments, character literals (a quote after a digit is a digit separator) and string literals. */
    private static final Pattern TOKEN =
            Pattern.compile("//[^\\n]*|/\\*.*?\\*/|(?<![\\w])'(\\\\.|[^'\\\\])*'|\"(\\\\.|[^\"\\\\])*\"", Pattern.DOTALL);

    /** Table row name -> class, in the order of the table. */
    private static final Map<String, Class<?>> TABLE = new LinkedHashMap<>();
    /** Source file -> its code without comments, adjacent literals joined ("a" "b" is "ab"). */
    private static final Map<Path, String> SOURCES = new LinkedHashMap<>();

    @BeforeAll
    static void readLibrarySource() throws Exception {
        String root = System.getProperty("tovik.sourceDir");
        assertNotNull(root, "the test run passes -Dtovik.sourceDir");
        try (Stream<Path> files = Files.walk(Path.of(root, "src", "jni"))) {
            for (Path file : files.filter(f -> f.toString().matches(".*\\.(h|cpp)$")).sorted().toList()) {
                Matcher token = TOKEN.matcher(Files.readString(file));
                String code = token.replaceAll(m -> m.group().startsWith("\"") ? Matcher.quoteReplacement(m.group()) : " ");
                SOURCES.put(file, code.replaceAll("\"\\s+\"", ""));
            }
        }
        for (String code : SOURCES.values()) {
            int start = code.indexOf("namespace JavaClass {");
            if (start >= 0) {
                Matcher row = CLASS_ROW.matcher(code.substring(start, code.indexOf("\n}", start)));
                while (row.find()) {
                    // Rows of the API's package give the simple name; others (java/lang/String) the binary name.
                    String name = row.group(2).replace('/', '.');
                    TABLE.put(row.group(1), Class.forName(name.contains(".") ? name : "com.holm.zep.tovik.api.jni." + name,
                            false, ClassLoader.getSystemClassLoader()));
                }
            }
        }
        assertTrue(TABLE.size() >= 20, "JavaClass table found in src/jni: " + TABLE.keySet());
    }

    /**
     * Every descriptor literal in src/jni resolves to a public void setData, set or constructor of
     * a class the same file names through the table (of any table class when it names none), so a
     * class changing a descriptor another class shares still fails.
     */
    @Test
    void everyCalledDescriptorExistsOnTheClassesOfItsFile() {
        List<String> problems = new ArrayList<>();
        int descriptors = 0;
        for (Map.Entry<Path, String> source : SOURCES.entrySet()) {
            List<Class<?>> candidates = CLASS_USE.matcher(source.getValue()).results().<Class<?>>map(m -> TABLE.get(m.group(1)))
                    .filter(type -> type != null).distinct().toList();
            Matcher literal = Pattern.compile("\"([^\"]*)\"").matcher(source.getValue());
            while (literal.find()) {
                String descriptor = literal.group(1);
                if (DESCRIPTOR.matcher(descriptor).matches() && !descriptor.equals("()V")) {
                    descriptors++;
                    if ((candidates.isEmpty() ? TABLE.values() : candidates).stream().noneMatch(t -> offers(t, descriptor))) {
                        problems.add(source.getKey().getFileName() + ": " + descriptor + " on none of " + candidates);
                    }
                }
            }
        }
        assertEquals(List.of(), problems);
        assertTrue(descriptors >= 20, "descriptor literals found: " + descriptors);
    }

    private static boolean offers(Class<?> type, String descriptor) {
        return Stream.of(type.getMethods())
                .anyMatch(m -> (m.getName().equals("setData") || m.getName().equals("set"))
                        && !Modifier.isStatic(m.getModifiers()) && descriptor.equals(descriptor(m)))
                || Stream.of(type.getConstructors()).anyMatch(c -> descriptor.equals(descriptor(c)));
    }

    private static String descriptor(Executable executable) {
        StringBuilder text = new StringBuilder("(");
        for (Class<?> parameter : executable.getParameterTypes()) {
            text.append(parameter.descriptorString());
        }
        return text.append(')')
                .append(executable instanceof Method m ? m.getReturnType().descriptorString() : "V").toString();
    }

    /**
     * Every setData and field-taking constructor of a value class stores each argument where the
     * getter of the same name reads it (a swapped pair of assignments fails here). Relies on the
     * API being compiled with parameter names.
     */
    @Test
    void everyArgumentReachesItsGetter() throws Exception {
        List<String> problems = new ArrayList<>();
        int checked = 0;
        for (Class<?> type : TABLE.values()) {
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
                    checkGetters(type.getSimpleName() + ".<init>" + descriptor(constructor),
                            constructor.newInstance(args), constructor, args, problems);
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
            args[i] = types[i] == long.class ? (Object) (seed | 0x1_0000_0000L)
                    : types[i] == int.class ? (Object) (int) -seed
                    : types[i] == boolean.class ? (Object) (i % 2 == 0)
                    : types[i] == String.class ? "text" + i
                    : Array.newInstance(types[i].getComponentType(), i + 1);
        }
        return args;
    }

    private static void checkGetters(String what, Object target, Executable executable, Object[] args,
            List<String> problems) throws Exception {
        Parameter[] parameters = executable.getParameters();
        for (int i = 0; i < parameters.length; i++) {
            assertTrue(parameters[i].isNamePresent(), "compiled with -parameters");
            String suffix = Character.toUpperCase(parameters[i].getName().charAt(0)) + parameters[i].getName().substring(1);
            Method getter = Stream.of(target.getClass().getMethods())
                    .filter(m -> m.getParameterCount() == 0 && (m.getName().equals("get" + suffix) || m.getName().equals("is" + suffix)))
                    .findFirst().orElse(null);
            Object actual = getter == null ? "no getter" : getter.invoke(target);
            if (args[i].getClass().isArray() ? actual != args[i] : !args[i].equals(actual)) {
                problems.add(what + ": " + parameters[i].getName() + " reads " + actual + " instead of " + args[i]);
            }
        }
        if (!target.toString().startsWith(target.getClass().getSimpleName())) {
            problems.add(what + ": toString does not name the class: " + target);
        }
    }
}
