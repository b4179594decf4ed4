package com.holm.zep.tovik.api.jni;

/** One application on a module with version and date as texts, from {@code vtxGetAppsVci2}. */
public class TovikAppVciItem2 {
    private long app;
    private String appName;
    private String appVersionStr;
    private String branchName;
    private String appDateStr;
    private long state;

    public TovikAppVciItem2() {
    }

    public void setData(long app, String appName, String appVersionStr, String branchName,
            String appDateStr, long state) {
        this.app = app;
        this.appName = appName;
        this.appVersionStr = appVersionStr;
        this.branchName = branchName;
        this.appDateStr = appDateStr;
        this.state = state;
    }

    public long getApp() {
        return app;
    }

    public String getAppName() {
        return appName;
    }

    public String getAppVersionStr() {
        return appVersionStr;
    }

    public String getBranchName() {
        return branchName;
    }

    public String getAppDateStr() {
        return appDateStr;
    }

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
