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

    /** An empty value with every field at its default; the native library fills it. */
    public TovikAppVciItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param app the application number
     * @param appName the application's name
     * @param appVersion the application's version number
     * @param appDate the application's date, as a number
     * @param state the application's state on the module
     * @param license the application's license
     * @param licenseState the state of the license
     * @param daysRemaining the days the license has left
     * @param timesRemaining the uses the license has left
     */
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

    /** @return the application number */
    public long getApp() {
        return app;
    }

    /** @return the application's name */
    public String getAppName() {
        return appName;
    }

    /** @return the application's version number */
    public long getAppVersion() {
        return appVersion;
    }

    /** @return the application's date, as a number */
    public long getAppDate() {
        return appDate;
    }

    /** @return the application's state on the module */
    public long getState() {
        return state;
    }

    /** @return the application's license */
    public String getLicense() {
        return license;
    }

    /** @return the state of the license */
    public long getLicenseState() {
        return licenseState;
    }

    /** @return the days the license has left */
    public long getDaysRemaining() {
        return daysRemaining;
    }

    /**
     * The low 32 bits of the module's count; counts of 2^31 and above read negative.
     *
     * @return the uses the license has left
     */
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
