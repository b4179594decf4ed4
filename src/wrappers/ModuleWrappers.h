#pragma once
// Result wrappers of module discovery: the module list, one module, the
// details of a module and its connected clients.

#include <span>
#include <vector>

#include "wrappers/BulkValues.h"
#include "wrappers/WrapperDecl.h"

// The properties of a module entry, for CTovikVciItemsIF::ReadItems.
enum class VciItemField { ModuleState, ModuleName, SerialNumber, VCIInterface, ModuleType };

// One module entry read in bulk (wrappers/BulkValues.h).
struct VciItemValues {
  using Field = VciItemField;
  ULONG index = 0;  // position in the provider's list
  ULONG moduleState = 0;
  BulkText moduleName;
  ULONG serialNumber = 0;
  ULONG vciInterface = 0;
  ULONG moduleType = 0;
};

class TOVIK_API CTovikVciItemIF {
  TOVIK_WRAPPER_CLASS(CTovikVciItemIF, ITovikVciItem)
  TOVIK_WRAPPER_OP(ULONG, GetModuleState, ())
  TOVIK_WRAPPER_OP(char*, GetModuleName, ())
  TOVIK_WRAPPER_OP(ULONG, GetSerialNumber, ())
  TOVIK_WRAPPER_OP(ULONG, GetVCIInterface, ())
  TOVIK_WRAPPER_OP(ULONG, GetModuleType, ())
};

class TOVIK_API CTovikVciItemsIF {
  TOVIK_WRAPPER_CLASS(CTovikVciItemsIF, ITovikVciItems)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikVciItemIF*, Item, (ULONG index))
  // One command: entries first .. first+count-1, of each present one the
  // fields in the order given, appended to items. Returns the number appended.
  TOVIK_WRAPPER_OP(ULONG, ReadItems,
                   (ULONG first, ULONG count, std::span<const VciItemField> fields, std::vector<VciItemValues>& items))
};

class TOVIK_API CTovikClientInfoIF {
  TOVIK_WRAPPER_CLASS(CTovikClientInfoIF, ITovikClientInfo)
  TOVIK_WRAPPER_OP(bool, IsOwner, ())
  TOVIK_WRAPPER_OP(ULONG, ConnectionType, ())
  TOVIK_WRAPPER_OP(ULONG, ConnectionInterface, ())
  TOVIK_WRAPPER_OP(char*, ClientName, ())
  TOVIK_WRAPPER_OP(char*, ConnectTime, ())
};

class TOVIK_API CTovikVciInfoIF {
  TOVIK_WRAPPER_CLASS(CTovikVciInfoIF, ITovikVciInfo)
  TOVIK_WRAPPER_OP(char*, EthernetAddress, ())
  TOVIK_WRAPPER_OP(char*, WirelessAddress, ())
  TOVIK_WRAPPER_OP(char*, BluetoothAddress, ())
  TOVIK_WRAPPER_OP(char*, USBAddress, ())
  TOVIK_WRAPPER_OP(char*, VciAlias, ())
  TOVIK_WRAPPER_OP(ULONG, WifiFlags, ())
  TOVIK_WRAPPER_OP(ULONG, BtFlags, ())
  TOVIK_WRAPPER_OP(ULONG, UsbFlags, ())
  TOVIK_WRAPPER_OP(ULONG, EthFlags, ())
  TOVIK_WRAPPER_OP(ULONG, NumClients, ())
  TOVIK_WRAPPER_OP(CTovikClientInfoIF*, ClientAt, (ULONG index))
};
