#pragma once
// The result objects the manager hands out: snapshots of the model taken
// when the call was made.

#include "Snapshot.h"

namespace tovik::sim {

namespace P = TovikApiProviderLib;

// ---- modules

class VciItem : public Snapshot<P::ITovikVciItem, VciItemData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD(ULONG, ModuleState, state)
  SIM_TEXT(ModuleName, name)
  SIM_FIELD(ULONG, SerialNumber, serial)
  SIM_FIELD(ULONG, VCIInterface, vciInterface)
  SIM_FIELD(ULONG, ModuleType, type)
};
SIM_LIST(VciItems, ITovikVciItems, ITovikVciItem, VciItem, VciItemData, Item, )

class ClientInfo : public Snapshot<P::ITovikClientInfo, ClientData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD(VARIANT_BOOL, IsOwner, owner)
  SIM_FIELD(ULONG, ConnectionType, connectionType)
  SIM_FIELD(ULONG, ConnectionInterface, connectionInterface)
  SIM_TEXT(ClientName, name)
  SIM_TEXT(ConnectTime, connectTime)
};

class VciInfo : public Snapshot<P::ITovikVciInfo, VciInfoData> {
 public:
  using Snapshot::Snapshot;
  SIM_TEXT(EthernetAddress, ethernetAddress)
  SIM_TEXT(WirelessAddress, wirelessAddress)
  SIM_TEXT(BluetoothAddress, bluetoothAddress)
  SIM_TEXT(USBAddress, usbAddress)
  SIM_TEXT(VciAlias, alias)
  SIM_FIELD(ULONG, WifiFlags, wifiFlags)
  SIM_FIELD(ULONG, BtFlags, btFlags)
  SIM_FIELD(ULONG, UsbFlags, usbFlags)
  SIM_FIELD(ULONG, EthFlags, ethFlags)
  HRESULT STDMETHODCALLTYPE get_NumClients(ULONG* value) override {
    return Get("NumClients", value, [&] { return static_cast<ULONG>(data_.clients.size()); });
  }
  HRESULT STDMETHODCALLTYPE raw_ClientAt(ULONG index, P::ITovikClientInfo** element) override {
    ProviderCall call(Key("ClientAt"), __uuidof(P::ITovikVciInfo), index);
    if (call.Failed()) return call.Hr();
    if (element == nullptr) return E_POINTER;
    *element = nullptr;
    if (index >= data_.clients.size()) return E_INVALIDARG;
    if (Faults::Instance().Missing("ITovikVciInfo", index)) return S_OK;
    call.Hand(element, Create<ClientInfo>(data_.clients[index]));
    return S_OK;
  }
};

// ---- versions

class VersionItem : public Snapshot<P::ITovikVersionItem, VersionItemData> {
 public:
  using Snapshot::Snapshot;
  SIM_TEXT(Name, name)
  SIM_FIELD(ULONG, Version, version)
  SIM_FIELD(ULONG, Date, date)
  SIM_TEXT(VersionStr, versionText)
  SIM_TEXT(BranchName, branch)
  SIM_TEXT(DateStr, dateText)
};
SIM_LIST(VersionItemList, ITovikVersionItemList, ITovikVersionItem, VersionItem, VersionItemData, Item, )

class VersionInfo : public Snapshot<P::ITovikVersionInfo, VersionInfoData> {
 public:
  using Snapshot::Snapshot;
  HRESULT STDMETHODCALLTYPE get_ClientVersionList(P::ITovikVersionItemList** list) override {
    return List("ClientVersionList", list, data_.client);
  }
  HRESULT STDMETHODCALLTYPE get_ServerVersionList(P::ITovikVersionItemList** list) override {
    return List("ServerVersionList", list, data_.server);
  }

 private:
  HRESULT List(const char* name, P::ITovikVersionItemList** list, const std::vector<VersionItemData>& items) {
    ProviderCall call(Key(name), __uuidof(P::ITovikVersionInfo));
    if (call.Failed()) return call.Hr();
    if (list == nullptr) return E_POINTER;
    call.Hand(list, Create<VersionItemList>(items));
    return S_OK;
  }
};

// ---- applications

class AppPcItem : public Snapshot<P::ITovikAppPcItem, AppPcData> {
 public:
  using Snapshot::Snapshot;
  SIM_TEXT(AppName, name)
  SIM_FIELD(ULONG, AppVersion, version)
  SIM_FIELD(ULONG, AppDate, date)
  SIM_FIELD(ULONG, ModuleType, moduleType)
  SIM_FIELD(ULONG, App, app)
  SIM_TEXT(AppVersionStr, versionText)
  SIM_TEXT(BranchName, branch)
  SIM_TEXT(AppDateStr, dateText)
};
SIM_LIST(AppPcItemList, ITovikAppPcItemList, ITovikAppPcItem, AppPcItem, AppPcData, Item, SIM_NEWENUM)

