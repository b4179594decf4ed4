package com.holm.zep.tovik.tool;

import java.util.concurrent.Callable;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Spec;

/**
 * Base of every command that talks to the library: opens a {@link Session}, runs the command's
 * work with a {@link Report}, and closes the session (disconnect, runtime shutdown) whatever
 * happens. Failures leave as {@link ToolException} for {@link Tovik} to print.
 */
abstract class ToolCommand implements Callable<Integer> {
    @Spec
    CommandSpec commandSpec;

    /** Exit code of a command that finished its output but still counts as failed. */
    int exitCode;

    ToolOptions options() {
        return (ToolOptions) commandSpec.root().userObject();
    }

    @Override
    public Integer call() {
        Report report = new Report(options().json(), System.out);
        try (Session session = Session.open(options(), System.err)) {
            execute(session, report);
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.unavailable(commandSpec.qualifiedName(), "a native method is missing ("
                    + e.getMessage() + ")");
        }
        report.finish();
        return exitCode;
    }

    abstract void execute(Session session, Report report);
}
