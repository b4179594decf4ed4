package com.holm.zep.tovik.tool;

import picocli.CommandLine;

/**
 * The tool's own value types, each with one converter registered for the whole command tree, so
 * that an option declares only its type.
 */
final class Converters {
    private Converters() {
    }

    static void register(CommandLine commandLine) {
        commandLine.setCaseInsensitiveEnumValuesAllowed(true);
        commandLine.registerConverter(U32.class, U32::parse);
        commandLine.registerConverter(ModuleChoice.class, ModuleChoice::parse);
        commandLine.registerConverter(LedSetting.class, LedSetting::parse);
    }
}
