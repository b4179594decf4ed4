package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.client.ClientAccess;
import com.holm.zep.tovik.client.ClientInfoEntry;
import com.holm.zep.tovik.client.ClientSpace;
import com.holm.zep.tovik.client.Connection;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import picocli.CommandLine.ArgGroup;
import picocli.CommandLine.Command;
import picocli.CommandLine.Mixin;
import picocli.CommandLine.Option;
import picocli.CommandLine.Parameters;

/** Client information kept on the module: store, list, read back, delete, free space. */
final class ClientCommands {
    /** Access status values of the provider: finished, failed. */
    static final long ACCESS_COMPLETE = 2;
    static final long ACCESS_FAILED = 3;

    private ClientCommands() {
    }

    @Command(name = "client",
            description = "Client information stored on the module: store, list, get, delete, "
                    + "space, status.",
            subcommands = {Store.class, ListBlocks.class, Get.class, Delete.class, Space.class,
                AccessStatus.class})
    static final class Client extends CommandGroup {
    }

    static final class Place {
        @Parameters(index = "0", paramLabel = "ID", description = "Identifier of the stored "
                + "information (Windows-1252; other characters become '?').")
        String id;

        @Option(names = "--location", paramLabel = "LOC", defaultValue = "1",
                description = "Storage location (0 volatile, 1 non-volatile; default: "
                        + "${DEFAULT-VALUE}).")
        U32 location;
    }

    static final class Source {
        @Option(names = "--text", paramLabel = "TEXT", required = true,
                description = "Store this text (UTF-8).")
        String text;

        @Option(names = "--hex", paramLabel = "HEX", required = true, description = "Store these "
                + "bytes, e.g. 0a0b0c or \"0a 0b 0c\".")
        String hex;

        @Option(names = "--input", paramLabel = "FILE", required = true,
                description = "Store the contents of this local file.")
        Path input;

        @Option(names = "--file", paramLabel = "PATH", required = true,
                description = "Let the provider read this file and store it.")
        String providerFile;
    }

    @Command(name = "store", description = "Store a block of client information on the module.")
    static final class Store extends ToolCommand {
        @Mixin
        Place place;

        @ArgGroup(exclusive = true, multiplicity = "1")
        Source source;

        @Option(names = "--option", paramLabel = "N", defaultValue = "0",
                description = "Option value handed to the provider (default: ${DEFAULT-VALUE}).")
        U32 option;

        @Override
        void validate() {
            if (source.input != null) {
                requireFile("--input", source.input);
            }
            if (source.hex != null) {
                HexDump.parse(source.hex);
            }
        }

        @Override
        void execute(Session session, Report report) {
            long location = place.location.value();
            if (source.providerFile != null) {
                storeFile(session, report, place.id, location, source.providerFile,
                        option.value());
                return;
            }
            byte[] data;
            if (source.text != null) {
                data = source.text.getBytes(StandardCharsets.UTF_8);
            } else if (source.hex != null) {
                data = HexDump.parse(source.hex);
            } else {
                try {
                    data = Files.readAllBytes(source.input);
                } catch (IOException e) {
                    throw ToolException.failed("store " + place.id, "cannot read "
                            + source.input + ": " + e.getMessage());
                }
            }
            store(session, report, place.id, location, data, option.value());
        }
    }

