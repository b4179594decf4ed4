package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertAll;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import java.lang.reflect.Constructor;
import java.lang.reflect.Executable;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.lang.reflect.Parameter;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;
import org.junit.jupiter.api.Test;

/**
 * The Java declarations the native library binds to: names and JNI descriptors of the native
 * methods, and the constructors and setData methods it calls on the value classes. A mismatch
 * here would only show up at run time as NoSuchMethodError or UnsatisfiedLinkError.
 */
class ApiSignatureTest {
    private static final String PKG = "com/holm/zep/tovik/api/jni/";
    private static final String S = "Ljava/lang/String;";
    private static final String LV = "L" + PKG + "LongValue;";

    private static String obj(String simpleName) {
        return "L" + PKG + simpleName + ";";
    }

    /** Native methods of TovikApiManager: name -> JNI descriptor. */
    private static final Map<String, String> NATIVES = new LinkedHashMap<>();

    static {
        NATIVES.put("vtxSetLogClass", "(" + S + S + ")V");
        NATIVES.put("vtxInitializeRuntime", "(" + S + S + "Z" + LV + ")J");
        NATIVES.put("vtxShutdownRuntime", "(J)V");
        NATIVES.put("vtxConfigureUsbInterface", "(J" + LV + ")V");
        NATIVES.put("vtxConfigureWifiInterface", "(J" + LV + ")V");

        NATIVES.put("vtxGetModuleIds", "(J" + LV + ")[" + obj("TovikVciItem"));
        NATIVES.put("vtxGetModuleInfo", "(JJ" + obj("TovikVciInfo") + LV + ")V");
        NATIVES.put("vtxGetModuleInfo3", "(JJ" + obj("TovikVciInfo3") + LV + ")V");

        NATIVES.put("vtxConnect", "(JJJ" + LV + ")J");
        NATIVES.put("vtxConnect2", "(JJJ" + S + LV + ")J");
        NATIVES.put("vtxGetConStatus", "(JJ" + LV + ")J");
        NATIVES.put("vtxDisconnect", "(JJ" + LV + ")V");

        NATIVES.put("vtxGetVersionInformation", "(JJJ" + obj("TovikVersionInfo") + LV + ")V");
        NATIVES.put("vtxGetVersionInformation2", "(JJJ" + obj("TovikVersionInfo") + LV + ")V");

        NATIVES.put("vtxRegisterForEvents", "(JJJ" + LV + ")V");
        NATIVES.put("vtxWaitForEvents", "(J" + obj("TovikEventQueue") + ")Z");
        NATIVES.put("vtxCancelEventNotification", "(J" + LV + ")V");

        NATIVES.put("vtxGetAppsPc", "(J" + LV + ")[" + obj("TovikAppPcItem"));
        NATIVES.put("vtxGetAppsPc2", "(J" + LV + ")[" + obj("TovikAppPcItem"));
        NATIVES.put("vtxGetAppsPc3", "(J" + LV + ")[" + obj("TovikAppPcItem"));
        NATIVES.put("vtxGetAppsVci", "(JJJJ" + LV + ")[" + obj("TovikAppVciItem"));
        NATIVES.put("vtxGetAppsVci2", "(JJJJ" + LV + ")[" + obj("TovikAppVciItem2"));

        NATIVES.put("vtxInstallVciApp", "(JJ" + S + obj("TovikAppStatus") + LV + ")V");
        NATIVES.put("vtxInstallVciApp2", "(JJJ" + obj("TovikAppStatus") + LV + ")V");
        NATIVES.put("vtxUninstallVciApp", "(JJ" + S + obj("TovikAppStatus") + LV + ")V");
        NATIVES.put("vtxUpdateSystemFirmware", "(JJ" + obj("TovikAppStatus") + LV + ")V");
        NATIVES.put("vtxInstallGetStatus", "(JJJ" + obj("TovikAppStatus") + LV + ")V");

        NATIVES.put("vtxControlApp", "(JJJJ" + LV + ")V");
        NATIVES.put("vtxSetConfigApp", "(JJJJ" + LV + ")V");
        NATIVES.put("vtxGetConfigApp", "(JJJ" + LV + ")J");

        String access = obj("TovikClientAccessItem");
        NATIVES.put("vtxStoreClientInfo", "(JJ" + S + "J[BJ" + access + LV + ")V");
        NATIVES.put("vtxStoreClientInfoFile", "(JJ" + S + "J" + S + "J" + access + LV + ")V");
        NATIVES.put("vtxDeleteClientInfo", "(JJ" + S + "J" + LV + ")V");
        NATIVES.put("vtxGetClientAccessStatus", "(JJJ" + access + LV + ")V");
        NATIVES.put("vtxGetAvailableClientSpace", "(JJ" + obj("TovikClientSpace") + LV + ")V");

        NATIVES.put("vtxGetClientInfoList", "(JJ" + LV + ")[" + obj("TovikClientInfoItem"));
        NATIVES.put("vtxGetClientInfo", "(JJ" + S + "JJ" + access + LV + ")V");
        NATIVES.put("vtxGetClientInfoResult", "(JJJ" + LV + ")[B");
        NATIVES.put("vtxGetClientInfoFile", "(JJ" + S + "J" + S + access + LV + ")V");

        NATIVES.put("vtxPendantSetLeds", "(JJ[J[J[J" + LV + ")V");
        NATIVES.put("vtxPendantGetLeds", "(JJ[J[J[J" + LV + ")V");
        NATIVES.put("vtxPendantSetSegDisp", "(JJ[JJJ" + LV + ")V");
        NATIVES.put("vtxPendantGetSegDisp", "(JJ" + obj("TovikPendantDisp") + LV + ")V");
        NATIVES.put("vtxPendantSetAudio", "(JJJJJJ" + LV + ")V");
        NATIVES.put("vtxPendantGetAudio", "(JJ" + LV + ")" + obj("TovikPendantAudioValues"));

        NATIVES.put("vtxGetAccessPointState", "(JJJ" + obj("TovikApStateItem") + LV + ")V");
        NATIVES.put("vtxEnableManualScan", "(JZ" + LV + ")V");
        NATIVES.put("vtxEnableAutoWifi", "(JZ" + LV + ")V");
        NATIVES.put("vtxGetAutoWifiInfo", "(J" + LV + ")" + obj("TovikAdaptInfoList"));

        NATIVES.put("vtxRunSelfTest", "(JJ" + LV + ")[B");
        NATIVES.put("vtxGetConfigItems", "(JJ" + LV + ")[" + obj("TovikConfigItem"));
    }

