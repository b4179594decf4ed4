package com.holm.zep.tovik.api.jni;

import java.lang.invoke.MethodHandles;

/**
 * Java face of the native library {@code TovikApi4J}.
 *
 * <p>Every operation is a native method. The first argument of nearly all of them is the manager
 * handle returned by {@link #vtxInitializeRuntime}; the per-module operations take the connection
 * handle returned by {@link #vtxConnect} next. Values the module side keeps as 32-bit numbers
 * travel as Java {@code long}; only their low 32 bits are used. The result code of an operation
 * is delivered through its {@link LongValue} argument: 0 for success, 0x50000007 when the manager
 * handle is unknown, 0x50000003 when the provider interface is missing or the input is empty,
 * anything else as the provider reported it.
 *
 * <p>Text goes to the provider and comes back through the Windows-1252 code page, the provider's
 * ANSI code page: characters outside it (most of Unicode) become "?", by design.
 *
 * <p>Call {@link #loadLibrary()} once before the first native method.
 */
public class TovikApiManager {
    /** Name of the native library as given to {@link System#loadLibrary(String)}. */
    public static final String LIBRARY_NAME = "TovikApi4J";

    /** {@code vtxInitializeRuntime} and {@code vtxConnect} return this handle on failure. */
    public static final long INVALID_HANDLE = 0xFFFFFFFFL;

    private static boolean libraryLoaded;

    /**
     * Loads {@code libTovikApi4J} once per process: the copy this jar carries, or the one on
     * {@code java.library.path} when the jar carries none for the running platform (see
     * {@link NativeLibraryLoader} for the system properties that change this).
     *
     * @throws UnsatisfiedLinkError when the library cannot be loaded
     */
    public static synchronized void loadLibrary() {
        if (!libraryLoaded) {
            NativeLibraryLoader.load(MethodHandles.lookup(), LIBRARY_NAME);
            libraryLoaded = true;
        }
    }

    // Logging

    /**
     * Names the static method {@code void method(String)} that receives the trace lines.
     * The class name is slash-separated; {@code null} stops the delivery. Threads of the library
     * find the class through the system class loader, so it must be on the class path.
     *
     * <p>Both names reach the virtual machine as they are (any characters, an embedded NUL
     * included) and are looked up at once, with the class loader of this call. A class that is
     * not found makes this call throw the virtual machine's {@code NoClassDefFoundError}; lines
     * are then dropped until a class is named again. A class without such a method is no error:
     * its lines are dropped. A class name without a method name is refused with an exception.
     *
     * @param className the class, e.g. {@code "com/holm/zep/tovik/api/jni/TovikLog"}, or {@code
     *        null}
     * @param methodName the name of its static method taking one {@code String}
     */
    public native void vtxSetLogClass(String className, String methodName);

    // Runtime lifecycle

    /**
     * Starts a runtime: a manager facade that creates the provider's manager with the two texts and
     * the flag. Each text is cut at an embedded NUL.
     *
     * @param firstRuntimeText the first text handed to the provider (Windows-1252: other characters
     *        arrive as "?")
     * @param secondRuntimeText the second text handed to the provider (Windows-1252: other
     *        characters arrive as "?")
     * @param runtimeFlag the flag handed to the provider
     * @param result receives the result code
     * @return the manager handle, or {@link #INVALID_HANDLE} when no runtime could be started
     */
    public native long vtxInitializeRuntime(String firstRuntimeText, String secondRuntimeText,
            boolean runtimeFlag, LongValue result);

    /**
     * Shuts the runtime down and forgets its handle. Calls already running on the runtime finish
     * first (the runtime is freed when the last of them returns); a thread waiting in
     * {@link #vtxWaitForEvents} on it is released and returns {@code true}, and no new wait on it
     * starts.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     */
    public native void vtxShutdownRuntime(long manager);

    /**
     * Configures the modules' USB interface.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     */
    public native void vtxConfigureUsbInterface(long manager, LongValue result);

