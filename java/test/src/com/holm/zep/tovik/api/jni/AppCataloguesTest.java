package com.holm.zep.tovik.api.jni;

import static com.holm.zep.tovik.api.jni.BridgeTestSupport.MANAGER;
import static com.holm.zep.tovik.api.jni.BridgeTestSupport.PREFIX;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;

import com.holm.zep.tovik.api.jni.BridgeTestSupport.Sim;
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

    AppCataloguesTest() {
        super(() -> SCENARIO);
    }

    @Test
    void firstPcGenerationCopiesNameVersionAndDateZeroExtended() {
        LongValue result = new LongValue(-1);
        TovikAppPcItem[] items = MANAGER.vtxGetAppsPc(handle, result);

        assertEquals(0, result.get());
        assertEquals(3, items.length);
        assertEquals("Caf\u00e9 \u20ac", items[0].getAppName());
        assertEquals(4294967295L, items[0].getAppVersion());
        assertEquals(2147483648L, items[0].getAppDate());
        assertEquals("", items[1].getAppName(), "an empty name is an empty string, never null");
        assertEquals("Third", items[2].getAppName());
        // This generation fills only the first three fields.
        assertEquals(0, items[0].getModuleType());
        assertNull(items[0].getAppVersionStr());

        assertEquals(List.of("ITovikManager.GetAppsPC()"), Sim.journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-PC", "Number of client items 3", "Getting APPS-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsPc"));
    }

    @Test
    void secondPcGenerationAddsModuleTypeAndApp() {
        LongValue result = new LongValue(-1);
        TovikAppPcItem[] items = MANAGER.vtxGetAppsPc2(handle, result);

        assertEquals(0, result.get());
        assertEquals(3, items.length);
        assertEquals("Caf\u00e9 \u20ac", items[0].getAppName());
        assertEquals(4294967295L, items[0].getAppVersion());
        assertEquals(2147483648L, items[0].getAppDate());
        assertEquals(2147483649L, items[0].getModuleType());
        assertEquals(4294967295L, items[0].getApp());
        assertEquals(7, items[1].getApp());
        assertNull(items[0].getAppVersionStr());

        assertEquals(List.of("ITovikManager.GetAppsPC_2()"), Sim.journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-PC_2", "Number of client items 3", "Getting APPS_2-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsPc2"));
    }

    @Test
    void thirdPcGenerationCarriesTheTextsInsteadOfVersionAndDate() {
        LongValue result = new LongValue(-1);
        TovikAppPcItem[] items = MANAGER.vtxGetAppsPc3(handle, result);

        assertEquals(0, result.get());
        assertEquals(3, items.length);
        assertEquals("Caf\u00e9 \u20ac", items[0].getAppName());
        assertEquals("1.2.3", items[0].getAppVersionStr());
        assertEquals("r\u00e9lease", items[0].getBranchName());
        assertEquals("2024-01-15", items[0].getAppDateStr());
        assertEquals(2147483649L, items[0].getModuleType());
        assertEquals(4294967295L, items[0].getApp());
        assertEquals(0, items[0].getAppVersion(), "not part of this generation");
        for (int i = 1; i < 3; i++) {
            assertEquals("", items[i].getAppVersionStr());
            assertEquals("", items[i].getBranchName());
            assertEquals("", items[i].getAppDateStr());
        }

        assertEquals(List.of("ITovikManager.GetAppsPC_3()"), Sim.journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-PC_3", "Number of client items 3", "Getting APPS_3-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsPc3"));
    }

    @Test
    void moduleCatalogueCutsTimesRemainingToAnIntAndZeroExtendsTheRest() {
        LongValue result = new LongValue(-1);
        TovikAppVciItem[] items = MANAGER.vtxGetAppsVci(handle, 0x1_0000_0005L, 0x2_0000_0000L, -1L, result);

        assertEquals(0, result.get());
        assertEquals(2, items.length);
        TovikAppVciItem first = items[0];
        assertEquals(4294967295L, first.getApp());
        assertEquals("Diagnostics", first.getAppName());
        assertEquals(2147483648L, first.getAppVersion());
        assertEquals(20240115L, first.getAppDate());
        assertEquals(4294967294L, first.getState());
        assertEquals("DIAG-\u00c4", first.getLicense());
        assertEquals(2147483647L, first.getLicenseState());
        assertEquals(4294967295L, first.getDaysRemaining(), "a long field: zero-extended");
        assertEquals(-1, first.getTimesRemaining(), "an int field: the low 32 bits");
        assertEquals("", items[1].getAppName());
        assertEquals("", items[1].getLicense());
        assertEquals(Integer.MAX_VALUE, items[1].getTimesRemaining());

        // Selector values reach the provider cut to their low 32 bits.
        assertEquals(List.of("ITovikManager.GetAppsVCI(5, 0, 4294967295)"), Sim.journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-VCI", "Getting APPS-VCI-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsVci"));
    }

    @Test
    void secondModuleGenerationCarriesTheTexts() {
        LongValue result = new LongValue(-1);
        TovikAppVciItem2[] items = MANAGER.vtxGetAppsVci2(handle, 7, 8, 0xFFFF_FFFF_0000_0009L, result);

        assertEquals(0, result.get());
        assertEquals(2, items.length);
        assertEquals(4294967295L, items[0].getApp());
        assertEquals("Diagnostics", items[0].getAppName());
        assertEquals("3.0.0", items[0].getAppVersionStr());
        assertEquals("release/3.0", items[0].getBranchName());
        assertEquals("2024-01-15", items[0].getAppDateStr());
        assertEquals(4294967294L, items[0].getState());
        assertEquals(9, items[1].getApp());
        assertEquals("", items[1].getAppVersionStr());

        assertEquals(List.of("ITovikManager.GetAppsVCI_2(7, 8, 9)"), Sim.journal("ITovikManager."));
        assertEquals(List.of("Getting APPS-VCI2", "Getting APPS-VCI2-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsVci2"));
    }

    @Test
    void anEmptyListGivesAnEmptyArrayAndAnAbsentListNull() {
        // The second module has no applications.
        VirtualProvider.loadScenario("""
                { "connections": { "requireConnection": false }, "modules": [ { "serial": 5 } ] }
                """);
        LongValue result = new LongValue(-1);
        TovikAppVciItem[] empty = MANAGER.vtxGetAppsVci(handle, 1, 0, 0, result);
        assertNotNull(empty);
        assertEquals(0, empty.length);
        assertEquals(0, result.get());
        TovikAppPcItem[] emptyPc = MANAGER.vtxGetAppsPc3(handle, result);
        assertEquals(0, emptyPc.length);
        assertEquals(List.of("Getting APPS-PC_3", "Number of client items 0", "Getting APPS_3-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsPc3"));

        // No list at all: null with the provider's result.
        VirtualProvider.withholdOutput("ITovikManager.GetAppsPC_2");
        Sim.setResult("ITovikManager.GetAppsPC_2", 0x20000001);
        assertNull(MANAGER.vtxGetAppsPc2(handle, result));
        assertEquals(0x20000001, result.get());

        // The provider refuses (no module on that handle): null and its code.
        VirtualProvider.loadScenario("{ \"modules\": [] }");
        assertNull(MANAGER.vtxGetAppsVci2(handle, 1, 0, 0, result));
        assertEquals(0x20000102, result.get());
    }

    @Test
    void missingItemsAreSkippedLeavingADenseArray() {
        VirtualProvider.setMissingItem("ITovikAppPcItemList", 1);
        LongValue result = new LongValue(-1);
        TovikAppPcItem[] items = MANAGER.vtxGetAppsPc2(handle, result);
        assertEquals(0, result.get());
        assertEquals(List.of("Caf\u00e9 \u20ac", "Third"),
                Arrays.stream(items).map(TovikAppPcItem::getAppName).toList());
        assertEquals(List.of("Getting APPS-PC_2", "Number of client items 3", "Getting APPS_2-DONE"),
                CapturingLogSink.messagesOf(PREFIX + "vtxGetAppsPc2"));

        VirtualProvider.setMissingItem("ITovikAppVciItemList", 0);
        TovikAppVciItem2[] vciItems = MANAGER.vtxGetAppsVci2(handle, 1, 0, 0, result);
        assertArrayEquals(new long[] {9}, Arrays.stream(vciItems).mapToLong(TovikAppVciItem2::getApp).toArray());

        // Every entry missing: an empty array, not null.
        VirtualProvider.setMissingItem("ITovikAppVciItemList", 1);
        assertEquals(0, MANAGER.vtxGetAppsVci(handle, 1, 0, 0, result).length);
    }

    @Test
    void eachItemIsReadOnceAndEveryProviderObjectIsGivenBack() {
        long liveBefore = VirtualProvider.liveObjects();
        MANAGER.vtxGetAppsPc(handle, new LongValue());
        // One Count, one Item per entry, three getters per item.
        assertEquals(List.of("ITovikAppPcItemList.Count()", "ITovikAppPcItemList.Item(0)",
                "ITovikAppPcItemList.Item(1)", "ITovikAppPcItemList.Item(2)"),
                Sim.journal("ITovikAppPcItemList."));
        assertEquals(Sim.sequence(List.of("ITovikManager.GetAppsPC", "ITovikAppPcItemList.Count"),
                Sim.times(3, "ITovikAppPcItemList.Item", "ITovikAppPcItem.AppName", "ITovikAppPcItem.AppVersion",
                        "ITovikAppPcItem.AppDate")), Sim.calls(""));
        // The list and item objects are gone once the call returns.
        assertEquals(liveBefore, VirtualProvider.liveObjects());
        MANAGER.vtxGetAppsVci2(handle, 1, 0, 0, new LongValue());
        assertEquals(liveBefore, VirtualProvider.liveObjects());
    }

    @Test
    void anExceptionThrownWhileTheListIsOpenStopsTheWalkWithoutLeaking() {
        // The count line comes after the list was handed out: the method stops there, and the
        // list wrapper is deleted on the way out (checked by LeakCheck after the test).
        MANAGER.vtxSetLogClass(FailingSink.CLASS_NAME, "log");
        FailingSink.failOn("Number of client items");
        LongValue result = new LongValue(-1);
        IllegalStateException thrown = assertThrows(IllegalStateException.class,
                () -> MANAGER.vtxGetAppsPc3(handle, result));
        assertEquals("sink down", thrown.getMessage());
        assertEquals(-1, result.get(), "the LongValue is not set after an abort");
        assertEquals(List.of("ITovikAppPcItemList.Count()"), Sim.journal("ITovikAppPcItemList."));
        assertEquals(List.of(), Sim.journal("ITovikAppPcItem."), "no item was read");

        // The next call on the same thread works normally.
        FailingSink.failOn(null);
        assertEquals(3, MANAGER.vtxGetAppsPc3(handle, result).length);
        assertEquals(0, result.get());
    }

    /** A log method that throws on the first line containing a given text. */
    public static final class FailingSink {
        static final String CLASS_NAME = "com/holm/zep/tovik/api/jni/AppCataloguesTest$FailingSink";
        private static volatile String trigger;

        private FailingSink() {
        }

        static void failOn(String text) {
            trigger = text;
        }

        public static void log(String line) {
            String text = trigger;
            if (text != null && line.contains(text)) {
                trigger = null;
                throw new IllegalStateException("sink down");
            }
        }
    }
}
