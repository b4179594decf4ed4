package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/**
 * The applications of a module: vtxControlApp, vtxSetConfigApp, vtxGetConfigApp and the
 * installation jobs (vtxInstallVciApp, vtxInstallVciApp2, vtxUninstallVciApp,
 * vtxUpdateSystemFirmware, vtxInstallGetStatus).
 */
class ModuleAppsTest extends RuntimeFixture {
    private static final String CMD_SET_CONFIG = "CTovikManagerIF::CmdSetConfigApp";
    private static final int UNKNOWN_APP = 0x20000105;
    private static final int NOT_INSTALLED = 0x20000106;
    private static final int UNKNOWN_JOB = 0x20000107;
    /** Any value: a handle that is not open addresses the first module (serial 200101). */
    private static final long TARGET = 65537;

    ModuleAppsTest() {
        super(RuntimeFixture::openWorkshop);
    }

    /** A status object holding values no call produces, to see whether a call touched it. */
    private static TovikAppStatus untouched() {
        TovikAppStatus status = new TovikAppStatus();
        status.setData(-99, -99, -99, -99, -99, -99, -99, "untouched");
        return status;
    }

    @Test
    void configurationValuesAreWrittenAndReadBackZeroExtendedWithTheirArgsLine() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxSetConfigApp(handle, 0x1_0000_0001L, 3, 0xFFFF_FFFFL, result);
        assertEquals(0, result.get());
        assertEquals(4294967295L, MANAGER.vtxGetConfigApp(handle, 1, 0x7_0000_0003L, again(result)));
        assertEquals(0, result.get());
        // The Args line is lower-case hex, only the first value padded.
        MANAGER.vtxSetConfigApp(handle, 0xABCDEF, 0, 0xFF, result);
        MANAGER.vtxSetConfigApp(handle, 10, 11, 12, result);

        assertEquals(List.of("ITovikManager.SetConfigApp(1, 3, 4294967295)", "ITovikManager.GetConfigApp(1, 3)",
                "ITovikManager.SetConfigApp(11259375, 0, 255)", "ITovikManager.SetConfigApp(10, 11, 12)"),
                journal("ITovikManager."));
        assertEquals(List.of("Args 01 3 ffffffff", "Args abcdef 0 ff", "Args 0a b c"),
                CapturingLogSink.messagesOf(CMD_SET_CONFIG));
        assertEquals(List.of("Set Config App", "Set Config App done"), log("vtxSetConfigApp").subList(0, 2));
        assertEquals(List.of("Get Config App", "Get Config App"), log("vtxGetConfigApp"));

