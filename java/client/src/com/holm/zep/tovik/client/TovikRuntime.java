package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikVciInfo;
import com.holm.zep.tovik.api.jni.TovikVciInfo3;
import com.holm.zep.tovik.api.jni.TovikVersionInfo;
import java.time.Duration;
import java.util.ArrayList;
import java.util.Iterator;
import java.util.List;
import java.util.Objects;
import java.util.Optional;
import java.util.Set;
import java.util.Spliterator;
import java.util.Spliterators;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.Executor;
import java.util.concurrent.Flow;
import java.util.concurrent.ForkJoinPool;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.stream.Stream;
import java.util.stream.StreamSupport;

/**
 * One runtime of the native library: the way to the provider's modules, their connections and
 * their events. Open it with {@link #open()} or {@link #open(Options)} and close it with
 * {@link #close()} (try-with-resources):
 *
 * <pre>{@code
 * try (TovikRuntime runtime = TovikRuntime.open()) {
 *     for (Module m : runtime.modules()) {
 *         System.out.println(m.name() + " #" + m.serialNumber());
 *     }
 * }
 * }</pre>
 *
 * <p><b>Errors.</b> An operation that reports a non-zero result code throws
 * {@link TovikException} with the code, its name and its meaning. Values that are the provider's
 * information rather than a failure stay values: a connection's status, a job's
 * {@linkplain InstallStatus#errorNumber() error number}, a transfer's
 * {@linkplain ClientAccess#errorCode() error code}, and a wait for events that ended without
 * events. Every method of a closed runtime throws {@link IllegalStateException}; so does a call
 * that was still running when another thread closed the runtime.
 *
 * <p><b>Threads.</b> A runtime may be used from several threads at once; the library runs every
 * provider call on its one command thread. Each operation is one native call that blocks the
 * calling thread until the provider has answered, from microseconds for a status read to the
 * provider's own time for a self test or a large transfer. Called from a virtual thread, that
 * native call pins the carrier thread for that time. Waiting for events never pins: the only
 * thread that waits in the library is the runtime's own waiter thread (a platform thread), and
 * {@link #poll(Duration)}, {@link #events()} and the subscribers block in
 * {@code java.util.concurrent} only.
 *
 * <p><b>Events.</b> The first use of {@link #poll}, {@link #pollBatch}, {@link #events()},
 * {@link #eventIterable()} or {@link #eventPublisher()} starts the waiter thread, which waits for
 * events, queues them and waits again, so that no event is lost between two polls. The poll
 * methods, the stream and the iterables take events from one queue (each event goes to one of
 * them); every {@link Flow.Subscriber} receives every event from the moment it subscribed.
 * Closing the runtime cancels the wait; the stream and the iterables end, the subscribers
 * complete, and a poll waiting at that moment returns empty.
 *
 * <p><b>Observability.</b> Every call records a {@link CallEvent} for JDK Flight Recorder when a
 * recording enables it, and the library's own log reaches {@link System.Logger} through
 * {@link NativeLog} when it is installed. Both are off by default and cost nothing while off.
 *
 * <p>The provider must be present before the first runtime opens; with the virtual provider,
 * load its control class {@code com.holm.zep.tovik.sim.VirtualProvider} first.
 */
public final class TovikRuntime implements AutoCloseable {
    /**
     * How a runtime is opened: the two texts and the flag handed to the provider, and whether
     * the library's log reaches {@link System.Logger} while the runtime is open.
     *
     * @param firstText the first runtime text, handed to the provider unchanged
     * @param secondText the second runtime text
     * @param flag the runtime flag
     * @param nativeLog whether {@link NativeLog} is installed while the runtime is open
     */
    public record Options(String firstText, String secondText, boolean flag, boolean nativeLog) {
        /**
         * {@return the defaults: texts "tovik-client" and "TovikApi4J Java client", flag off,
         * log off}
         */
        public static Options defaults() {
            return new Options("tovik-client", "TovikApi4J Java client", false, false);
        }

