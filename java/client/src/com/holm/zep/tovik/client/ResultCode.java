package com.holm.zep.tovik.client;

import java.util.HashMap;
import java.util.Locale;
import java.util.Map;
import java.util.Optional;

/**
 * The named result codes an operation can report: the library's own, the virtual provider's
 * refusals and the common COM status codes a provider may hand through.
 *
 * <p>This is the one table of names and meanings: {@link TovikException} takes its name and
 * meaning from here, and so does anything that shows a code to a person. Codes are compared by
 * their low 32 bits, since that is all the provider and the library keep; a code that is not in
 * the table is reported as {@value #UNNAMED} with the meaning {@value #UNNAMED_MEANING}.
 */
public enum ResultCode {
    /** Success. */
    OK(0, "success"),
    /** The library found no provider interface, too few arguments reached it, or the input was empty. */
    TOVIK_E_NO_INTERFACE(0x50000003L, "no provider interface, too few arguments or empty input"),
    /** The library could not build the byte array it hands to the provider. */
    TOVIK_E_BYTE_ARRAY(0x50000006L, "the byte array for the provider could not be built"),
    /** No runtime is known for the handle (also a few operations' own default). */
    TOVIK_E_NO_RUNTIME(0x50000007L,
            "no runtime for this manager handle (or the operation's own default)"),
    /** Virtual provider: no module with this serial number. */
    PROVIDER_UNKNOWN_MODULE(0x20000101L, "no module with this serial number"),
    /** Virtual provider: no open connection with this handle. */
    PROVIDER_UNKNOWN_CONNECTION(0x20000102L, "no open connection with this handle"),
    /** Virtual provider: no stored client information with this identifier. */
    PROVIDER_NOT_FOUND(0x20000103L, "no stored client information with this identifier"),
    /** Virtual provider: not enough client space left on the module. */
    PROVIDER_NO_SPACE(0x20000104L, "not enough client space left on the module"),
    /** Virtual provider: no such application. */
    PROVIDER_UNKNOWN_APP(0x20000105L, "no such application"),
    /** Virtual provider: the application is not installed on the module. */
    PROVIDER_NOT_INSTALLED(0x20000106L, "the application is not installed on the module"),
    /** Virtual provider: no installation job with this number. */
    PROVIDER_UNKNOWN_JOB(0x20000107L, "no installation job with this number"),
    /** Virtual provider: no client information access with this id. */
    PROVIDER_UNKNOWN_ACCESS(0x20000108L, "no client information access with this id"),
    /** Virtual provider: the file could not be read or written. */
    PROVIDER_FILE_ERROR(0x20000109L, "the file could not be read or written"),
    /** COM: not implemented by the provider. */
    E_NOTIMPL(0x80004001L, "not implemented by the provider"),
    /** COM: invalid pointer. */
    E_POINTER(0x80004003L, "invalid pointer"),
    /** COM: unspecified failure. */
    E_FAIL(0x80004005L, "unspecified provider failure"),
    /** COM: unexpected failure. */
    E_UNEXPECTED(0x8000FFFFL, "unexpected provider failure"),
    /** COM: out of memory. */
    E_OUTOFMEMORY(0x8007000EL, "the provider ran out of memory"),
    /** COM: invalid argument. */
    E_INVALIDARG(0x80070057L, "invalid argument");

    /** Name given to a code that is not in the table. */
    public static final String UNNAMED = "PROVIDER_CODE";
    /** Meaning given to a code that is not in the table. */
    public static final String UNNAMED_MEANING = "result code of the provider";

    private static final Map<Long, ResultCode> BY_VALUE = new HashMap<>();

    static {
        for (ResultCode code : values()) {
            BY_VALUE.put(code.value, code);
        }
    }

    private final long value;
    private final String meaning;

    ResultCode(long value, String meaning) {
        this.value = value;
        this.meaning = meaning;
    }

    /** {@return the code's value: its low 32 bits, as a non-negative {@code long}} */
    public long value() {
        return value;
    }

    /** {@return a short meaning, e.g. "no such application"} */
    public String meaning() {
        return meaning;
    }

    /**
     * {@return the code as the provider and the library keep it: its low 32 bits}
     *
     * @param code a result code
     */
    public static long normalize(long code) {
        return code & 0xFFFFFFFFL;
    }

    /**
     * {@return the named code with these low 32 bits, if the table has one}
     *
     * @param code a result code
     */
    public static Optional<ResultCode> of(long code) {
        return Optional.ofNullable(BY_VALUE.get(normalize(code)));
    }

    /**
     * {@return the code's name, or {@value #UNNAMED} for a code not in the table}
     *
     * @param code a result code
     */
    public static String nameOf(long code) {
        ResultCode known = BY_VALUE.get(normalize(code));
        return known == null ? UNNAMED : known.name();
    }

    /**
     * {@return the code's meaning, or {@value #UNNAMED_MEANING} for a code not in the table}
     *
     * @param code a result code
     */
    public static String meaningOf(long code) {
        ResultCode known = BY_VALUE.get(normalize(code));
        return known == null ? UNNAMED_MEANING : known.meaning;
    }

    /**
     * {@return the code as eight upper-case hexadecimal digits: "0x50000007"}
     *
     * @param code a result code
     */
    public static String hex(long code) {
        return String.format(Locale.ROOT, "0x%08X", normalize(code));
    }

    /**
     * {@return "0x50000007 TOVIK_E_NO_RUNTIME (no runtime for this manager handle ...)"}
     *
     * @param code a result code
     */
    public static String describe(long code) {
        return hex(code) + " " + nameOf(code) + " (" + meaningOf(code) + ")";
    }

    /**
     * Reads a code given as a name of this table (any case), as "0x"-prefixed hexadecimal or as
     * a decimal number; underscores between digits are ignored. A number must be a 32-bit code,
     * unsigned (up to 0xFFFFFFFF) or as Java's {@code int} shows it (down to -2147483648, read
     * as its low 32 bits): a larger one is no code, rather than another code's low 32 bits.
     *
     * @param text the code as a person wrote it
     * @return the code's low 32 bits, or empty when the text is none of these
     */
    public static Optional<Long> parse(String text) {
        String name = text.trim();
        for (ResultCode code : values()) {
            if (code.name().equalsIgnoreCase(name)) {
                return Optional.of(code.value);
            }
        }
        String t = name.replace("_", "");
        boolean negative = t.startsWith("-");
        String digits = negative ? t.substring(1) : t;
        if (negative && (digits.startsWith("-") || digits.startsWith("+"))) {
            return Optional.empty();
        }
        long magnitude;
        try {
            magnitude = digits.startsWith("0x") || digits.startsWith("0X")
                    ? Long.parseUnsignedLong(digits.substring(2), 16)
                    : Long.parseLong(digits);
        } catch (NumberFormatException e) {
            return Optional.empty();
        }
        // A negative magnitude is a hexadecimal number beyond 63 bits.
        long value = negative ? -magnitude : magnitude;
        if (magnitude < 0 || value < Integer.MIN_VALUE || value > 0xFFFFFFFFL) {
            return Optional.empty();
        }
        return Optional.of(normalize(value));
    }
}
