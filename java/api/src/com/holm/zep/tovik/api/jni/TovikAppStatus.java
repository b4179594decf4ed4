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

    public TovikAppStatus() {
    }

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

    public long getJob() {
        return job;
    }

    public long getStatus() {
        return status;
    }

    public int getErrorNumber() {
        return errorNumber;
    }

    public long getComponentNumber() {
        return componentNumber;
    }

    public long getTotalNumberOfComponents() {
        return totalNumberOfComponents;
    }

    public long getComponentTimeout() {
        return componentTimeout;
    }

    public long getTotalTimeout() {
        return totalTimeout;
    }

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
