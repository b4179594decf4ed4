package com.holm.zep.tovik.tool;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.concurrent.Callable;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;

/**
 * Base of every command that talks to the library: checks the arguments that picocli cannot
 * check alone, opens a {@link Session}, runs the command's work with a {@link Report}, and closes
 * the session (disconnect, runtime shutdown) whatever happens. Failures leave as
 * {@link ToolException} for {@link Tovik} to print.
 */
abstract class ToolCommand implements Callable<Integer>, CommandBound {
    CommandSpec commandSpec;

    @Override
    public void bind(CommandSpec model) {
        commandSpec = model;
    }

    /** Exit code of a command that finished its output but still counts as failed. */
    int exitCode;

    ToolOptions options() {
        return (ToolOptions) commandSpec.root().userObject();
    }

    @Override
    public Integer call() {
        validate();
        if (options().scenario() != null) {
            requireFile("--scenario", options().scenario());
        }
        Report report = new Report(options().json(), System.out);
        try (Session session = Session.open(options(), System.err)) {
            Interrupts.watch();
            execute(session, report);
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.unavailable(commandSpec.qualifiedName(), "a native method is "
                    + "missing (" + e.getMessage() + ")");
        }
        report.finish();
        return exitCode;
    }

    /** Checks the arguments before anything is loaded; throws a usage error. */
    void validate() {
    }

    abstract void execute(Session session, Report report);

    /** A usage error of this command (exit code 2, pointing at its help). */
    ParameterException usage(String message) {
        return new ParameterException(commandSpec.commandLine(), message);
    }

    /** Requires {@code values} to hold {@code count} values (or a multiple, when repeatable). */
    void requireCount(String option, Object[] values, int count, boolean repeatable) {
        if (values != null && (repeatable ? values.length % count != 0 || values.length == 0
                : values.length != count)) {
            throw usage("Option '" + option + "' takes " + count + " values separated by commas"
                    + (repeatable ? " per use" : "") + ", not " + values.length);
        }
    }

    /** An existing, readable file (not a folder) named by {@code option}. */
    static void requireFile(String option, Path file) {
        if (Files.isDirectory(file)) {
            throw ToolException.usage("option '" + option + "': " + file + " is a folder, not "
                    + "a file");
        }
        if (!Files.exists(file)) {
            throw ToolException.usage("option '" + option + "': " + file + " does not exist");
        }
        if (!Files.isReadable(file)) {
            throw ToolException.usage("option '" + option + "': " + file + " cannot be read");
        }
    }
}
