package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikVciInfo3;
import com.holm.zep.tovik.api.jni.TovikVciItem;
import java.io.PrintStream;
import java.util.function.Consumer;

/**
 * One use of the library: the virtual provider and libTovikApi4J loaded, one runtime initialised,
 * and, when a command asks for it, one connection to the chosen module. {@link #close()}
 * disconnects and shuts the runtime down; use it in try-with-resources.
 *
 * <p>Every native call goes through {@link #attempt}, {@link #call} or {@link #run}, which turn a
 * native method the library does not provide into a clear {@link ToolException} and, for
 * {@code call} and {@code run}, a non-zero result code into a failure naming the code.
 */
final class Session implements AutoCloseable {
    /** A native call that reports its result code through the given {@link LongValue}. */
    interface Call<T> {
        T invoke(LongValue result);
    }

    /** What a native call returned together with its result code. */
    record Outcome<T>(T value, long code) {
        boolean ok() {
            return code == 0;
        }
    }

    /** Client name under which the tool connects. */
    static final String CLIENT_NAME = "tovik";

    private final TovikApiManager api = new TovikApiManager();
    private final ToolOptions options;
    private final PrintStream err;
    private long manager = TovikApiManager.INVALID_HANDLE;
    private TovikVciItem module;
    private long connection = -1;

    private Session(ToolOptions options, PrintStream err) {
        this.options = options;
        this.err = err;
    }

    /** Loads the provider and the library and initialises a runtime. */
    static Session open(ToolOptions options, PrintStream err) {
        Provider.load(options.scenario());
        try {
            TovikApiManager.loadLibrary();
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.unavailable("load library", "lib" + TovikApiManager.LIBRARY_NAME
                    + " could not be loaded (" + e.getMessage() + ")");
        }
        Session session = new Session(options, err);
        try {
            session.start();
            return session;
        } catch (RuntimeException | Error e) {
            session.close();
            throw e;
        }
    }

    private void start() {
        if (options.log()) {
            try {
                api.vtxSetLogClass(LogSink.CLASS_NAME, LogSink.METHOD_NAME);
            } catch (UnsatisfiedLinkError e) {
                err.println("tovik: warning: vtxSetLogClass is not available; no library log");
            }
        }
        Outcome<Long> init = attempt("initialise runtime", "vtxInitializeRuntime",
                r -> api.vtxInitializeRuntime(CLIENT_NAME, "TovikApi4J command-line tool",
                        false, r));
        if (!init.ok() || init.value() == TovikApiManager.INVALID_HANDLE) {
            throw ToolException.failed("initialise runtime", init.code());
        }
        manager = init.value();
    }

    TovikApiManager api() {
        return api;
    }

    long manager() {
        return manager;
    }

    ToolOptions options() {
        return options;
    }

    /** Runs a native call and returns its value and result code; never fails on the code. */
    <T> Outcome<T> attempt(String operation, String nativeMethod, Call<T> call) {
        LongValue result = new LongValue(ResultCodes.NO_RUNTIME);
        try {
            T value = call.invoke(result);
            return new Outcome<>(value, result.get());
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.missing(operation, nativeMethod);
        }
    }

    /** Runs a native call and returns its value; a non-zero result code ends the command. */
    <T> T call(String operation, String nativeMethod, Call<T> call) {
        Outcome<T> outcome = attempt(operation, nativeMethod, call);
        if (!outcome.ok()) {
            throw ToolException.failed(operation, outcome.code());
        }
        return outcome.value();
    }

    /** Runs a native call without a value; a non-zero result code ends the command. */
    void run(String operation, String nativeMethod, Consumer<LongValue> call) {
        call(operation, nativeMethod, r -> {
            call.accept(r);
            return null;
        });
    }

    /** The modules present, never null. */
    TovikVciItem[] modules() {
        TovikVciItem[] items = call("list modules", "vtxGetModuleIds",
                r -> api.vtxGetModuleIds(manager, r));
        return items == null ? new TovikVciItem[0] : items;
    }

