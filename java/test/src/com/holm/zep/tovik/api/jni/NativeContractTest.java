package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import com.holm.zep.tovik.test.ValueText;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.regex.Matcher;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/**
 * What the JNI layer alone can get wrong, one row per native method (or per variant of its
 * arguments): the arguments as they reach the provider (the low 32 bits of a long, texts in the
 * ANSI code page, null texts as null BSTRs, arrays bounded by all their lengths), the result code,
 * the values delivered (every field of each value object in declaration order, so a swapped
 * setData argument, a sign-extended unsigned word, a null for an empty text or a text decoded
 * outside Windows-1252 shows), the provider calls with their arguments in call order (the
 * property reads between them are in FaultSweepTest's table) and every log line in order.
 *
 * <p>Each row runs on a runtime of its own over {@link #EDGE}, whose values sit at the edges
 * (0x80000000 and above, empty texts, texts beyond ASCII), and {@link LeakCheck} compares the
 * provider's objects and the platform's counters afterwards. A row's transcript has two lines per
 * call: "= result returned passed-in-objects > journal" (element reads of a list shown once as
 * "Nx[...]" with "#" for the index) and "# log" ("function: message / message", native methods by
 * their Java name, live pointers as "PTR"); an empty journal leaves its part out, an empty log its
 * line.
 */
class NativeContractTest extends RuntimeFixture {
    /** Any connection value addresses the first module; the high half must never reach the provider. */
    private static final long C = 0x1_0000_0007L;
    private static final String WIDE_ID = "\u03a9mega\u2713";  // neither character is in Windows-1252
    /** One module without applications or stored blocks. */
    private static final String BARE_MODULE =
            "{ \"connections\": { \"requireConnection\": false }, \"modules\": [ { \"serial\": 5 } ] }";

    static final String EDGE = """
            { "ledCount": 2,
              "connections": { "requireConnection": false, "firstHandle": "0xFFFFFFF0", "openStatus": "0x80000002" },
              "codes": { "noSpace": "0x80070070" },
              "jobs": { "running": "0xFFFFFFFF", "componentTimeout": "0x80000000", "firmwareName": "" },
              "clientInfo": { "firstAccess": 100, "blockSize": 2, "failed": "0x80000003", "clockMs": "0xFFFFFFFF" },
              "versions": {
                "client": [ { "name": "c\u00e9\u20ac", "version": "0x80000000", "date": "0xFFFFFFFF",
                              "versionText": "1.0", "branch": "main", "dateText": "2024" },
                            { "name": "", "version": 1, "date": 2 } ],
                "server": [ { "name": "s", "version": 3, "date": 4, "versionText": "S\u00e9" } ] },
              "appsPc": [ { "name": "Caf\u00e9 \u20ac", "app": 4294967295, "version": 4294967295,
                            "date": 2147483648, "moduleType": 2147483649, "versionText": "1.2.3",
                            "branch": "r\u00e9lease", "dateText": "2024-01-15" },
                          { "name": "", "app": 7 } ],
              "appConfig": [ { "app": 1, "item": 3, "value": 4294967295 } ],
              "wifi": { "autoWifi": true, "manualScan": 1, "connected": 65535,
                        "adapters": [ { "vid": "0xFFFFFFFF", "pid": 2, "cardName": "Caf\u00e9 \u2713", "inserted": true },
                                      { "vid": 3, "pid": 4, "cardName": "", "inserted": 1 } ] },
              "modules": [
                { "serial": "0x80000001", "name": "High \u00c4\u20ac", "type": "0xFFFFFFFF", "interface": "0x80000000",
                  "state": 4000000000, "ethernetAddress": "e", "wirelessAddress": "w", "bluetoothAddress": "",
                  "usbAddress": "u", "alias": "Caf\u00e9", "wifiFlags": "0x80000000", "btFlags": "0xFFFFFFFF",
                  "usbFlags": 2147483647, "ethFlags": "0xDEADBEEF",
                  "clients": [ { "owner": 1, "connectionType": "0xFFFFFFFE", "connectionInterface": "0x80000003",
                                 "name": "A\u00e9", "connectTime": "T1" },
                               { "owner": false, "connectionType": 0, "connectionInterface": 1, "name": "",
                                 "connectTime": "" } ],
                  "apps": [ { "app": 1, "name": "Diagnostics", "version": 2147483648, "date": 20240115,
                              "state": 4294967294, "license": "DIAG-\u00c4", "licenseState": 2147483647,
                              "daysRemaining": 4294967295, "timesRemaining": 4294967295, "versionText": "3.0.0",
                              "branch": "release/3.0", "dateText": "2024-01-15" },
                            { "app": 9, "name": "", "license": "", "timesRemaining": 2147483647 } ],
                  "space": { "volatile": 4, "nonVolatile": "0xFFFFFFF0" },
                  "blocks": [ { "id": "calibration", "location": 1, "hex": "0a0b0c" },
                              { "id": "\u03a9mega\u2713", "location": 3, "hex": "ff00" },
                              { "id": "", "location": 4, "hex": "" } ],
                  "pendant": { "leds": [ { "valid": 1, "control": "0xFFFFFFFF", "blinkFrequency": 3 } ],
                               "segments": [1, 0, 1, 0, 1, 0, 1, "0xFFFFFFFF"], "display": [21, "0x80000000"],
                               "audio": [1, "0xFFFFFFFF", 3, 4] },
                  "accessPoint": { "wifiState": 4294967295, "mode": 2147483648, "apState": 1, "numBars": 4,
                                   "linkQualityRaw": 70, "noiseLevel": -2147483648, "signalLevel": 7 },
                  "selfTest": "00a5ff",
                  "configItems": [ { "key": 4294967295, "value": "Pr\u00fcf \u20ac" }, { "key": 7, "value": "" } ] },
                { "serial": 5 } ] }
            """;

    NativeContractTest() {
        super(() -> EDGE);
    }

    /** One row: what it calls and the transcript it must give. */
    private record Row(Steps steps, String expected) {
    }

    @FunctionalInterface
    private interface Steps {
        void run(NativeContractTest t) throws Exception;
    }

    @ParameterizedTest(name = "{0}")
    @MethodSource("rows")
    void row(String name, Row row) throws Exception {
        row.steps.run(this);
        assertEquals(List.of(row.expected.replaceAll("\n +", " ").split("\n")), transcript, name);
    }

    private static Arguments row(String name, Steps steps, String expected) {
        return Arguments.of(name, new Row(steps, expected));
    }