    /**
     * Configures the modules' Wi-Fi interface.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     */
    public native void vtxConfigureWifiInterface(long manager, LongValue result);

    // Module discovery

    /**
     * Lists the modules present.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     * @return one item per module, in the provider's order; {@code null} when there is none
     */
    public native TovikVciItem[] vtxGetModuleIds(long manager, LongValue result);

    /**
     * Reads a module's addresses and connected clients.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param moduleId the module's serial number, as {@link TovikVciItem#getSerialNumber()} gives
     *        it
     * @param info receives the details
     * @param result receives the result code
     */
    public native void vtxGetModuleInfo(long manager, long moduleId, TovikVciInfo info,
            LongValue result);

    /**
     * Reads a module's addresses, alias, interface flags and connected clients.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param moduleId the module's serial number, as {@link TovikVciItem#getSerialNumber()} gives
     *        it
     * @param info receives the details
     * @param result receives the result code
     */
    public native void vtxGetModuleInfo3(long manager, long moduleId, TovikVciInfo3 info,
            LongValue result);

    // Connections

    /**
     * Connects to a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param firstConnectValue the first value handed to the provider's connect call (the module's
     *        serial number)
     * @param secondConnectValue the second value handed to the provider's connect call
     * @param result receives the result code
     * @return the connection handle that the per-module operations take
     */
    public native long vtxConnect(long manager, long firstConnectValue, long secondConnectValue,
            LongValue result);

    /**
     * Connects to a module, handing the provider a text as well.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param firstConnectValue the first value handed to the provider's connect call (the module's
     *        serial number)
     * @param secondConnectValue the second value handed to the provider's connect call
     * @param connectText the text handed to the provider (Windows-1252: other characters arrive as
     *        "?"), cut at an embedded NUL
     * @param result receives the result code
     * @return the connection handle that the per-module operations take
     */
    public native long vtxConnect2(long manager, long firstConnectValue, long secondConnectValue,
            String connectText, LongValue result);

    /**
     * Reads the state of a connection.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     * @return the connection state the provider reports
     */
    public native long vtxGetConStatus(long manager, long connection, LongValue result);

    /**
     * Ends a connection.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     */
    public native void vtxDisconnect(long manager, long connection, LongValue result);

    // Version information

    /**
     * Reads the server and client version lists in numeric form (name, version, date).
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param handle the handle whose versions are read, handed to the provider
     * @param secondValue the second value handed to the provider
     * @param info receives the details
     * @param result receives the result code
     */
    public native void vtxGetVersionInformation(long manager, long handle, long secondValue,
            TovikVersionInfo info, LongValue result);

    /**
     * Reads the server and client version lists in text form (name, version, branch, date).
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param handle the handle whose versions are read, handed to the provider
     * @param secondValue the second value handed to the provider
     * @param info receives the details
     * @param result receives the result code
     */
    public native void vtxGetVersionInformation2(long manager, long handle, long secondValue,
            TovikVersionInfo info, LongValue result);

    // Events

    /**
     * Registers the runtime for module events; {@link #vtxWaitForEvents} then collects them.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param firstRegistrationValue the first value handed to the provider
     * @param secondRegistrationValue the second value handed to the provider
     * @param result receives the result code
     */
    public native void vtxRegisterForEvents(long manager, long firstRegistrationValue,
            long secondRegistrationValue, LongValue result);

    /**
     * Blocks until the provider's wait ends and drains the pending events into the queue.
     *
     * <p>One thread waits per runtime: while a wait is in progress, a second call on the same
     * runtime from another thread does not wait; it returns {@code true} at once and leaves its
     * queue untouched. {@link #vtxCancelEventNotification} and {@link #vtxShutdownRuntime} always
     * end a wait in progress.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param queue receives the events; {@code null} throws a Java exception
     * @return {@code false} when the provider's wait ended with 0 and the queue received the
     *         pending events (possibly none); {@code true} otherwise, also for an unknown manager
     *         handle, a second concurrent waiter and a runtime being shut down
     */
    public native boolean vtxWaitForEvents(long manager, TovikEventQueue queue);

