#pragma once
// Result wrappers of the module's configuration items.

#include "wrappers/WrapperDecl.h"

#define TOVIK_CONFIG_ITEM_OPS(X, C)                                                                      \
  X(C, Number, ULONG, GetConfigItem, CmdGetConfigItem, GetConfigItem)                                    \
  X(C, TextLogged, char*, GetConfigValue, CmdGetConfigValue, GetConfigValue, "Coud not find client name")
TOVIK_WRAPPER_DECLARE(CTovikConfigItemIF, ITovikConfigItem, TOVIK_CONFIG_ITEM_OPS)

#define TOVIK_CONFIG_ITEMS_OPS(X, C)              \
  X(C, Number, ULONG, Count, CmdCount, GetCount)  \
  X(C, Element, CTovikConfigItemIF*, GetItem, CmdGetItem, GetItem)
TOVIK_WRAPPER_DECLARE(CTovikConfigItemsIF, ITovikConfigItemList, TOVIK_CONFIG_ITEMS_OPS)
