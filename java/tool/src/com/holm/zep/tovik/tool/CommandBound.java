package com.holm.zep.tovik.tool;

import picocli.CommandLine.Model.CommandSpec;

/**
 * A command that needs its own command model (for usage errors, its subcommands or the root's
 * options). {@link Tovik} hands it over before the command runs.
 */
interface CommandBound {
    void bind(CommandSpec model);
}
