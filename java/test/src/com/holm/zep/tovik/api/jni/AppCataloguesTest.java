package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.*;

import com.holm.zep.tovik.sim.VirtualProvider;
import com.holm.zep.tovik.test.CapturingLogSink;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;

/** vtxGetAppsPc, vtxGetAppsPc2, vtxGetAppsPc3, vtxGetAppsVci and vtxGetAppsVci2. */
class AppCataloguesTest extends RuntimeFixture {
    /**
     * Numbers at the edges of 32 bits, texts beyond ASCII (Windows-1252 holds them) and empty
     * texts. A handle that is not open addresses the first module.
     */
    private static final String SCENARIO = """
            {
              "connections": { "requireConnection": false },
              "appsPc": [
                { "name": "Caf\\u00e9 \\u20ac", "app": 4294967295, "version": 4294967295,
                  "date": 2147483648, "moduleType": 2147483649,
                  "versionText": "1.2.3", "branch": "r\\u00e9lease", "dateText": "2024-01-15" },
                { "name": "", "app": 7, "version": 0, "date": 1, "moduleType": 0,
                  "versionText": "", "branch": "", "dateText": "" },
                { "name": "Third", "app": 3, "version": 3, "date": 3, "moduleType": 3 }
              ],
              "modules": [
                { "serial": 200101,
                  "apps": [
                    { "app": 4294967295, "name": "Diagnostics", "version": 2147483648,
                      "date": 20240115, "state": 4294967294, "license": "DIAG-\\u00c4",
                      "licenseState": 2147483647, "daysRemaining": 4294967295,
                      "timesRemaining": 4294967295, "versionText": "3.0.0",
                      "branch": "release/3.0", "dateText": "2024-01-15" },
                    { "app": 9, "name": "", "license": "", "timesRemaining": 2147483647 }
                  ] },
                { "serial": 200102 }
              ]
            }
            """;
    private static final String CAFE = "Caf\u00e9 \u20ac";

    AppCataloguesTest() {
        super(() -> SCENARIO);
    }