    /** Value classes: simple name -> setData descriptors the library calls. */
    private static final Map<String, Set<String>> SET_DATA = new TreeMap<>();

    /** Value classes: simple name -> constructor descriptors (the no-arg one for all). */
    private static final Map<String, Set<String>> CONSTRUCTORS = new TreeMap<>();

    private static void expect(String name, String... setData) {
        SET_DATA.put(name, new TreeSet<>(List.of(setData)));
        CONSTRUCTORS.put(name, new TreeSet<>(List.of("()V")));
    }

    static {
        expect("TovikVciItem", "(J" + S + "JJJ)V");
        expect("TovikClientInfo", "(ZJJ" + S + S + ")V");
        expect("TovikVciInfo", "(" + S + S + S + S + "[" + obj("TovikClientInfo") + ")V");
        expect("TovikVciInfo3",
                "(" + S + S + S + S + S + "JJJJ[" + obj("TovikClientInfo") + ")V");
        expect("TovikVersionInfo",
                "([" + obj("TovikVersionItem") + "[" + obj("TovikVersionItem") + ")V");
        expect("TovikVersionItem", "(" + S + "JJ)V", "(" + S + S + S + S + ")V");
        expect("TovikEventQueue", "([" + obj("TovikEvent") + ")V");
        expect("TovikEvent");
        CONSTRUCTORS.get("TovikEvent").add("(JJJ)V");
        expect("TovikAppPcItem", "(" + S + "JJ)V", "(" + S + "JJJJ)V",
                "(" + S + S + S + S + "JJ)V");
        expect("TovikAppVciItem", "(J" + S + "JJJ" + S + "JJI)V");
        expect("TovikAppVciItem2", "(J" + S + S + S + S + "J)V");
        expect("TovikAppStatus", "(JJIJJJJ" + S + ")V");
        expect("TovikClientAccessItem", "(JJIJJJ)V");
        expect("TovikClientSpace", "(JJJJ)V");
        expect("TovikClientInfoItem");
        CONSTRUCTORS.get("TovikClientInfoItem").add("(J" + S + "J)V");
        expect("TovikPendantDisp", "(JJJJJJJJJJ)V");
        expect("TovikPendantAudioValues", "(JJ)V");
        expect("TovikApStateItem", "(JJJJJII)V");
        expect("TovikAdaptInfoList", "(ZZZ[J[J[Z[" + S + ")V");
        expect("TovikConfigItem", "(J" + S + ")V");
    }

