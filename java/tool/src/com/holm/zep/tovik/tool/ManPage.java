package com.holm.zep.tovik.tool;

import java.io.PrintWriter;
import java.util.List;
import picocli.CommandLine;
import picocli.CommandLine.Help;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Model.OptionSpec;
import picocli.CommandLine.Model.PositionalParamSpec;

/**
 * The manual page tovik(1), written as troff from the same command model that the help shows,
 * so that it cannot drift from the commands: the main command's description, options and exit
 * codes, then one section per command with its synopsis, description and arguments.
 */
final class ManPage {
    private final PrintWriter out;

    private ManPage(PrintWriter out) {
        this.out = out;
    }

    static void write(CommandLine root, String version, PrintWriter out) {
        new ManPage(out).page(root, version);
        out.flush();
    }

    private void page(CommandLine root, String version) {
        CommandSpec model = root.getCommandSpec();
        out.println(".TH TOVIK 1 \"\" \"tovik " + text(version) + "\" \"User Commands\"");
        out.println(".SH NAME");
        out.println("tovik \\- drive vehicle communication modules through TovikApi4J");
        out.println(".SH SYNOPSIS");
        synopsis(model);
        out.println(".SH DESCRIPTION");
        paragraphs(model.usageMessage().description());
        out.println(".SH OPTIONS");
        arguments(model);
        out.println(".SH COMMANDS");
        for (CommandLine sub : root.getSubcommands().values()) {
            command(sub);
        }
        out.println(".SH \"EXIT STATUS\"");
        for (String line : model.usageMessage().footer()) {
            if (line.isBlank()) {
                out.println(".PP");
            } else if (line.startsWith("   ")) {
                out.println(text(line.strip()));
            } else if (line.startsWith("  ")) {
                out.println(".br");
                out.println(text(line.strip()));
            } else {
                out.println(text(line));
            }
        }
    }

    private void command(CommandLine command) {
        CommandSpec model = command.getCommandSpec();
        out.println(".SS \"" + text(model.qualifiedName()) + "\"");
        synopsis(model);
        paragraphs(model.usageMessage().description());
        arguments(model);
        for (CommandLine sub : command.getSubcommands().values()) {
            command(sub);
        }
    }

    private void synopsis(CommandSpec model) {
        String synopsis = new Help(model, Help.defaultColorScheme(Help.Ansi.OFF)).synopsis(0);
        out.println(".nf");
        for (String line : synopsis.strip().split("\\R")) {
            out.println(text(line.strip()));
        }
        out.println(".fi");
    }

    private void paragraphs(String[] lines) {
        out.println(".PP");
        for (String line : lines) {
            out.println(line.isBlank() ? ".PP" : text(line));
        }
    }

    private void arguments(CommandSpec model) {
        for (PositionalParamSpec p : model.positionalParameters()) {
            if (!p.hidden()) {
                item(p.paramLabel(), p.description());
            }
        }
        for (OptionSpec o : model.options()) {
            // The main command's options apply to every command; they are listed once.
            if (o.hidden() || o.inherited()) {
                continue;
            }
            String names = String.join(", ", List.of(o.names()));
            item(o.arity().max() > 0 ? names + "=" + o.paramLabel() : names, o.description());
        }
    }

    private void item(String name, String[] description) {
        out.println(".TP");
        out.println("\\fB" + text(name) + "\\fR");
        for (String line : description) {
            out.println(text(line));
        }
    }

    /** Text as troff reads it literally: escapes doubled, no line taken for a request. */
    static String text(String line) {
        String escaped = line.replace("\\", "\\e").replace("-", "\\-");
        return escaped.startsWith(".") || escaped.startsWith("'") ? "\\&" + escaped : escaped;
    }
}
