package com.holm.zep.tovik.api.jni;

/**
 * One entry of a version list. {@code vtxGetVersionInformation} fills the numeric form (name,
 * version, date), {@code vtxGetVersionInformation2} the text form (name, version text, branch
 * name, date text); the fields of the other form keep their defaults.
 */
public class TovikVersionItem {
    private String name;
    private long version;
    private long date;
    private String versionStr;
    private String branchName;
    private String dateStr;

    public TovikVersionItem() {
    }

    public void setData(String name, long version, long date) {
        this.name = name;
        this.version = version;
        this.date = date;
    }

    public void setData(String name, String versionStr, String branchName, String dateStr) {
        this.name = name;
        this.versionStr = versionStr;
        this.branchName = branchName;
        this.dateStr = dateStr;
    }

    public String getName() {
        return name;
    }

    public long getVersion() {
        return version;
    }

    public long getDate() {
        return date;
    }

    public String getVersionStr() {
        return versionStr;
    }

    public String getBranchName() {
        return branchName;
    }

    public String getDateStr() {
        return dateStr;
    }

    @Override
    public String toString() {
        return "TovikVersionItem[name=" + name + ", version=" + version + ", date=" + date
                + ", versionStr=" + versionStr + ", branchName=" + branchName + ", dateStr="
                + dateStr + "]";
    }
}
