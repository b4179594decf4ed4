package com.holm.zep.tovik.client;

import com.holm.zep.tovik.api.jni.TovikApStateItem;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikAppStatus;
import com.holm.zep.tovik.api.jni.TovikClientAccessItem;
import com.holm.zep.tovik.api.jni.TovikClientSpace;
import com.holm.zep.tovik.api.jni.TovikPendantDisp;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Objects;
import java.util.concurrent.atomic.AtomicBoolean;

/**
 * An open connection to a module, from {@link TovikRuntime#connect}. Closing it disconnects;
 * closing it again does nothing, and so does closing it after its runtime closed (which
 * disconnected it). Every other method of a closed connection throws
 * {@link IllegalStateException}; a refused operation throws {@link TovikException}.
 *
 * <p>Each method is one native call on the calling thread (see {@link TovikRuntime} on threads).
 */
public final class Connection implements AutoCloseable {
    /** How many pendant LEDs {@link #leds()} reads at most. */
    public static final int MAX_LEDS = 32;
    /** Value no LED reads back (values arrive zero-extended): marks the slots left unread. */
    private static final long UNREAD = -1;

    private final TovikRuntime runtime;
    private final TovikApiManager api;
    private final long manager;
    private final long handle;
    private final AtomicBoolean closed = new AtomicBoolean();

    Connection(TovikRuntime runtime, long handle) {
        this.runtime = runtime;
        this.api = runtime.api();
        this.manager = runtime.handle();
        this.handle = handle;
    }

    /** {@return the provider's connection handle (unsigned 32-bit)} */
    public long handle() {
        return handle;
    }

    /** {@return the runtime this connection belongs to} */
    public TovikRuntime runtime() {
        return runtime;
    }

    /** {@return whether the connection has been closed (or its runtime has)} */
    public boolean isClosed() {
        return closed.get() || runtime.isClosed();
    }

    private <T> T call(String operation, NativeCall.Body<T> body) {
        if (closed.get()) {
            throw new IllegalStateException("the connection " + handle + " is closed");
        }
        return runtime.call(operation, body);
    }

    private void run(String operation, NativeCall.VoidBody body) {
        call(operation, r -> {
            body.invoke(r);
            return null;
        });
    }

    /**
     * The connection's state ({@code vtxGetConStatus}): the provider's value, uninterpreted.
     *
     * @return the status
     */
    public long status() {
        return call("vtxGetConStatus", r -> api.vtxGetConStatus(manager, handle, r));
    }

    /**
     * The version lists read through this connection (second value 0).
     *
     * @param form numbers or texts
     * @return both lists
     */
    public Versions versions(Versions.Form form) {
        if (closed.get()) {
            throw new IllegalStateException("the connection " + handle + " is closed");
        }
        return runtime.versions(handle, 0, form);
    }

    // ---- applications on the module

    /**
     * The module's applications with licences ({@code vtxGetAppsVci}).
     *
     * @param second the second selector, handed to the provider
     * @param third the third selector
     * @return the applications in the provider's order
     */
    public List<ModuleApplication> applications(long second, long third) {
        return Values.list(call("vtxGetAppsVci",
                r -> api.vtxGetAppsVci(manager, handle, second, third, r)),
                Values::moduleApplication);
    }

    /**
     * The module's applications with version and date as texts ({@code vtxGetAppsVci2}).
     *
     * @param second the second selector, handed to the provider
     * @param third the third selector
     * @return the applications in the provider's order
     */
    public List<ModuleApplicationText> applicationTexts(long second, long third) {
        return Values.list(call("vtxGetAppsVci2",
                r -> api.vtxGetAppsVci2(manager, handle, second, third, r)),
                Values::moduleApplicationText);
    }

    /**
     * Sends a control request to an application of this module ({@code vtxControlApp}).
     *
     * @param app the application
     * @param action the control action
     */
    public void controlApplication(long app, long action) {
        run("vtxControlApp", r -> api.vtxControlApp(manager, handle, app, action, r));
    }

    // ---- installation

