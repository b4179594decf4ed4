package com.holm.zep.tovik.tool;

import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.Spec;

/** A command that only groups subcommands: given alone, it names the ones it has. */
abstract class CommandGroup implements Runnable {
    @Spec
    CommandSpec spec;

    @Override
    public void run() {
        String names = String.join(", ", spec.subcommands().keySet());
        throw new ParameterException(spec.commandLine(), "Missing subcommand: one of " + names);
    }
}
