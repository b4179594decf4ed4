package com.holm.zep.tovik.api.jni;

/** One module found by {@code vtxGetModuleIds}. */
public class TovikVciItem {
    private long moduleState;
    private String moduleName;
    private long serialNumber;
    private long vciInterface;
    private long moduleType;

    /** An empty value with every field at its default; the native library fills it. */
    public TovikVciItem() {
    }

    /**
     * Called by the native library with the values it read.
     *
     * @param moduleState the module's state
     * @param moduleName the module's name
     * @param serialNumber the module's serial number, which names the module in the other
     *        operations
     * @param vciInterface the interface through which the module is attached
     * @param moduleType the module type
     */
    public void setData(long moduleState, String moduleName, long serialNumber, long vciInterface,
            long moduleType) {
        this.moduleState = moduleState;
        this.moduleName = moduleName;
        this.serialNumber = serialNumber;
        this.vciInterface = vciInterface;
        this.moduleType = moduleType;
    }

    /** @return the module's state */
    public long getModuleState() {
        return moduleState;
    }

    /** @return the module's name */
    public String getModuleName() {
        return moduleName;
    }

    /** @return the module's serial number, which names the module in the other operations */
    public long getSerialNumber() {
        return serialNumber;
    }

    /** @return the interface through which the module is attached */
    public long getVciInterface() {
        return vciInterface;
    }

    /** @return the module type */
    public long getModuleType() {
        return moduleType;
    }

    @Override
    public String toString() {
        return "TovikVciItem[moduleState=" + moduleState + ", moduleName=" + moduleName
                + ", serialNumber=" + serialNumber + ", vciInterface=" + vciInterface
                + ", moduleType=" + moduleType + "]";
    }
}
