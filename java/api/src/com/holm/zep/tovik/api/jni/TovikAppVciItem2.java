package com.holm.zep.tovik.api.jni;

/** One application on a module with version and date as texts, from {@code vtxGetAppsVci2}. */
public class TovikAppVciItem2 {
    private long app;
    private String appName;
    private String appVersionStr;
    private String branchName;
    private String appDateStr;
    private long state;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikAppVciItem2() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param app the application number
     * @param appName the application's name
     * @param appVersionStr the application's version as text
     * @param branchName the name of the branch it was built from
     * @param appDateStr the application's date as text
     * @param state the application's state on the module
     */
    public void setData(long app, String appName, String appVersionStr, String branchName,
            String appDateStr, long state) {
        this.app = app;
        this.appName = appName;
        this.appVersionStr = appVersionStr;
        this.branchName = branchName;
        this.appDateStr = appDateStr;
        this.state = state;
    }

    /** @return the application number */
    public long getApp() {
        return app;
    }

    /** @return the application's name */
    public String getAppName() {
        return appName;
    }

    /** @return the application's version as text */
    public String getAppVersionStr() {
        return appVersionStr;
    }

    /** @return the name of the branch it was built from */
    public String getBranchName() {
        return branchName;
    }

    /** @return the application's date as text */
    public String getAppDateStr() {
        return appDateStr;
    }

    /** @return the application's state on the module */
    public long getState() {
        return state;
    }

    @Override
    public String toString() {
        return "TovikAppVciItem2[app=" + app + ", appName=" + appName + ", appVersionStr="
                + appVersionStr + ", branchName=" + branchName + ", appDateStr=" + appDateStr
                + ", state=" + state + "]";
    }
}