class AppVciItem : public Snapshot<P::ITovikAppVciItem, AppVciData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD(ULONG, App, app)
  SIM_TEXT(AppName, name)
  SIM_FIELD(ULONG, AppVersion, version)
  SIM_FIELD(ULONG, AppDate, date)
  SIM_FIELD(ULONG, State, state)
  SIM_TEXT(License, license)
  SIM_FIELD(ULONG, LicenseState, licenseState)
  SIM_FIELD(ULONG, DaysRemaining, daysRemaining)
  SIM_FIELD(ULONG, TimesRemaining, timesRemaining)
  SIM_TEXT(AppVersionStr, versionText)
  SIM_TEXT(BranchName, branch)
  SIM_TEXT(AppDateStr, dateText)
};
SIM_LIST(AppVciItemList, ITovikAppVciItemList, ITovikAppVciItem, AppVciItem, AppVciData, Item, SIM_NEWENUM)

class AppStatus : public Snapshot<P::ITovikAppStatus, AppStatusData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD(ULONG, Status, status)
  SIM_FIELD(LONG, ErrorNumber, errorNumber)
  SIM_FIELD(ULONG, ComponentNumber, componentNumber)
  SIM_FIELD(ULONG, TotalNumberOfComponents, totalComponents)
  SIM_FIELD(ULONG, ComponentTimeout, componentTimeout)
  SIM_FIELD(ULONG, TotalTimeout, totalTimeout)
  SIM_TEXT(ComponentName, componentName)
};

// ---- client information

class ClientAccessItem : public Snapshot<P::ITovikClientAccessItem, AccessData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, ClientInfo, clientInfo)
  SIM_FIELD_RW(ULONG, Status, status)
  SIM_FIELD_RW(LONG, ErrorCode, errorCode)
  SIM_FIELD_RW(ULONG, CurrentBlock, currentBlock)
  SIM_FIELD_RW(ULONG, TotalBlocks, totalBlocks)
  SIM_FIELD_RW(ULONG, TimeStampMs, timeStampMs)
};

class ClientSpace : public Snapshot<P::ITovikClientSpace, SpaceData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, VolRemaining, volRemaining)
  SIM_FIELD_RW(ULONG, VolTotal, volTotal)
  SIM_FIELD_RW(ULONG, NonVolRemaining, nonVolRemaining)
  SIM_FIELD_RW(ULONG, NonVolTotal, nonVolTotal)
};

class ClientInfoItem : public Snapshot<P::ITovikClientInfoItem, ClientInfoItemData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, ClientInfoLocation, location)
  SIM_TEXT_RW(ClientInfoId, id)
  SIM_FIELD_RW(ULONG, FileSize, fileSize)
};
SIM_LIST(ClientInfoList, ITovikClientInfoList, ITovikClientInfoItem, ClientInfoItem, ClientInfoItemData, Item,
         SIM_NEWENUM)

// ---- wireless and diagnostics

class ApStateItem : public Snapshot<P::ITovikApStateItem, ApStateData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, WifiState, wifiState)
  SIM_FIELD_RW(ULONG, Mode, mode)
  SIM_FIELD_RW(ULONG, ApState, apState)
  SIM_FIELD_RW(ULONG, NumBars, numBars)
  SIM_FIELD_RW(ULONG, LinkQualityRaw, linkQualityRaw)
  SIM_FIELD_RW(LONG, NoiseLevel, noiseLevel)
  SIM_FIELD_RW(LONG, SignalLevel, signalLevel)
};

class AdaptInfoItem : public Snapshot<P::ITovikAdaptInfoItem, AdapterData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, Vid, vid)
  SIM_FIELD_RW(ULONG, Pid, pid)
  SIM_TEXT_RW(CardName, cardName)
  SIM_FIELD_RW(VARIANT_BOOL, IsInserted, inserted)
};
SIM_LIST(AdaptInfoList, ITovikAdaptInfoList, ITovikAdaptInfoItem, AdaptInfoItem, AdapterData, GetItem, SIM_NEWENUM)

class ConfigItem : public Snapshot<P::ITovikConfigItem, ConfigItemData> {
 public:
  using Snapshot::Snapshot;
  SIM_FIELD_RW(ULONG, ConfigItem, key)
  SIM_TEXT_RW(ConfigValue, value)
};
SIM_LIST(ConfigItemList, ITovikConfigItemList, ITovikConfigItem, ConfigItem, ConfigItemData, GetItem, SIM_NEWENUM)

// A block of bytes. Its length is what a test set with
// SetByteBufferLength when the buffer was made, otherwise the real one;
// bytes beyond the real ones read as 0.
class ByteBuffer : public ComObject<P::ITovikByteBuffer> {
 public:
  explicit ByteBuffer(Bytes bytes)
      : bytes_(std::move(bytes)),
        length_(Faults::Instance().BufferLength().value_or(static_cast<LONG>(bytes_.size()))) {}

  HRESULT STDMETHODCALLTYPE get_Length(LONG* value) override {
    return Get("Length", value, [&] { return length_; });
  }
  SIM_NEWENUM
  HRESULT STDMETHODCALLTYPE raw_Item(LONG index, BYTE* value) override {
    ProviderCall call(Key("Item"), __uuidof(P::ITovikByteBuffer), index);
    if (call.Failed()) return call.Hr();
    if (value == nullptr) return E_POINTER;
    if (index < 0 || index >= length_) return E_INVALIDARG;
    *value = static_cast<std::size_t>(index) < bytes_.size() ? bytes_[index] : 0;
    return S_OK;
  }

 private:
  const Bytes bytes_;
  const LONG length_;
};

}  // namespace tovik::sim
