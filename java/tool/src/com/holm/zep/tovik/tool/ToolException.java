package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.ResultCode;

/**
 * Ends a command with one clear line on standard error and a non-zero exit code. The message is
 * complete on its own ("install failed: 0x20000105 PROVIDER_UNKNOWN_APP (no such application)").
 */
final class ToolException extends RuntimeException {
    private static final long serialVersionUID = 1L;

    /** Exit code of an operation that the library or the provider refused. */
    static final int FAILED = 1;
    /**
     * Exit code of a bad command line: one that picocli could not parse, or that names a module,
     * a file or a value that is not there or not allowed.
     */
    static final int USAGE = 2;
    /** Exit code when the library, the provider or a native method is not available. */
    static final int UNAVAILABLE = 3;
    /** Exit code after Ctrl-C ended a command that had not finished its work. */
    static final int INTERRUPTED = 130;

    private final int exitCode;
    private final Long resultCode;
    private final String operation;

    ToolException(int exitCode, String operation, Long resultCode, String message) {
        super(message);
        this.exitCode = exitCode;
        this.operation = operation;
        this.resultCode = resultCode;
    }

    /** An operation returned a non-zero result code. */
    static ToolException failed(String operation, long code) {
        return new ToolException(FAILED, operation, ResultCode.normalize(code),
                operation + " failed: " + ResultCode.describe(code));
    }

    /** An operation failed for a reason of its own (not a result code). */
    static ToolException failed(String operation, String reason) {
        return new ToolException(FAILED, operation, null, operation + " failed: " + reason);
    }

    /** An argument problem found by the tool itself or by picocli. */
    static ToolException usage(String message) {
        return new ToolException(USAGE, "command line", null, message);
    }

    /** The library does not (yet) implement a native method. */
    static ToolException missing(String operation, String nativeMethod) {
        return new ToolException(UNAVAILABLE, operation, null, operation + " failed: "
                + nativeMethod + " is not available in this build of the native library");
    }

    static ToolException unavailable(String operation, String reason) {
        return new ToolException(UNAVAILABLE, operation, null, operation + " failed: " + reason);
    }

    int exitCode() {
        return exitCode;
    }

    Long resultCode() {
        return resultCode;
    }

    String operation() {
        return operation;
    }
}