    /**
     * Starts installing an application by name ({@code vtxInstallVciApp}).
     *
     * @param appName the application's name
     * @return the job's first status; follow it with {@link #installStatus(long)}
     */
    public InstallStatus install(String appName) {
        Objects.requireNonNull(appName, "appName");
        TovikAppStatus status = new TovikAppStatus();
        run("vtxInstallVciApp", r -> api.vtxInstallVciApp(manager, handle, appName, status, r));
        return Values.installStatus(status);
    }

    /**
     * Starts installing an application by number ({@code vtxInstallVciApp2}).
     *
     * @param app the application number
     * @return the job's first status
     */
    public InstallStatus install(long app) {
        TovikAppStatus status = new TovikAppStatus();
        run("vtxInstallVciApp2", r -> api.vtxInstallVciApp2(manager, handle, app, status, r));
        return Values.installStatus(status);
    }

    /**
     * Starts removing an application ({@code vtxUninstallVciApp}).
     *
     * @param appName the application's name
     * @return the job's first status
     */
    public InstallStatus uninstall(String appName) {
        Objects.requireNonNull(appName, "appName");
        TovikAppStatus status = new TovikAppStatus();
        run("vtxUninstallVciApp",
                r -> api.vtxUninstallVciApp(manager, handle, appName, status, r));
        return Values.installStatus(status);
    }

    /**
     * Starts a system firmware update ({@code vtxUpdateSystemFirmware}).
     *
     * @return the job's first status
     */
    public InstallStatus updateFirmware() {
        TovikAppStatus status = new TovikAppStatus();
        run("vtxUpdateSystemFirmware",
                r -> api.vtxUpdateSystemFirmware(manager, handle, status, r));
        return Values.installStatus(status);
    }

    /**
     * The status of an installation job ({@code vtxInstallGetStatus}).
     *
     * @param job the job number
     * @return the job's status
     */
    public InstallStatus installStatus(long job) {
        TovikAppStatus status = new TovikAppStatus();
        run("vtxInstallGetStatus", r -> api.vtxInstallGetStatus(manager, handle, job, status, r));
        return Values.installStatus(status);
    }

    // ---- client information

    /**
     * Stores a block of client information ({@code vtxStoreClientInfo}).
     *
     * @param identifier the block's identifier
     * @param location the storage location
     * @param data the bytes to store
     * @param option the option value handed to the provider
     * @return the transfer's progress
     */
    public ClientAccess store(String identifier, long location, byte[] data, long option) {
        Objects.requireNonNull(identifier, "identifier");
        Objects.requireNonNull(data, "data");
        TovikClientAccessItem item = new TovikClientAccessItem();
        run("vtxStoreClientInfo", r -> api.vtxStoreClientInfo(manager, handle, identifier,
                location, data, option, item, r));
        return Values.clientAccess(item);
    }

    /**
     * Lets the provider store a file as client information ({@code vtxStoreClientInfoFile}).
     *
     * @param identifier the block's identifier
     * @param location the storage location
     * @param fileName the file, as the provider sees it
     * @param option the option value handed to the provider
     * @return the transfer's progress
     */
    public ClientAccess storeFile(String identifier, long location, String fileName,
            long option) {
        Objects.requireNonNull(identifier, "identifier");
        Objects.requireNonNull(fileName, "fileName");
        TovikClientAccessItem item = new TovikClientAccessItem();
        run("vtxStoreClientInfoFile", r -> api.vtxStoreClientInfoFile(manager, handle,
                identifier, location, fileName, option, item, r));
        return Values.clientAccess(item);
    }

    /**
     * Deletes a stored block ({@code vtxDeleteClientInfo}).
     *
     * @param identifier the block's identifier
     * @param location the storage location
     */
    public void delete(String identifier, long location) {
        Objects.requireNonNull(identifier, "identifier");
        run("vtxDeleteClientInfo",
                r -> api.vtxDeleteClientInfo(manager, handle, identifier, location, r));
    }

    /**
     * The progress of a transfer ({@code vtxGetClientAccessStatus}).
     *
     * @param accessId the transfer's id
     * @return its progress
     */
    public ClientAccess accessStatus(long accessId) {
        TovikClientAccessItem item = new TovikClientAccessItem();
        run("vtxGetClientAccessStatus",
                r -> api.vtxGetClientAccessStatus(manager, handle, accessId, item, r));
        return Values.clientAccess(item);
    }

