#pragma once
// Result wrappers of the module's configuration items.

#include "wrappers/WrapperDecl.h"

class TOVIK_API CTovikConfigItemIF {
  TOVIK_WRAPPER_CLASS(CTovikConfigItemIF, ITovikConfigItem)
  TOVIK_WRAPPER_OP(ULONG, GetConfigItem, ())
  TOVIK_WRAPPER_OP(char*, GetConfigValue, ())
};

class TOVIK_API CTovikConfigItemsIF {
  TOVIK_WRAPPER_CLASS(CTovikConfigItemsIF, ITovikConfigItemList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikConfigItemIF*, GetItem, (ULONG index))
};
