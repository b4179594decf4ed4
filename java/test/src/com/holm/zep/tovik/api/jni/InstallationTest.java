package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * vtxInstallVciApp, vtxInstallVciApp2, vtxUninstallVciApp, vtxUpdateSystemFirmware and
 * vtxInstallGetStatus against the virtual provider's job model.
 */
class InstallationTest extends RuntimeFixture {
    private static final String INSTALL = PREFIX + "vtxInstallVciApp";
    private static final String INSTALL2 = PREFIX + "vtxInstallVciApp2";
    private static final String UNINSTALL = PREFIX + "vtxUninstallVciApp";
    private static final String FIRMWARE = PREFIX + "vtxUpdateSystemFirmware";
    private static final String GET_STATUS = PREFIX + "vtxInstallGetStatus";

    private static final long SERIAL = 200101;
    private static final int UNKNOWN_APP = 0x20000105;
    private static final int NOT_INSTALLED = 0x20000106;
    private static final int UNKNOWN_JOB = 0x20000107;
    private static final int RUNNING = 1;
    private static final int DONE = 2;

    /** Any value: the workshop below lets a handle that is not open address its first module. */
    private final long target = 65537;

    InstallationTest() {
        super(RuntimeFixture::openWorkshop);
    }

    /** A status object holding values no call produces, to see whether a call touched it. */
    private static TovikAppStatus untouched() {
        TovikAppStatus status = new TovikAppStatus();
        status.setData(-99, -99, -99, -99, -99, -99, -99, "untouched");
        return status;
    }

    private static void assertUntouched(TovikAppStatus status) {
        assertEquals(-99, status.getJob());
        assertEquals("untouched", status.getComponentName());
    }

    @Test
    void anInstallJobIsPolledToCompletionCarryingItsJobValue() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp(handle, target, "Flash Loader", status, result);

        assertEquals(0, result.get());
        assertEquals(257, status.getJob(), "the provider's first job value");
        assertEquals(RUNNING, status.getStatus());
        assertEquals(0, status.getErrorNumber());
        assertEquals(0, status.getComponentNumber());
        assertEquals(3, status.getTotalNumberOfComponents());
        assertEquals(30, status.getComponentTimeout());
        assertEquals(120, status.getTotalTimeout());
        assertEquals("Flash Loader", status.getComponentName());

        int polls = 0;
        while (status.getStatus() != DONE && polls < 10) {
            MANAGER.vtxInstallGetStatus(handle, target, status.getJob(), status, result);
            assertEquals(0, result.get());
            assertEquals(257, status.getJob(), "the job value is echoed");
            polls++;
            assertEquals(polls, status.getComponentNumber());
        }
        assertEquals(3, polls);
        assertEquals(DONE, status.getStatus());
        assertTrue(Arrays.stream(VirtualProvider.installedApps(SERIAL)).anyMatch(app -> app == 2),
                "the job took effect on the module");

