package com.holm.zep.tovik.tool;

import java.util.LinkedHashMap;
import java.util.Map;
import picocli.CommandLine.TypeConversionException;

/**
 * Names and short meanings of the result codes an operation can report: the library's own, the
 * virtual provider's refusals and the common COM status codes a provider may hand through.
 */
final class ResultCodes {
    /** One named result code. */
    record Code(long value, String name, String meaning) {
    }

    static final long OK = 0;
    static final long NO_INTERFACE = 0x50000003L;
    static final long BYTE_ARRAY = 0x50000006L;
    static final long NO_RUNTIME = 0x50000007L;

    private static final Map<Long, Code> CODES = new LinkedHashMap<>();

    static {
        add(OK, "OK", "success");
        add(NO_INTERFACE, "TOVIK_E_NO_INTERFACE",
                "no provider interface, too few arguments or empty input");
        add(BYTE_ARRAY, "TOVIK_E_BYTE_ARRAY", "the byte array for the provider could not be built");
        add(NO_RUNTIME, "TOVIK_E_NO_RUNTIME",
                "no runtime for this manager handle (or the operation's own default)");
        // Refusals of the virtual provider's workshop model (its scenario may renumber them).
        add(0x20000101L, "PROVIDER_UNKNOWN_MODULE", "no module with this serial number");
        add(0x20000102L, "PROVIDER_UNKNOWN_CONNECTION", "no open connection with this handle");
        add(0x20000103L, "PROVIDER_NOT_FOUND", "no stored client information with this identifier");
        add(0x20000104L, "PROVIDER_NO_SPACE", "not enough client space left on the module");
        add(0x20000105L, "PROVIDER_UNKNOWN_APP", "no such application");
        add(0x20000106L, "PROVIDER_NOT_INSTALLED",
                "the application is not installed on the module");
        add(0x20000107L, "PROVIDER_UNKNOWN_JOB", "no installation job with this number");
        add(0x20000108L, "PROVIDER_UNKNOWN_ACCESS", "no client information access with this id");
        add(0x20000109L, "PROVIDER_FILE_ERROR", "the file could not be read or written");
        // Common COM status codes.
        add(0x80004001L, "E_NOTIMPL", "not implemented by the provider");
        add(0x80004003L, "E_POINTER", "invalid pointer");
        add(0x80004005L, "E_FAIL", "unspecified provider failure");
        add(0x8000FFFFL, "E_UNEXPECTED", "unexpected provider failure");
        add(0x8007000EL, "E_OUTOFMEMORY", "the provider ran out of memory");
        add(0x80070057L, "E_INVALIDARG", "invalid argument");
    }

    private ResultCodes() {
    }

    private static void add(long value, String name, String meaning) {
        CODES.put(value, new Code(value, name, meaning));
    }

    /** The code as the provider and library see it: its low 32 bits. */
    static long normalize(long code) {
        return code & 0xFFFFFFFFL;
    }

    static Code lookup(long code) {
        long key = normalize(code);
        Code known = CODES.get(key);
        if (known != null) {
            return known;
        }
        return new Code(key, "PROVIDER_CODE", "result code of the provider");
    }

    static String hex(long code) {
        return String.format("0x%08X", normalize(code));
    }

    /** "0x50000007 TOVIK_E_NO_RUNTIME (no runtime ...)". */
    static String describe(long code) {
        Code c = lookup(code);
        return hex(code) + " " + c.name() + " (" + c.meaning() + ")";
    }

    /** Every named code, in table order. */
    static Iterable<Code> all() {
        return CODES.values();
    }

    /**
     * Parses "0x50000007", "1342177287", a code as Java sees it ("-2147467259") or a code name.
     * A number that is not a 32-bit code, signed or unsigned, is refused rather than cut.
     */
    static Code parse(String text) {
        String t = text.trim();
        for (Code c : CODES.values()) {
            if (c.name().equalsIgnoreCase(t)) {
                return c;
            }
        }
        long value;
        try {
            value = Numbers.parse(t);
        } catch (NumberFormatException e) {
            if (!Numbers.looksNumeric(t)) {
                throw new TypeConversionException("'" + text + "' is neither a number nor a known "
                        + "code name");
            }
            value = Long.MAX_VALUE;
        }
        if (value < Integer.MIN_VALUE || value > Numbers.U32_MAX) {
            throw new TypeConversionException("'" + text + "' is out of range: "
                    + Integer.MIN_VALUE + " to " + Numbers.U32_MAX + " (0x0 to 0xFFFFFFFF)");
        }
        return lookup(value);
    }
}
