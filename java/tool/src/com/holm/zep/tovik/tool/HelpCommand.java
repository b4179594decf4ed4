package com.holm.zep.tovik.tool;

import java.io.PrintWriter;
import java.util.List;
import picocli.CommandLine;
import picocli.CommandLine.Command;
import picocli.CommandLine.Help;
import picocli.CommandLine.IHelpCommandInitializable2;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.Parameters;

/**
 * {@code tovik help [COMMAND...]}: the help of any command, however deep ("help client store");
 * picocli's own help command looks only one level down.
 */
@Command(name = "help", helpCommand = true,
        description = "Show the help of a command: 'tovik help client store' is 'tovik client "
                + "store --help'.")
final class HelpCommand implements IHelpCommandInitializable2, Runnable {
    @Parameters(paramLabel = "COMMAND", arity = "0..*", description = "The command, with its "
            + "subcommands.")
    List<String> path;

    private CommandLine self;
    private Help.ColorScheme colors;
    private PrintWriter out;

    @Override
    public void init(CommandLine helpCommandLine, Help.ColorScheme colorScheme, PrintWriter out,
            PrintWriter err) {
        this.self = helpCommandLine;
        this.colors = colorScheme;
        this.out = out;
    }

    @Override
    public void run() {
        CommandLine target = self.getParent();
        for (String name : path == null ? List.<String>of() : path) {
            CommandLine sub = target.getSubcommands().get(name);
            if (sub == null) {
                throw new ParameterException(self, "Unknown command: '"
                        + target.getCommandSpec().qualifiedName() + " " + name + "'");
            }
            target = sub;
        }
        target.usage(out, colors);
        out.flush();
    }
}
