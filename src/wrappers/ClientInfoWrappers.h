#pragma once
// Result wrappers of the client information store: access status, free
// space, the list of stored blocks and its entries.

#include "wrappers/WrapperDecl.h"

#define TOVIK_CLIENT_ACCESS_ITEM_OPS(X, C)                          \
  X(C, Number, ULONG, ClientInfo, CmdClientInfo, GetClientInfo)     \
  X(C, Number, ULONG, Status, CmdStatus, GetStatus)                 \
  X(C, Number, LONG, ErrorCode, CmdErrorCode, GetErrorCode)         \
  X(C, Number, ULONG, CurrentBlock, CmdCurrentBlock, GetCurrentBlock) \
  X(C, Number, ULONG, TotalBlocks, CmdTotalBlocks, GetTotalBlocks)  \
  X(C, Number, ULONG, TimeStampMs, CmdTimeStampMs, GetTimeStampMs)
TOVIK_WRAPPER_DECLARE(CTovikClientAccessItemIF, ITovikClientAccessItem, TOVIK_CLIENT_ACCESS_ITEM_OPS)

#define TOVIK_CLIENT_SPACE_OPS(X, C)                                        \
  X(C, Number, ULONG, VolRemaining, CmdVolRemaining, GetVolRemaining)       \
  X(C, Number, ULONG, VolTotal, CmdVolTotal, GetVolTotal)                   \
  X(C, Number, ULONG, NonVolRemaining, CmdNonVolRemaining, GetNonVolRemaining) \
  X(C, Number, ULONG, NonVolTotal, CmdNonVolTotal, GetNonVolTotal)
TOVIK_WRAPPER_DECLARE(CTovikClientSpaceIF, ITovikClientSpace, TOVIK_CLIENT_SPACE_OPS)

#define TOVIK_CLIENT_INFO_ITEM_OPS(X, C)                                                                        \
  X(C, Number, ULONG, GetClientInfoLocation, CmdGetClientInfoLocation, GetClientInfoLocation)                   \
  X(C, TextLogged, char*, GetClientInfoId, CmdGetClientInfoId, GetClientInfoId, "Coud not find client name")    \
  X(C, Number, ULONG, GetFileSize, CmdGetFileSize, GetFileSize)
TOVIK_WRAPPER_DECLARE(CTovikClientInfoItemIF, ITovikClientInfoItem, TOVIK_CLIENT_INFO_ITEM_OPS)

#define TOVIK_CLIENT_INFO_LIST_OPS(X, C)          \
  X(C, Number, ULONG, Count, CmdCount, GetCount)  \
  X(C, Element, CTovikClientInfoItemIF*, Item, CmdItem, Item)
TOVIK_WRAPPER_DECLARE(CTovikClientInfoListIF, ITovikClientInfoList, TOVIK_CLIENT_INFO_LIST_OPS)
