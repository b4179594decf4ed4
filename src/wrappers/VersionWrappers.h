#pragma once
// Result wrappers of the version information: the info object with its
// client and server lists and their entries.

#include <span>
#include <vector>

#include "wrappers/BulkValues.h"
#include "wrappers/WrapperDecl.h"

// The properties of a version entry, for CTovikVersionItemListIF::ReadItems.
enum class VersionItemField { Name, Version, Date, VersionStr, BranchName, DateStr };

// One version entry read in bulk (wrappers/BulkValues.h).
struct VersionItemValues {
  using Field = VersionItemField;
  ULONG index = 0;  // position in the provider's list
  BulkText name;
  ULONG version = 0;
  ULONG date = 0;
  BulkText versionStr;
  BulkText branchName;
  BulkText dateStr;
};

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
  // One command: entries first .. first+count-1, of each present one the
  // fields in the order given, appended to items. Returns the number appended.
  TOVIK_WRAPPER_OP(ULONG, ReadItems,
                   (ULONG first, ULONG count, std::span<const VersionItemField> fields,
                    std::vector<VersionItemValues>& items))
};

class TOVIK_API CTovikVersionInfoIF {
  TOVIK_WRAPPER_CLASS(CTovikVersionInfoIF, ITovikVersionInfo)
  TOVIK_WRAPPER_OP(CTovikVersionItemListIF*, ClientVersionList, ())
  TOVIK_WRAPPER_OP(CTovikVersionItemListIF*, ServerVersionList, ())
};
