package com.holm.zep.tovik.api.jni;

/**
 * State of an installation job: filled by {@code vtxInstallVciApp}, {@code vtxInstallVciApp2},
 * {@code vtxUninstallVciApp}, {@code vtxUpdateSystemFirmware} and {@code vtxInstallGetStatus}.
 * The job value identifies the job for later {@code vtxInstallGetStatus} calls.
 */
public class TovikAppStatus {
    private long job;
    private long status;
    private int errorNumber;
    private long componentNumber;
    private long totalNumberOfComponents;
    private long componentTimeout;
    private long totalTimeout;
    private String componentName;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikAppStatus() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param job the job number, which {@code vtxInstallGetStatus} takes
     * @param status the job's status
     * @param errorNumber the error number the module reported
     * @param componentNumber the component being installed
     * @param totalNumberOfComponents the number of components of the job
     * @param componentTimeout the time-out of one component
     * @param totalTimeout the time-out of the whole job
     * @param componentName the name of the component being installed
     */
    public void setData(long job, long status, int errorNumber, long componentNumber,
            long totalNumberOfComponents, long componentTimeout, long totalTimeout,
            String componentName) {
        this.job = job;
        this.status = status;
        this.errorNumber = errorNumber;
        this.componentNumber = componentNumber;
        this.totalNumberOfComponents = totalNumberOfComponents;
        this.componentTimeout = componentTimeout;
        this.totalTimeout = totalTimeout;
        this.componentName = componentName;
    }

    /** @return the job number, which {@code vtxInstallGetStatus} takes */
    public long getJob() {
        return job;
    }

    /** @return the job's status */
    public long getStatus() {
        return status;
    }

    /** @return the error number the module reported */
    public int getErrorNumber() {
        return errorNumber;
    }

    /** @return the component being installed */
    public long getComponentNumber() {
        return componentNumber;
    }

    /** @return the number of components of the job */
    public long getTotalNumberOfComponents() {
        return totalNumberOfComponents;
    }

    /** @return the time-out of one component */
    public long getComponentTimeout() {
        return componentTimeout;
    }

    /** @return the time-out of the whole job */
    public long getTotalTimeout() {
        return totalTimeout;
    }

    /** @return the name of the component being installed */
    public String getComponentName() {
        return componentName;
    }

    @Override
    public String toString() {
        return "TovikAppStatus[job=" + job + ", status=" + status + ", errorNumber=" + errorNumber
                + ", componentNumber=" + componentNumber + ", totalNumberOfComponents="
                + totalNumberOfComponents + ", componentTimeout=" + componentTimeout
                + ", totalTimeout=" + totalTimeout + ", componentName=" + componentName + "]";
    }
}
