package com.holm.zep.tovik.client;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.util.HexFormat;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * Every result type of the client against the virtual provider's default workshop: the values
 * are the workshop's own (sim/src/DefaultScenario.cpp), written out here rather than read
 * through the client, so that a field mapped to the wrong place shows.
 */
class ClientResultsTest extends ClientFixture {
    private static final HexFormat HEX = HexFormat.of();

    @Test
    void modulesInfoAndDetails() {
        TovikRuntime runtime = open();
        assertEquals(List.of(new Module(1, "TVX-200 Bay 1", BAY1, 1, 2),
                new Module(1, "TVX-200 Bay 2", BAY2, 2, 2),
                new Module(0, "TVX-100 Bench", BENCH, 4, 1)), runtime.modules());

        ConnectedClient owner = new ConnectedClient(true, 1, 2, "Workshop PC 3",
                "2024-05-14 07:58:12");
        assertEquals(new ModuleInfo("00:1B:7A:10:20:01", "00:1B:7A:10:20:02", "00:1B:7A:10:20:03",
                "USB0::200101", List.of(owner)), runtime.moduleInfo(BAY1));
        assertEquals(new ModuleDetails("00:1B:7A:10:20:01", "00:1B:7A:10:20:02",
                "00:1B:7A:10:20:03", "USB0::200101", "Bay 1", 3, 1, 1, 5, List.of(owner)),
                runtime.moduleDetails(BAY1));
        assertEquals(new ModuleDetails("", "", "", "USB1::100017", "", 0, 0, 1, 0, List.of()),
                runtime.moduleDetails(BENCH));
    }

    @Test
    void unsignedValuesArriveAsPositiveLongs() {
        VirtualProvider.loadScenario(VirtualProvider.defaultScenario()
                .replace("\"serial\": 200101", "\"serial\": 4000000001")
                .replace("\"wifiFlags\": 3", "\"wifiFlags\": 4294967295"));
        TovikRuntime runtime = open();
        assertEquals(4_000_000_001L, runtime.modules().get(0).serialNumber());
        assertEquals(0xFFFFFFFFL, runtime.moduleDetails(4_000_000_001L).wifiFlags());
    }

    @Test
    void versionsInBothForms() {
        TovikRuntime runtime = open();
        try (Connection c = runtime.connect(BAY1, 0)) {
            assertEquals(new Versions(
                    List.of(new Version("VciSystem", 83951616, 20240210, "", "", ""),
                            new Version("VciBoot", 16908288, 20220905, "", "", "")),
                    List.of(new Version("TovikApi", 67305985, 20240301, "", "", ""),
                            new Version("TovikTransport", 33619968, 20231115, "", "", ""))),
                    c.versions(Versions.Form.NUMBERS));
            assertEquals(new Versions(
                    List.of(new Version("VciSystem", 0, 0, "5.1.0.0", "release/5.1", "2024-02-10"),
                            new Version("VciBoot", 0, 0, "1.2.0.0", "main", "2022-09-05")),
                    List.of(new Version("TovikApi", 0, 0, "4.3.2.1", "release/4.3", "2024-03-01"),
                            new Version("TovikTransport", 0, 0, "2.1.0.0", "main", "2023-11-15"))),
                    c.versions(Versions.Form.TEXTS));
        }
    }

    @Test
    void applicationsOnThePcAndTheModule() {
        TovikRuntime runtime = open();
        assertEquals(new PcApplication("Diagnostics", 196608, 20240115, 0, 0, "", "", ""),
                runtime.pcApplications(PcApplication.Form.NUMBERS).get(0));
        assertEquals(new PcApplication("Flash Loader", 131329, 20231201, 2, 2, "", "", ""),
                runtime.pcApplications(PcApplication.Form.NUMBERS_AND_TYPE).get(1));
        List<PcApplication> texts = runtime.pcApplications(PcApplication.Form.TEXTS);
        assertEquals(3, texts.size());
        assertEquals(new PcApplication("Data Logger", 0, 0, 3, 3, "1.0.0", "main", "2023-07-20"),
                texts.get(2));

        try (Connection c = runtime.connect(BAY1, 0)) {
            assertEquals(List.of(new ModuleApplication(1, "Diagnostics", 196608, 20240115, 1,
                    "DIAG-PRO", 1, 180, -1)), c.applications(0, 0));
            assertEquals(List.of(new ModuleApplicationText(1, "Diagnostics", "3.0.0",
                    "release/3.0", "2024-01-15", 1)), c.applicationTexts(0, 0));
            VirtualProvider.clearJournal();
            c.controlApplication(1, 4);
            assertEquals(List.of("ITovikManager.ControlApp(" + c.handle() + ", 1, 4)"),
                    VirtualProvider.journal("ITovikManager.ControlApp"));
        }
        assertEquals(500, runtime.applicationConfig(1, 1));
        runtime.setApplicationConfig(1, 1, 0xFFFFFFFFL);
        assertEquals(0xFFFFFFFFL, runtime.applicationConfig(1, 1));
    }