    static String descriptor(Class<?> type) {
        if (type.isArray()) {
            return "[" + descriptor(type.getComponentType());
        }
        if (type == void.class) {
            return "V";
        }
        if (type == boolean.class) {
            return "Z";
        }
        if (type == byte.class) {
            return "B";
        }
        if (type == char.class) {
            return "C";
        }
        if (type == short.class) {
            return "S";
        }
        if (type == int.class) {
            return "I";
        }
        if (type == long.class) {
            return "J";
        }
        if (type == float.class) {
            return "F";
        }
        if (type == double.class) {
            return "D";
        }
        return "L" + type.getName().replace('.', '/') + ";";
    }

    static String descriptor(Executable executable) {
        StringBuilder text = new StringBuilder("(");
        for (Class<?> parameter : executable.getParameterTypes()) {
            text.append(descriptor(parameter));
        }
        text.append(')');
        text.append(executable instanceof Method method ? descriptor(method.getReturnType()) : "V");
        return text.toString();
    }

    private static Class<?> valueClass(String simpleName) {
        try {
            return Class.forName("com.holm.zep.tovik.api.jni." + simpleName);
        } catch (ClassNotFoundException e) {
            return fail("missing class " + simpleName);
        }
    }

    @Test
    void expectedTablesAreComplete() {
        assertEquals(51, NATIVES.size());
        assertEquals(20, SET_DATA.size());
    }

    @Test
    void managerDeclaresExactlyTheNativeMethods() {
        Map<String, String> declared = new LinkedHashMap<>();
        List<String> problems = new ArrayList<>();
        for (Method method : TovikApiManager.class.getDeclaredMethods()) {
            int modifiers = method.getModifiers();
            boolean isNative = Modifier.isNative(modifiers);
            if (!isNative && !method.getName().startsWith("vtx")) {
                continue;
            }
            if (!isNative) {
                problems.add(method.getName() + " is not native");
            }
            if (!Modifier.isPublic(modifiers) || Modifier.isStatic(modifiers)) {
                problems.add(method.getName() + " must be a public instance method");
            }
            if (declared.put(method.getName(), descriptor(method)) != null) {
                problems.add(method.getName() + " is overloaded");
            }
        }
        Set<String> names = new TreeSet<>(NATIVES.keySet());
        names.addAll(declared.keySet());
        for (String name : names) {
            String expected = NATIVES.get(name);
            String actual = declared.get(name);
            if (expected == null) {
                problems.add("unexpected native " + name + actual);
            } else if (actual == null) {
                problems.add("missing native " + name + expected);
            } else if (!expected.equals(actual)) {
                problems.add(name + " is " + actual + ", expected " + expected);
            }
        }
        assertEquals(List.of(), problems);
        assertEquals(51, declared.size());
    }

