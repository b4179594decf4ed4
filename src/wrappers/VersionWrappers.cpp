// Version information wrappers.
#include "wrappers/VersionWrappers.h"

#include "wrappers/WrapperDefine.h"

TOVIK_WRAPPER_DEFINE(CTovikVersionItemIF, TOVIK_VERSION_ITEM_OPS)
TOVIK_BULK_READERS(VersionItemValues, TOVIK_VERSION_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikVersionItemListIF, TOVIK_VERSION_ITEM_LIST_OPS)
TOVIK_WRAPPER_DEFINE(CTovikVersionInfoIF, TOVIK_VERSION_INFO_OPS)
