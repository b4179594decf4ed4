// The Java client API against the virtual provider: open a runtime, list the modules, read the
// versions through a connection, wait for an event, close.
//
//   javac -cp tovik-client.jar:tovik-api.jar:tovik-sim.jar -d out ClientExample.java
//   java -cp out:tovik-client.jar:tovik-api.jar:tovik-sim.jar -Djava.library.path=lib ClientExample
//
// With a real provider, leave out tovik-sim.jar and the two VirtualProvider lines.

import com.holm.zep.tovik.client.Connection;
import com.holm.zep.tovik.client.Module;
import com.holm.zep.tovik.client.ModuleEvent;
import com.holm.zep.tovik.client.TovikException;
import com.holm.zep.tovik.client.TovikRuntime;
import com.holm.zep.tovik.client.Version;
import com.holm.zep.tovik.client.Versions;
import com.holm.zep.tovik.sim.VirtualProvider;
import java.time.Duration;
import java.util.List;
import java.util.Optional;

public final class ClientExample {
    private ClientExample() {
    }

    public static void main(String[] args) throws InterruptedException {
        VirtualProvider.reset();  // loads the virtual provider before the first runtime

        try (TovikRuntime runtime = TovikRuntime.open()) {
            List<Module> modules = runtime.modules();
            System.out.println("modules: " + modules.size());
            for (Module m : modules) {
                System.out.println("  " + m.serialNumber() + " " + m.name());
            }

            try (Connection connection = runtime.connect(modules.get(0).serialNumber(), 0,
                    "example")) {
                Versions versions = connection.versions(Versions.Form.TEXTS);
                for (Version v : versions.server()) {
                    System.out.println("server " + v.name() + " " + v.versionText());
                }
                for (Version v : versions.client()) {
                    System.out.println("client " + v.name() + " " + v.versionText());
                }
            }

            runtime.registerForEvents(TovikRuntime.ALL_EVENTS, 0);
            VirtualProvider.postEvent(1, 200101, 7);
            Optional<ModuleEvent> event = runtime.poll(Duration.ofSeconds(10));
            System.out.println("event: " + event.map(ModuleEvent::toString).orElse("none"));

            try {
                runtime.moduleInfo(4711);
            } catch (TovikException e) {
                System.out.println("refused: " + e.codeName() + " (" + e.meaning() + ")");
            }
        }
        System.out.println("closed");
    }
}
