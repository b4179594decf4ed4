import com.holm.zep.tovik.api.jni.LongValue;
import com.holm.zep.tovik.api.jni.TovikApiManager;
import com.holm.zep.tovik.api.jni.TovikEvent;
import com.holm.zep.tovik.api.jni.TovikEventQueue;
import com.holm.zep.tovik.api.jni.TovikVciItem;
import com.holm.zep.tovik.sim.VirtualProvider;

/**
 * The library from Java: start a runtime, list the modules, wait for a module event, shut down.
 * Runs against the virtual provider; only the jars are needed, they carry their natives:
 *
 * <pre>
 * javac -cp tovik-api-0.1.0.jar:tovik-sim-0.1.0.jar -d classes TovikExample.java
 * java -cp tovik-api-0.1.0.jar:tovik-sim-0.1.0.jar:classes TovikExample
 * </pre>
 */
public final class TovikExample {
    public static void main(String[] args) {
        // The provider registers itself when it is loaded: before the first runtime starts.
        VirtualProvider.reset();
        TovikApiManager.loadLibrary();

        TovikApiManager api = new TovikApiManager();
        LongValue result = new LongValue();
        long manager = api.vtxInitializeRuntime("TovikExample", "", false, result);
        if (manager == TovikApiManager.INVALID_HANDLE) {
            throw new IllegalStateException("no runtime: result 0x" + Long.toHexString(result.get()));
        }
        try {
            for (TovikVciItem module : api.vtxGetModuleIds(manager, result)) {
                System.out.println("module " + module.getSerialNumber() + " " + module.getModuleName());
            }
            System.out.println("modules: result " + result.get());

            api.vtxRegisterForEvents(manager, 0, 0, result);
            System.out.println("register for events: result " + result.get());
            // A module reports events by itself; the virtual provider is told to post one.
            VirtualProvider.postEvent(1, 200101, 0);
            // Blocks until the provider's wait ends (vtxCancelEventNotification from another
            // thread ends it too), then hands over every pending event.
            TovikEventQueue queue = new TovikEventQueue();
            api.vtxWaitForEvents(manager, queue);
            for (TovikEvent event : queue.getEvents()) {
                System.out.println("event " + event.getFirst() + " " + event.getSecond() + " " + event.getThird());
            }
            api.vtxCancelEventNotification(manager, result);
        } finally {
            api.vtxShutdownRuntime(manager);
        }
        System.out.println("done");
    }
}
