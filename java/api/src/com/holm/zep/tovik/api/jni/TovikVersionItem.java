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

    /** An empty value with every field at its default; the native library fills it. */
    public TovikVersionItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param name the component's name
     * @param version the version number
     * @param date the date, as a number
     */
    public void setData(String name, long version, long date) {
        this.name = name;
        this.version = version;
        this.date = date;
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param name the component's name
     * @param versionStr the version as text
     * @param branchName the name of the branch it was built from
     * @param dateStr the date as text
     */
    public void setData(String name, String versionStr, String branchName, String dateStr) {
        this.name = name;
        this.versionStr = versionStr;
        this.branchName = branchName;
        this.dateStr = dateStr;
    }

    /** @return the component's name */
    public String getName() {
        return name;
    }

    /** @return the version number */
    public long getVersion() {
        return version;
    }

    /** @return the date, as a number */
    public long getDate() {
        return date;
    }

    /** @return the version as text */
    public String getVersionStr() {
        return versionStr;
    }

    /** @return the name of the branch it was built from */
    public String getBranchName() {
        return branchName;
    }

    /** @return the date as text */
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
