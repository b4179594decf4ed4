package com.holm.zep.tovik.api.jni;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.Test;

/**
 * A process whose main returns while the library's command thread is attached to the virtual
 * machine must still end: native threads are attached as daemon threads.
 */
class DaemonAttachProcessTest {
    @Test
    void theProcessEndsWhenMainReturns() throws IOException, InterruptedException {
        ChildJvm.Outcome child = ChildJvm.run(LoggingMain.class);
        String text = child.output();
        assertTrue(child.ended(), "the child did not end by itself:\n" + text);
        assertEquals(0, child.exitValue(), text);

        Matcher m = Pattern.compile("handle=1 result=0 commandThreadLines=([0-9]+)").matcher(text);
        assertTrue(m.find(), text);
        assertTrue(Integer.parseInt(m.group(1)) > 0, "command thread lines were delivered: " + text);
        assertFalse(text.contains("WARNING"), text);
        assertFalse(text.contains("FATAL ERROR"), text);
    }
}