    /**
     * Ends a wait in {@link #vtxWaitForEvents}, called from another thread. It returns once a
     * provider wait that was in progress has ended; the next {@code vtxWaitForEvents} starts a
     * new one.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     */
    public native void vtxCancelEventNotification(long manager, LongValue result);

    // Application catalogues

    /**
     * Lists the applications available on the PC: name, version and date.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     * @return one item per application; {@code null} when there is none
     */
    public native TovikAppPcItem[] vtxGetAppsPc(long manager, LongValue result);

    /**
     * Lists the applications available on the PC with module type and application number.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     * @return one item per application; {@code null} when there is none
     */
    public native TovikAppPcItem[] vtxGetAppsPc2(long manager, LongValue result);

    /**
     * Lists the applications available on the PC with version, branch and date as texts.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     * @return one item per application; {@code null} when there is none
     */
    public native TovikAppPcItem[] vtxGetAppsPc3(long manager, LongValue result);

    /**
     * Lists the applications on a module with their license state.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param firstSelector the first selector handed to the provider
     * @param secondSelector the second selector handed to the provider
     * @param thirdSelector the third selector handed to the provider
     * @param result receives the result code
     * @return one item per application; {@code null} when there is none
     */
    public native TovikAppVciItem[] vtxGetAppsVci(long manager, long firstSelector,
            long secondSelector, long thirdSelector, LongValue result);

    /**
     * Lists the applications on a module with version, branch and date as texts.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param firstSelector the first selector handed to the provider
     * @param secondSelector the second selector handed to the provider
     * @param thirdSelector the third selector handed to the provider
     * @param result receives the result code
     * @return one item per application; {@code null} when there is none
     */
    public native TovikAppVciItem2[] vtxGetAppsVci2(long manager, long firstSelector,
            long secondSelector, long thirdSelector, LongValue result);

    // Installation and firmware

    /**
     * Starts installing an application, named by its name, on a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param target the module: its serial number
     * @param appName the application's name (Windows-1252: other characters arrive as "?"), cut at an embedded NUL
     * @param status receives the job's state
     * @param result receives the result code
     */
    public native void vtxInstallVciApp(long manager, long target, String appName,
            TovikAppStatus status, LongValue result);

    /**
     * Starts installing an application, named by its number, on a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param target the module: its serial number
     * @param appNumber the application number
     * @param status receives the job's state
     * @param result receives the result code
     */
    public native void vtxInstallVciApp2(long manager, long target, long appNumber,
            TovikAppStatus status, LongValue result);

    /**
     * Starts removing an application from a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param target the module: its serial number
     * @param appName the application's name (Windows-1252: other characters arrive as "?"), cut at an embedded NUL
     * @param status receives the job's state
     * @param result receives the result code
     */
    public native void vtxUninstallVciApp(long manager, long target, String appName,
            TovikAppStatus status, LongValue result);

    /**
     * Reads the state of an installation job.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param target the module: its serial number
     * @param job the job number that {@link TovikAppStatus#getJob()} gave
     * @param status receives the job's state
     * @param result receives the result code
     */
    public native void vtxInstallGetStatus(long manager, long target, long job,
            TovikAppStatus status, LongValue result);

    /**
     * Starts updating a module's firmware.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param target the module: its serial number
     * @param status receives the job's state
     * @param result receives the result code
     */
    public native void vtxUpdateSystemFirmware(long manager, long target, TovikAppStatus status,
            LongValue result);

    // Application control and configuration

    /**
     * Controls an application on a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param first the first value handed to the provider
     * @param second the second value handed to the provider
     * @param third the third value handed to the provider
     * @param result receives the result code
     */
    public native void vtxControlApp(long manager, long first, long second, long third,
            LongValue result);

