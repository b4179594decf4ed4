#pragma once
// Result wrappers of the version information: the info object with its
// client and server lists and their entries.

#include "wrappers/WrapperDecl.h"

// A version entry; the list reads its entries in bulk as VersionItemValues.
#define TOVIK_VERSION_ITEM_OPS(X, C)                                                          \
  X(C, Text, char*, Name, CmdName, GetName, Name, name)                                       \
  X(C, Number, ULONG, Version, CmdVersion, GetVersion, Version, version)                      \
  X(C, Number, ULONG, Date, CmdDate, GetDate, Date, date)                                     \
  X(C, Text, char*, VersionStr, CmdVersionStr, GetVersionStr, VersionStr, versionStr)         \
  X(C, Text, char*, BranchName, CmdBranchName, GetBranchName, BranchName, branchName)         \
  X(C, Text, char*, DateStr, CmdDateStr, GetDateStr, DateStr, dateStr)
TOVIK_BULK_VALUES(VersionItem, CTovikVersionItemIF, TOVIK_VERSION_ITEM_OPS)
TOVIK_WRAPPER_DECLARE(CTovikVersionItemIF, ITovikVersionItem, TOVIK_VERSION_ITEM_OPS)

// ReadItems: one command reads entries first .. first+count-1, of each present one the fields
// in the order given, appended to items. Returns the number appended.
#define TOVIK_VERSION_ITEM_LIST_OPS(X, C)                                 \
  X(C, Number, ULONG, Count, CmdCount, GetCount)                          \
  X(C, Element, CTovikVersionItemIF*, Item, CmdItem, Item)                \
  X(C, ReadItems, ULONG, ReadItems, CmdReadItems, Item, VersionItemValues)
TOVIK_WRAPPER_DECLARE(CTovikVersionItemListIF, ITovikVersionItemList, TOVIK_VERSION_ITEM_LIST_OPS)

#define TOVIK_VERSION_INFO_OPS(X, C)                                                                      \
  X(C, SubObject, CTovikVersionItemListIF*, ClientVersionList, CmdClientVersionList, GetClientVersionList) \
  X(C, SubObject, CTovikVersionItemListIF*, ServerVersionList, CmdServerVersionList, GetServerVersionList)
TOVIK_WRAPPER_DECLARE(CTovikVersionInfoIF, ITovikVersionInfo, TOVIK_VERSION_INFO_OPS)
