package com.holm.zep.tovik.tool;

import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;

/** A command that only groups subcommands: given alone, it names the ones it has. */
abstract class CommandGroup implements Runnable, CommandBound {
    CommandSpec commandSpec;

    @Override
    public void bind(CommandSpec model) {
        commandSpec = model;
    }

    @Override
    public void run() {
        String names = String.join(", ", commandSpec.subcommands().keySet());
        throw new ParameterException(commandSpec.commandLine(), "Missing subcommand: one of " + names);
    }
}
