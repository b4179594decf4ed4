package com.holm.zep.tovik.api.jni;

/** One module found by {@code vtxGetModuleIds}. */
public class TovikVciItem {
    private long moduleState;
    private String moduleName;
    private long serialNumber;
    private long vciInterface;
    private long moduleType;

    public TovikVciItem() {
    }

    public void setData(long moduleState, String moduleName, long serialNumber, long vciInterface,
            long moduleType) {
        this.moduleState = moduleState;
        this.moduleName = moduleName;
        this.serialNumber = serialNumber;
        this.vciInterface = vciInterface;
        this.moduleType = moduleType;
    }

    public long getModuleState() {
        return moduleState;
    }

    public String getModuleName() {
        return moduleName;
    }

    public long getSerialNumber() {
        return serialNumber;
    }

    public long getVciInterface() {
        return vciInterface;
    }

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
