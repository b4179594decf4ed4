#pragma once
// Result wrappers of the client information store: access status, free
// space, the list of stored blocks and its entries.

#include "wrappers/WrapperDecl.h"

class TOVIK_API CTovikClientAccessItemIF {
  TOVIK_WRAPPER_CLASS(CTovikClientAccessItemIF, ITovikClientAccessItem)
  TOVIK_WRAPPER_OP(ULONG, ClientInfo, ())
  TOVIK_WRAPPER_OP(ULONG, Status, ())
  TOVIK_WRAPPER_OP(LONG, ErrorCode, ())
  TOVIK_WRAPPER_OP(ULONG, CurrentBlock, ())
  TOVIK_WRAPPER_OP(ULONG, TotalBlocks, ())
  TOVIK_WRAPPER_OP(ULONG, TimeStampMs, ())
};

class TOVIK_API CTovikClientSpaceIF {
  TOVIK_WRAPPER_CLASS(CTovikClientSpaceIF, ITovikClientSpace)
  TOVIK_WRAPPER_OP(ULONG, VolRemaining, ())
  TOVIK_WRAPPER_OP(ULONG, VolTotal, ())
  TOVIK_WRAPPER_OP(ULONG, NonVolRemaining, ())
  TOVIK_WRAPPER_OP(ULONG, NonVolTotal, ())
};

class TOVIK_API CTovikClientInfoItemIF {
  TOVIK_WRAPPER_CLASS(CTovikClientInfoItemIF, ITovikClientInfoItem)
  TOVIK_WRAPPER_OP(ULONG, GetClientInfoLocation, ())
  TOVIK_WRAPPER_OP(char*, GetClientInfoId, ())
  TOVIK_WRAPPER_OP(ULONG, GetFileSize, ())
};

class TOVIK_API CTovikClientInfoListIF {
  TOVIK_WRAPPER_CLASS(CTovikClientInfoListIF, ITovikClientInfoList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikClientInfoItemIF*, Item, (ULONG index))
};
