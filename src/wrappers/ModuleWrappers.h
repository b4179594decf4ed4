#pragma once
// Result wrappers of module discovery: the module list, one module, the
// details of a module and its connected clients.

#include "wrappers/WrapperDecl.h"

// A module entry; the list reads its entries in bulk as VciItemValues.
#define TOVIK_VCI_ITEM_OPS(X, C)                                                                      \
  X(C, Number, ULONG, GetModuleState, CmdGetModuleState, GetModuleState, ModuleState, moduleState)    \
  X(C, Text, char*, GetModuleName, CmdGetModuleName, GetModuleName, ModuleName, moduleName)           \
  X(C, Number, ULONG, GetSerialNumber, CmdGetSerialNumber, GetSerialNumber, SerialNumber, serialNumber) \
  X(C, Number, ULONG, GetVCIInterface, CmdGetVCIInterface, GetVCIInterface, VCIInterface, vciInterface) \
  X(C, Number, ULONG, GetModuleType, CmdGetModuleType, GetModuleType, ModuleType, moduleType)
TOVIK_BULK_VALUES(VciItem, CTovikVciItemIF, TOVIK_VCI_ITEM_OPS)
TOVIK_WRAPPER_DECLARE(CTovikVciItemIF, ITovikVciItem, TOVIK_VCI_ITEM_OPS)

// ReadItems: one command reads entries first .. first+count-1, of each present one the fields
// in the order given, appended to items. Returns the number appended.
#define TOVIK_VCI_ITEMS_OPS(X, C)                                     \
  X(C, Number, ULONG, Count, CmdCount, GetCount)                      \
  X(C, Element, CTovikVciItemIF*, Item, CmdItem, Item)                \
  X(C, ReadItems, ULONG, ReadItems, CmdReadItems, Item, VciItemValues)
TOVIK_WRAPPER_DECLARE(CTovikVciItemsIF, ITovikVciItems, TOVIK_VCI_ITEMS_OPS)

#define TOVIK_CLIENT_INFO_OPS(X, C)                                                                    \
  X(C, Bool, bool, IsOwner, CmdIsOwner, GetIsOwner)                                                    \
  X(C, Number, ULONG, ConnectionType, CmdConnectionType, GetConnectionType)                            \
  X(C, Number, ULONG, ConnectionInterface, CmdConnectionInterface, GetConnectionInterface)              \
  X(C, TextLogged, char*, ClientName, CmdClientName, GetClientName, "Coud not find client name")       \
  X(C, TextLogged, char*, ConnectTime, CmdConnectTime, GetConnectTime, "Coud not find connect time")
TOVIK_WRAPPER_DECLARE(CTovikClientInfoIF, ITovikClientInfo, TOVIK_CLIENT_INFO_OPS)

#define TOVIK_VCI_INFO_OPS(X, C)                                                \
  X(C, Text, char*, EthernetAddress, CmdEthernetAddress, GetEthernetAddress)    \
  X(C, Text, char*, WirelessAddress, CmdWirelessAddress, GetWirelessAddress)    \
  X(C, Text, char*, BluetoothAddress, CmdBluetoothAddress, GetBluetoothAddress) \
  X(C, Text, char*, USBAddress, CmdUSBAddress, GetUSBAddress)                   \
  X(C, Text, char*, VciAlias, CmdVciAlias, GetVciAlias)                         \
  X(C, Number, ULONG, WifiFlags, CmdWifiFlags, GetWifiFlags)                    \
  X(C, Number, ULONG, BtFlags, CmdBtFlags, GetBtFlags)                          \
  X(C, Number, ULONG, UsbFlags, CmdUsbFlags, GetUsbFlags)                       \
  X(C, Number, ULONG, EthFlags, CmdEthFlags, GetEthFlags)                       \
  X(C, Number, ULONG, NumClients, CmdNumClients, GetNumClients)                 \
  X(C, Element, CTovikClientInfoIF*, ClientAt, CmdClientAt, ClientAt)
TOVIK_WRAPPER_DECLARE(CTovikVciInfoIF, ITovikVciInfo, TOVIK_VCI_INFO_OPS)