    static Stream<Arguments> rows() {
        return Stream.of(
                // ---- runtime
                row("vtxInitializeRuntime and vtxShutdownRuntime", t -> {
                    long second = t.ret(MANAGER.vtxInitializeRuntime("Gr\u00fc\u00dfe \u20ac\u2713", null, true, t.r()));
                    MANAGER.vtxShutdownRuntime(second);
                    MANAGER.vtxShutdownRuntime(second);
                    t.rec();
                }, """
                        = 0 2 > Manager.InitializeRuntime("Gr\u00fc\u00dfe \u20ac?", null, -1)
                        # vtxInitializeRuntime: Initializing | IF::CmdCreateObject: Create TOVIK Manager IF PTR |
                          vtxInitializeRuntime: OK 0 / Initialization done
                        = > Manager.CancelEventNotification
                        # vtxShutdownRuntime: shutting down runtime | IF::CmdDestroyObject: removing TOVIK Manager IF
                          PTR / Releasing / 0 / Final release  | vtxShutdownRuntime: shutting down runtime complete /
                          shutting down runtime / Could not find object to release / shutting down runtime complete"""),
                row("vtxInitializeRuntime failing", t -> {
                    VirtualProvider.failMethod("ITovikManager.InitializeRuntime", 0x80004005);
                    t.ret(MANAGER.vtxInitializeRuntime("", "", false, t.r()));
                }, """
                        = 0x50000007 4294967295 > Manager.InitializeRuntime("", "", 0) CancelEventNotification
                        # vtxInitializeRuntime: Initializing | IF::CmdCreateObject: Create TOVIK Manager IF PTR |
                          IF::CmdInitializeRuntime: com error -2147467259 Unspecified error | vtxInitializeRuntime:
                          not ok 1342177287 | IF::CmdDestroyObject: removing TOVIK Manager IF PTR / Releasing / 0 /
                          Final release  | vtxInitializeRuntime: Initialization done"""),
                row("vtxConfigureUsbInterface and vtxConfigureWifiInterface", t -> {
                    t.run(r -> MANAGER.vtxConfigureUsbInterface(t.handle, r));
                    VirtualProvider.setResult("ITovikManager.ConfigureWifiInterface", 0x80000001);
                    t.run(r -> MANAGER.vtxConfigureWifiInterface(t.handle, r));
                }, """
                        = 0 > Manager.ConfigureUsbInterface
                        # vtxConfigureUsbInterface: Configuring USB interface entered / Configuring USB interface done
                        = 0xffffffff80000001 > Manager.ConfigureWifiInterface
                        # vtxConfigureWifiInterface: ConfigureWifiInterface / ConfigureWifiInterface done -2147483647"""),
                row("a manager handle nobody holds", t -> {
                    t.run(r -> MANAGER.vtxConfigureUsbInterface(t.handle + 1, r));
                    t.ret(MANAGER.vtxConnect(t.handle + 1, 1, 1, t.r()));
                }, """
                        = 0x50000007
                        # vtxConfigureUsbInterface: Configuring USB interface entered / Configuring USB interface done
                        = 0x50000007 4294967295
                        # vtxConnect: connect / connect done"""),
                row("a null result object", t -> t.thrown(() -> MANAGER.vtxConfigureUsbInterface(t.handle, null)), """
                        = threw Exception:  CJavaEnvironment::VoidMethod instance 0000000000000000 or method PTR are
                          NULL > Manager.ConfigureUsbInterface
                        # vtxConfigureUsbInterface: Configuring USB interface entered"""),

                // ---- modules
                row("vtxGetModuleIds", t -> t.ret(MANAGER.vtxGetModuleIds(t.handle, t.r())), """
                        = 0 [VciItem(4000000000 "High \u00c4\u20ac" 2147483649 2147483648 4294967295) VciItem(0 null 5
                          0 0)] > Manager.GetModuleIds 2x[VciItems.Item(#)]
                        # vtxGetModuleIds: Getting module IDs / Number of modules is 2 / Getting module IDs done"""),
                row("vtxGetModuleIds with a missing entry and with none", t -> {
                    VirtualProvider.setMissingItem("ITovikVciItems", 0);
                    t.ret(MANAGER.vtxGetModuleIds(t.handle, t.r()));
                    VirtualProvider.loadScenario("{ \"modules\": [] }");
                    t.ret(MANAGER.vtxGetModuleIds(t.handle, t.r()));
                }, """
                        = 0 [VciItem(0 null 5 0 0)] > Manager.GetModuleIds 2x[VciItems.Item(#)]
                        # vtxGetModuleIds: Getting module IDs / Number of modules is 2 / Getting module IDs done
                        = 0 null > Manager.GetModuleIds
                        # vtxGetModuleIds: Getting module IDs / Getting module IDs done"""),
                row("vtxGetModuleIds failing", t -> {
                    VirtualProvider.failMethod("ITovikManager.GetModuleIds", 0x80004005, true, "bus offline");
                    t.ret(MANAGER.vtxGetModuleIds(t.handle, t.r()));
                }, """
                        = 0x50000003 null > Manager.GetModuleIds
                        # vtxGetModuleIds: Getting module IDs | IF::CmdGetModulesIds: com error -2147467259 bus
                          offline | vtxGetModuleIds: Getting module IDs done"""),
                row("vtxGetModuleInfo", t -> t.rec(t.call(info -> MANAGER.vtxGetModuleInfo(t.handle,
                        0x7_8000_0001L, info, t.r()), new TovikVciInfo())), """
                        = 0 VciInfo("e" "w" "" "u" [ClientInfo(true 4294967294 2147483651 "A\u00e9" "T1")
                          ClientInfo(false 0 1 "" "")]) > Manager.GetModuleInfo(2147483649) 2x[VciInfo.ClientAt(#)]
                        # vtxGetModuleInfo: Getting module info / Number of client items 2 |
                          CTovikClientInfoIF::CmdClientName: Coud not find client name |
                          CTovikClientInfoIF::CmdConnectTime: Coud not find connect time | vtxGetModuleInfo: Getting
                          module info done"""),
                row("vtxGetModuleInfo3 with a missing client", t -> {
                    VirtualProvider.setMissingItem("ITovikVciInfo", 0);
                    t.rec(t.call(info -> MANAGER.vtxGetModuleInfo3(t.handle, 0x8000_0001L, info, t.r()),
                            new TovikVciInfo3()));
                }, """
                        = 0 VciInfo3("e" "w" "" "u" "Caf\u00e9" 2147483648 4294967295 2147483647 3735928559
                          [ClientInfo(false 0 1 "" "")]) > Manager.GetModuleInfo3(2147483649) 2x[VciInfo.ClientAt(#)]
                        # vtxGetModuleInfo3: Getting module info3 / Number of client items 2 |
                          CTovikClientInfoIF::CmdClientName: Coud not find client name |
                          CTovikClientInfoIF::CmdConnectTime: Coud not find connect time | vtxGetModuleInfo3: Getting
                          module info3 done"""),
                row("vtxGetModuleInfo refused", t -> t.rec(t.call(info -> MANAGER.vtxGetModuleInfo(t.handle, 4,
                        info, t.r()), new TovikVciInfo())), """
                        = 0x20000101 VciInfo(null null null null null) > Manager.GetModuleInfo(4)
                        # vtxGetModuleInfo: Getting module info / Getting module info done"""),

                // ---- connections
                row("vtxConnect, vtxGetConStatus, vtxDisconnect", t -> {
                    long connection = t.ret(MANAGER.vtxConnect(t.handle, 0x3_8000_0001L, 0x9_0000_0004L, t.r()));
                    t.ret(MANAGER.vtxGetConStatus(t.handle, connection | 0x1234_0000_0000L, t.r()));
                    t.run(r -> MANAGER.vtxDisconnect(t.handle, connection | 0x1234_0000_0000L, r));
                    t.ret(MANAGER.vtxGetConStatus(t.handle, connection, t.r()));
                    t.run(r -> MANAGER.vtxDisconnect(t.handle, 0x0000000A_00000005L, r));
                }, """
                        = 0 4294967280 > Manager.Connect(2147483649, 4)
                        # vtxConnect: connect / connect done
                        = 0 2147483650 > Manager.GetConStatus(4294967280)
                        # vtxGetConStatus: GetConStatus / GetConStatus done
                        = 0 > Manager.Disconnect(4294967280)
                        # vtxDisconnect: disconnect 1234fffffff0 / disconnect fffffff0 | IF::Disconnect: Disconnect
                          from handle fffffff0 | IF::CmdDisconnect: Disconnect from handle fffffff0 | vtxDisconnect:
                          disconnect done
                        = 0x20000102 0 > Manager.GetConStatus(4294967280)
                        # vtxGetConStatus: GetConStatus / GetConStatus done
                        = 0x20000102 > Manager.Disconnect(5)
                        # vtxDisconnect: disconnect a00000005 / disconnect 05 | IF::Disconnect: Disconnect from handle
                          05 | IF::CmdDisconnect: Disconnect from handle 05 | vtxDisconnect: disconnect done"""),
                row("vtxConnect2 texts", t -> {
                    t.ret(MANAGER.vtxConnect2(t.handle, 5, 3, "Bench \u00e9\u20ac\u2713", t.r()));
                    t.ret(MANAGER.vtxConnect2(t.handle, 5, 4, null, t.r()));
                    t.ret(MANAGER.vtxConnect2(t.handle, 4242, 1, "", t.r()));
                }, """
                        = 0 4294967280 > Manager.Connect2(5, 3, "Bench \u00e9\u20ac?")
                        # vtxConnect2: connect2 / connect2 done
                        = 0 4294967281 > Manager.Connect2(5, 4, null)
                        # vtxConnect2: connect2 / connect2 done
                        = 0x20000101 4294967295 > Manager.Connect2(4242, 1, "")
                        # vtxConnect2: connect2 / connect2 done"""),

                // ---- versions
                row("vtxGetVersionInformation", t -> t.rec(t.call(info -> MANAGER.vtxGetVersionInformation(
                        t.handle, 0x1_0000_0007L, 0x2_0000_0009L, info, t.r()), new TovikVersionInfo())), """
                        = 0 VersionInfo([VersionItem("s" 3 4 null null null)] [VersionItem("c\u00e9\u20ac" 2147483648
                          4294967295 null null null) VersionItem("" 1 2 null null null)]) >
                          Manager.GetVersionInformation(7, 9) VersionItemList.Item(0) 2x[VersionItemList.Item(#)]
                        # vtxGetVersionInformation: Get Version Information 4294967303 / Calling with 7 9 |
                          IF::GetVersionInformation: handle is 7 | IF::CmdGetVersionInformation: Calling with 7 /
                          Release my copy 1 | vtxGetVersionInformation: Get Version Information done"""),
                row("vtxGetVersionInformation without an object", t -> {
                    VirtualProvider.withholdOutput("ITovikManager.GetVersionInformation");
                    t.rec(t.call(info -> MANAGER.vtxGetVersionInformation(t.handle, 5, 2, info, t.r()),
                            new TovikVersionInfo()));
                }, """
                        = 0 VersionInfo(null null) > Manager.GetVersionInformation(5, 2)
                        # vtxGetVersionInformation: Get Version Information 5 / Calling with 5 2 |
                          IF::GetVersionInformation: handle is 5 | IF::CmdGetVersionInformation: Calling with 5 |
                          vtxGetVersionInformation: Get Version Information done"""),
                row("vtxGetVersionInformation2 with a missing entry", t -> {
                    VirtualProvider.setMissingItem("ITovikVersionItemList", 0);
                    t.rec(t.call(info -> MANAGER.vtxGetVersionInformation2(t.handle, 3, 4, info, t.r()),
                            new TovikVersionInfo()));
                }, """
                        = 0 VersionInfo([] [VersionItem("" 0 0 "" "" "")]) > Manager.GetVersionInformation_2(3, 4)
                          VersionItemList.Item(0) 2x[VersionItemList.Item(#)]
                        # vtxGetVersionInformation2: Get Version Information 2 3 / Calling with 3 4 |
                          IF::GetVersionInformation_2: handle is 3 | IF::CmdGetVersionInformation_2: Calling with 3 /
                          Release my copy 1 | vtxGetVersionInformation2: Calling with 0  pVersionInfo=PTR / Null item,
                          list 0 0 / Null item, list 1 0 / Get Version Information 2 done"""),
                row("vtxGetVersionInformation2 texts, no server list", t -> {
                    VirtualProvider.withholdOutput("ITovikVersionInfo.ServerVersionList");
                    t.rec(t.call(info -> MANAGER.vtxGetVersionInformation2(t.handle, 3, 4, info, t.r()),
                            new TovikVersionInfo()));
                }, """
                        = 0 VersionInfo([] [VersionItem("c\u00e9\u20ac" 0 0 "1.0" "main" "2024") VersionItem("" 0 0 ""
                          "" "")]) > Manager.GetVersionInformation_2(3, 4) 2x[VersionItemList.Item(#)]
                        # vtxGetVersionInformation2: Get Version Information 2 3 / Calling with 3 4 |
                          IF::GetVersionInformation_2: handle is 3 | IF::CmdGetVersionInformation_2: Calling with 3 /
                          Release my copy 1 | vtxGetVersionInformation2: Calling with 0  pVersionInfo=PTR / Get
                          Version Information 2 done"""),

                // ---- events (waits from other threads: EventsTest)
                row("vtxRegisterForEvents, vtxWaitForEvents, vtxCancelEventNotification", t -> {
                    t.run(r -> MANAGER.vtxRegisterForEvents(t.handle, 0x1_8000_0005L, -1L, r));
                    VirtualProvider.postEvent(1, 2, 3);
                    VirtualProvider.postEvent(0xFFFF_FFFFL, 0x8000_0000L, 0);
                    t.waitInto(t.handle, new TovikEventQueue());
                    t.run(r -> MANAGER.vtxCancelEventNotification(t.handle, r));
                }, """
                        = 0 > Manager.RegisterForEvents(2147483653, 4294967295)
                        # vtxRegisterForEvents: Register For Events 180000005 / Register For Events done
                        = false EventQueue([Event(1 2 3) Event(4294967295 2147483648 0)]) > Manager.WaitForEvents
                          GetNextEvent GetNextEvent GetNextEvent
                        # vtxWaitForEvents: Wait for events / LOG processing events | IF::CmdGetNextEvent: start /
                          done / start / done / start / done | vtxWaitForEvents: Adding event 1 2 3 / Adding event
                          4294967295 2147483648 0 / Wait for events done 0
                        = 0 > Manager.CancelEventNotification
                        # vtxCancelEventNotification: Cancel Event Notification / CancelEventNotification OK"""),
                row("vtxWaitForEvents ending without events", t -> {
                    MANAGER.vtxRegisterForEvents(t.handle, 1, 2, t.r());
                    t.skip();
                    VirtualProvider.postEvent(5, 6, 7);
                    VirtualProvider.setResult("ITovikManager.GetNextEvent", 0);  // taken, but reported as none
                    t.waitInto(t.handle, new TovikEventQueue());
                    VirtualProvider.clearFaults();
                    VirtualProvider.postEvent(5, 6, 7);
                    VirtualProvider.setResult("ITovikManager.WaitForEvents", 1);
                    TovikEventQueue kept = new TovikEventQueue();
                    kept.setData(new TovikEvent[] {new TovikEvent(9, 9, 9)});
                    t.waitInto(t.handle, kept);
                    VirtualProvider.clearFaults();
                    t.thrown(() -> MANAGER.vtxWaitForEvents(t.handle, null));
                    t.waitInto(t.handle + 1, kept);
                    t.run(r -> MANAGER.vtxCancelEventNotification(t.handle + 1, r));
                }, """
                        = false EventQueue([]) > Manager.WaitForEvents GetNextEvent
                        # vtxWaitForEvents: Wait for events / LOG processing events | IF::CmdGetNextEvent: start /
                          done | vtxWaitForEvents: Wait for events done 0
                        = true EventQueue([Event(9 9 9)]) > Manager.WaitForEvents
                        # vtxWaitForEvents: Wait for events / Wait for events done 1
                        = threw Exception:  CJavaEnvironment::VoidMethod instance 0000000000000000 or method PTR are
                          NULL > Manager.WaitForEvents GetNextEvent GetNextEvent
                        # vtxWaitForEvents: Wait for events / LOG processing events | IF::CmdGetNextEvent: start /
                          done / start / done | vtxWaitForEvents: Adding event 5 6 7
                        = true EventQueue([Event(9 9 9)])
                        # vtxWaitForEvents: Wait for events / Wait for events done 1
                        = 0x50000007
                        # vtxCancelEventNotification: Cancel Event Notification / CancelEventNotification OK"""),

                // ---- application catalogues
                row("vtxGetAppsPc, vtxGetAppsPc2, vtxGetAppsPc3", t -> {
                    t.ret(MANAGER.vtxGetAppsPc(t.handle, t.r()));
                    t.ret(MANAGER.vtxGetAppsPc2(t.handle, t.r()));
                    VirtualProvider.setMissingItem("ITovikAppPcItemList", 1);
                    t.ret(MANAGER.vtxGetAppsPc3(t.handle, t.r()));
                }, """
                        = 0 [AppPcItem("Caf\u00e9 \u20ac" 4294967295 2147483648 0 0 null null null) AppPcItem("" 0 0 0
                          0 null null null)] > Manager.GetAppsPC 2x[AppPcItemList.Item(#)]
                        # vtxGetAppsPc: Getting APPS-PC / Number of client items 2 / Getting APPS-DONE
                        = 0 [AppPcItem("Caf\u00e9 \u20ac" 4294967295 2147483648 2147483649 4294967295 null null null)
                          AppPcItem("" 0 0 0 7 null null null)] > Manager.GetAppsPC_2 2x[AppPcItemList.Item(#)]
                        # vtxGetAppsPc2: Getting APPS-PC_2 / Number of client items 2 / Getting APPS_2-DONE
                        = 0 [AppPcItem("Caf\u00e9 \u20ac" 0 0 2147483649 4294967295 "1.2.3" "r\u00e9lease"
                          "2024-01-15")] > Manager.GetAppsPC_3 2x[AppPcItemList.Item(#)]
                        # vtxGetAppsPc3: Getting APPS-PC_3 / Number of client items 2 / Getting APPS_3-DONE"""),
                row("vtxGetAppsVci, vtxGetAppsVci2", t -> {
                    t.ret(MANAGER.vtxGetAppsVci(t.handle, 0x1_0000_0005L, 0x2_0000_0000L, -1L, t.r()));
                    VirtualProvider.setMissingItem("ITovikAppVciItemList", 0);
                    t.ret(MANAGER.vtxGetAppsVci2(t.handle, 7, 8, 0xFFFF_FFFF_0000_0009L, t.r()));
                }, """
                        = 0 [AppVciItem(1 "Diagnostics" 2147483648 20240115 4294967294 "DIAG-\u00c4" 2147483647
                          4294967295 -1) AppVciItem(9 "" 0 0 0 "" 0 0 2147483647)] > Manager.GetAppsVCI(5, 0,
                          4294967295) 2x[AppVciItemList.Item(#)]
                        # vtxGetAppsVci: Getting APPS-VCI / Getting APPS-VCI-DONE
                        = 0 [AppVciItem2(9 "" "" "" "" 0)] > Manager.GetAppsVCI_2(7, 8, 9) 2x[AppVciItemList.Item(#)]
                        # vtxGetAppsVci2: Getting APPS-VCI2 / Getting APPS-VCI2-DONE"""),

                row("vtxGetAppsVci on a module without applications", t -> {
                    VirtualProvider.loadScenario(BARE_MODULE);
                    t.ret(MANAGER.vtxGetAppsVci(t.handle, C, 0, 0, t.r()));
                }, """
                        = 0 [] > Manager.GetAppsVCI(7, 0, 0)
                        # vtxGetAppsVci: Getting APPS-VCI / Getting APPS-VCI-DONE"""),

                // ---- installation and control
                row("vtxInstallVciApp, vtxInstallGetStatus", t -> {
                    TovikAppStatus status = t.call(s -> MANAGER.vtxInstallVciApp(t.handle, C, "Caf\u00e9 \u20ac", s,
                            t.r()), new TovikAppStatus());
                    t.rec(status);
                    t.rec(t.call(s -> MANAGER.vtxInstallGetStatus(t.handle, C, 0x7_F000_0101L, s, t.r()), status));
                    t.rec(t.call(s -> MANAGER.vtxInstallVciApp(t.handle, C, null, s, t.r()), status));
                }, """
                        = 0 AppStatus(257 4294967295 0 0 3 2147483648 120 "Caf\u00e9 \u20ac") >
                          Manager.InstallVCIApp(7, "Caf\u00e9 \u20ac")
                        # vtxInstallVciApp: Install VCI App / App name is Caf\u00e9 \u20ac | IF::CmdInstallVCIApp: App
                          name is [Caf\u00e9 \u20ac] | vtxInstallVciApp: Install VCI App done
                        = 0 AppStatus(34091303169 4294967295 0 1 3 2147483648 120 "Caf\u00e9 \u20ac") >
                          Manager.InstallGetStatus(7, 257)
                        # vtxInstallGetStatus: Install Get Status App / Install Get Status done
                        = 0 AppStatus(258 4294967295 0 0 3 2147483648 120 "") > Manager.InstallVCIApp(7, null)
                        # vtxInstallVciApp: Install VCI App / App name is  | IF::CmdInstallVCIApp: App name is [] |
                          vtxInstallVciApp: Install VCI App done"""),
                row("vtxInstallVciApp2, vtxUninstallVciApp, vtxUpdateSystemFirmware", t -> {
                    t.rec(t.call(s -> MANAGER.vtxInstallVciApp2(t.handle, C, 0xFFFF_FFFF_0000_0007L, s, t.r()),
                            new TovikAppStatus()));
                    t.rec(t.call(s -> MANAGER.vtxUninstallVciApp(t.handle, C, "Diagnostics", s, t.r()),
                            new TovikAppStatus()));
                    t.rec(t.call(s -> MANAGER.vtxUpdateSystemFirmware(t.handle, C, s, t.r()), new TovikAppStatus()));
                }, """
                        = 0 AppStatus(257 4294967295 0 0 3 2147483648 120 "") > Manager.InstallVCIApp_2(7, 7)
                        # vtxInstallVciApp2: Install VCI App2 / Install VCI App done
                        = 0 AppStatus(258 4294967295 0 0 3 2147483648 120 "Diagnostics") > Manager.UninstallVCIApp(7,
                          "Diagnostics")
                        # vtxUninstallVciApp: Uninstall VCI App | IF::CmdUninstallVCIApp: App name is [Diagnostics] |
                          vtxUninstallVciApp: Uninstall VCI App done
                        = 0 AppStatus(259 4294967295 0 0 3 2147483648 120 "") > Manager.UpdateSystemFirmware(7)
                        # vtxUpdateSystemFirmware: UpdateSystemFirmware / UpdateSystemFirmware done"""),
                row("vtxControlApp, vtxSetConfigApp, vtxGetConfigApp", t -> {
                    t.run(r -> MANAGER.vtxControlApp(t.handle, 0xF_0000_0000L, 1, 0x1_0000_0005L, r));
                    t.run(r -> MANAGER.vtxSetConfigApp(t.handle, 0x1_0000_0001L, 3, 0xFFFF_FFFEL, r));
                    t.run(r -> MANAGER.vtxSetConfigApp(t.handle, 0xABCDEF, 10, 11, r));
                    t.ret(MANAGER.vtxGetConfigApp(t.handle, 1, 0x7_0000_0003L, t.r()));
                    t.ret(MANAGER.vtxGetConfigApp(t.handle, 1, 99, t.r()));
                }, """
                        = 0 > Manager.ControlApp(0, 1, 5)
                        # vtxControlApp: Control App / Control App done
                        = 0 > Manager.SetConfigApp(1, 3, 4294967294)
                        # vtxSetConfigApp: Set Config App | IF::CmdSetConfigApp: Args 01 3 fffffffe | vtxSetConfigApp:
                          Set Config App done
                        = 0 > Manager.SetConfigApp(11259375, 10, 11)
                        # vtxSetConfigApp: Set Config App | IF::CmdSetConfigApp: Args abcdef a b | vtxSetConfigApp:
                          Set Config App done
                        = 0 4294967294 > Manager.GetConfigApp(1, 3)
                        # vtxGetConfigApp: Get Config App / Get Config App
                        = 0x20000103 0 > Manager.GetConfigApp(1, 99)
                        # vtxGetConfigApp: Get Config App / Get Config App"""),

                // ---- client information
                row("vtxStoreClientInfo", t -> {
                    t.rec(t.call(item -> MANAGER.vtxStoreClientInfo(t.handle, C, "\u03a9x\u00fc",
                            0x2_0000_0001L, new byte[] {0, (byte) 0x80, (byte) 0xFF}, 0xFFFF_FFFF_0000_0005L, item, t.r()),
                            new TovikClientAccessItem()));
                    t.rec(t.call(item -> MANAGER.vtxStoreClientInfo(t.handle, C, null, 0, new byte[5], 0, item,
                            t.r()), new TovikClientAccessItem()));
                    t.rec(t.call(item -> MANAGER.vtxStoreClientInfo(t.handle, C, "id", 1, new byte[0], 0, item,
                            t.r()), new TovikClientAccessItem()));
                    t.rec(t.call(item -> MANAGER.vtxStoreClientInfo(t.handle, C, "id", 1, null, 0, item, t.r()),
                            new TovikClientAccessItem()));
                }, """
                        = 0 ClientAccessItem(100 2 0 2 2 4294967295) > Manager.StoreClientInfo(7, "?x\u00fc", 1,
                          VT_ARRAY|VT_UI1 bytes[3]:0080ff, 5)
                        # vtxStoreClientInfo: Store Client Info / Store Client Info done
                        = 0xffffffff80070070 ClientAccessItem(101 2147483651 -2147024784 0 3 9) >
                          Manager.StoreClientInfo(7, null, 0, VT_ARRAY|VT_UI1 bytes[5]:0000000000, 0)
                        # vtxStoreClientInfo: Store Client Info / Store Client Info done
                        = 0x50000003 ClientAccessItem(0 0 0 0 0 0)
                        # vtxStoreClientInfo: Store Client Info / Store Client Info done
                        = 0x50000003 ClientAccessItem(0 0 0 0 0 0)
                        # vtxStoreClientInfo: Store Client Info / Store Client Info done"""),
                row("vtxStoreClientInfoFile, vtxGetClientInfoFile", t -> {
                    Path dir = Files.createTempDirectory("tovik-contract");
                    try {
                        Path file = Files.write(dir.resolve("in.bin"), new byte[] {1, 2, 3});
                        t.rec(t.call(item -> MANAGER.vtxStoreClientInfoFile(t.handle, C, "f\u2713",
                                0x1_0000_0002L, file.toString(), 0x1_0000_0003L, item, t.r()), new TovikClientAccessItem()));
                        Path back = dir.resolve("\u03a9.bin");
                        t.rec(t.call(item -> MANAGER.vtxGetClientInfoFile(t.handle, C, WIDE_ID, 3,
                                back.toString(), item, t.r()), new TovikClientAccessItem()));
                        assertEquals("[-1, 0]", Arrays.toString(Files.readAllBytes(back)));
                        t.transcript.replaceAll(line -> line.replace(dir.toString(), "DIR"));
                    } finally {
                        try (Stream<Path> files = Files.list(dir)) {
                            for (Path f : files.toList()) {
                                Files.delete(f);
                            }
                        }
                        Files.delete(dir);
                    }
                }, """
                        = 0 ClientAccessItem(100 2 0 2 2 4294967295) > Manager.StoreClientInfoFile(7, "f?", 2,
                          "DIR/in.bin", 3)
                        # vtxStoreClientInfoFile: Store Client Info File / Store Client Info File done
                        = 0 ClientAccessItem(101 2 0 1 1 9) > Manager.GetClientInfoFile(7, "\u03a9mega\u2713", 3,
                          "DIR/\u03a9.bin")
                        # vtxGetClientInfoFile: GetClientInfoFile / GetClientInfoFile done 0"""),
                row("vtxDeleteClientInfo, vtxGetAvailableClientSpace", t -> {
                    t.run(r -> MANAGER.vtxDeleteClientInfo(t.handle, C, "calibration", 0x1_0000_0001L, r));
                    t.run(r -> MANAGER.vtxDeleteClientInfo(t.handle, C, null, 1, r));
                    t.run(r -> MANAGER.vtxDeleteClientInfo(t.handle, C, "calibration\0", 1, r));
                    t.rec(t.call(space -> MANAGER.vtxGetAvailableClientSpace(t.handle, C, space, t.r()),
                            new TovikClientSpace()));
                }, """
                        = 0 > Manager.DeleteClientInfo(7, "calibration", 1)
                        # vtxDeleteClientInfo: Delete Client Info / Delete Client Info File done
                        = 0x20000103 > Manager.DeleteClientInfo(7, null, 1)
                        # vtxDeleteClientInfo: Delete Client Info / Delete Client Info File done
                        = 0x50000003
                        # vtxDeleteClientInfo: Delete Client Info / Delete Client Info File done
                        = 0 ClientSpace(4 4 4294967278 4294967280) > Manager.GetAvailableClientSpace(7)
                        # vtxGetAvailableClientSpace: GetAvailableSpace / GetAvailableSpace done"""),
                row("vtxGetClientInfo, vtxGetClientInfoResult, vtxGetClientAccessStatus", t -> {
                    TovikClientAccessItem read = t.call(item -> MANAGER.vtxGetClientInfo(t.handle, C, "calibration",
                            0x2_0000_0001L, 0x3_0000_0005L, item, t.r()), new TovikClientAccessItem());
                    t.rec(read);
                    t.ret(MANAGER.vtxGetClientInfoResult(t.handle, C, 0x4_0000_0000L + read.getClientInfo(), t.r()));
                    t.rec(t.call(item -> MANAGER.vtxGetClientAccessStatus(t.handle, C, 0x5_0000_0064L, item, t.r()),
                            new TovikClientAccessItem()));
                    t.rec(t.call(item -> MANAGER.vtxGetClientAccessStatus(t.handle, C, 999, item, t.r()),
                            new TovikClientAccessItem()));
                    t.rec(t.call(item -> MANAGER.vtxGetClientInfo(t.handle, C, null, 1, 0, item, t.r()),
                            new TovikClientAccessItem()));
                }, """
                        = 0 ClientAccessItem(100 2 0 2 2 4294967295) > Manager.GetClientInfo(7, "calibration", 1, 5)
                        # vtxGetClientInfo: GetClientInfo / Client Info is 100 / GetClientInfo done 0
                        = 0 [10, 11, 12] > Manager.GetClientInfoResult(7, 100) 3x[ByteBuffer.Item(#)]
                        # vtxGetClientInfoResult: GetClientInfoResult / A1 / 0000000000000000 / A2 |
                          IF::CmdGetClientInfoResult: Look for buffer / A / Copy results 3 / B / C |
                          IF::GetClientInfoResult: A / B1 / PTR / B | vtxGetClientInfoResult: A / pResults PTR /
                          Copying data / GetClientInfoResult done 0
                        = 0 ClientAccessItem(100 2 0 2 2 4294967295) > Manager.GetClientAccessStatus(7, 100)
                        # vtxGetClientAccessStatus: Client Access Item / Client Access Item done
                        = 0x20000108 ClientAccessItem(0 0 0 0 0 0) > Manager.GetClientAccessStatus(7, 999)
                        # vtxGetClientAccessStatus: Client Access Item / Client Access Item done
                        = 0x20000103 ClientAccessItem(0 0 0 0 0 0) > Manager.GetClientInfo(7, null, 1, 0)
                        # vtxGetClientInfo: GetClientInfo / Null item / GetClientInfo done 536871171"""),
                row("vtxGetClientInfoResult without bytes", t -> {
                    TovikClientAccessItem empty = t.call(item -> MANAGER.vtxGetClientInfo(t.handle, C, "", 4, 0, item,
                            t.r()), new TovikClientAccessItem());
                    t.skip();
                    t.ret(MANAGER.vtxGetClientInfoResult(t.handle, C, empty.getClientInfo(), t.r()));
                    t.ret(MANAGER.vtxGetClientInfoResult(t.handle, C, 999, t.r()));
                }, """
                        = 0 null > Manager.GetClientInfoResult(7, 100)
                        # vtxGetClientInfoResult: GetClientInfoResult / A1 / 0000000000000000 / A2 |
                          IF::CmdGetClientInfoResult: Look for buffer / A / Copy results 0 / B / C |
                          IF::GetClientInfoResult: A / B1 / PTR / B | vtxGetClientInfoResult: A / pResults PTR / No
                          results PTR  / GetClientInfoResult done 0
                        = 0x20000108 null > Manager.GetClientInfoResult(7, 999)
                        # vtxGetClientInfoResult: GetClientInfoResult / A1 / 0000000000000000 / A2 |
                          IF::CmdGetClientInfoResult: Look for buffer / B / C | IF::GetClientInfoResult: A / B1 / PTR
                          / B | vtxGetClientInfoResult: A / pResults 0000000000000000 / No results 0000000000000000  /
                          GetClientInfoResult done 536871176"""),
                row("vtxGetClientInfoList", t -> {
                    VirtualProvider.setMissingItem("ITovikClientInfoList", 0);
                    t.ret(MANAGER.vtxGetClientInfoList(t.handle, C, t.r()));
                    VirtualProvider.loadScenario(BARE_MODULE);
                    t.ret(MANAGER.vtxGetClientInfoList(t.handle, C, t.r()));
                }, """
                        = 0 [ClientInfoItem(3 "?mega?" 2) ClientInfoItem(4 "" 0)] > Manager.GetClientInfoList(7)
                          3x[ClientInfoList.Item(#)]
                        # vtxGetClientInfoList: GetClientInfoList | CTovikClientInfoItemIF::CmdGetClientInfoId: Coud
                          not find client name | vtxGetClientInfoList: GetClientInfoList done 0
                        = 0 [] > Manager.GetClientInfoList(7)
                        # vtxGetClientInfoList: GetClientInfoList / GetClientInfoList done 0"""),

                // ---- pendant
                // LED 0 of the scenario has the control 0xFFFFFFFF, which must arrive zero-extended.
                row("vtxPendantGetLeds at the edges", t -> {
                    long[][] out = {{-7, -7}, {-7, -7}, {-7, -7}};
                    MANAGER.vtxPendantGetLeds(t.handle, C, out[0], out[1], out[2], t.r());
                    t.rec((Object) out);
                }, """
                        = 0 [[1, 0], [4294967295, 0], [3, 0]] > Manager.PendantGetLeds(7, object)
                          2x[PendantLeds.Item(#)]
                        # vtxPendantGetLeds: Pendant Get Led / Getting LED items / Getting item 0 |
                          CTovikPendantLedsIF::CmdItem: A / B PTR / C / Releasing 1 / D / E | vtxPendantGetLeds:
                          Gettting is valid  | CTovikPendantLedIF::CmdDestroyObject: DESTROY PTR / 0 |
                          vtxPendantGetLeds: Getting item 1 | CTovikPendantLedsIF::CmdItem: A / B PTR / C / Releasing
                          1 / D / E | vtxPendantGetLeds: Gettting is valid  | CTovikPendantLedIF::CmdDestroyObject:
                          DESTROY PTR / 0 |
                          CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy | CTovikPendantLedsIF::CmdDestroyObject:
                          Releasing 0 | vtxPendantGetLeds: Pendant Get Led done"""),
                row("vtxPendantSetLeds, vtxPendantGetLeds", t -> {
                    VirtualProvider.setMissingItem("ITovikPendantLeds", 0);
                    t.run(r -> MANAGER.vtxPendantSetLeds(t.handle, C, new long[] {5, 0x1_0000_0001L, 5}, new long[] {6, -1L},
                            new long[] {7, 0x7_FFFF_FFFEL, 7, 7}, r));
                    long[][] out = {{-7, -7, -7}, {-7, -7, -7}, {-7}};
                    MANAGER.vtxPendantGetLeds(t.handle, C, out[0], out[1], out[2], t.r());
                    t.rec((Object) out);
                    VirtualProvider.setResult("ITovikManager.PendantGetLeds", 0x2000_0042);
                    MANAGER.vtxPendantGetLeds(t.handle, C, new long[0], out[1], out[2], t.r());
                    t.rec((Object) out);
                }, """
                        = 0 > 2x[PendantLeds.Item(#)] PendantLed.put_LedValid(1) put_LedCtrl(4294967295)
                          put_LedBlinkFreq(4294967294) Manager.PendantSetLeds(7, object)
                        # vtxPendantSetLeds: Pendant Set Led | CTovikPendantLedsIF::CmdItem: A / B 0000000000000000 /
                          D / E / A / B PTR / C / Releasing 1 / D / E | CTovikPendantLedIF::SetLedValid: SET to 1 |
                          CTovikPendantLedIF::CmdSetLedValid: A PTR / B / C | CTovikPendantLedIF::SetLedCtrl: SET to
                          4294967295 | CTovikPendantLedIF::SetLedBlinkFeq: SET to 4294967294 |
                          CTovikPendantLedIF::CmdDestroyObject: DESTROY PTR / 0 |
                          CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy | CTovikPendantLedsIF::CmdDestroyObject:
                          Releasing 0 | vtxPendantSetLeds: Pendant Set Led done
                        = 0 [[0, -7, -7], [0, -7, -7], [0]] > Manager.PendantGetLeds(7, object) PendantLeds.Item(0)
                        # vtxPendantGetLeds: Pendant Get Led / Getting LED items / Getting item 0 |
                          CTovikPendantLedsIF::CmdItem: A / B 0000000000000000 / D / E | vtxPendantGetLeds: Gettting
                          is valid  | CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy |
                          CTovikPendantLedsIF::CmdDestroyObject: Releasing 0 | vtxPendantGetLeds: Pendant Get Led done
                        = 0x20000042 [[0, -7, -7], [0, -7, -7], [0]] > Manager.PendantGetLeds(7, object)
                        # vtxPendantGetLeds: Pendant Get Led / Getting LED items |
                          CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy | CTovikPendantLedsIF::CmdDestroyObject:
                          Releasing 0 | vtxPendantGetLeds: Pendant Get Led done"""),
                row("vtxPendantSetLeds with an empty or missing array", t -> {
                    t.run(r -> MANAGER.vtxPendantSetLeds(t.handle, C, new long[0], new long[] {1}, new long[] {1}, r));
                    t.run(r -> MANAGER.vtxPendantSetLeds(t.handle, C, new long[] {1}, null, new long[] {1}, r));
                }, """
                        = 0x50000007
                        # vtxPendantSetLeds: Pendant Set Led | CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy |
                          CTovikPendantLedsIF::CmdDestroyObject: Releasing 0 | vtxPendantSetLeds: Pendant Set Led done
                        = 0 > Manager.PendantSetLeds(7, object)
                        # vtxPendantSetLeds: Pendant Set Led | CTovikPendantLedsIF::~CTovikPendantLedsIF: Destroy |
                          CTovikPendantLedsIF::CmdDestroyObject: Releasing 0 | vtxPendantSetLeds: Pendant Set Led done"""),
                row("vtxPendantSetSegDisp, vtxPendantGetSegDisp", t -> {
                    t.run(r -> MANAGER.vtxPendantSetSegDisp(t.handle, C, new long[] {1, 2, 3, 4, 5, 6, 7, 0x1_FFFF_FFFFL, 9}, 21,
                            0x1_0000_0022L, r));
                    t.rec(t.call(d -> MANAGER.vtxPendantGetSegDisp(t.handle, C, d, t.r()), new TovikPendantDisp()));
                    t.run(r -> MANAGER.vtxPendantSetSegDisp(t.handle, C, new long[7], 1, 2, r));
                    t.run(r -> MANAGER.vtxPendantSetSegDisp(t.handle, C, null, 1, 2, r));
                    VirtualProvider.withholdOutput("ITovikManager.PendantGetSegDisp");
                    TovikPendantDisp kept = new TovikPendantDisp();
                    kept.setData(1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
                    t.rec(t.call(d -> MANAGER.vtxPendantGetSegDisp(t.handle, C, d, t.r()), kept));
                }, """
                        = 0 > PendantDisp.put_SegmentA(1) put_SegmentB(2) put_SegmentC(3) put_SegmentD(4)
                          put_SegmentE(5) put_SegmentF(6) put_SegmentG(7) put_SegmentDecimalPoint(4294967295)
                          Manager.PendantSetSegDisp(7, object, 21, 34)
                        # vtxPendantSetSegDisp: Pendant Set Seg Disp / Pendant Set Seg Disp done
                        = 0 PendantDisp(1 2 3 4 5 6 7 4294967295 21 34) > Manager.PendantGetSegDisp(7)
                        # vtxPendantGetSegDisp: Pendant Get Seg Disp / 1 / Pendant Get Seg done
                        = 0x50000003
                        # vtxPendantSetSegDisp: Pendant Set Seg Disp / Pendant Set Seg Disp done
                        = 0x50000007
                        # vtxPendantSetSegDisp: Pendant Set Seg Disp / Pendant Set Seg Disp done
                        = 0 PendantDisp(1 2 3 4 5 6 7 8 10 9) > Manager.PendantGetSegDisp(7)
                        # vtxPendantGetSegDisp: Pendant Get Seg Disp | IF::CmdPendantGetSegDisp: NO OBJECT |
                          vtxPendantGetSegDisp: no object / Pendant Get Seg done"""),
                row("vtxPendantSetAudio, vtxPendantGetAudio", t -> {
                    t.run(r -> MANAGER.vtxPendantSetAudio(t.handle, C, 0x1_0000_0001L, 0xFFFF_FFFEL, 3, 0x8000_0000L, r));
                    t.ret(MANAGER.vtxPendantGetAudio(t.handle, C, t.r()));
                }, """
                        = 0 > Manager.PendantSetAudio(7, 1, 4294967294, 3, 2147483648)
                        # vtxPendantSetAudio: Pendant Set Audio / Pendant Set Audio done
                        = 0 PendantAudioValues(1 4294967294) > Manager.PendantGetAudio(7)
                        # vtxPendantGetAudio: PendantGetAudio / PendantGetAudio done 0"""),

                // ---- wireless
                row("vtxGetAccessPointState", t -> t.rec(t.call(item -> MANAGER.vtxGetAccessPointState(t.handle,
                        C, 0x1_0000_0003L, item, t.r()), new TovikApStateItem())), """
                        = 0 ApStateItem(4294967295 2147483648 1 4 70 -2147483648 7) > Manager.GetAccessPointState(7,
                          3)
                        # vtxGetAccessPointState: GetAccessPointState | IF::CmdGetAccessPointState: Cmd Get Access
                          Point State / Cmd Get Access Point State 0 | vtxGetAccessPointState: GetAccessPointState
                          done"""),
                row("vtxEnableManualScan, vtxEnableAutoWifi", t -> {
                    t.run(r -> MANAGER.vtxEnableManualScan(t.handle, true, r));
                    t.run(r -> MANAGER.vtxEnableAutoWifi(t.handle, false, r));
                }, """
                        = 0 > Manager.EnableManualScan(-1)
                        # vtxEnableManualScan: EnableManualScan 1 / EnableManualScan done
                        = 0 > Manager.EnableAutoWifi(0)
                        # vtxEnableAutoWifi: EnableAutoWifi0 / EnableAutoWifi done"""),
                row("vtxGetAutoWifiInfo", t -> {
                    t.ret(MANAGER.vtxGetAutoWifiInfo(t.handle, t.r()));
                    VirtualProvider.setMissingItem("ITovikAdaptInfoList", 0);
                    t.ret(MANAGER.vtxGetAutoWifiInfo(t.handle, t.r()));
                    VirtualProvider.failMethod("ITovikAdaptInfoList.Count", 0x80004005, true, "count failed once");
                    t.ret(MANAGER.vtxGetAutoWifiInfo(t.handle, t.r()));
                    VirtualProvider.withholdOutput("ITovikManager.GetAutoWifiInfo");
                    t.ret(MANAGER.vtxGetAutoWifiInfo(t.handle, t.r()));
                }, """
                        = 0 AdaptInfoList(true false true [4294967295, 3] [2, 4] [true, false] ["Caf\u00e9 ?", ""]) >
                          Manager.GetAutoWifiInfo 2x[AdaptInfoList.GetItem(#)]
                        # vtxGetAutoWifiInfo: GetAutoWifiInfo | IF::CmdGetAutoWifiInfo: Start / Done |
                          vtxGetAutoWifiInfo: Processing 2 items / Processing item 0 / Processing item 1 |
                          CTovikAdaptInfoItemIF::CmdgetCardName: Coud not find client name | vtxGetAutoWifiInfo:
                          GetAutoWifiInfo done 0
                        = 0 AdaptInfoList(true false true [0, 3] [0, 4] [false, false] [""]) > Manager.GetAutoWifiInfo
                          2x[AdaptInfoList.GetItem(#)]
                        # vtxGetAutoWifiInfo: GetAutoWifiInfo | IF::CmdGetAutoWifiInfo: Start / Done |
                          vtxGetAutoWifiInfo: Processing 2 items / Processing item 0 / Processing item 1 |
                          CTovikAdaptInfoItemIF::CmdgetCardName: Coud not find client name | vtxGetAutoWifiInfo:
                          GetAutoWifiInfo done 0
                        = 0 AdaptInfoList(true false true [] [] [] []) > Manager.GetAutoWifiInfo
                        # vtxGetAutoWifiInfo: GetAutoWifiInfo | IF::CmdGetAutoWifiInfo: Start / Done |
                          CThreadManager::ObjectManagerThreadProc: com error: 0x80004005 - Unspecified error |
                          vtxGetAutoWifiInfo: Processing 0 items / GetAutoWifiInfo done 0
                        = 0 AdaptInfoList(true false true null null null []) > Manager.GetAutoWifiInfo
                        # vtxGetAutoWifiInfo: GetAutoWifiInfo | IF::CmdGetAutoWifiInfo: Start / Done |
                          vtxGetAutoWifiInfo: GetAutoWifiInfo done 0"""),

                // ---- diagnostics
                row("vtxRunSelfTest", t -> {
                    t.ret(MANAGER.vtxRunSelfTest(t.handle, C, t.r()));
                    VirtualProvider.setByteBufferLength(0);
                    t.ret(MANAGER.vtxRunSelfTest(t.handle, C, t.r()));
                    VirtualProvider.setByteBufferLength(-5);
                    t.ret(MANAGER.vtxRunSelfTest(t.handle, C, t.r()));
                    VirtualProvider.withholdOutput("ITovikManager.RunSelfTest");
                    VirtualProvider.setResult("ITovikManager.RunSelfTest", 0x7001);
                    t.ret(MANAGER.vtxRunSelfTest(t.handle, C, t.r()));
                }, """
                        = 0 [0, -91, -1] > Manager.RunSelfTest(7) 3x[ByteBuffer.Item(#)]
                        # vtxRunSelfTest: RunSelfTest | IF::CmdRunSelfTest: START / A / B PTR / 0 / END |
                          vtxRunSelfTest: RunSelfTest done 0
                        = 0 null > Manager.RunSelfTest(7)
                        # vtxRunSelfTest: RunSelfTest | IF::CmdRunSelfTest: START / A / B PTR / 0 / END |
                          vtxRunSelfTest: No results 0 PTR / RunSelfTest done 0
                        = 0 null > Manager.RunSelfTest(7)
                        # vtxRunSelfTest: RunSelfTest | IF::CmdRunSelfTest: START / A / B PTR / 0 / END |
                          vtxRunSelfTest: No results -5 0000000000000000 / RunSelfTest done 0
                        = 0x7001 null > Manager.RunSelfTest(7)
                        # vtxRunSelfTest: RunSelfTest | IF::CmdRunSelfTest: START / A / B 0000000000000000 / 28673 /
                          END | vtxRunSelfTest: No results 0 0000000000000000 / RunSelfTest done 28673"""),
                row("vtxGetConfigItems", t -> {
                    t.ret(MANAGER.vtxGetConfigItems(t.handle, C, t.r()));
                    VirtualProvider.setMissingItem("ITovikConfigItemList", 0);
                    t.ret(MANAGER.vtxGetConfigItems(t.handle, C, t.r()));
                    VirtualProvider.withholdOutput("ITovikManager.GetConfigItems");
                    VirtualProvider.setResult("ITovikManager.GetConfigItems", -2);
                    t.ret(MANAGER.vtxGetConfigItems(t.handle, C, t.r()));
                }, """
                        = 0 [ConfigItem(4294967295 "Pr\u00fcf \u20ac") ConfigItem(7 "")] > Manager.GetConfigItems(7)
                          2x[ConfigItemList.GetItem(#)]
                        # vtxGetConfigItems: GetConfigItems | CTovikConfigItemIF::CmdGetConfigValue: Coud not find
                          client name | vtxGetConfigItems: GetConfigItems done 0
                        = 0 [ConfigItem(7 "")] > Manager.GetConfigItems(7) 2x[ConfigItemList.GetItem(#)]
                        # vtxGetConfigItems: GetConfigItems | CTovikConfigItemIF::CmdGetConfigValue: Coud not find
                          client name | vtxGetConfigItems: GetConfigItems done 0
                        = 0xfffffffffffffffe null > Manager.GetConfigItems(7)
                        # vtxGetConfigItems: GetConfigItems / No config items  / GetConfigItems done -2"""));
    }

    // ---- recording one row

    private final List<String> transcript = new ArrayList<>();
    private LongValue result;

    /** A fresh result object for the next call, holding a value no call delivers. */
    LongValue r() {
        result = new LongValue(0x5EED5EED5EEDL);
        return result;
    }

    /** Calls `call` with `target` and returns the target, for calls that fill an object Java passes in. */
    <T> T call(ThrowingConsumer<T> call, T target) throws Exception {
        call.accept(target);
        return target;
    }

    /** Makes a void call with a fresh result object and records it. */
    void run(ThrowingConsumer<LongValue> call) throws Exception {
        call.accept(r());
        rec();
    }

    /** Waits for events into `queue` and records the call. */
    void waitInto(long runtime, TovikEventQueue queue) {
        ret(MANAGER.vtxWaitForEvents(runtime, queue), queue);
    }

    @FunctionalInterface
    interface ThrowingConsumer<T> {
        void accept(T target) throws Exception;
    }

    /** Records the call just made, which returned `returned`: result code, value, objects passed in. */
    <T> T ret(T returned, Object... passedIn) {
        record(code() + " " + ValueText.of(returned) + ValueText.of(passedIn).replaceAll("^\\[|\\]$", " ").stripTrailing());
        return returned;
    }

    /** Records the void call just made: result code and the objects passed in. */
    void rec(Object... passedIn) {
        record(code() + (passedIn.length == 0 ? "" : " " + ValueText.of(passedIn).replaceAll("^\\[|\\]$", "")));
    }

    private String code() {
        return result == null ? "=" : "= " + (result.get() == 0 ? "0" : "0x" + Long.toHexString(result.get()));
    }

    /** Records a call that must throw: the exception's class and message. */
    void thrown(ThrowingRunnable call) {
        try {
            call.run();
            record("= returned normally");
        } catch (Exception e) {
            record("= threw " + e.getClass().getSimpleName() + ": " + e.getMessage());
        }
    }

    @FunctionalInterface
    interface ThrowingRunnable {
        void run() throws Exception;
    }

    /** Forgets the call just made: it only prepares the next one. */
    void skip() {
        result = null;
        VirtualProvider.clearJournal();
        CapturingLogSink.clear();
    }

    private void record(String call) {
        String journal = journalText(List.of(VirtualProvider.journal()));
        transcript.add(pointers(call) + (journal.isEmpty() ? "" : " > " + journal));
        String log = logText(CapturingLogSink.lines());
        if (!log.isEmpty()) {
            transcript.add("# " + log);
        }
        skip();
    }

    /** Live pointers (upper-case hexadecimal, padded to the pointer's width) as PTR; a null pointer stays. */
    private static String pointers(String text) {
        return text.replaceAll("\\b(?!0{16}\\b)[0-9A-F]{16}\\b", "PTR");
    }

    /**
     * The journal without "ITovik" and "()": the manager's calls and every call that takes
     * arguments (property reads, whose order FaultSweepTest's table holds, are left out), calls on
     * one interface in a row after its name, runs of list elements folded: "2x[List.Item(#)]".
     */
    private static String journalText(List<String> journal) {
        List<String> lines = journal.stream().map(line -> line.replaceFirst("^ITovik", "").replace("()", ""))
                .filter(line -> line.startsWith("Manager.") || line.contains("(")).toList();
        List<String> out = new ArrayList<>();
        String last = null;
        for (int i = 0; i < lines.size(); ) {
            int length = lines.subList(i, lines.size()).indexOf(lines.get(i).replace("(0)", "(1)"));
            int runs = 0;
            while (lines.get(i).endsWith("(0)") && length > 0 && i + (runs + 1) * length <= lines.size()
                    && block(lines, i, length, runs)) {
                runs++;
            }
            if (runs < 2) {
                String itf = lines.get(i).substring(0, lines.get(i).indexOf('.'));
                out.add(itf.equals(last) ? lines.get(i).substring(itf.length() + 1) : lines.get(i));
                last = itf;
                i++;
            } else {
                out.add(runs + "x[" + journalText(lines.subList(i, i + length)).replace("(0)", "(#)") + "]");
                last = null;
                i += runs * length;
            }
        }
        return String.join(" ", out);
    }

    /** Whether the `run`th block of `length` lines from `start` is the first with "(0)" read as "(run)". */
    private static boolean block(List<String> lines, int start, int length, int run) {
        for (int k = 0; k < length; k++) {
            if (!lines.get(start + run * length + k).equals(lines.get(start + k).replace("(0)", "(" + run + ")"))) {
                return false;
            }
        }
        return true;
    }

    /**
     * Log lines as "function: message / message | function: ...", native methods by their Java
     * name, CTovikManagerIF as IF; the event thread's lines are left out (they run beside the
     * caller's, in no fixed order with them).
     */
    private static String logText(List<String> lines) {
        StringBuilder text = new StringBuilder();
        String last = null;
        Matcher m = CapturingLogSink.LINE.matcher("");
        for (String line : lines) {
            if (!m.reset(line).matches()) {
                throw new AssertionError("malformed log line: " + line);
            }
            String function = m.group(1).replace(PREFIX, "").replace("CTovikManagerIF::", "IF::");
            if (function.equals("WaitForEventProc")) {
                continue;
            }
            text.append(function.equals(last) ? " / " : (last == null ? "" : " | ") + function + ": ");
            text.append(pointers(m.group(3)));
            last = function;
        }
        return text.toString();
    }

    /** Handles count up from 1, each new one above the largest in use; a handle shut down names nothing. */
    @Test
    void handlesFollowTheLargestInUse() {
        long first = handle;
        long second = initialize();
        MANAGER.vtxShutdownRuntime(first);
        long third = initialize();
        VirtualProvider.setResult("ITovikManager.ConfigureUsbInterface", 21);
        List<Long> codes = new ArrayList<>();
        for (long h : new long[] {handle, second, third}) {
            MANAGER.vtxConfigureUsbInterface(h, r());
            codes.add(result.get());
        }
        MANAGER.vtxShutdownRuntime(third);
        MANAGER.vtxShutdownRuntime(second);
        handle = initialize();
        assertEquals(List.of(1L, 2L, 3L, 0x50000007L, 21L, 21L, 1L), List.of(first, second, third, codes.get(0),
                codes.get(1), codes.get(2), handle));
    }

    /**
     * Lists long enough that a leaked local reference per element overflows the frame, and read
     * in many commands, each beside the Java objects of the one before: every element arrives
     * once, in order, and the provider sees each read once, in order.
     */
    @Test
    void longListsKeepLocalReferencesBoundedAndTheirOrder() {
        StringBuilder modules = new StringBuilder("{ \"modules\": [");
        for (int i = 0; i < 10_000; i++) {
            modules.append(i == 0 ? "" : ",").append("{ \"serial\": ").append(3_000_000_000L + i).append(", \"name\": \"M")
                    .append(i).append("\" }");
        }
        VirtualProvider.loadScenario(modules.append("] }").toString());
        VirtualProvider.setMissingItem("ITovikVciItems", 5000);
        VirtualProvider.clearJournal();
        TovikVciItem[] items = MANAGER.vtxGetModuleIds(handle, r());
        List<String> expectedReads = new ArrayList<>(List.of("ITovikVciItems.Count()"));
        List<String> expectedItems = new ArrayList<>();
        for (int i = 0; i < 10_000; i++) {
            expectedReads.add("ITovikVciItems.Item(" + i + ")");
            if (i != 5000) {
                expectedItems.add("M" + i + " " + (3_000_000_000L + i));
            }
        }
        assertEquals(expectedItems,
                Arrays.stream(items).map(m -> m.getModuleName() + " " + m.getSerialNumber()).toList());
        assertEquals(expectedReads, journal("ITovikVciItems."));
        for (int i = 0; i < 5000; i++) {
            VirtualProvider.postEvent(i, 0xFFFF_FFFFL - i, 3);
        }
        MANAGER.vtxRegisterForEvents(handle, 1, 2, r());
        TovikEventQueue queue = new TovikEventQueue();
        MANAGER.vtxWaitForEvents(handle, queue);
        assertEquals(List.of(5000, 4999L, 0xFFFF_FFFFL - 4999), List.of(queue.getEvents().length,
                queue.getEvents()[4999].getFirst(), queue.getEvents()[4999].getSecond()));
    }
}