    /** The module chosen with --module (serial number, name or alias), by default the first. */
    TovikVciItem module() {
        if (module != null) {
            return module;
        }
        TovikVciItem[] items = modules();
        ModuleChoice wanted = options.module();
        if (wanted == null) {
            if (items.length == 0) {
                throw ToolException.failed("choose module", "no module is present");
            }
            module = items[0];
            return module;
        }
        for (TovikVciItem item : items) {
            if (wanted.serial() != null && Numbers.u32(item.getSerialNumber()) == wanted.serial()
                    || wanted.text().equalsIgnoreCase(item.getModuleName())) {
                module = item;
                return module;
            }
        }
        // An alias needs each module's details: asked only when no serial or name matched.
        for (TovikVciItem item : items) {
            if (wanted.text().equalsIgnoreCase(alias(item))) {
                module = item;
                return module;
            }
        }
        throw ToolException.usage("option '--module': no module '" + wanted + "' (present: "
                + describeModules(items) + ")");
    }

    private String alias(TovikVciItem item) {
        long serial = Numbers.u32(item.getSerialNumber());
        TovikVciInfo3 info = new TovikVciInfo3();
        Outcome<Object> outcome = attempt("read module info", "vtxGetModuleInfo3", r -> {
            api.vtxGetModuleInfo3(manager, serial, info, r);
            return null;
        });
        return outcome.ok() ? info.getVciAlias() : null;
    }

    private static String describeModules(TovikVciItem[] items) {
        if (items.length == 0) {
            return "none";
        }
        StringBuilder b = new StringBuilder();
        for (TovikVciItem item : items) {
            b.append(b.length() == 0 ? "" : ", ").append(item.getModuleName()).append(" #")
                    .append(Numbers.u32(item.getSerialNumber()));
        }
        return b.toString();
    }

    long serial() {
        return Numbers.u32(module().getSerialNumber());
    }

    /** The connection handle to the chosen module; connects on first use. */
    long connection() {
        if (connection < 0) {
            connection = connect(options.connectMode(), CLIENT_NAME);
        }
        return connection;
    }

    boolean connected() {
        return connection >= 0;
    }

    /** Opens a connection to the chosen module; it is closed with the session. */
    long connect(long mode, String clientName) {
        long serial = serial();
        Outcome<Long> outcome = clientName == null
                ? attempt("connect", "vtxConnect", r -> api.vtxConnect(manager, serial, mode, r))
                : attempt("connect", "vtxConnect2",
                        r -> api.vtxConnect2(manager, serial, mode, clientName, r));
        if (!outcome.ok()) {
            throw ToolException.failed("connect to module " + serial, outcome.code());
        }
        connection = outcome.value();
        return connection;
    }

    /** Closes the connection now (reporting a failure), instead of when the session ends. */
    void disconnect() {
        if (connection >= 0) {
            long handle = connection;
            connection = -1;
            run("disconnect", "vtxDisconnect", r -> api.vtxDisconnect(manager, handle, r));
        }
    }

    /**
     * Ends a wait for events in progress; callable from any thread (a timer, the Ctrl-C hook).
     * Does nothing once the session is closed, so that it never races the runtime's shutdown.
     */
    synchronized void cancelEvents() {
        if (manager == TovikApiManager.INVALID_HANDLE) {
            return;
        }
        try {
            api.vtxCancelEventNotification(manager, new LongValue());
        } catch (UnsatisfiedLinkError e) {
            // nothing to cancel without the method
        }
    }

    @Override
    public synchronized void close() {
        if (connection >= 0) {
            long handle = connection;
            connection = -1;
            try {
                LongValue result = new LongValue();
                api.vtxDisconnect(manager, handle, result);
                if (result.get() != 0) {
                    err.println("tovik: warning: disconnect: "
                            + ResultCodes.describe(result.get()));
                }
            } catch (UnsatisfiedLinkError e) {
                // nothing to undo without the method
            }
        }
        if (manager != TovikApiManager.INVALID_HANDLE) {
            long handle = manager;
            manager = TovikApiManager.INVALID_HANDLE;
            try {
                api.vtxShutdownRuntime(handle);
            } catch (UnsatisfiedLinkError e) {
                // nothing to undo without the method
            }
        }
        if (options.log()) {
            try {
                api.vtxSetLogClass(null, null);
            } catch (UnsatisfiedLinkError e) {
                // logging was never switched on
            }
        }
    }
}
