package com.holm.zep.tovik.client;

/**
 * State of an installation job (install, uninstall, firmware update), from the operations of
 * {@link Connection} that start a job and from {@link Connection#installStatus(long)}.
 *
 * <p>The error number is the module's information about the job, not a failure of the call:
 * a call that the provider accepted returns its status, whatever the job's state.
 *
 * @param job the job's number, for {@link Connection#installStatus(long)}
 * @param status the job's status: {@value #RUNNING} running, {@value #DONE} finished, as the
 *     provider reports it
 * @param errorNumber the module's error number for the job, 0 when none
 * @param componentNumber the component being installed
 * @param totalNumberOfComponents how many components the job has
 * @param componentTimeout the time-out of the current component
 * @param totalTimeout the time-out of the whole job
 * @param componentName the current component's name
 */
public record InstallStatus(long job, long status, int errorNumber, long componentNumber,
        long totalNumberOfComponents, long componentTimeout, long totalTimeout,
        String componentName) {
    /** Status of a job still running. */
    public static final long RUNNING = 1;
    /** Status of a finished job. */
    public static final long DONE = 2;

    /** {@return whether the job has finished} */
    public boolean done() {
        return status == DONE;
    }
}