        // A value the module lacks reads as 0 with the provider's code.
        assertEquals(500, MANAGER.vtxGetConfigApp(handle, 1, 1, result), "from the default scenario");
        assertEquals(0, MANAGER.vtxGetConfigApp(handle, 1, 99, result));
        assertEquals(0x20000103, result.get());
    }

    @Test
    void controlRequestsReachTheModuleApplication() {
        LongValue result = new LongValue(-1);
        MANAGER.vtxControlApp(handle, 0xF_0000_0000L, 1, 0x1_0000_0005L, result);
        assertEquals(0, result.get());
        MANAGER.vtxControlApp(handle, 0, 42, 1, result);
        assertEquals(NOT_INSTALLED, result.get());

        assertEquals(List.of("ITovikManager.ControlApp(0, 1, 5)", "ITovikManager.ControlApp(0, 42, 1)"),
                journal("ITovikManager."));
        assertEquals(List.of("Control App", "Control App done", "Control App", "Control App done"),
                log("vtxControlApp"));
        assertEquals(5, MANAGER.vtxGetAppsVci2(handle, 0, 0, 0, result)[0].getState(), "the new state shows");
    }

    @Test
    void anInstallJobIsPolledToCompletionCarryingItsJobValue() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp(handle, TARGET, "Flash Loader", status, result);
        assertEquals(0, result.get());
        assertFields(status, "job", 257, "status", 1, "errorNumber", 0, "componentNumber", 0,
                "totalNumberOfComponents", 3, "componentTimeout", 30, "totalTimeout", 120,
                "componentName", "Flash Loader");

        for (int poll = 1; poll <= 3; poll++) {
            MANAGER.vtxInstallGetStatus(handle, TARGET, status.getJob(), status, again(result));
            assertEquals(0, result.get());
            assertFields(status, "job", 257, "componentNumber", poll, "status", poll == 3 ? 2 : 1);
        }
        assertTrue(Arrays.stream(VirtualProvider.installedApps(200101)).anyMatch(app -> app == 2),
                "the job took effect on the module");

        String poll = "ITovikManager.InstallGetStatus(" + TARGET + ", 257)";
        assertEquals(List.of("ITovikManager.InstallVCIApp(" + TARGET + ", \"Flash Loader\")", poll, poll, poll),
                journal("ITovikManager."));
        assertEquals(List.of("Install VCI App", "App name is Flash Loader", "Install VCI App done"),
                log("vtxInstallVciApp"));
        assertEquals(List.of("App name is [Flash Loader]"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdInstallVCIApp"));
        assertEquals(List.of("Install Get Status App", "Install Get Status done"),
                log("vtxInstallGetStatus").subList(0, 2));
    }

    @Test
    void theStatusPollMasksTheTopFourBitsButEchoesTheWholeValueAndNumbersAreCutTo32Bits() {
        TovikAppStatus status = new TovikAppStatus();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp2(handle, 0x5_0000_0000L | TARGET, 0xFFFF_FFFF_0000_0003L, status, result);
        assertEquals(257, status.getJob());

        long job = 0x7_F000_0101L;  // bits above 32 and the top four of the low 32 set
        MANAGER.vtxInstallGetStatus(handle, TARGET, job, status, again(result));
        assertEquals(0, result.get());
        assertFields(status, "job", job, "componentNumber", 1);

        MANAGER.vtxInstallGetStatus(handle, TARGET, 0xF000_0001L, status, result);
        assertEquals(UNKNOWN_JOB, result.get(), "job 1 was never issued");
        assertEquals(job, status.getJob(), "no status: target untouched");
        MANAGER.vtxUpdateSystemFirmware(handle, 0xA_0000_0000L | TARGET, status, result);

        assertEquals(List.of("ITovikManager.InstallVCIApp_2(" + TARGET + ", 3)",
                "ITovikManager.InstallGetStatus(" + TARGET + ", 257)",
                "ITovikManager.InstallGetStatus(" + TARGET + ", 1)",
                "ITovikManager.UpdateSystemFirmware(" + TARGET + ")"), journal("ITovikManager."));
        assertEquals(List.of("Install VCI App2", "Install VCI App done"), log("vtxInstallVciApp2"));
    }

    @Test
    void uninstallAndFirmwareUpdateStartJobsOfTheirOwn() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxUninstallVciApp(handle, TARGET, "Diagnostics", status, result);
        assertEquals(0, result.get());
        assertFields(status, "job", 257, "componentName", "Diagnostics");

        TovikAppStatus firmware = untouched();
        MANAGER.vtxUpdateSystemFirmware(handle, TARGET, firmware, again(result));
        assertEquals(0, result.get());
        assertFields(firmware, "job", 258, "componentName", "System firmware", "status", 1);

        assertEquals(List.of("App name is [Diagnostics]"),
                CapturingLogSink.messagesOf("CTovikManagerIF::CmdUninstallVCIApp"));
        assertEquals(List.of("Uninstall VCI App", "Uninstall VCI App done"), log("vtxUninstallVciApp"));
        assertEquals(List.of("UpdateSystemFirmware", "UpdateSystemFirmware done"), log("vtxUpdateSystemFirmware"));
    }

    @Test
    void appNamesGoOutInTheAnsiCodePageAndNullAsANullString() {
        TovikAppStatus status = untouched();
        LongValue result = new LongValue(-1);
        MANAGER.vtxInstallVciApp(handle, TARGET, null, status, result);
        assertEquals(UNKNOWN_APP, result.get());
        MANAGER.vtxUninstallVciApp(handle, TARGET, null, status, result);
        assertEquals(NOT_INSTALLED, result.get());
        assertFields(status, "job", -99, "componentName", "untouched");
        MANAGER.vtxInstallVciApp(handle, TARGET, "Gr\u00fc\u00dfe \u2713", status, result);

        assertEquals(List.of("ITovikManager.InstallVCIApp(" + TARGET + ", null)",
                "ITovikManager.UninstallVCIApp(" + TARGET + ", null)",
                "ITovikManager.InstallVCIApp(" + TARGET + ", \"Gr\u00fc\u00dfe ?\")"), journal("ITovikManager."));
        assertEquals(List.of("Install VCI App", "App name is ", "Install VCI App done"),
                log("vtxInstallVciApp").subList(0, 3));
        assertEquals("App name is []", CapturingLogSink.messagesOf("CTovikManagerIF::CmdInstallVCIApp").get(0));
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
        assertFields(status, "job", 4294967280L, "status", 4294967295L, "totalNumberOfComponents", 4294967294L,
                "componentTimeout", 2147483648L, "totalTimeout", 4294967295L, "componentName", "");

        // The job value goes back masked: 0xFFFFFFF0 & 0x0FFFFFFF.
        MANAGER.vtxInstallGetStatus(handle, 1, status.getJob(), status, result);
        assertEquals(List.of("ITovikManager.InstallGetStatus(1, 268435440)"),
                journal("ITovikManager.InstallGetStatus"));
        assertEquals(UNKNOWN_JOB, result.get());
    }
}
