// Client information wrappers.
#include "wrappers/ClientInfoWrappers.h"

#include "wrappers/WrapperDefine.h"

TOVIK_WRAPPER_DEFINE(CTovikClientAccessItemIF, TOVIK_CLIENT_ACCESS_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikClientSpaceIF, TOVIK_CLIENT_SPACE_OPS)
TOVIK_WRAPPER_DEFINE(CTovikClientInfoItemIF, TOVIK_CLIENT_INFO_ITEM_OPS)
TOVIK_WRAPPER_DEFINE(CTovikClientInfoListIF, TOVIK_CLIENT_INFO_LIST_OPS)