        /**
         * These options with other runtime texts.
         *
         * @param first the first runtime text
         * @param second the second runtime text
         * @return the changed options
         */
        public Options withTexts(String first, String second) {
            return new Options(first, second, flag, nativeLog);
        }

        /**
         * These options with another runtime flag.
         *
         * @param value the runtime flag
         * @return the changed options
         */
        public Options withFlag(boolean value) {
            return new Options(firstText, secondText, value, nativeLog);
        }

        /**
         * These options with the library's log on or off.
         *
         * @param value whether the log reaches {@link System.Logger}
         * @return the changed options
         */
        public Options withNativeLog(boolean value) {
            return new Options(firstText, secondText, flag, value);
        }
    }

    /** Registration values that ask the provider for every event. */
    public static final long ALL_EVENTS = 0xFFFFFFFFL;

    private static final TovikApiManager API = new TovikApiManager();

    private final long handle;
    private final boolean nativeLog;
    private final EventPump events;
    private final Set<Connection> connections = ConcurrentHashMap.newKeySet();
    private final AtomicBoolean closed = new AtomicBoolean();

    private TovikRuntime(long handle, boolean nativeLog) {
        this.handle = handle;
        this.nativeLog = nativeLog;
        this.events = new EventPump(API, handle);
    }

    /**
     * Opens a runtime with {@link Options#defaults()}.
     *
     * @return the open runtime
     * @throws TovikException when the library or the provider refuses the runtime
     */
    public static TovikRuntime open() {
        return open(Options.defaults());
    }

    /**
     * Loads the library when needed and opens a runtime.
     *
     * @param options the runtime texts, flag and log switch
     * @return the open runtime
     * @throws TovikException when the library or the provider refuses the runtime
     */
    public static TovikRuntime open(Options options) {
        Objects.requireNonNull(options.firstText(), "firstText");
        Objects.requireNonNull(options.secondText(), "secondText");
        TovikApiManager.loadLibrary();
        if (options.nativeLog()) {
            NativeLog.install();
        }
        LongValue result = new LongValue(ResultCode.TOVIK_E_NO_RUNTIME.value());
        long handle;
        try {
            handle = NativeCall.record("vtxInitializeRuntime", TovikApiManager.INVALID_HANDLE,
                    result, r -> API.vtxInitializeRuntime(options.firstText(),
                            options.secondText(), options.flag(), r));
        } catch (RuntimeException | Error e) {
            if (options.nativeLog()) {
                NativeLog.uninstall();
            }
            throw e;
        }
        if (result.get() != 0 || handle == TovikApiManager.INVALID_HANDLE) {
            if (options.nativeLog()) {
                NativeLog.uninstall();
            }
            long code = result.get() != 0 ? result.get() : ResultCode.TOVIK_E_NO_RUNTIME.value();
            throw new TovikException("vtxInitializeRuntime", code);
        }
        return new TovikRuntime(handle, options.nativeLog());
    }

    /** {@return the library's manager handle of this runtime} */
    public long handle() {
        return handle;
    }

    /** {@return whether {@link #close()} has been called} */
    public boolean isClosed() {
        return closed.get();
    }

    // ---- one road for every call

    private void ensureOpen() {
        if (closed.get()) {
            throw new IllegalStateException("the runtime " + handle + " is closed");
        }
    }

    <T> T call(String operation, NativeCall.Body<T> body) {
        ensureOpen();
        try {
            return NativeCall.call(operation, handle, body);
        } catch (TovikException e) {
            if (closed.get() && e.code() == ResultCode.TOVIK_E_NO_RUNTIME.value()) {
                throw new IllegalStateException("the runtime " + handle
                        + " was closed during " + operation, e);
            }
            throw e;
        }
    }

    void run(String operation, NativeCall.VoidBody body) {
        call(operation, r -> {
            body.invoke(r);
            return null;
        });
    }

    TovikApiManager api() {
        return API;
    }

    void forget(Connection connection) {
        connections.remove(connection);
    }

    // ---- interfaces

