package com.holm.zep.tovik.tool;

import java.nio.file.Path;

/** The options that apply to every command. */
interface ToolOptions {
    /** Scenario file for the virtual provider, or null for its default scenario. */
    Path scenario();

    boolean log();

    boolean json();

    /** Serial number, name or alias of the module to use, or null for the first one. */
    ModuleChoice module();

    /** Second connect value (connection mode) handed to the provider. */
    long connectMode();
}
