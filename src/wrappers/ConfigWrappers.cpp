// Configuration item wrappers.
#include "wrappers/ConfigWrappers.h"

#include "wrappers/WrapperDefine.h"

TOVIK_WRAPPER_DEFINE(CTovikConfigItemIF, TOVIK_CONFIG_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikConfigItemsIF, TOVIK_CONFIG_ITEMS_OPS)
