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

    /** An empty value with every field at its default; the native library fills it. */
    public TovikAppPcItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param appName the application's name
     * @param appVersion the application's version number
     * @param appDate the application's date, as a number
     */
    public void setData(String appName, long appVersion, long appDate) {
        this.appName = appName;
        this.appVersion = appVersion;
        this.appDate = appDate;
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param appName the application's name
     * @param appVersion the application's version number
     * @param appDate the application's date, as a number
     * @param moduleType the module type
     * @param app the application number
     */
    public void setData(String appName, long appVersion, long appDate, long moduleType,
            long app) {
        this.appName = appName;
        this.appVersion = appVersion;
        this.appDate = appDate;
        this.moduleType = moduleType;
        this.app = app;
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param appName the application's name
     * @param appVersionStr the application's version as text
     * @param branchName the name of the branch it was built from
     * @param appDateStr the application's date as text
     * @param moduleType the module type
     * @param app the application number
     */
    public void setData(String appName, String appVersionStr, String branchName,
            String appDateStr, long moduleType, long app) {
        this.appName = appName;
        this.appVersionStr = appVersionStr;
        this.branchName = branchName;
        this.appDateStr = appDateStr;
        this.moduleType = moduleType;
        this.app = app;
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

    /** @return the module type */
    public long getModuleType() {
        return moduleType;
    }

    /** @return the application number */
    public long getApp() {
        return app;
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

    @Override
    public String toString() {
        return "TovikAppPcItem[appName=" + appName + ", appVersion=" + appVersion + ", appDate="
                + appDate + ", moduleType=" + moduleType + ", app=" + app + ", appVersionStr="
                + appVersionStr + ", branchName=" + branchName + ", appDateStr=" + appDateStr
                + "]";
    }
}
