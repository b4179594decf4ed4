package com.holm.zep.tovik.tool;

import static com.holm.zep.tovik.tool.Report.col;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.api.jni.TovikClientInfoItem;
import com.holm.zep.tovik.api.jni.TovikClientSpace;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
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

    static TovikClientAccessItem store(Session session, Report report, String id, long location,
            byte[] data, long option) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientAccessItem item = new TovikClientAccessItem();
        session.run("store " + id, "vtxStoreClientInfo", r -> api.vtxStoreClientInfo(
                session.manager(), connection, id, location, data, option, item, r));
        report.title("Stored '" + id + "' (" + data.length + " bytes) at location " + location);
        TovikClientAccessItem done = settle(session, "store " + id, item);
        showAccess(report, done);
        return done;
    }

    static void storeFile(Session session, Report report, String id, long location, String file,
            long option) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientAccessItem item = new TovikClientAccessItem();
        session.run("store " + id + " from " + file, "vtxStoreClientInfoFile",
                r -> api.vtxStoreClientInfoFile(session.manager(), connection, id, location, file,
                        option, item, r));
        report.title("Stored '" + id + "' from " + file + " at location " + location);
        showAccess(report, settle(session, "store " + id, item));
    }

    static TovikClientInfoItem[] list(Session session, Report report) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientInfoItem[] items = session.call("list client information",
                "vtxGetClientInfoList",
                r -> api.vtxGetClientInfoList(session.manager(), connection, r));
        items = items == null ? new TovikClientInfoItem[0] : items;
        report.title("Client information on module " + session.serial() + ": " + items.length);
        Report.Table table = report.table("blocks", col("LOCATION", "location"),
                col("IDENTIFIER", "identifier"), col("SIZE", "fileSize"));
        for (TovikClientInfoItem item : items) {
            table.row(item.getLocation(), item.getIdentifier(), item.getFileSize());
        }
        table.print();
        return items;
    }

    static byte[] get(Session session, Report report, String id, long location, long option) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientAccessItem item = new TovikClientAccessItem();
        session.run("get " + id, "vtxGetClientInfo", r -> api.vtxGetClientInfo(
                session.manager(), connection, id, location, option, item, r));
        TovikClientAccessItem done = settle(session, "get " + id, item);
        long accessId = done.getClientInfo();
        byte[] bytes = session.call("get " + id, "vtxGetClientInfoResult",
                r -> api.vtxGetClientInfoResult(session.manager(), connection, accessId, r));
        bytes = bytes == null ? new byte[0] : bytes;
        report.title("'" + id + "' at location " + location + ": " + bytes.length + " bytes");
        showAccess(report, done);
        return bytes;
    }

    static void getFile(Session session, Report report, String id, long location, String file) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientAccessItem item = new TovikClientAccessItem();
        session.run("get " + id + " into " + file, "vtxGetClientInfoFile",
                r -> api.vtxGetClientInfoFile(session.manager(), connection, id, location, file,
                        item, r));
        report.title("'" + id + "' written by the provider into " + file);
        showAccess(report, settle(session, "get " + id, item));
    }

    static void delete(Session session, Report report, String id, long location) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        session.run("delete " + id, "vtxDeleteClientInfo",
                r -> api.vtxDeleteClientInfo(session.manager(), connection, id, location, r));
        report.title("Deleted '" + id + "' at location " + location);
        report.field("Deleted", "deleted", id);
    }

    static TovikClientSpace space(Session session, Report report) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientSpace space = new TovikClientSpace();
        session.run("read client space", "vtxGetAvailableClientSpace",
                r -> api.vtxGetAvailableClientSpace(session.manager(), connection, space, r));
        report.title("Client space on module " + session.serial());
        Report.Table table = report.table("space", col("STORE", "store"), col("FREE", "free"),
                col("TOTAL", "total"), col("USED", "usedPercent"));
        table.row("volatile", space.getVolRemaining(), space.getVolTotal(),
                percent(space.getVolTotal() - space.getVolRemaining(), space.getVolTotal()));
        table.row("non-volatile", space.getNonVolRemaining(), space.getNonVolTotal(),
                percent(space.getNonVolTotal() - space.getNonVolRemaining(),
                        space.getNonVolTotal()));
        table.print();
        return space;
    }

    private static String percent(long used, long total) {
        return total <= 0 ? "-" : Math.round(100.0 * used / total) + "%";
    }

    static TovikClientAccessItem accessStatus(Session session, long accessId) {
        TovikApiManager api = session.api();
        long connection = session.connection();
        TovikClientAccessItem item = new TovikClientAccessItem();
        session.run("read access status", "vtxGetClientAccessStatus",
                r -> api.vtxGetClientAccessStatus(session.manager(), connection, accessId, item,
                        r));
        return item;
    }

    /** Polls an access that is still in progress until it has completed or failed. */
    private static TovikClientAccessItem settle(Session session, String operation,
            TovikClientAccessItem item) {
        TovikClientAccessItem current = item;
        for (int i = 0; i < 100 && current.getStatus() != ACCESS_COMPLETE
                && current.getStatus() != ACCESS_FAILED && current.getErrorCode() == 0; i++) {
            Interrupts.checkInterrupted(operation);
            try {
                Thread.sleep(50);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
                break;
            }
            current = accessStatus(session, current.getClientInfo());
        }
        if (current.getStatus() == ACCESS_FAILED || current.getErrorCode() != 0) {
            throw ToolException.failed(operation, "the module reported error "
                    + current.getErrorCode() + " (access " + current.getClientInfo()
                    + ", status " + current.getStatus() + ")");
        }
        return current;
    }

    static void showAccess(Report report, TovikClientAccessItem item) {
        report.field("Access id", "accessId", item.getClientInfo());
        report.field("Status", "status", item.getStatus(), item.getStatus()
                + (item.getStatus() == ACCESS_COMPLETE ? " (complete)"
                        : item.getStatus() == ACCESS_FAILED ? " (failed)" : ""));
        report.field("Error code", "errorCode", item.getErrorCode());
        report.field("Blocks", "currentBlock", item.getCurrentBlock(), item.getCurrentBlock()
                + " of " + item.getTotalBlocks());
        report.raw("totalBlocks", item.getTotalBlocks());
        report.field("Time stamp (ms)", "timeStampMs", item.getTimeStampMs());
    }
}