    @Test
    void valueClassesHaveTheCalledSignatures() {
        List<Runnable> checks = new ArrayList<>();
        for (String name : SET_DATA.keySet()) {
            Class<?> type = valueClass(name);
            assertTrue(Modifier.isPublic(type.getModifiers()), name + " is public");
            Set<String> setData = new TreeSet<>();
            for (Method method : type.getDeclaredMethods()) {
                if (method.getName().equals("setData")) {
                    assertTrue(Modifier.isPublic(method.getModifiers())
                            && !Modifier.isStatic(method.getModifiers()), name + ".setData");
                    setData.add(descriptor(method));
                }
            }
            Set<String> constructors = new TreeSet<>();
            for (Constructor<?> constructor : type.getConstructors()) {
                constructors.add(descriptor(constructor));
            }
            checks.add(() -> assertEquals(SET_DATA.get(name), setData, name + ".setData"));
            checks.add(() -> assertEquals(CONSTRUCTORS.get(name), constructors,
                    name + " public constructors"));
        }
        assertAll(checks.stream().map(check -> check::run));
    }

    @Test
    void longValueAndLogSinkHaveTheCalledSignatures() throws Exception {
        Method set = LongValue.class.getMethod("set", long.class);
        assertEquals("(J)V", descriptor(set));
        assertFalse(Modifier.isStatic(set.getModifiers()));
        LongValue value = new LongValue();
        value.set(0x50000007L);
        assertEquals(0x50000007L, value.get());
        value.set(-1L);
        assertEquals(-1L, value.get());

        Method log = TovikLog.class.getMethod("log", String.class);
        assertEquals("(Ljava/lang/String;)V", descriptor(log));
        assertTrue(Modifier.isStatic(log.getModifiers()));
    }

    /**
     * Every setData and field-taking constructor stores each argument where the getter of the
     * same name reads it (a swapped pair of assignments fails here). Relies on the API being
     * compiled with parameter names.
     */
    @Test
    void everyArgumentReachesItsGetter() throws Exception {
        List<String> problems = new ArrayList<>();
        for (String name : SET_DATA.keySet()) {
            Class<?> type = valueClass(name);
            for (Method method : type.getDeclaredMethods()) {
                if (method.getName().equals("setData")) {
                    Object target = type.getConstructor().newInstance();
                    Object[] args = distinctArguments(method);
                    method.invoke(target, args);
                    checkGetters(name + "." + descriptor(method), target, method, args, problems);
                }
            }
            for (Constructor<?> constructor : type.getConstructors()) {
                if (constructor.getParameterCount() > 0) {
                    Object[] args = distinctArguments(constructor);
                    Object target = constructor.newInstance(args);
                    checkGetters(name + ".<init>" + descriptor(constructor), target, constructor,
                            args, problems);
                }
            }
        }
        assertEquals(List.of(), problems);
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
            assertNotNull(args[i]);
            if (args[i].getClass().isArray()) {
                if (actual != args[i]) {
                    problems.add(what + ": " + getter.getName() + " does not return argument " + i);
                }
            } else if (!args[i].equals(actual)) {
                problems.add(what + ": " + getter.getName() + " returns " + actual
                        + " instead of argument " + i + " (" + args[i] + ")");
            }
        }
        String text = target.toString();
        if (!text.startsWith(target.getClass().getSimpleName())) {
            problems.add(what + ": toString does not name the class: " + text);
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

    @Test
    void descriptorHelperMatchesJniRules() throws Exception {
        Method method = TovikApiManager.class.getMethod("vtxStoreClientInfo", long.class,
                long.class, String.class, long.class, byte[].class, long.class,
                TovikClientAccessItem.class, LongValue.class);
        assertEquals("(JJLjava/lang/String;J[BJLcom/holm/zep/tovik/api/jni/TovikClientAccessItem;"
                + "Lcom/holm/zep/tovik/api/jni/LongValue;)V", descriptor(method));
        assertArrayEquals(new String[] {"[Z", "[[J"},
                new String[] {descriptor(boolean[].class), descriptor(long[][].class)});
        assertSame(TovikApiManager.class, valueClass("TovikApiManager"));
    }
}
