package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.Module;
import com.holm.zep.tovik.client.ModuleDetails;
import com.holm.zep.tovik.client.ResultCode;
import com.holm.zep.tovik.client.TovikException;
import com.holm.zep.tovik.client.TovikRuntime;
import java.io.PrintStream;
import java.util.List;

/**
 * One use of the library: the virtual provider and libTovikApi4J loaded, one client runtime
 * open, and, when a command asks for it, one connection to the chosen module. {@link #close()}
 * disconnects and closes the runtime; use it in try-with-resources.
 */
final class Session implements AutoCloseable {
    /** Client name under which the tool connects. */
    static final String CLIENT_NAME = "tovik";

    private final ToolOptions options;
    private final PrintStream err;
    private final boolean logging;
    private TovikRuntime runtime;
    private Module module;
    private Connection connection;

    private Session(ToolOptions options, PrintStream err, boolean logging) {
        this.options = options;
        this.err = err;
        this.logging = logging;
    }

    /** Loads the provider and the library and opens a runtime. */
    static Session open(ToolOptions options, PrintStream err) {
        Provider.load(options.scenario());
        try {
            TovikApiManager.loadLibrary();
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.unavailable("load library", "lib" + TovikApiManager.LIBRARY_NAME
                    + " could not be loaded (" + e.getMessage() + ")");
        }
        // The log goes on before the runtime opens, so that its lines show from the start.
        Session session = new Session(options, err, options.log() && LogLines.start(err));
        try {
            session.runtime = Operation.of("initialise runtime", () -> TovikRuntime.open(
                    TovikRuntime.Options.defaults().withTexts(CLIENT_NAME,
                            "TovikApi4J command-line tool")));
            return session;
        } catch (RuntimeException | Error e) {
            session.close();
            throw e;
        }
    }

    TovikRuntime runtime() {
        return runtime;
    }

    ToolOptions options() {
        return options;
    }

    /** The modules present. */
    List<Module> modules() {
        return Operation.of("list modules", runtime::modules);
    }

    /** The module chosen with --module (serial number, name or alias), by default the first. */
    Module module() {
        if (module != null) {
            return module;
        }
        List<Module> modules = modules();
        ModuleChoice wanted = options.module();
        if (wanted == null) {
            if (modules.isEmpty()) {
                throw ToolException.failed("choose module", "no module is present");
            }
            module = modules.get(0);
            return module;
        }
        for (Module m : modules) {
            if (wanted.serial() != null && m.serialNumber() == wanted.serial()
                    || wanted.text().equalsIgnoreCase(m.name())) {
                module = m;
                return module;
            }
        }
        // An alias needs each module's details: asked only when no serial or name matched.
        for (Module m : modules) {
            if (wanted.text().equalsIgnoreCase(alias(m))) {
                module = m;
                return module;
            }
        }
        throw ToolException.usage("option '--module': no module '" + wanted + "' (present: "
                + describe(modules) + ")");
    }

    /** The module's alias, or null when the provider does not tell it. */
    private String alias(Module m) {
        try {
            ModuleDetails details = runtime.moduleDetails(m.serialNumber());
            return details.alias();
        } catch (TovikException e) {
            return null;
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.missing("read module info", "vtxGetModuleInfo3");
        }
    }

    private static String describe(List<Module> modules) {
        if (modules.isEmpty()) {
            return "none";
        }
        StringBuilder b = new StringBuilder();
        for (Module m : modules) {
            b.append(b.length() == 0 ? "" : ", ").append(m.name()).append(" #")
                    .append(m.serialNumber());
        }
        return b.toString();
    }

    long serial() {
        return module().serialNumber();
    }

    /** The connection to the chosen module; connects on first use. */
    Connection connection() {
        if (connection == null) {
            connection = connect(options.connectMode(), CLIENT_NAME);
        }
        return connection;
    }

    /**
     * Opens a connection to the chosen module (announcing {@code clientName} unless it is null);
     * it is closed with the session.
     */
    Connection connect(long mode, String clientName) {
        long serial = serial();
        connection = Operation.of("connect to module " + serial, clientName == null
                ? () -> runtime.connect(serial, mode)
                : () -> runtime.connect(serial, mode, clientName));
        return connection;
    }

    /** Closes the connection now (reporting a failure), instead of when the session ends. */
    void disconnect() {
        if (connection != null) {
            Connection c = connection;
            connection = null;
            Operation.run("disconnect", c::close);
        }
    }

    @Override
    public void close() {
        if (connection != null) {
            Connection c = connection;
            connection = null;
            try {
                c.close();
            } catch (TovikException e) {
                err.println("tovik: warning: disconnect: " + ResultCode.describe(e.code()));
            } catch (UnsatisfiedLinkError e) {
                // nothing to undo without the method
            }
        }
        if (runtime != null) {
            TovikRuntime r = runtime;
            runtime = null;
            try {
                r.close();
            } catch (UnsatisfiedLinkError e) {
                // nothing to undo without the method
            }
        }
        if (logging) {
            LogLines.stop();
        }
    }
}