    /**
     * Sets a configuration value of an application on a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param first the first value handed to the provider
     * @param second the second value handed to the provider
     * @param third the third value handed to the provider
     * @param result receives the result code
     */
    public native void vtxSetConfigApp(long manager, long first, long second, long third,
            LongValue result);

    /**
     * Reads a configuration value of an application on a module.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param first the first value handed to the provider
     * @param second the second value handed to the provider
     * @param result receives the result code
     * @return the value the provider reports
     */
    public native long vtxGetConfigApp(long manager, long first, long second, LongValue result);

    // Client information storage. An identifier or a file name that holds a NUL character
    // would name other stored data or another file once cut there: such a call is refused with
    // 0x50000003 and nothing reaches the provider.

    /**
     * Stores a block of client information on the module. An identifier holding a NUL gives 0x50000003
     * without a provider call.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param identifier the block's identifier (Windows-1252: other characters arrive as "?")
     * @param location the storage location
     * @param data the bytes to store; empty or {@code null} gives 0x50000003
     * @param option the option value handed to the provider
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxStoreClientInfo(long manager, long connection, String identifier,
            long location, byte[] data, long option, TovikClientAccessItem item, LongValue result);

    /**
     * Stores a file as client information on the module. Either text holding a NUL gives 0x50000003
     * without a provider call.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param identifier the block's identifier (Windows-1252: other characters arrive as "?")
     * @param location the storage location
     * @param fileName the file, named as the provider sees it (Windows-1252: other characters
     *        arrive as "?")
     * @param option the option value handed to the provider
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxStoreClientInfoFile(long manager, long connection, String identifier,
            long location, String fileName, long option, TovikClientAccessItem item,
            LongValue result);

    /**
     * Deletes a stored block of client information. An identifier holding a NUL gives
     * 0x50000003 without a provider call.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param identifier the block's identifier (Windows-1252: other characters arrive as "?")
     * @param location the storage location
     * @param result receives the result code
     */
    public native void vtxDeleteClientInfo(long manager, long connection, String identifier,
            long location, LongValue result);

    /**
     * Reads the state of a client information transfer.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param accessId the access id that {@link TovikClientAccessItem#getClientInfo()} gave
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxGetClientAccessStatus(long manager, long connection, long accessId,
            TovikClientAccessItem item, LongValue result);

    /**
     * Reads the module's free and total client storage.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param space receives the free and total space
     * @param result receives the result code
     */
    public native void vtxGetAvailableClientSpace(long manager, long connection,
            TovikClientSpace space, LongValue result);

    // Client information retrieval

    /**
     * Lists the stored client information blocks.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     * @return one item per block; {@code null} when there is none
     */
    public native TovikClientInfoItem[] vtxGetClientInfoList(long manager, long connection,
            LongValue result);

    /**
     * Starts reading a stored block back; {@link #vtxGetClientInfoResult} then hands out its bytes.
     * An identifier holding a NUL gives 0x50000003 without a provider call.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param identifier the block's identifier (Windows-1252: other characters arrive as "?")
     * @param location the storage location
     * @param option the option value handed to the provider
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxGetClientInfo(long manager, long connection, String identifier,
            long location, long option, TovikClientAccessItem item, LongValue result);

    /**
     * Hands out the bytes of a block read back.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param accessId the access id that {@link TovikClientAccessItem#getClientInfo()} gave
     * @param result receives the result code
     * @return the bytes; {@code null} when there are none
     */
    public native byte[] vtxGetClientInfoResult(long manager, long connection, long accessId,
            LongValue result);