    /** Configures the module's USB interface ({@code vtxConfigureUsbInterface}). */
    public void configureUsbInterface() {
        run("vtxConfigureUsbInterface", r -> API.vtxConfigureUsbInterface(handle, r));
    }

    /** Configures the module's Wi-Fi interface ({@code vtxConfigureWifiInterface}). */
    public void configureWifiInterface() {
        run("vtxConfigureWifiInterface", r -> API.vtxConfigureWifiInterface(handle, r));
    }

    // ---- modules

    /**
     * The modules present ({@code vtxGetModuleIds}).
     *
     * @return the modules in the provider's order, possibly none
     */
    public List<Module> modules() {
        return Values.list(call("vtxGetModuleIds", r -> API.vtxGetModuleIds(handle, r)),
                Values::module);
    }

    /**
     * A module's addresses and connected clients ({@code vtxGetModuleInfo}).
     *
     * @param serialNumber the module's serial number
     * @return the module's information
     */
    public ModuleInfo moduleInfo(long serialNumber) {
        TovikVciInfo info = new TovikVciInfo();
        run("vtxGetModuleInfo", r -> API.vtxGetModuleInfo(handle, serialNumber, info, r));
        return Values.moduleInfo(info);
    }

    /**
     * A module's addresses, alias, flag words and connected clients ({@code vtxGetModuleInfo3}).
     *
     * @param serialNumber the module's serial number
     * @return the module's details
     */
    public ModuleDetails moduleDetails(long serialNumber) {
        TovikVciInfo3 info = new TovikVciInfo3();
        run("vtxGetModuleInfo3", r -> API.vtxGetModuleInfo3(handle, serialNumber, info, r));
        return Values.moduleDetails(info);
    }

    // ---- connections

    /**
     * Connects to a module ({@code vtxConnect}). Close the connection to disconnect; closing the
     * runtime disconnects every connection still open.
     *
     * @param serialNumber the module's serial number (the first connect value)
     * @param mode the connection mode (the second connect value), handed to the provider
     * @return the open connection
     */
    public Connection connect(long serialNumber, long mode) {
        long connection = call("vtxConnect", r -> API.vtxConnect(handle, serialNumber, mode, r));
        return adopt(connection);
    }

    /**
     * Connects to a module announcing a client name ({@code vtxConnect2}).
     *
     * @param serialNumber the module's serial number
     * @param mode the connection mode, handed to the provider
     * @param clientName the name the module shows for this client
     * @return the open connection
     */
    public Connection connect(long serialNumber, long mode, String clientName) {
        Objects.requireNonNull(clientName, "clientName");
        long connection = call("vtxConnect2",
                r -> API.vtxConnect2(handle, serialNumber, mode, clientName, r));
        return adopt(connection);
    }

    /**
     * Takes charge of a connection handle opened elsewhere (for instance by the raw API): the
     * returned connection disconnects it when closed.
     *
     * @param connectionHandle the provider's connection handle
     * @return a connection for the handle
     */
    public Connection adopt(long connectionHandle) {
        ensureOpen();
        Connection c = new Connection(this, connectionHandle & 0xFFFFFFFFL);
        connections.add(c);
        if (closed.get()) {
            // Closed meanwhile: the close may have missed this one.
            try {
                c.disconnectFromRuntime();
            } catch (TovikException e) {
                // The runtime went first, and the connection with it.
            }
            throw new IllegalStateException("the runtime " + handle + " is closed");
        }
        return c;
    }

    /**
     * The state of a connection handle ({@code vtxGetConStatus}).
     *
     * @param connectionHandle the connection handle
     * @return the status as the provider reports it
     */
    public long connectionStatus(long connectionHandle) {
        return call("vtxGetConStatus", r -> API.vtxGetConStatus(handle, connectionHandle, r));
    }

    // ---- versions