    /**
     * The module's free and total client storage ({@code vtxGetAvailableClientSpace}).
     *
     * @return the space
     */
    public ClientSpace clientSpace() {
        TovikClientSpace space = new TovikClientSpace();
        run("vtxGetAvailableClientSpace",
                r -> api.vtxGetAvailableClientSpace(manager, handle, space, r));
        return Values.clientSpace(space);
    }

    /**
     * The stored blocks ({@code vtxGetClientInfoList}).
     *
     * @return the blocks in the provider's order
     */
    public List<ClientInfoEntry> clientInfoList() {
        return Values.list(call("vtxGetClientInfoList",
                r -> api.vtxGetClientInfoList(manager, handle, r)), Values::clientInfoEntry);
    }

    /**
     * Starts reading a stored block back ({@code vtxGetClientInfo}); the bytes come with
     * {@link #readResult(long)} once the transfer is done.
     *
     * @param identifier the block's identifier
     * @param location the storage location
     * @param option the option value handed to the provider
     * @return the transfer's progress, with its access id
     */
    public ClientAccess read(String identifier, long location, long option) {
        Objects.requireNonNull(identifier, "identifier");
        TovikClientAccessItem item = new TovikClientAccessItem();
        run("vtxGetClientInfo", r -> api.vtxGetClientInfo(manager, handle, identifier, location,
                option, item, r));
        return Values.clientAccess(item);
    }

    /**
     * The bytes of a finished read ({@code vtxGetClientInfoResult}).
     *
     * @param accessId the read's access id
     * @return the bytes, possibly none
     */
    public byte[] readResult(long accessId) {
        byte[] bytes = call("vtxGetClientInfoResult",
                r -> api.vtxGetClientInfoResult(manager, handle, accessId, r));
        return bytes == null ? new byte[0] : bytes;
    }

    /**
     * Lets the provider read a stored block into a file ({@code vtxGetClientInfoFile}).
     *
     * @param identifier the block's identifier
     * @param location the storage location
     * @param fileName the file, as the provider sees it
     * @return the transfer's progress
     */
    public ClientAccess readIntoFile(String identifier, long location, String fileName) {
        Objects.requireNonNull(identifier, "identifier");
        Objects.requireNonNull(fileName, "fileName");
        TovikClientAccessItem item = new TovikClientAccessItem();
        run("vtxGetClientInfoFile", r -> api.vtxGetClientInfoFile(manager, handle, identifier,
                location, fileName, item, r));
        return Values.clientAccess(item);
    }

    // ---- pendant

    /**
     * Sets the pendant's LEDs ({@code vtxPendantSetLeds}): element i describes LED i; LEDs beyond
     * the list keep their settings.
     *
     * @param leds the settings, at least one
     */
    public void setLeds(List<Led> leds) {
        Objects.requireNonNull(leds, "leds");
        run("vtxPendantSetLeds", r -> {
            int n = leds.size();
            if (n == 0) {
                // The library would refuse it with its no-runtime code, which misleads.
                throw new IllegalArgumentException("no LED to set");
            }
            long[] valid = new long[n];
            long[] control = new long[n];
            long[] blink = new long[n];
            for (int i = 0; i < n; i++) {
                Led led = leds.get(i);
                valid[i] = led.valid();
                control[i] = led.control();
                blink[i] = led.blinkFrequency();
            }
            api.vtxPendantSetLeds(manager, handle, valid, control, blink, r);
        });
    }

    /**
     * The pendant's LEDs ({@code vtxPendantGetLeds}), at most {@value #MAX_LEDS}.
     *
     * @return the LEDs the pendant has, in order
     */
    public List<Led> leds() {
        long[] valid = new long[MAX_LEDS];
        long[] control = new long[MAX_LEDS];
        long[] blink = new long[MAX_LEDS];
        Arrays.fill(valid, UNREAD);
        run("vtxPendantGetLeds",
                r -> api.vtxPendantGetLeds(manager, handle, valid, control, blink, r));
        List<Led> leds = new ArrayList<>();
        for (int i = 0; i < MAX_LEDS && valid[i] != UNREAD; i++) {
            leds.add(new Led(valid[i], control[i], blink[i]));
        }
        return List.copyOf(leds);
    }