        assertEquals(List.of(
                "ITovikManager.InstallVCIApp(" + target + ", \"Flash Loader\")",
                "ITovikManager.InstallGetStatus(" + target + ", 257)",
                "ITovikManager.InstallGetStatus(" + target + ", 257)",
                "ITovikManager.InstallGetStatus(" + target + ", 257)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("Install VCI App", "App name is Flash Loader", "Install VCI App done"),
                CapturingLogSink.messagesOf(INSTALL));
        assertEquals(List.of("App name is [Flash Loader]"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdInstallVCIApp"));
        assertEquals(List.of("Install Get Status App", "Install Get Status done"),
                CapturingLogSink.messagesOf(GET_STATUS).subList(0, 2));
    }

    @Test
    void theStatusPollMasksTheTopFourBitsButEchoesTheWholeValue() {
        TovikAppStatus status = new TovikAppStatus();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp2(handle, target, 3, status, result);
        assertEquals(257, status.getJob());

        long job = 0x7_F000_0101L;  // bits above 32 and the top four of the low 32 set
        MANAGER.vtxInstallGetStatus(handle, target, job, status, result);
        assertEquals(0, result.get());
        assertEquals(job, status.getJob(), "all 64 bits come back");
        assertEquals(1, status.getComponentNumber());

        MANAGER.vtxInstallGetStatus(handle, target, 0xF000_0001L, status, result);
        assertEquals(UNKNOWN_JOB, result.get(), "job 1 was never issued");
        assertEquals(job, status.getJob(), "no status: target untouched");

        assertEquals(List.of(
                "ITovikManager.InstallVCIApp_2(" + target + ", 3)",
                "ITovikManager.InstallGetStatus(" + target + ", 257)",
                "ITovikManager.InstallGetStatus(" + target + ", 1)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("Install VCI App2", "Install VCI App done"), CapturingLogSink.messagesOf(INSTALL2));
    }

    @Test
    void numbersAreCutToTheirLow32BitsOnTheWayIn() {
        TovikAppStatus status = new TovikAppStatus();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp2(handle, 0x5_0000_0000L | target, 0xFFFF_FFFF_0000_0002L, status, result);
        MANAGER.vtxUpdateSystemFirmware(handle, 0xA_0000_0000L | target, status, result);
        assertEquals(List.of(
                "ITovikManager.InstallVCIApp_2(" + target + ", 2)",
                "ITovikManager.UpdateSystemFirmware(" + target + ")"),
                Sim.journal("ITovikManager."));
    }

    @Test
    void uninstallAndFirmwareUpdateStartJobsOfTheirOwn() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxUninstallVciApp(handle, target, "Diagnostics", status, result);
        assertEquals(0, result.get());
        assertEquals(257, status.getJob());
        assertEquals("Diagnostics", status.getComponentName());
        assertEquals(List.of("App name is [Diagnostics]"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdUninstallVCIApp"));
        assertEquals(List.of("Uninstall VCI App", "Uninstall VCI App done"), CapturingLogSink.messagesOf(UNINSTALL));

        TovikAppStatus firmware = untouched();
        MANAGER.vtxUpdateSystemFirmware(handle, target, firmware, result);
        assertEquals(0, result.get());
        assertEquals(258, firmware.getJob(), "job values count up");
        assertEquals("System firmware", firmware.getComponentName());
        assertEquals(RUNNING, firmware.getStatus());
        assertEquals(List.of("UpdateSystemFirmware", "UpdateSystemFirmware done"),
                CapturingLogSink.messagesOf(FIRMWARE));
    }

    @Test
    void aNullNameReachesTheProviderAsANullString() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp(handle, target, null, status, result);
        assertEquals(UNKNOWN_APP, result.get());
        assertUntouched(status);
        MANAGER.vtxUninstallVciApp(handle, target, null, status, result);
        assertEquals(NOT_INSTALLED, result.get());
        assertUntouched(status);

        assertEquals(List.of(
                "ITovikManager.InstallVCIApp(" + target + ", null)",
                "ITovikManager.UninstallVCIApp(" + target + ", null)"),
                Sim.journal("ITovikManager."));
        assertEquals(List.of("Install VCI App", "App name is ", "Install VCI App done"),
                CapturingLogSink.messagesOf(INSTALL));
        assertEquals(List.of("App name is []"), CapturingLogSink.messagesOf("CTovikManagerIF::CmdInstallVCIApp"));
    }

    @Test
    void namesOutsideAsciiAreSentInTheAnsiCodePage() {
        MANAGER.vtxInstallVciApp(handle, target, "Gr\u00fc\u00dfe \u2713", new TovikAppStatus(), new LongValue());
        assertEquals(List.of("ITovikManager.InstallVCIApp(" + target + ", \"Gr\u00fc\u00dfe ?\")"),
                Sim.journal("ITovikManager."));
    }

    @Test
    void statusNumbersAreZeroExtendedAndAnEmptyNameIsAnEmptyString() {
        VirtualProvider.loadScenario("""
                { "connections": { "requireConnection": false },
                  "jobs": { "firstJob": 4294967280, "running": 4294967295,
                            "componentTimeout": 2147483648, "totalTimeout": 4294967295,
                            "components": 4294967294, "firmwareName": "" },
                  "modules": [ { "serial": 1 } ] }
                """);
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxUpdateSystemFirmware(handle, 1, status, result);

        assertEquals(0, result.get());
        assertEquals(4294967280L, status.getJob());
        assertEquals(4294967295L, status.getStatus());
        assertEquals(4294967294L, status.getTotalNumberOfComponents());
        assertEquals(2147483648L, status.getComponentTimeout());
        assertEquals(4294967295L, status.getTotalTimeout());
        assertEquals("", status.getComponentName(), "no component name: an empty string");

        // The job value goes back masked: 0xFFFFFFF0 & 0x0FFFFFFF.
        MANAGER.vtxInstallGetStatus(handle, 1, status.getJob(), status, result);
        assertEquals(List.of("ITovikManager.InstallGetStatus(1, 268435440)"),
                Sim.journal("ITovikManager.InstallGetStatus"));
        assertEquals(UNKNOWN_JOB, result.get());
    }
}
