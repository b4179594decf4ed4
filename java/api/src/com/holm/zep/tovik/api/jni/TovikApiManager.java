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
     * The class name is slash-separated; {@code null} stops the delivery.
     */
    public native void vtxSetLogClass(String className, String methodName);

    // Runtime lifecycle

    public native long vtxInitializeRuntime(String firstRuntimeText, String secondRuntimeText,
            boolean runtimeFlag, LongValue result);

    public native void vtxShutdownRuntime(long manager);

    public native void vtxConfigureUsbInterface(long manager, LongValue result);

    public native void vtxConfigureWifiInterface(long manager, LongValue result);

    // Module discovery

    public native TovikVciItem[] vtxGetModuleIds(long manager, LongValue result);

    public native void vtxGetModuleInfo(long manager, long moduleId, TovikVciInfo info,
            LongValue result);

    public native void vtxGetModuleInfo3(long manager, long moduleId, TovikVciInfo3 info,
            LongValue result);

    // Connections

    public native long vtxConnect(long manager, long firstConnectValue, long secondConnectValue,
            LongValue result);

    public native long vtxConnect2(long manager, long firstConnectValue, long secondConnectValue,
            String connectText, LongValue result);

    public native long vtxGetConStatus(long manager, long connection, LongValue result);

    public native void vtxDisconnect(long manager, long connection, LongValue result);

    // Version information

    public native void vtxGetVersionInformation(long manager, long handle, long secondValue,
            TovikVersionInfo info, LongValue result);

    public native void vtxGetVersionInformation2(long manager, long handle, long secondValue,
            TovikVersionInfo info, LongValue result);

    // Events

    public native void vtxRegisterForEvents(long manager, long firstRegistrationValue,
            long secondRegistrationValue, LongValue result);

    /** Blocks until the provider's wait ends and drains the pending events into the queue. */
    public native boolean vtxWaitForEvents(long manager, TovikEventQueue queue);

    public native void vtxCancelEventNotification(long manager, LongValue result);

    // Application catalogues

    public native TovikAppPcItem[] vtxGetAppsPc(long manager, LongValue result);

    public native TovikAppPcItem[] vtxGetAppsPc2(long manager, LongValue result);

    public native TovikAppPcItem[] vtxGetAppsPc3(long manager, LongValue result);

    public native TovikAppVciItem[] vtxGetAppsVci(long manager, long firstSelector,
            long secondSelector, long thirdSelector, LongValue result);

    public native TovikAppVciItem2[] vtxGetAppsVci2(long manager, long firstSelector,
            long secondSelector, long thirdSelector, LongValue result);

    // Installation and firmware

    public native void vtxInstallVciApp(long manager, long target, String appName,
            TovikAppStatus status, LongValue result);

    public native void vtxInstallVciApp2(long manager, long target, long appNumber,
            TovikAppStatus status, LongValue result);

    public native void vtxUninstallVciApp(long manager, long target, String appName,
            TovikAppStatus status, LongValue result);

    public native void vtxInstallGetStatus(long manager, long target, long job,
            TovikAppStatus status, LongValue result);

    public native void vtxUpdateSystemFirmware(long manager, long target, TovikAppStatus status,
            LongValue result);

    // Application control and configuration

    public native void vtxControlApp(long manager, long first, long second, long third,
            LongValue result);

    public native void vtxSetConfigApp(long manager, long first, long second, long third,
            LongValue result);

    public native long vtxGetConfigApp(long manager, long first, long second, LongValue result);

    // Client information storage

    public native void vtxStoreClientInfo(long manager, long connection, String identifier,
            long location, byte[] data, long option, TovikClientAccessItem item, LongValue result);

    public native void vtxStoreClientInfoFile(long manager, long connection, String identifier,
            long location, String fileName, long option, TovikClientAccessItem item,
            LongValue result);

    public native void vtxDeleteClientInfo(long manager, long connection, String identifier,
            long location, LongValue result);

    public native void vtxGetClientAccessStatus(long manager, long connection, long accessId,
            TovikClientAccessItem item, LongValue result);

    public native void vtxGetAvailableClientSpace(long manager, long connection,
            TovikClientSpace space, LongValue result);

    // Client information retrieval

    public native TovikClientInfoItem[] vtxGetClientInfoList(long manager, long connection,
            LongValue result);

    public native void vtxGetClientInfo(long manager, long connection, String identifier,
            long location, long option, TovikClientAccessItem item, LongValue result);

    public native byte[] vtxGetClientInfoResult(long manager, long connection, long accessId,
            LongValue result);

    public native void vtxGetClientInfoFile(long manager, long connection, String identifier,
            long location, String fileName, TovikClientAccessItem item, LongValue result);

    // Pendant

    /** Element i of the three arrays describes LED i. */
    public native void vtxPendantSetLeds(long manager, long connection, long[] valid,
            long[] control, long[] blinkFrequency, LongValue result);

    /** Fills the three arrays, element i with the settings of LED i. */
    public native void vtxPendantGetLeds(long manager, long connection, long[] valid,
            long[] control, long[] blinkFrequency, LongValue result);

    /** {@code segments} holds A, B, C, D, E, F, G and the decimal point, in this order. */
    public native void vtxPendantSetSegDisp(long manager, long connection, long[] segments,
            long displayValue1, long displayValue2, LongValue result);

    public native void vtxPendantGetSegDisp(long manager, long connection,
            TovikPendantDisp display, LongValue result);

    public native void vtxPendantSetAudio(long manager, long connection, long audio1,
            long audio2, long audio3, long audio4, LongValue result);

    public native TovikPendantAudioValues vtxPendantGetAudio(long manager, long connection,
            LongValue result);

    // Wireless

    public native void vtxGetAccessPointState(long manager, long connection, long selector,
            TovikApStateItem item, LongValue result);

    public native void vtxEnableManualScan(long manager, boolean enable, LongValue result);

    public native void vtxEnableAutoWifi(long manager, boolean enable, LongValue result);

    public native TovikAdaptInfoList vtxGetAutoWifiInfo(long manager, LongValue result);

    // Diagnostics

    public native byte[] vtxRunSelfTest(long manager, long connection, LongValue result);

    public native TovikConfigItem[] vtxGetConfigItems(long manager, long connection,
            LongValue result);
}