    /**
     * Reads a stored block back into a file. Either text holding a NUL gives 0x50000003
     * without a provider call.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param identifier the block's identifier (Windows-1252: other characters arrive as "?")
     * @param location the storage location
     * @param fileName the file, named as the provider sees it (Windows-1252: other characters
     *        arrive as "?")
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxGetClientInfoFile(long manager, long connection, String identifier,
            long location, String fileName, TovikClientAccessItem item, LongValue result);

    // Pendant

    /**
     * Sets the pendant's LEDs; element i of the three arrays describes LED i.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param valid per LED: whether the entry is valid
     * @param control per LED: the control value
     * @param blinkFrequency per LED: the blink frequency
     * @param result receives the result code
     */
    public native void vtxPendantSetLeds(long manager, long connection, long[] valid,
            long[] control, long[] blinkFrequency, LongValue result);

    /**
     * Reads the pendant's LEDs: fills the three arrays, element i with the settings of LED i.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param valid per LED: whether the entry is valid
     * @param control per LED: the control value
     * @param blinkFrequency per LED: the blink frequency
     * @param result receives the result code
     */
    public native void vtxPendantGetLeds(long manager, long connection, long[] valid,
            long[] control, long[] blinkFrequency, LongValue result);

    /**
     * Sets the pendant's seven-segment display.
     * {@code segments} holds A, B, C, D, E, F, G and the decimal point, in this order.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param segments segments A to G and the decimal point, in this order
     * @param displayValue1 the first display value
     * @param displayValue2 the second display value
     * @param result receives the result code
     */
    public native void vtxPendantSetSegDisp(long manager, long connection, long[] segments,
            long displayValue1, long displayValue2, LongValue result);

    /**
     * Reads the pendant's seven-segment display.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param display receives the display state
     * @param result receives the result code
     */
    public native void vtxPendantGetSegDisp(long manager, long connection,
            TovikPendantDisp display, LongValue result);

    /**
     * Sets the pendant's audio values.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param audio1 the first audio value
     * @param audio2 the second audio value
     * @param audio3 the third audio value
     * @param audio4 the fourth audio value
     * @param result receives the result code
     */
    public native void vtxPendantSetAudio(long manager, long connection, long audio1,
            long audio2, long audio3, long audio4, LongValue result);

    /**
     * Reads the pendant's audio outputs.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     * @return the two audio values; {@code null} when they cannot be read
     */
    public native TovikPendantAudioValues vtxPendantGetAudio(long manager, long connection,
            LongValue result);

    // Wireless

    /**
     * Reads the state of a module's access-point link.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param selector the selector handed to the provider
     * @param item receives the transfer's state
     * @param result receives the result code
     */
    public native void vtxGetAccessPointState(long manager, long connection, long selector,
            TovikApStateItem item, LongValue result);

    /**
     * Switches the manual Wi-Fi scan on or off.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param enable on or off
     * @param result receives the result code
     */
    public native void vtxEnableManualScan(long manager, boolean enable, LongValue result);

    /**
     * Switches automatic Wi-Fi on or off.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param enable on or off
     * @param result receives the result code
     */
    public native void vtxEnableAutoWifi(long manager, boolean enable, LongValue result);

    /**
     * Reads the PC's Wi-Fi adapters and the automatic Wi-Fi flags.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param result receives the result code
     * @return the adapters and flags; {@code null} when they cannot be read
     */
    public native TovikAdaptInfoList vtxGetAutoWifiInfo(long manager, LongValue result);

    // Diagnostics

    /**
     * Runs the module's self test.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     * @return the self test's report as bytes; {@code null} when there is none
     */
    public native byte[] vtxRunSelfTest(long manager, long connection, LongValue result);

    /**
     * Reads the module's configuration items.
     *
     * @param manager the manager handle returned by {@link #vtxInitializeRuntime}
     * @param connection the connection handle returned by {@link #vtxConnect} or {@link
     *        #vtxConnect2}
     * @param result receives the result code
     * @return one item per key; {@code null} when there is none
     */
    public native TovikConfigItem[] vtxGetConfigItems(long manager, long connection,
            LongValue result);
}
