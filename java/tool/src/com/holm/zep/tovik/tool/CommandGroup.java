package com.holm.zep.tovik.tool;

import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.Spec;

/** A command that only groups subcommands: given alone, it names the ones it has. */
abstract class CommandGroup implements Runnable {
    @Spec
    CommandSpec commandSpec;

    @Override
    public void run() {
        String names = String.join(", ", commandSpec.subcommands().keySet());
        throw new ParameterException(commandSpec.commandLine(), "Missing subcommand: one of " + names);
    }
}
