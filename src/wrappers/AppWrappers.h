#pragma once
// Result wrappers of the application catalogues and of installation jobs.

#include <span>
#include <vector>

#include "wrappers/BulkValues.h"
#include "wrappers/WrapperDecl.h"

// The properties of a PC catalogue entry, for CTovikAppPcItemListIF::ReadItems.
enum class AppPcItemField { AppName, AppVersion, AppDate, ModuleType, App, AppVersionStr, BranchName, AppDateStr };

// One PC catalogue entry read in bulk (wrappers/BulkValues.h).
struct AppPcItemValues {
  using Field = AppPcItemField;
  ULONG index = 0;  // position in the provider's list
  BulkText appName;
  ULONG appVersion = 0;
  ULONG appDate = 0;
  ULONG moduleType = 0;
  ULONG app = 0;
  BulkText appVersionStr;
  BulkText branchName;
  BulkText appDateStr;
};

// The properties of a module catalogue entry, for CTovikAppVciItemListIF::ReadItems.
enum class AppVciItemField {
  App, AppName, AppVersion, AppDate, State, License, LicenseState, DaysRemaining, TimesRemaining,
  AppVersionStr, BranchName, AppDateStr
};

// One module catalogue entry read in bulk (wrappers/BulkValues.h).
struct AppVciItemValues {
  using Field = AppVciItemField;
  ULONG index = 0;  // position in the provider's list
  ULONG app = 0;
  BulkText appName;
  ULONG appVersion = 0;
  ULONG appDate = 0;
  ULONG state = 0;
  BulkText license;
  ULONG licenseState = 0;
  ULONG daysRemaining = 0;
  ULONG timesRemaining = 0;
  BulkText appVersionStr;
  BulkText branchName;
  BulkText appDateStr;
};

class TOVIK_API CTovikAppPcItemIF {
  TOVIK_WRAPPER_CLASS(CTovikAppPcItemIF, ITovikAppPcItem)
  TOVIK_WRAPPER_OP(char*, AppName, ())
  TOVIK_WRAPPER_OP(ULONG, AppVersion, ())
  TOVIK_WRAPPER_OP(ULONG, AppDate, ())
  TOVIK_WRAPPER_OP(ULONG, ModuleType, ())
  TOVIK_WRAPPER_OP(ULONG, App, ())
  TOVIK_WRAPPER_OP(char*, AppVersionStr, ())
  TOVIK_WRAPPER_OP(char*, BranchName, ())
  TOVIK_WRAPPER_OP(char*, AppDateStr, ())
};

class TOVIK_API CTovikAppPcItemListIF {
  TOVIK_WRAPPER_CLASS(CTovikAppPcItemListIF, ITovikAppPcItemList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikAppPcItemIF*, Item, (ULONG index))
  // One command: entries first .. first+count-1, of each present one the
  // fields in the order given, appended to items. Returns the number appended.
  TOVIK_WRAPPER_OP(ULONG, ReadItems,
                   (ULONG first, ULONG count, std::span<const AppPcItemField> fields,
                    std::vector<AppPcItemValues>& items))
};

class TOVIK_API CTovikAppVciItemIF {
  TOVIK_WRAPPER_CLASS(CTovikAppVciItemIF, ITovikAppVciItem)
  TOVIK_WRAPPER_OP(ULONG, App, ())
  TOVIK_WRAPPER_OP(char*, AppName, ())
  TOVIK_WRAPPER_OP(ULONG, AppVersion, ())
  TOVIK_WRAPPER_OP(ULONG, AppDate, ())
  TOVIK_WRAPPER_OP(ULONG, State, ())
  TOVIK_WRAPPER_OP(char*, License, ())
  TOVIK_WRAPPER_OP(ULONG, LicenseState, ())
  TOVIK_WRAPPER_OP(ULONG, DaysRemaining, ())
  TOVIK_WRAPPER_OP(ULONG, TimesRemaining, ())
  TOVIK_WRAPPER_OP(char*, AppVersionStr, ())
  TOVIK_WRAPPER_OP(char*, BranchName, ())
  TOVIK_WRAPPER_OP(char*, AppDateStr, ())
};

class TOVIK_API CTovikAppVciItemListIF {
  TOVIK_WRAPPER_CLASS(CTovikAppVciItemListIF, ITovikAppVciItemList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikAppVciItemIF*, Item, (ULONG index))
  // As CTovikAppPcItemListIF::ReadItems.
  TOVIK_WRAPPER_OP(ULONG, ReadItems,
                   (ULONG first, ULONG count, std::span<const AppVciItemField> fields,
                    std::vector<AppVciItemValues>& items))
};

class TOVIK_API CTovikAppStatusIF {
  TOVIK_WRAPPER_CLASS(CTovikAppStatusIF, ITovikAppStatus)
  TOVIK_WRAPPER_OP(ULONG, Status, ())
  TOVIK_WRAPPER_OP(LONG, ErrorNumber, ())
  TOVIK_WRAPPER_OP(ULONG, ComponentNumber, ())
  TOVIK_WRAPPER_OP(ULONG, TotalNumberOfComponents, ())
  TOVIK_WRAPPER_OP(ULONG, ComponentTimeout, ())
  TOVIK_WRAPPER_OP(ULONG, TotalTimeout, ())
  TOVIK_WRAPPER_OP(char*, ComponentName, ())
};