    /**
     * The server and client version lists ({@code vtxGetVersionInformation} or, for
     * {@link Versions.Form#TEXTS}, {@code vtxGetVersionInformation2}).
     *
     * @param target the handle the versions are read for (a connection handle)
     * @param second the second value handed to the provider
     * @param form numbers or texts
     * @return both lists
     */
    public Versions versions(long target, long second, Versions.Form form) {
        TovikVersionInfo info = new TovikVersionInfo();
        if (form == Versions.Form.TEXTS) {
            run("vtxGetVersionInformation2",
                    r -> API.vtxGetVersionInformation2(handle, target, second, info, r));
        } else {
            run("vtxGetVersionInformation",
                    r -> API.vtxGetVersionInformation(handle, target, second, info, r));
        }
        return new Versions(Values.list(info.getServerVersions(), Values::version),
                Values.list(info.getClientVersions(), Values::version));
    }

    // ---- applications

    /**
     * The applications available on the PC ({@code vtxGetAppsPc}, {@code vtxGetAppsPc2} or
     * {@code vtxGetAppsPc3}, after the form).
     *
     * @param form which fields to read
     * @return the applications in the provider's order
     */
    public List<PcApplication> pcApplications(PcApplication.Form form) {
        return Values.list(switch (form) {
            case NUMBERS -> call("vtxGetAppsPc", r -> API.vtxGetAppsPc(handle, r));
            case NUMBERS_AND_TYPE -> call("vtxGetAppsPc2", r -> API.vtxGetAppsPc2(handle, r));
            case TEXTS -> call("vtxGetAppsPc3", r -> API.vtxGetAppsPc3(handle, r));
        }, Values::pcApplication);
    }

    /**
     * Sends a control request to a module application ({@code vtxControlApp}); the three values
     * go to the provider unchanged. {@link Connection#controlApplication} is the usual form.
     *
     * @param first the first value
     * @param second the second value
     * @param third the third value
     */
    public void controlApplication(long first, long second, long third) {
        run("vtxControlApp", r -> API.vtxControlApp(handle, first, second, third, r));
    }

    /**
     * Writes an application configuration value ({@code vtxSetConfigApp}).
     *
     * @param app the application
     * @param item the configuration item
     * @param value the value
     */
    public void setApplicationConfig(long app, long item, long value) {
        run("vtxSetConfigApp", r -> API.vtxSetConfigApp(handle, app, item, value, r));
    }

    /**
     * Reads an application configuration value ({@code vtxGetConfigApp}).
     *
     * @param app the application
     * @param item the configuration item
     * @return the value (unsigned 32-bit)
     */
    public long applicationConfig(long app, long item) {
        return call("vtxGetConfigApp", r -> API.vtxGetConfigApp(handle, app, item, r));
    }

    // ---- wireless

    /**
     * Switches the manual Wi-Fi scan ({@code vtxEnableManualScan}).
     *
     * @param enable on or off
     */
    public void enableManualScan(boolean enable) {
        run("vtxEnableManualScan", r -> API.vtxEnableManualScan(handle, enable, r));
    }

    /**
     * Switches automatic Wi-Fi ({@code vtxEnableAutoWifi}).
     *
     * @param enable on or off
     */
    public void enableAutoWifi(boolean enable) {
        run("vtxEnableAutoWifi", r -> API.vtxEnableAutoWifi(handle, enable, r));
    }

    /**
     * The PC's Wi-Fi adapters and the automatic Wi-Fi flags ({@code vtxGetAutoWifiInfo}).
     *
     * @return the adapters and flags; no adapters when the provider gave no list
     */
    public AutoWifiInfo autoWifiInfo() {
        return Values.autoWifiInfo(call("vtxGetAutoWifiInfo",
                r -> API.vtxGetAutoWifiInfo(handle, r)));
    }

    // ---- events

    /**
     * Registers for module events ({@code vtxRegisterForEvents}).
     *
     * @param first the first registration value, e.g. {@link #ALL_EVENTS}
     * @param second the second registration value
     */
    public void registerForEvents(long first, long second) {
        run("vtxRegisterForEvents", r -> API.vtxRegisterForEvents(handle, first, second, r));
    }

    /**
     * The next event, waiting at most {@code timeout}.
     *
     * @param timeout how long to wait
     * @return the event, or empty when none came in time or the runtime closed meanwhile
     * @throws InterruptedException when the waiting thread is interrupted
     */
    public Optional<ModuleEvent> poll(Duration timeout) throws InterruptedException {
        ensureOpen();
        return events.poll(timeout);
    }

