#pragma once
// Result wrappers of the version information: the info object with its
// client and server lists and their entries.

#include "wrappers/WrapperDecl.h"

class TOVIK_API CTovikVersionItemIF {
  TOVIK_WRAPPER_CLASS(CTovikVersionItemIF, ITovikVersionItem)
  TOVIK_WRAPPER_OP(char*, Name, ())
  TOVIK_WRAPPER_OP(ULONG, Version, ())
  TOVIK_WRAPPER_OP(ULONG, Date, ())
  TOVIK_WRAPPER_OP(char*, VersionStr, ())
  TOVIK_WRAPPER_OP(char*, BranchName, ())
  TOVIK_WRAPPER_OP(char*, DateStr, ())
};

class TOVIK_API CTovikVersionItemListIF {
  TOVIK_WRAPPER_CLASS(CTovikVersionItemListIF, ITovikVersionItemList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikVersionItemIF*, Item, (ULONG index))
};

class TOVIK_API CTovikVersionInfoIF {
  TOVIK_WRAPPER_CLASS(CTovikVersionInfoIF, ITovikVersionInfo)
  TOVIK_WRAPPER_OP(CTovikVersionItemListIF*, ClientVersionList, ())
  TOVIK_WRAPPER_OP(CTovikVersionItemListIF*, ServerVersionList, ())
};
