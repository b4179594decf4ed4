package com.holm.zep.tovik.api.jni;

/** One application on a module, from {@code vtxGetAppsVci}. */
public class TovikAppVciItem {
    private long app;
    private String appName;
    private long appVersion;
    private long appDate;
    private long state;
    private String license;
    private long licenseState;
    private long daysRemaining;
    private int timesRemaining;

    public TovikAppVciItem() {
    }

    public void setData(long app, String appName, long appVersion, long appDate, long state,
            String license, long licenseState, long daysRemaining, int timesRemaining) {
        this.app = app;
        this.appName = appName;
        this.appVersion = appVersion;
        this.appDate = appDate;
        this.state = state;
        this.license = license;
        this.licenseState = licenseState;
        this.daysRemaining = daysRemaining;
        this.timesRemaining = timesRemaining;
    }

    public long getApp() {
        return app;
    }

    public String getAppName() {
        return appName;
    }

    public long getAppVersion() {
        return appVersion;
    }

    public long getAppDate() {
        return appDate;
    }

    public long getState() {
        return state;
    }

    public String getLicense() {
        return license;
    }

    public long getLicenseState() {
        return licenseState;
    }

    public long getDaysRemaining() {
        return daysRemaining;
    }

    /** The low 32 bits of the module's count; counts of 2^31 and above read negative. */
    public int getTimesRemaining() {
        return timesRemaining;
    }

    @Override
    public String toString() {
        return "TovikAppVciItem[app=" + app + ", appName=" + appName + ", appVersion="
                + appVersion + ", appDate=" + appDate + ", state=" + state + ", license="
                + license + ", licenseState=" + licenseState + ", daysRemaining=" + daysRemaining
                + ", timesRemaining=" + timesRemaining + "]";
    }
}
