package com.holm.zep.tovik.api.jni;

/**
 * Default sink for the native library's diagnostic trace.
 *
 * <p>Name it with {@code vtxSetLogClass("com/holm/zep/tovik/api/jni/TovikLog", "log")}; every
 * line then goes to the {@link System.Logger} named {@value #LOGGER_NAME} at level DEBUG.
 */
public final class TovikLog {
    /** Name of the {@link System.Logger} that receives the lines. */
    public static final String LOGGER_NAME = "com.holm.zep.tovik";

    private static final System.Logger LOGGER = System.getLogger(LOGGER_NAME);

    private TovikLog() {
    }

    /**
     * Receives one complete trace line from the native library.
     *
     * @param line the line, without line end
     */
    public static void log(String line) {
        LOGGER.log(System.Logger.Level.DEBUG, line);
    }
}
