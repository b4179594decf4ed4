// Module discovery wrappers.
#include "wrappers/ModuleWrappers.h"

#include "wrappers/WrapperDefine.h"

TOVIK_WRAPPER_DEFINE(CTovikVciItemIF, TOVIK_VCI_ITEM_OPS)
TOVIK_BULK_READERS(VciItemValues, TOVIK_VCI_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikVciItemsIF, TOVIK_VCI_ITEMS_OPS)
TOVIK_WRAPPER_DEFINE(CTovikClientInfoIF, TOVIK_CLIENT_INFO_OPS)
TOVIK_WRAPPER_DEFINE(CTovikVciInfoIF, TOVIK_VCI_INFO_OPS)
