// Access-point state and Wi-Fi adapter wrappers.
#include "wrappers/WirelessWrappers.h"

#include "wrappers/WrapperDefine.h"

TOVIK_WRAPPER_DEFINE(CTovikApStateItemIF, TOVIK_AP_STATE_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikAdaptInfoItemIF, TOVIK_ADAPT_INFO_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikAdaptInfoItemsIF, TOVIK_ADAPT_INFO_ITEMS_OPS)
