package com.holm.zep.tovik.tool;

import java.io.PrintWriter;
import java.nio.file.Path;
import java.util.LinkedHashMap;
import java.util.Map;
import picocli.CommandLine;
import picocli.CommandLine.Command;
import picocli.CommandLine.HelpCommand;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Option;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.ScopeType;
import picocli.CommandLine.Spec;

/**
 * {@code tovik}: the command-line face of TovikApi4J. Every command goes through the native
 * library's {@code TovikApiManager} methods in this JVM, by default against the virtual provider
 * and its default scenario.
 */
@Command(name = "tovik",
        mixinStandardHelpOptions = true,
        versionProvider = Tovik.Version.class,
        usageHelpAutoWidth = true,
        sortOptions = false,
        description = {
            "Look at vehicle communication modules and work with them through TovikApi4J: list "
                    + "modules, read versions, install applications and watch their progress, "
                    + "store and read client information, drive the pendant, read Wi-Fi state, "
                    + "run the self test, follow events.",
            "",
            "Runs against the virtual provider with its default scenario unless --scenario "
                    + "names another one; every run starts from the scenario afresh. Commands "
                    + "that work on a module connect to it (--module, default the first) and "
                    + "disconnect when done.",
            ""},
        subcommands = {
            ModuleCommands.Modules.class,
            ModuleCommands.Info.class,
            ModuleCommands.Connect.class,
            ModuleCommands.Status.class,
            ModuleCommands.Versions.class,
            AppCommands.Apps.class,
            InstallCommands.Install.class,
            InstallCommands.Uninstall.class,
            InstallCommands.Firmware.class,
            InstallCommands.Job.class,
            AppCommands.App.class,
            ClientCommands.Client.class,
            PendantCommands.Pendant.class,
            WirelessCommands.Wifi.class,
            WirelessCommands.Configure.class,
            WirelessCommands.SelfTest.class,
            WirelessCommands.ConfigItems.class,
            EventCommands.Events.class,
            DemoCommand.class,
            CodesCommand.class,
            ScenarioCommand.class,
            HelpCommand.class},
        footerHeading = "%nExit codes:%n",
        footer = {
            "  0    success",
            "  1    the operation failed; the result code is shown by name with its meaning",
            "  2    the command line is not valid",
            "  3    the native library, the provider or a native method is not available",
            "  130  interrupted (Ctrl-C)",
            "",
            "Examples:",
            "  tovik demo",
            "  tovik modules",
            "  tovik info --module 200102",
            "  tovik install \"Data Logger\"",
            "  tovik client store notes --text \"brake test passed\"",
            "  tovik pendant display --digit 7",
            "  tovik events --follow --post 1,200101,16",
            "  tovik --json versions",
            "  tovik codes 0x50000007"})
public final class Tovik implements Runnable, ToolOptions {
    @Spec
    CommandSpec commandSpec;

    @Option(names = "--scenario", paramLabel = "FILE", scope = ScopeType.INHERIT,
            description = "Scenario file (JSON) for the virtual provider instead of its default "
                    + "workshop; see 'tovik scenario'.")
    Path scenario;

    @Option(names = {"-m", "--module"}, paramLabel = "SERIAL|NAME", scope = ScopeType.INHERIT,
            description = "Module to work with, by serial number or name (default: the first "
                    + "one listed).")
    String module;

    @Option(names = "--connect-mode", paramLabel = "N", defaultValue = "0",
            converter = Numbers.Converter.class, scope = ScopeType.INHERIT,
            description = "Second connect value handed to the provider (default: "
                    + "${DEFAULT-VALUE}).")
    long connectMode;

    @Option(names = "--json", scope = ScopeType.INHERIT,
            description = "Machine-readable output: one JSON document on standard output.")
    boolean json;

    @Option(names = "--log", scope = ScopeType.INHERIT,
            description = "Show the native library's log lines on standard error (prefixed "
                    + "'log| ').")
    boolean log;

    @Override
    public void run() {
        throw new ParameterException(commandSpec.commandLine(), "Missing command");
    }

    @Override
    public Path scenario() {
        return scenario;
    }

    @Override
    public boolean log() {
        return log;
    }

    @Override
    public boolean json() {
        return json;
    }

    @Override
    public String module() {
        return module;
    }

    @Override
    public long connectMode() {
        return connectMode;
    }

    /** Builds the command line with the tool's error handling. */
    static CommandLine commandLine() {
        Tovik tovik = new Tovik();
        CommandLine cl = new CommandLine(tovik);
        cl.setExecutionExceptionHandler((ex, cmd, parseResult) -> {
            ToolException failure = asToolException(ex);
            reportFailure(tovik, failure);
            if (failure.exitCode() == ToolException.USAGE) {
                System.err.println("Try '" + cmd.getCommandSpec().qualifiedName()
                        + " --help' for more information.");
            }
            return failure.exitCode();
        });
        cl.setParameterExceptionHandler((ex, args) -> {
            PrintWriter err = ex.getCommandLine().getErr();
            String message = ex.getMessage() == null ? "" : ex.getMessage();
            err.println("tovik: " + (message.startsWith("Error: ") ? message.substring(7)
                    : message));
            CommandLine.UnmatchedArgumentException.printSuggestions(ex, err);
            err.println("Try '" + ex.getCommandLine().getCommandSpec().qualifiedName()
                    + " --help' for more information.");
            err.flush();
            return ToolException.USAGE;
        });
        return cl;
    }

    private static ToolException asToolException(Exception ex) {
        if (ex instanceof ToolException tool) {
            return tool;
        }
        if (ex instanceof ParameterException pe) {
            return new ToolException(ToolException.USAGE, "parse", null, pe.getMessage());
        }
        return new ToolException(ToolException.FAILED, "run", null, "unexpected failure: " + ex);
    }

    private static void reportFailure(Tovik tovik, ToolException failure) {
        if (tovik.json) {
            Map<String, Object> error = new LinkedHashMap<>();
            error.put("ok", false);
            error.put("operation", failure.operation());
            if (failure.resultCode() != null) {
                ResultCodes.Code c = ResultCodes.lookup(failure.resultCode());
                error.put("code", failure.resultCode());
                error.put("codeHex", ResultCodes.hex(failure.resultCode()));
                error.put("name", c.name());
                error.put("meaning", c.meaning());
            }
            error.put("message", failure.getMessage());
            error.put("exitCode", failure.exitCode());
            Map<String, Object> root = new LinkedHashMap<>();
            root.put("error", error);
            System.out.println(Json.write(root));
            System.out.flush();
        }
        System.err.println("tovik: " + failure.getMessage());
        System.err.flush();
    }

    public static void main(String[] args) {
        int code;
        try {
            code = commandLine().execute(args);
        } finally {
            Interrupts.finished();
        }
        if (!Interrupts.requested()) {
            System.exit(code);
        }
    }

    /** "tovik 0.1.0" from the jar's manifest. */
    static final class Version implements CommandLine.IVersionProvider {
        @Override
        public String[] getVersion() {
            String version = Tovik.class.getPackage().getImplementationVersion();
            return new String[] {"tovik " + (version == null ? "(development)" : version)
                    + " - TovikApi4J command-line tool",
                "Java " + System.getProperty("java.version") + " on " + System.getProperty(
                        "os.name") + " " + System.getProperty("os.arch")};
        }
    }
}
