package com.holm.zep.tovik.tool;

import java.io.IOException;
import java.io.PrintWriter;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import picocli.AutoComplete;
import picocli.CommandLine;

/**
 * Writes the files the build installs beside the tool, from the tool's own command model: the
 * bash completion script and the manual page. Run by the build as
 * {@code Docs COMPLETION_FILE MAN_FILE VERSION}.
 */
final class Docs {
    private Docs() {
    }

    public static void main(String[] args) throws IOException {
        if (args.length != 3) {
            System.err.println("usage: Docs COMPLETION_FILE MAN_FILE VERSION");
            System.exit(2);
        }
        CommandLine commandLine = Tovik.commandLine();
        Files.writeString(Path.of(args[0]), AutoComplete.bash("tovik", commandLine),
                StandardCharsets.UTF_8);
        try (PrintWriter man = new PrintWriter(Files.newBufferedWriter(Path.of(args[1]),
                StandardCharsets.UTF_8))) {
            ManPage.write(commandLine, args[2], man);
        }
    }
}