    /**
     * The three PC generations fill different fields of the same class: the first name, version
     * and date; the second adds module type and application; the third has the texts instead of
     * version and date. Fields a generation does not fill keep their defaults.
     */
    @Test
    void eachPcGenerationFillsItsOwnFields() {
        LongValue result = new LongValue(-1);
        TovikAppPcItem[] first = MANAGER.vtxGetAppsPc(handle, result);
        assertEquals(0, result.get());
        assertFields(first[0], "appName", CAFE, "appVersion", 4294967295L, "appDate", 2147483648L, "moduleType", 0,
                "app", 0, "appVersionStr", null);
        assertEquals(List.of("", "Third"), List.of(first[1].getAppName(), first[2].getAppName()),
                "an empty name is an empty string, never null");

        TovikAppPcItem[] second = MANAGER.vtxGetAppsPc2(handle, again(result));
        assertEquals(0, result.get());
        assertFields(second[0], "appName", CAFE, "appVersion", 4294967295L, "appDate", 2147483648L,
                "moduleType", 2147483649L, "app", 4294967295L, "appVersionStr", null);
        assertEquals(7, second[1].getApp());

        TovikAppPcItem[] third = MANAGER.vtxGetAppsPc3(handle, again(result));
        assertEquals(0, result.get());
        assertFields(third[0], "appName", CAFE, "appVersionStr", "1.2.3", "branchName", "r\u00e9lease",
                "appDateStr", "2024-01-15", "moduleType", 2147483649L, "app", 4294967295L, "appVersion", 0);
        for (TovikAppPcItem item : Arrays.copyOfRange(third, 1, 3)) {
            assertFields(item, "appVersionStr", "", "branchName", "", "appDateStr", "");
        }

        assertEquals(List.of("ITovikManager.GetAppsPC()", "ITovikManager.GetAppsPC_2()", "ITovikManager.GetAppsPC_3()"),
                journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-PC", "Number of client items 3", "Getting APPS-DONE"), log("vtxGetAppsPc"));
        assertEquals(List.of("Getting APPS-PC_2", "Number of client items 3", "Getting APPS_2-DONE"),
                log("vtxGetAppsPc2"));
        assertEquals(List.of("Getting APPS-PC_3", "Number of client items 3", "Getting APPS_3-DONE"),
                log("vtxGetAppsPc3"));
    }

    @Test
    void moduleCataloguesCutTimesRemainingToAnIntAndZeroExtendTheRest() {
        LongValue result = new LongValue(-1);
        TovikAppVciItem[] items = MANAGER.vtxGetAppsVci(handle, 0x1_0000_0005L, 0x2_0000_0000L, -1L, result);
        assertEquals(0, result.get());
        assertEquals(2, items.length);
        // daysRemaining is a long field (zero-extended), timesRemaining an int (the low 32 bits).
        assertFields(items[0], "app", 4294967295L, "appName", "Diagnostics", "appVersion", 2147483648L,
                "appDate", 20240115, "state", 4294967294L, "license", "DIAG-\u00c4", "licenseState", 2147483647,
                "daysRemaining", 4294967295L, "timesRemaining", -1);
        assertFields(items[1], "appName", "", "license", "", "timesRemaining", Integer.MAX_VALUE);

        TovikAppVciItem2[] texts = MANAGER.vtxGetAppsVci2(handle, 7, 8, 0xFFFF_FFFF_0000_0009L, again(result));
        assertEquals(0, result.get());
        assertFields(texts[0], "app", 4294967295L, "appName", "Diagnostics", "appVersionStr", "3.0.0",
                "branchName", "release/3.0", "appDateStr", "2024-01-15", "state", 4294967294L);
        assertFields(texts[1], "app", 9, "appVersionStr", "");

        // Selector values reach the provider cut to their low 32 bits.
        assertEquals(List.of("ITovikManager.GetAppsVCI(5, 0, 4294967295)", "ITovikManager.GetAppsVCI_2(7, 8, 9)"),
                journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-VCI", "Getting APPS-VCI-DONE"), log("vtxGetAppsVci"));
        assertEquals(List.of("Getting APPS-VCI2", "Getting APPS-VCI2-DONE"), log("vtxGetAppsVci2"));
    }

    @Test
    void anEmptyListGivesAnEmptyArrayAndAnAbsentListNull() {
        VirtualProvider.loadScenario("""
                { "connections": { "requireConnection": false }, "modules": [ { "serial": 5 } ] }
                """);
        LongValue result = new LongValue(-1);
        assertEquals(0, MANAGER.vtxGetAppsVci(handle, 1, 0, 0, result).length);
        assertEquals(0, result.get());
        assertEquals(0, MANAGER.vtxGetAppsPc3(handle, again(result)).length);
        assertEquals(List.of("Getting APPS-PC_3", "Number of client items 0", "Getting APPS_3-DONE"),
                log("vtxGetAppsPc3"));

        VirtualProvider.withholdOutput("ITovikManager.GetAppsPC_2");
        VirtualProvider.setResult("ITovikManager.GetAppsPC_2", 0x20000001);
        assertNull(MANAGER.vtxGetAppsPc2(handle, result));
        assertEquals(0x20000001, result.get());

        VirtualProvider.loadScenario("{ \"modules\": [] }");  // the provider refuses: no module there
        assertNull(MANAGER.vtxGetAppsVci2(handle, 1, 0, 0, result));
        assertEquals(0x20000102, result.get());
    }

    @Test
    void missingItemsAreSkippedLeavingADenseArray() {
        VirtualProvider.setMissingItem("ITovikAppPcItemList", 1);
        LongValue result = new LongValue(-1);
        assertEquals(List.of(CAFE, "Third"),
                Arrays.stream(MANAGER.vtxGetAppsPc2(handle, result)).map(TovikAppPcItem::getAppName).toList());
        assertEquals(0, result.get());
        assertEquals(List.of("Getting APPS-PC_2", "Number of client items 3", "Getting APPS_2-DONE"),
                log("vtxGetAppsPc2"));

        VirtualProvider.setMissingItem("ITovikAppVciItemList", 0);
        assertEquals(List.of(9L),
                Arrays.stream(MANAGER.vtxGetAppsVci2(handle, 1, 0, 0, result)).map(TovikAppVciItem2::getApp).toList());
        VirtualProvider.setMissingItem("ITovikAppVciItemList", 1);
        assertEquals(0, MANAGER.vtxGetAppsVci(handle, 1, 0, 0, result).length, "every entry missing: empty");
    }

    /**
     * The count line comes after the list was handed out: a log method throwing there stops the
     * method, and the list wrapper is deleted on the way out (the leak check sees it).
     */
    @Test
    void anExceptionThrownWhileTheListIsOpenStopsTheWalkWithoutLeaking() {
        IllegalStateException failure = new IllegalStateException("sink down");
        CapturingLogSink.failOn("Number of client items", failure);
        LongValue result = new LongValue(-1);
        assertSame(failure, assertThrows(IllegalStateException.class, () -> MANAGER.vtxGetAppsPc3(handle, result)));
        assertEquals(-1, result.get(), "the LongValue is not set after an abort");
        assertEquals(List.of("ITovikAppPcItemList.Count()"), journal("ITovikAppPcItemList."));
        assertEquals(List.of(), journal("ITovikAppPcItem."), "no item was read");

        assertEquals(3, MANAGER.vtxGetAppsPc3(handle, result).length, "the next call works normally");
        assertEquals(0, result.get());
    }
}
