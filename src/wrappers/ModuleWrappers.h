#pragma once
// Result wrappers of module discovery: the module list, one module, the
// details of a module and its connected clients.

#include "wrappers/WrapperDecl.h"

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