    /**
     * Sets the seven-segment display ({@code vtxPendantSetSegDisp}).
     *
     * @param segments segments A to G and the decimal point, in this order (eight values)
     * @param displayValue1 the first display value
     * @param displayValue2 the second display value
     */
    public void setSegmentDisplay(List<Long> segments, long displayValue1, long displayValue2) {
        if (segments.size() != 8) {
            throw new IllegalArgumentException("eight segment values (A to G and the decimal "
                    + "point), not " + segments.size());
        }
        long[] s = new long[8];
        for (int i = 0; i < 8; i++) {
            s[i] = segments.get(i);
        }
        run("vtxPendantSetSegDisp", r -> api.vtxPendantSetSegDisp(manager, handle, s,
                displayValue1, displayValue2, r));
    }

    /**
     * The seven-segment display ({@code vtxPendantGetSegDisp}).
     *
     * @return segments and display values
     */
    public SegmentDisplay segmentDisplay() {
        TovikPendantDisp disp = new TovikPendantDisp();
        run("vtxPendantGetSegDisp", r -> api.vtxPendantGetSegDisp(manager, handle, disp, r));
        return Values.segmentDisplay(disp);
    }

    /**
     * Sets the pendant's audio ({@code vtxPendantSetAudio}).
     *
     * @param audio1 the first value
     * @param audio2 the second value
     * @param audio3 the third value
     * @param audio4 the fourth value
     */
    public void setAudio(long audio1, long audio2, long audio3, long audio4) {
        run("vtxPendantSetAudio", r -> api.vtxPendantSetAudio(manager, handle, audio1, audio2,
                audio3, audio4, r));
    }

    /**
     * The pendant's two audio outputs ({@code vtxPendantGetAudio}).
     *
     * @return the audio values
     */
    public PendantAudio audio() {
        return Values.audio(call("vtxPendantGetAudio",
                r -> api.vtxPendantGetAudio(manager, handle, r)));
    }

    // ---- wireless and diagnostics

    /**
     * The module's access-point link ({@code vtxGetAccessPointState}).
     *
     * @param selector which access point, handed to the provider
     * @return its state
     */
    public AccessPointState accessPointState(long selector) {
        TovikApStateItem item = new TovikApStateItem();
        run("vtxGetAccessPointState",
                r -> api.vtxGetAccessPointState(manager, handle, selector, item, r));
        return Values.accessPointState(item);
    }

    /**
     * Runs the module's self test ({@code vtxRunSelfTest}).
     *
     * @return its raw result bytes
     */
    public SelfTest selfTest() {
        byte[] bytes = call("vtxRunSelfTest", r -> api.vtxRunSelfTest(manager, handle, r));
        return new SelfTest(bytes == null ? new byte[0] : bytes);
    }

    /**
     * The module's configuration items ({@code vtxGetConfigItems}).
     *
     * @return the items in the provider's order
     */
    public List<ConfigItem> configItems() {
        return Values.list(call("vtxGetConfigItems",
                r -> api.vtxGetConfigItems(manager, handle, r)), Values::configItem);
    }

    // ---- closing

    /**
     * Disconnects ({@code vtxDisconnect}). Closing again, or after the runtime closed, does
     * nothing.
     *
     * @throws TovikException when the provider refused the disconnect (the connection counts as
     *     closed all the same)
     */
    @Override
    public void close() {
        if (runtime.isClosed()) {
            // The runtime's close disconnects every connection it still holds.
            return;
        }
        if (closed.compareAndSet(false, true)) {
            runtime.forget(this);
            NativeCall.run("vtxDisconnect", manager,
                    r -> api.vtxDisconnect(manager, handle, r));
        }
    }

    /** The runtime's close: disconnects while the runtime still exists. */
    void disconnectFromRuntime() {
        if (closed.compareAndSet(false, true)) {
            NativeCall.run("vtxDisconnect", manager,
                    r -> api.vtxDisconnect(manager, handle, r));
        }
    }

    @Override
    public String toString() {
        return "Connection[" + handle + " on runtime " + manager
                + (isClosed() ? ", closed]" : "]");
    }
}
