package com.holm.zep.tovik.api.jni;

/**
 * One application available on the PC. {@code vtxGetAppsPc} fills name, version and date,
 * {@code vtxGetAppsPc2} adds module type and application number, {@code vtxGetAppsPc3} gives
 * version and date as texts together with the branch name; fields a form does not carry keep
 * their defaults.
 */
public class TovikAppPcItem {
    private String appName;
    private long appVersion;
    private long appDate;
    private long moduleType;
    private long app;
    private String appVersionStr;
    private String branchName;
    private String appDateStr;

    public TovikAppPcItem() {
    }

    public void setData(String appName, long appVersion, long appDate) {
        this.appName = appName;
        this.appVersion = appVersion;
        this.appDate = appDate;
    }

    public void setData(String appName, long appVersion, long appDate, long moduleType,
            long app) {
        this.appName = appName;
        this.appVersion = appVersion;
        this.appDate = appDate;
        this.moduleType = moduleType;
        this.app = app;
    }

    public void setData(String appName, String appVersionStr, String branchName,
            String appDateStr, long moduleType, long app) {
        this.appName = appName;
        this.appVersionStr = appVersionStr;
        this.branchName = branchName;
        this.appDateStr = appDateStr;
        this.moduleType = moduleType;
        this.app = app;
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

    public long getModuleType() {
        return moduleType;
    }

    public long getApp() {
        return app;
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

    @Override
    public String toString() {
        return "TovikAppPcItem[appName=" + appName + ", appVersion=" + appVersion + ", appDate="
                + appDate + ", moduleType=" + moduleType + ", app=" + app + ", appVersionStr="
                + appVersionStr + ", branchName=" + branchName + ", appDateStr=" + appDateStr
                + "]";
    }
}