    @Command(name = "list", description = "List the client information stored on the module.")
    static final class ListBlocks extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            list(session, report);
        }
    }

    /** Where 'client get' puts what it reads: one of these, or a hex dump. */
    static final class Sink {
        @Option(names = "--text", required = true, description = "Show the bytes as UTF-8 text "
                + "(control characters escaped, e.g. \\n, \\x1b).")
        boolean text;

        @Option(names = "--output", paramLabel = "FILE", required = true,
                description = "Write the bytes to this local file.")
        Path output;

        @Option(names = "--file", paramLabel = "PATH", required = true,
                description = "Let the provider write the information into this file instead "
                        + "(no --option).")
        String providerFile;
    }

    @Command(name = "get", description = "Read stored client information back and show it as a "
            + "hex dump (or as text, or into a file).")
    static final class Get extends ToolCommand {
        @Mixin
        Place place;

        @Option(names = "--option", paramLabel = "N",
                description = "Option value handed to the provider (default: 0).")
        U32 option;

        @ArgGroup(exclusive = true)
        Sink sink = new Sink();

        @Override
        void validate() {
            if (sink.providerFile != null && option != null) {
                throw usage("--option cannot be used with --file: the provider takes no option "
                        + "when it writes the file");
            }
            if (sink.output != null) {
                Path parent = sink.output.toAbsolutePath().getParent();
                if (Files.isDirectory(sink.output)) {
                    throw ToolException.usage("option '--output': " + sink.output + " is a "
                            + "folder, not a file");
                }
                if (parent != null && !Files.isDirectory(parent)) {
                    throw ToolException.usage("option '--output': folder " + parent
                            + " does not exist");
                }
            }
        }

        @Override
        void execute(Session session, Report report) {
            long location = place.location.value();
            if (sink.providerFile != null) {
                getFile(session, report, place.id, location, sink.providerFile);
                return;
            }
            byte[] bytes = get(session, report, place.id, location,
                    option == null ? 0 : option.value());
            if (sink.output != null) {
                try {
                    Files.write(sink.output, bytes);
                } catch (IOException e) {
                    throw ToolException.failed("get " + place.id, "cannot write " + sink.output
                            + ": " + e.getMessage());
                }
                report.field("Written to", "output", sink.output.toString());
            } else if (sink.text) {
                String text = new String(bytes, StandardCharsets.UTF_8);
                report.field("Text", "text", text, Printable.escape(text));
            } else {
                HexDump.show(report, bytes);
            }
        }
    }

    @Command(name = "delete", description = "Delete stored client information.")
    static final class Delete extends ToolCommand {
        @Mixin
        Place place;

        @Override
        void execute(Session session, Report report) {
            delete(session, report, place.id, place.location.value());
        }
    }

    @Command(name = "space", description = "Show the free and total client space of the module.")
    static final class Space extends ToolCommand {
        @Override
        void execute(Session session, Report report) {
            space(session, report);
        }
    }

    @Command(name = "status", description = "Show the state of one client information access.")
    static final class AccessStatus extends ToolCommand {
        @Parameters(paramLabel = "ACCESS", description = "Access id, as reported by store or "
                + "get.")
        U32 accessId;

        @Override
        void execute(Session session, Report report) {
            showAccess(report, accessStatus(session, accessId.value()));
        }
    }

    static ClientAccess store(Session session, Report report, String id, long location,
            byte[] data, long option) {
        Connection connection = session.connection();
        ClientAccess started = Operation.of("store " + id,
                () -> connection.store(id, location, data, option));
        report.title("Stored '" + id + "' (" + data.length + " bytes) at location " + location);
        ClientAccess done = settle(session, "store " + id, started);
        showAccess(report, done);
        return done;
    }

    static void storeFile(Session session, Report report, String id, long location, String file,
            long option) {
        Connection connection = session.connection();
        ClientAccess started = Operation.of("store " + id + " from " + file,
                () -> connection.storeFile(id, location, file, option));
        report.title("Stored '" + id + "' from " + file + " at location " + location);
        showAccess(report, settle(session, "store " + id, started));
    }

    static List<ClientInfoEntry> list(Session session, Report report) {
        Connection connection = session.connection();
        List<ClientInfoEntry> items = Operation.of("list client information",
                connection::clientInfoList);
        report.title("Client information on module " + session.serial() + ": " + items.size());
        Report.Table table = report.table("blocks", col("LOCATION", "location"),
                col("IDENTIFIER", "identifier"), col("SIZE", "fileSize"));
        for (ClientInfoEntry item : items) {
            table.row(item.location(), item.identifier(), item.fileSize());
        }
        table.print();
        return items;
    }

    static byte[] get(Session session, Report report, String id, long location, long option) {
        Connection connection = session.connection();
        ClientAccess started = Operation.of("get " + id,
                () -> connection.read(id, location, option));
        ClientAccess done = settle(session, "get " + id, started);
        byte[] bytes = Operation.of("get " + id, () -> connection.readResult(done.accessId()));
        report.title("'" + id + "' at location " + location + ": " + bytes.length + " bytes");
        showAccess(report, done);
        return bytes;
    }

    static void getFile(Session session, Report report, String id, long location, String file) {
        Connection connection = session.connection();
        ClientAccess started = Operation.of("get " + id + " into " + file,
                () -> connection.readIntoFile(id, location, file));
        report.title("'" + id + "' written by the provider into " + file);
        showAccess(report, settle(session, "get " + id, started));
    }

    static void delete(Session session, Report report, String id, long location) {
        Connection connection = session.connection();
        Operation.run("delete " + id, () -> connection.delete(id, location));
        report.title("Deleted '" + id + "' at location " + location);
        report.field("Deleted", "deleted", id);
    }

    static ClientSpace space(Session session, Report report) {
        Connection connection = session.connection();
        ClientSpace space = Operation.of("read client space", connection::clientSpace);
        report.title("Client space on module " + session.serial());
        Report.Table table = report.table("space", col("STORE", "store"), col("FREE", "free"),
                col("TOTAL", "total"), col("USED", "usedPercent"));
        table.row("volatile", space.volatileRemaining(), space.volatileTotal(),
                percent(space.volatileTotal() - space.volatileRemaining(), space.volatileTotal()));
        table.row("non-volatile", space.nonVolatileRemaining(), space.nonVolatileTotal(),
                percent(space.nonVolatileTotal() - space.nonVolatileRemaining(),
                        space.nonVolatileTotal()));
        table.print();
        return space;
    }

    private static String percent(long used, long total) {
        return total <= 0 ? "-" : Math.round(100.0 * used / total) + "%";
    }

    static ClientAccess accessStatus(Session session, long accessId) {
        Connection connection = session.connection();
        return Operation.of("read access status", () -> connection.accessStatus(accessId));
    }

    /** Polls an access that is still in progress until it has completed or failed. */
    private static ClientAccess settle(Session session, String operation, ClientAccess access) {
        ClientAccess current = access;
        for (int i = 0; i < 100 && current.status() != ACCESS_COMPLETE
                && current.status() != ACCESS_FAILED && current.errorCode() == 0; i++) {
            Interrupts.checkInterrupted(operation);
            try {
                Thread.sleep(50);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
                break;
            }
            current = accessStatus(session, current.accessId());
        }
        if (current.status() == ACCESS_FAILED || current.errorCode() != 0) {
            throw ToolException.failed(operation, "the module reported error "
                    + current.errorCode() + " (access " + current.accessId()
                    + ", status " + current.status() + ")");
        }
        return current;
    }

    static void showAccess(Report report, ClientAccess access) {
        report.field("Access id", "accessId", access.accessId());
        report.field("Status", "status", access.status(), access.status()
                + (access.status() == ACCESS_COMPLETE ? " (complete)"
                        : access.status() == ACCESS_FAILED ? " (failed)" : ""));
        report.field("Error code", "errorCode", access.errorCode());
        report.field("Blocks", "currentBlock", access.currentBlock(), access.currentBlock()
                + " of " + access.totalBlocks());
        report.raw("totalBlocks", access.totalBlocks());
        report.field("Time stamp (ms)", "timeStampMs", access.timeStampMs());
    }
}
