package com.holm.zep.tovik.tool;

import java.util.concurrent.Callable;
import picocli.CommandLine.Command;

/** The virtual provider's default scenario, as a starting point for --scenario files. */
@Command(name = "scenario",
        description = "Print the virtual provider's built-in scenario (JSON), "
        + "a starting point for a file given with --scenario.")
final class ScenarioCommand implements Callable<Integer> {
    @Override
    public Integer call() {
        System.out.println(Provider.defaultScenario());
        return 0;
    }
}
