package com.holm.zep.tovik.client;

import java.util.Optional;

/**
 * An operation that the library or the provider refused: it reported a non-zero result code.
 *
 * <p>The code is kept as its low 32 bits, which is all the provider and the library keep; its
 * name and meaning come from {@link ResultCode}. The message is complete on its own, e.g.
 * "vtxInstallVciApp failed: 0x20000105 PROVIDER_UNKNOWN_APP (no such application)".
 */
public class TovikException extends RuntimeException {
    private static final long serialVersionUID = 1L;

    /** What failed. */
    private final String operation;
    /** The result code's low 32 bits. */
    private final long code;

    /**
     * An operation that reported {@code code}.
     *
     * @param operation what failed, e.g. the native method's name "vtxGetModuleIds"
     * @param code the result code as reported (only its low 32 bits are kept)
     */
    public TovikException(String operation, long code) {
        super(operation + " failed: " + ResultCode.describe(code));
        this.operation = operation;
        this.code = ResultCode.normalize(code);
    }

    /** {@return what failed, e.g. "vtxGetModuleIds"} */
    public String operation() {
        return operation;
    }

    /** {@return the result code's low 32 bits, e.g. 0x50000007} */
    public long code() {
        return code;
    }

    /** {@return the code's name from {@link ResultCode}, or {@value ResultCode#UNNAMED}} */
    public String codeName() {
        return ResultCode.nameOf(code);
    }

    /** {@return the code's meaning from {@link ResultCode}} */
    public String meaning() {
        return ResultCode.meaningOf(code);
    }

    /** {@return the named code, when the table knows it} */
    public Optional<ResultCode> resultCode() {
        return ResultCode.of(code);
    }
}
