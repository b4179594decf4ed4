package com.holm.zep.tovik.tool;

import com.holm.zep.tovik.sim.VirtualProvider;
import java.nio.file.Path;

/**
 * The provider the tool runs against. With the virtual provider's jar on the class path (the
 * default), loading {@link VirtualProvider} loads libTovikProviderSim, which registers the
 * provider's classes before the library creates its first runtime; a scenario file replaces the
 * default workshop. Without it the tool uses whatever provider the COM runtime offers.
 */
final class Provider {
    private static Boolean virtual;

    private Provider() {
    }

    /** Loads the virtual provider (when present) and the scenario (when given). */
    static synchronized void load(Path scenario) {
        if (virtual == null) {
            try {
                Class.forName("com.holm.zep.tovik.sim.VirtualProvider", true,
                        Provider.class.getClassLoader());
                virtual = true;
            } catch (ClassNotFoundException | NoClassDefFoundError e) {
                virtual = false;
            } catch (UnsatisfiedLinkError | ExceptionInInitializerError e) {
                throw ToolException.unavailable("load virtual provider",
                        "libTovikProviderSim could not be loaded (" + e.getMessage() + ")");
            }
        }
        if (scenario == null) {
            return;
        }
        if (!virtual) {
            throw ToolException.unavailable("load scenario " + scenario,
                    "the virtual provider is not on the class path");
        }
        // The file itself was checked with the other arguments (ToolCommand.requireFile): what
        // fails here is its content, which the virtual provider refuses.
        try {
            VirtualProvider.loadScenarioFile(scenario.toString());
        } catch (IllegalArgumentException e) {
            String problem = String.valueOf(e.getMessage());
            throw ToolException.failed("load scenario", problem.startsWith(scenario.toString())
                    ? problem : scenario + ": " + problem);
        } catch (UnsatisfiedLinkError e) {
            throw ToolException.missing("load scenario", "VirtualProvider.loadScenarioFile");
        }
    }

    static synchronized boolean isVirtual() {
        return virtual != null && virtual;
    }

    /** Queues an event in the virtual provider. */
    static void postEvent(long first, long second, long third) {
        if (!isVirtual()) {
            throw ToolException.unavailable("post event", "events can be raised only on the "
                    + "virtual provider");
        }
        VirtualProvider.postEvent(first, second, third);
    }

    /** The virtual provider's built-in scenario as JSON text. */
    static String defaultScenario() {
        load(null);
        if (!isVirtual()) {
            throw ToolException.unavailable("show scenario", "the virtual provider is not on "
                    + "the class path");
        }
        return VirtualProvider.defaultScenario();
    }
}
