package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.TovikException;
import java.util.function.Supplier;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * One client call under the tool's own words for it: a refusal names the operation as the user
 * asked for it ("install Data Logger failed: 0x20000105 ..."), not the native method the client
 * names, and a native method missing from the library ends the command with exit code 3.
 */
final class Operation {
    /** The native method in the JVM's message about an unlinked method. */
    private static final Pattern NATIVE_METHOD = Pattern.compile("\\b(vtx\\w+)\\(");

    private Operation() {
    }

    /** Runs {@code call}; a refusal or a missing native method ends the command. */
    static <T> T of(String operation, Supplier<T> call) {
        try {
            return call.get();
        } catch (TovikException e) {
            throw ToolException.failed(operation, e.code());
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.missing(operation, nativeMethod(e));
        }
    }

    /** Runs {@code call}, which has no value; a refusal or a missing method ends the command. */
    static void run(String operation, Runnable call) {
        of(operation, () -> {
            call.run();
            return null;
        });
    }

    private static String nativeMethod(UnsatisfiedLinkError e) {
        Matcher m = NATIVE_METHOD.matcher(String.valueOf(e.getMessage()));
        return m.find() ? m.group(1) : "a native method";
    }
}