    /**
     * The next event, waiting at most {@code timeout}, together with every event already queued
     * behind it.
     *
     * @param timeout how long to wait for the first event
     * @return the events, none when none came in time or the runtime closed meanwhile
     * @throws InterruptedException when the waiting thread is interrupted
     */
    public List<ModuleEvent> pollBatch(Duration timeout) throws InterruptedException {
        ensureOpen();
        return events.pollBatch(timeout);
    }

    /**
     * The events as they come, as a sequential stream that ends when the runtime closes (or
     * when the consuming thread is interrupted, which stays flagged).
     *
     * @return the stream of events
     */
    public Stream<ModuleEvent> events() {
        ensureOpen();
        Iterator<ModuleEvent> it = events.iterator();
        return StreamSupport.stream(Spliterators.spliteratorUnknownSize(it,
                Spliterator.ORDERED | Spliterator.NONNULL), false);
    }

    /**
     * The events as they come, for a for-each loop that ends when the runtime closes. Each
     * iterator takes events from the runtime's one queue.
     *
     * @return the events
     */
    public Iterable<ModuleEvent> eventIterable() {
        ensureOpen();
        return events::iterator;
    }

    /**
     * A publisher of the events whose subscribers are signalled on the common fork-join pool.
     *
     * @return the publisher
     * @see #eventPublisher(Executor)
     */
    public Flow.Publisher<ModuleEvent> eventPublisher() {
        return eventPublisher(ForkJoinPool.commonPool());
    }

    /**
     * A publisher of the events. Each subscriber receives every event from its subscription on,
     * as its demand allows, with its signals run on {@code executor} (never on the thread that
     * waits for events); events it has not requested yet are kept for it. When the runtime
     * closes, each subscriber completes after its remaining events; one that subscribes later
     * completes at once.
     *
     * @param executor runs the subscribers' signals
     * @return the publisher
     */
    public Flow.Publisher<ModuleEvent> eventPublisher(Executor executor) {
        ensureOpen();
        Objects.requireNonNull(executor, "executor");
        return subscriber -> events.subscribe(Objects.requireNonNull(subscriber, "subscriber"),
                executor);
    }

    /** Whether the waiter thread has been started. */
    boolean eventsStarted() {
        return events.started();
    }

    /** Lets a test hold the waiter just before each of its waits. */
    void beforeEachWait(Runnable hook) {
        events.beforeEachWait(hook);
    }

    // ---- closing

    /**
     * Closes the runtime: disconnects the connections still open, cancels the wait for events
     * and waits for the waiter thread to end, then shuts the runtime down. Closing again does
     * nothing.
     *
     * @throws TovikException when disconnecting a connection failed (after the runtime was shut
     *     down all the same); further failures are added as suppressed
     */
    @Override
    public void close() {
        if (!closed.compareAndSet(false, true)) {
            return;
        }
        List<TovikException> failures = new ArrayList<>();
        for (Connection c : new ArrayList<>(connections)) {
            try {
                c.disconnectFromRuntime();
            } catch (TovikException e) {
                failures.add(e);
            }
        }
        connections.clear();
        events.close(() -> NativeCall.record("vtxCancelEventNotification", handle,
                new LongValue(), r -> {
                    API.vtxCancelEventNotification(handle, r);
                    return null;
                }));
        NativeCall.record("vtxShutdownRuntime", handle, new LongValue(), r -> {
            API.vtxShutdownRuntime(handle);
            return null;
        });
        if (nativeLog) {
            NativeLog.uninstall();
        }
        if (!failures.isEmpty()) {
            TovikException first = failures.get(0);
            for (int i = 1; i < failures.size(); i++) {
                first.addSuppressed(failures.get(i));
            }
            throw first;
        }
    }

    @Override
    public String toString() {
        return "TovikRuntime[" + handle + (closed.get() ? ", closed]" : "]");
    }
}
