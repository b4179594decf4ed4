package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.client.ResultCode;
import java.io.PrintWriter;
import java.nio.file.Path;
import java.util.LinkedHashMap;
import java.util.Map;
import picocli.CommandLine;
import picocli.CommandLine.Command;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Option;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.ScopeType;
import picocli.CommandLine.UnmatchedArgumentException;

/**
 * {@code tovik}: the command-line face of TovikApi4J. Every command goes through the client API
 * ({@code com.holm.zep.tovik.client}) to the native library in this JVM, by default against the
 * virtual provider and its default scenario.
 */
@Command(name = "tovik",
        scope = ScopeType.INHERIT,
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
            "",
            "Numbers are decimal or 0x-hexadecimal. Values handed to the provider (serial "
                    + "numbers, application, item and job numbers, LED, segment and audio "
                    + "values, selectors) are 32-bit unsigned: 0 to 4294967295 (0xFFFFFFFF). "
                    + "Names and identifiers reach the provider in Windows-1252; characters "
                    + "outside it become '?'.",
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
            HelpCommand.class})
public final class Tovik implements Runnable, ToolOptions, CommandBound {
    /** Shown below the main help only (the subcommands would inherit an annotated footer). */
    private static final String[] FOOTER = {
        "  0    success",
        "  1    the operation failed: the provider or the library refused it (the",
        "       result code is shown by name with its meaning)",
        "  2    bad command line: an unknown option, a missing or conflicting",
        "       argument, a value out of range, a module or file that is not there",
        "  3    the native library, the provider or a native method is not available",
        "  130  interrupted (Ctrl-C)",
        "",
        "Every failure is one line on standard error; with --json also a JSON object",
        "{\"error\": {...}} on standard output.",
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
        "  tovik codes 0x50000007"};

    CommandSpec commandSpec;

    @Override
    public void bind(CommandSpec model) {
        commandSpec = model;
    }

    @Option(names = "--scenario", paramLabel = "FILE", scope = ScopeType.INHERIT,
            description = "Scenario file (JSON) for the virtual provider instead of its default "
                    + "workshop; see 'tovik scenario'.")
    Path scenario;

    @Option(names = {"-m", "--module"}, paramLabel = "SERIAL|NAME", scope = ScopeType.INHERIT,
            description = "Module to work with, by serial number, name or alias (default: the "
                    + "first one listed).")
    ModuleChoice module;

    @Option(names = "--connect-mode", paramLabel = "N", defaultValue = "0",
            scope = ScopeType.INHERIT,
            description = "Second connect value handed to the provider (default: "
                    + "${DEFAULT-VALUE}).")
    U32 connectMode;

    @Option(names = "--json", scope = ScopeType.INHERIT,
            description = "Machine-readable output: one JSON document on standard output "
                    + "('events --follow': one JSON object per line).")
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
    public ModuleChoice module() {
        return module;
    }

    @Override
    public long connectMode() {
        return connectMode.value();
    }

    /** Builds the command line with the tool's converters, checks and error handling. */
    static CommandLine commandLine() {
        Tovik tovik = new Tovik();
        CommandLine cl = new CommandLine(tovik);
        Converters.register(cl);
        cl.getCommandSpec().usageMessage().footerHeading("%nExit codes:%n").footer(FOOTER);
        cl.setExecutionStrategy(parsed -> {
            for (CommandLine command : parsed.asCommandLineList()) {
                if (command.getCommand() instanceof CommandBound bound) {
                    bound.bind(command.getCommandSpec());
                }
            }
            Bounds.Check.all(parsed);
            return new CommandLine.RunLast().execute(parsed);
        });
        cl.setExecutionExceptionHandler((ex, cmd, parsed) -> {
            ToolException failure = asToolException(ex);
            report(tovik.json, failure);
            return failure.exitCode();
        });
        cl.setParameterExceptionHandler((ex, args) -> {
            report(tovik.json || jsonAsked(args), ToolException.usage(usageLine(ex)));
            return ToolException.USAGE;
        });
        return cl;
    }

    /** One line: picocli's message, its suggestions, and where the help is. */
    private static String usageLine(ParameterException ex) {
        String message = ex.getMessage() == null ? "" : ex.getMessage();
        message = (message.startsWith("Error: ") ? message.substring(7) : message)
                .replaceAll("\\s*\\R\\s*", " ").trim();
        if (ex instanceof UnmatchedArgumentException unmatched
                && !unmatched.getSuggestions().isEmpty()) {
            message += "; did you mean " + String.join(" or ", unmatched.getSuggestions()) + "?";
        }
        return message + " (see '" + ex.getCommandLine().getCommandSpec().qualifiedName()
                + " --help')";
    }

    /**
     * Whether --json was given although the command line could not be parsed (picocli may stop
     * before it reaches the option).
     */
    private static boolean jsonAsked(String[] args) {
        for (String arg : args) {
            if (arg.equals("--")) {
                return false;
            }
            if (arg.equals("--json")) {
                return true;
            }
        }
        return false;
    }

    private static ToolException asToolException(Exception ex) {
        if (ex instanceof ToolException tool) {
            return tool;
        }
        return new ToolException(ToolException.FAILED, "run", null, "unexpected failure: " + ex);
    }

    private static void report(boolean json, ToolException failure) {
        if (json) {
            Map<String, Object> error = new LinkedHashMap<>();
            error.put("ok", false);
            error.put("operation", failure.operation());
            if (failure.resultCode() != null) {
                long code = failure.resultCode();
                error.put("code", code);
                error.put("codeHex", ResultCode.hex(code));
                error.put("name", ResultCode.nameOf(code));
                error.put("meaning", ResultCode.meaningOf(code));
            }
            error.put("message", failure.getMessage());
            error.put("exitCode", failure.exitCode());
            System.out.println(Json.write(Map.of("error", error)));
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

    /** The tool's version and the version of the library it drives. */
    static final class Version implements CommandLine.IVersionProvider {
        @Override
        public String[] getVersion() {
            return new String[] {"tovik " + toolVersion() + " - TovikApi4J command-line tool",
                "TovikApi4J library " + libraryVersion(),
                "Java " + System.getProperty("java.version") + " on " + System.getProperty(
                        "os.name") + " " + System.getProperty("os.arch")};
        }

        static String toolVersion() {
            String version = Tovik.class.getPackage().getImplementationVersion();
            return version == null ? "(development)" : version;
        }

        /**
         * The binding jar's own version when it records one, else the version this tool was
         * built with (the two are built together).
         */
        static String libraryVersion() {
            Package binding = com.holm.zep.tovik.api.jni.TovikApiManager.class.getPackage();
            String version = binding == null ? null : binding.getImplementationVersion();
            if (version != null) {
                return version;
            }
            try (var jar = new java.util.jar.JarFile(java.nio.file.Path.of(Tovik.class
                    .getProtectionDomain().getCodeSource().getLocation().toURI()).toFile())) {
                String built = jar.getManifest().getMainAttributes().getValue(
                        "TovikApi4J-Version");
                if (built != null) {
                    return built;
                }
            } catch (java.io.IOException | java.net.URISyntaxException | RuntimeException e) {
                // not run from the tool's jar
            }
            return "(unknown)";
        }
    }
}