    /** The first status of an installation; how a job goes on is the provider's and the library's. */
    @Test
    void anInstallationStatus() {
        TovikRuntime runtime = open();
        try (Connection c = runtime.connect(BAY1, 0)) {
            InstallStatus first = c.install("Data Logger");
            assertEquals(List.of(257L, InstallStatus.RUNNING, 3L, 30L, 120L, 0L), List.of(first.job(),
                    first.status(), first.totalNumberOfComponents(), first.componentTimeout(), first.totalTimeout(),
                    (long) first.errorNumber()), first.toString());
            assertEquals(first.job(), c.installStatus(first.job()).job());
        }
    }

    @Test
    void clientInformationIsStoredListedReadAndDeleted() {
        TovikRuntime runtime = open();
        try (Connection c = runtime.connect(BAY1, 0)) {
            assertEquals(List.of(new ClientInfoEntry(1, "calibration", 6),
                    new ClientInfoEntry(0, "session", 13)), c.clientInfoList());

            byte[] data = HEX.parseHex("00ff10");
            ClientAccess stored = c.store("note", 1, data, 0);
            assertEquals(0, stored.errorCode());
            assertArrayEquals(data, VirtualProvider.storedBlock(BAY1, "note", 1));

            ClientAccess read = c.read("calibration", 1, 0);
            ClientAccess status = c.accessStatus(read.accessId());
            assertEquals(read.accessId(), status.accessId());
            assertEquals("0a0b0c0d0e0f", HEX.formatHex(c.readResult(read.accessId())));

            ClientSpace space = c.clientSpace();
            assertEquals(65536, space.volatileTotal());
            assertEquals(262144, space.nonVolatileTotal());
            assertTrue(space.nonVolatileRemaining() < space.nonVolatileTotal(), space.toString());

            c.delete("note", 1);
            assertNull(VirtualProvider.storedBlock(BAY1, "note", 1));
        }
    }

    @Test
    void pendantState() {
        TovikRuntime runtime = open();
        try (Connection c = runtime.connect(BAY1, 0)) {
            List<Led> leds = c.leds();
            assertEquals(5, leds.size());
            assertEquals(new Led(1, 2, 0), leds.get(0));
            c.setLeds(List.of(new Led(1, 3, 0xFFFFFFFFL)));
            assertEquals(new Led(1, 3, 0xFFFFFFFFL), c.leds().get(0));

            assertEquals(new SegmentDisplay(List.of(1L, 1L, 1L, 1L, 1L, 1L, 0L, 0L), 8, 0),
                    c.segmentDisplay());
            c.setSegmentDisplay(List.of(0L, 1L, 0L, 1L, 0L, 1L, 0L, 1L), 3, 4);
            assertEquals(new SegmentDisplay(List.of(0L, 1L, 0L, 1L, 0L, 1L, 0L, 1L), 3, 4),
                    c.segmentDisplay());

            assertEquals(new PendantAudio(440, 200), c.audio());
            c.setAudio(1, 2, 3, 4);
            assertArrayEquals(new long[] {1, 2, 3, 4}, VirtualProvider.pendantAudio(BAY1));
        }
    }

    @Test
    void wirelessAndDiagnostics() {
        TovikRuntime runtime = open();
        try (Connection c = runtime.connect(BAY1, 0)) {
            assertEquals(1, c.status());
            assertEquals(1, runtime.connectionStatus(c.handle()));
            assertEquals(new AccessPointState(1, 2, 1, 4, 70, -92, -48), c.accessPointState(0));
            assertEquals(new SelfTest(HEX.parseHex("00010203a5ff")), c.selfTest());
            assertEquals(List.of(new ConfigItem(1, "TVX-200"), new ConfigItem(2, "5.1.0.0"),
                    new ConfigItem(7, "")), c.configItems());
        }
        AutoWifiInfo wifi = runtime.autoWifiInfo();
        assertEquals(List.of(new WifiAdapter(32902, 9462, true, "Workshop WLAN"),
                new WifiAdapter(3034, 33145, false, "USB WLAN Stick")), wifi.adapters());

        runtime.enableAutoWifi(false);
        assertEquals(0, VirtualProvider.autoWifiSwitch());
        runtime.enableManualScan(true);
        assertEquals(-1, VirtualProvider.manualScanSwitch());

        VirtualProvider.clearJournal();
        runtime.configureUsbInterface();
        runtime.configureWifiInterface();
        assertEquals(List.of("ITovikManager.ConfigureUsbInterface",
                "ITovikManager.ConfigureWifiInterface"), managerCalls());
    }
}
