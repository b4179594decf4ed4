// Module discovery wrappers.
#include "wrappers/ModuleWrappers.h"
#include "java/LogStream.h"
#include "wrappers/BulkRead.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikClientInfo;
using TovikApiProviderLib::ITovikVciInfo;
using TovikApiProviderLib::ITovikVciItem;
using TovikApiProviderLib::ITovikVciItems;

// ---- CTovikVciItemIF

CTovikVciItemIF::~CTovikVciItemIF() { WrapperCall<void>(this, &CTovikVciItemIF::CmdDestroyObject); }

void CTovikVciItemIF::AttachInterface(CTovikVciItemIF* wrapper, ITovikVciItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVciItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikVciItemIF::GetModuleState() { return WrapperCall<ULONG>(this, &CTovikVciItemIF::CmdGetModuleState); }
INT_PTR CTovikVciItemIF::CmdGetModuleState(Args&) { return ReadNumber(this, &ITovikVciItem::GetModuleState); }
char* CTovikVciItemIF::GetModuleName() { return WrapperCall<char*>(this, &CTovikVciItemIF::CmdGetModuleName); }
INT_PTR CTovikVciItemIF::CmdGetModuleName(Args&) { return ReadText(this, &ITovikVciItem::GetModuleName); }
ULONG CTovikVciItemIF::GetSerialNumber() { return WrapperCall<ULONG>(this, &CTovikVciItemIF::CmdGetSerialNumber); }
INT_PTR CTovikVciItemIF::CmdGetSerialNumber(Args&) { return ReadNumber(this, &ITovikVciItem::GetSerialNumber); }
ULONG CTovikVciItemIF::GetVCIInterface() { return WrapperCall<ULONG>(this, &CTovikVciItemIF::CmdGetVCIInterface); }
INT_PTR CTovikVciItemIF::CmdGetVCIInterface(Args&) { return ReadNumber(this, &ITovikVciItem::GetVCIInterface); }
ULONG CTovikVciItemIF::GetModuleType() { return WrapperCall<ULONG>(this, &CTovikVciItemIF::CmdGetModuleType); }
INT_PTR CTovikVciItemIF::CmdGetModuleType(Args&) { return ReadNumber(this, &ITovikVciItem::GetModuleType); }

// ---- CTovikVciItemsIF

namespace {
// In the order of VciItemField.
constexpr PropertyReader<ITovikVciItem, VciItemValues> kVciItemProperties[] = {
    ReadInto<&ITovikVciItem::GetModuleState, &VciItemValues::moduleState>,
    ReadInto<&ITovikVciItem::GetModuleName, &VciItemValues::moduleName>,
    ReadInto<&ITovikVciItem::GetSerialNumber, &VciItemValues::serialNumber>,
    ReadInto<&ITovikVciItem::GetVCIInterface, &VciItemValues::vciInterface>,
    ReadInto<&ITovikVciItem::GetModuleType, &VciItemValues::moduleType>,
};
}  // namespace

CTovikVciItemsIF::~CTovikVciItemsIF() { WrapperCall<void>(this, &CTovikVciItemsIF::CmdDestroyObject); }

void CTovikVciItemsIF::AttachInterface(CTovikVciItemsIF* wrapper, ITovikVciItems* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVciItemsIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikVciItemsIF::Count() { return WrapperCall<ULONG>(this, &CTovikVciItemsIF::CmdCount); }
INT_PTR CTovikVciItemsIF::CmdCount(Args&) { return ReadNumber(this, &ITovikVciItems::GetCount); }
CTovikVciItemIF* CTovikVciItemsIF::Item(ULONG index) { return WrapperCall<CTovikVciItemIF*>(this, &CTovikVciItemsIF::CmdItem, index); }
INT_PTR CTovikVciItemsIF::CmdItem(Args& args) { return ReadElement<CTovikVciItemIF>(this, args, &ITovikVciItems::Item); }
ULONG CTovikVciItemsIF::ReadItems(ULONG first, ULONG count, std::span<const VciItemField> fields,
                                  std::vector<VciItemValues>& items) {
  return PackReadItems(this, &CTovikVciItemsIF::CmdReadItems, first, count, fields, items);
}
INT_PTR CTovikVciItemsIF::CmdReadItems(Args& args) {
  return ReadItemValues<CTovikVciItemIF>(this, args, &ITovikVciItems::Item, kVciItemProperties);
}

// ---- CTovikClientInfoIF

CTovikClientInfoIF::~CTovikClientInfoIF() { WrapperCall<void>(this, &CTovikClientInfoIF::CmdDestroyObject); }

void CTovikClientInfoIF::AttachInterface(CTovikClientInfoIF* wrapper, ITovikClientInfo* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikClientInfoIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

bool CTovikClientInfoIF::IsOwner() { return WrapperCall<bool>(this, &CTovikClientInfoIF::CmdIsOwner); }
INT_PTR CTovikClientInfoIF::CmdIsOwner(Args&) { return ReadBool(this, &ITovikClientInfo::GetIsOwner); }
ULONG CTovikClientInfoIF::ConnectionType() { return WrapperCall<ULONG>(this, &CTovikClientInfoIF::CmdConnectionType); }
INT_PTR CTovikClientInfoIF::CmdConnectionType(Args&) { return ReadNumber(this, &ITovikClientInfo::GetConnectionType); }
ULONG CTovikClientInfoIF::ConnectionInterface() { return WrapperCall<ULONG>(this, &CTovikClientInfoIF::CmdConnectionInterface); }
INT_PTR CTovikClientInfoIF::CmdConnectionInterface(Args&) { return ReadNumber(this, &ITovikClientInfo::GetConnectionInterface); }
char* CTovikClientInfoIF::ClientName() { return WrapperCall<char*>(this, &CTovikClientInfoIF::CmdClientName); }
INT_PTR CTovikClientInfoIF::CmdClientName(Args&) {
  return ReadText(this, &ITovikClientInfo::GetClientName, [] {
    CORE_LOG("CTovikClientInfoIF::CmdClientName") << "Coud not find client name" << LogEnd;
  });
}
char* CTovikClientInfoIF::ConnectTime() { return WrapperCall<char*>(this, &CTovikClientInfoIF::CmdConnectTime); }
INT_PTR CTovikClientInfoIF::CmdConnectTime(Args&) {
  return ReadText(this, &ITovikClientInfo::GetConnectTime, [] {
    CORE_LOG("CTovikClientInfoIF::CmdConnectTime") << "Coud not find connect time" << LogEnd;
  });
}

// ---- CTovikVciInfoIF

CTovikVciInfoIF::~CTovikVciInfoIF() { WrapperCall<void>(this, &CTovikVciInfoIF::CmdDestroyObject); }

void CTovikVciInfoIF::AttachInterface(CTovikVciInfoIF* wrapper, ITovikVciInfo* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVciInfoIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

char* CTovikVciInfoIF::EthernetAddress() { return WrapperCall<char*>(this, &CTovikVciInfoIF::CmdEthernetAddress); }
INT_PTR CTovikVciInfoIF::CmdEthernetAddress(Args&) { return ReadText(this, &ITovikVciInfo::GetEthernetAddress); }
char* CTovikVciInfoIF::WirelessAddress() { return WrapperCall<char*>(this, &CTovikVciInfoIF::CmdWirelessAddress); }
INT_PTR CTovikVciInfoIF::CmdWirelessAddress(Args&) { return ReadText(this, &ITovikVciInfo::GetWirelessAddress); }
char* CTovikVciInfoIF::BluetoothAddress() { return WrapperCall<char*>(this, &CTovikVciInfoIF::CmdBluetoothAddress); }
INT_PTR CTovikVciInfoIF::CmdBluetoothAddress(Args&) { return ReadText(this, &ITovikVciInfo::GetBluetoothAddress); }
char* CTovikVciInfoIF::USBAddress() { return WrapperCall<char*>(this, &CTovikVciInfoIF::CmdUSBAddress); }
INT_PTR CTovikVciInfoIF::CmdUSBAddress(Args&) { return ReadText(this, &ITovikVciInfo::GetUSBAddress); }
char* CTovikVciInfoIF::VciAlias() { return WrapperCall<char*>(this, &CTovikVciInfoIF::CmdVciAlias); }
INT_PTR CTovikVciInfoIF::CmdVciAlias(Args&) { return ReadText(this, &ITovikVciInfo::GetVciAlias); }
ULONG CTovikVciInfoIF::WifiFlags() { return WrapperCall<ULONG>(this, &CTovikVciInfoIF::CmdWifiFlags); }
INT_PTR CTovikVciInfoIF::CmdWifiFlags(Args&) { return ReadNumber(this, &ITovikVciInfo::GetWifiFlags); }
ULONG CTovikVciInfoIF::BtFlags() { return WrapperCall<ULONG>(this, &CTovikVciInfoIF::CmdBtFlags); }
INT_PTR CTovikVciInfoIF::CmdBtFlags(Args&) { return ReadNumber(this, &ITovikVciInfo::GetBtFlags); }
ULONG CTovikVciInfoIF::UsbFlags() { return WrapperCall<ULONG>(this, &CTovikVciInfoIF::CmdUsbFlags); }
INT_PTR CTovikVciInfoIF::CmdUsbFlags(Args&) { return ReadNumber(this, &ITovikVciInfo::GetUsbFlags); }
ULONG CTovikVciInfoIF::EthFlags() { return WrapperCall<ULONG>(this, &CTovikVciInfoIF::CmdEthFlags); }
INT_PTR CTovikVciInfoIF::CmdEthFlags(Args&) { return ReadNumber(this, &ITovikVciInfo::GetEthFlags); }
ULONG CTovikVciInfoIF::NumClients() { return WrapperCall<ULONG>(this, &CTovikVciInfoIF::CmdNumClients); }
INT_PTR CTovikVciInfoIF::CmdNumClients(Args&) { return ReadNumber(this, &ITovikVciInfo::GetNumClients); }
CTovikClientInfoIF* CTovikVciInfoIF::ClientAt(ULONG index) { return WrapperCall<CTovikClientInfoIF*>(this, &CTovikVciInfoIF::CmdClientAt, index); }
INT_PTR CTovikVciInfoIF::CmdClientAt(Args& args) { return ReadElement<CTovikClientInfoIF>(this, args, &ITovikVciInfo::ClientAt); }
