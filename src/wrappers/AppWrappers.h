#pragma once
// Result wrappers of the application catalogues and of installation jobs.

#include "wrappers/WrapperDecl.h"

// A PC catalogue entry; the list reads its entries in bulk as AppPcItemValues.
#define TOVIK_APP_PC_ITEM_OPS(X, C)                                                                        \
  X(C, Text, char*, AppName, CmdAppName, GetAppName, AppName, appName)                                     \
  X(C, Number, ULONG, AppVersion, CmdAppVersion, GetAppVersion, AppVersion, appVersion)                    \
  X(C, Number, ULONG, AppDate, CmdAppDate, GetAppDate, AppDate, appDate)                                   \
  X(C, Number, ULONG, ModuleType, CmdModuleType, GetModuleType, ModuleType, moduleType)                    \
  X(C, Number, ULONG, App, CmdApp, GetApp, App, app)                                                       \
  X(C, Text, char*, AppVersionStr, CmdAppVersionStr, GetAppVersionStr, AppVersionStr, appVersionStr)       \
  X(C, Text, char*, BranchName, CmdBranchName, GetBranchName, BranchName, branchName)                      \
  X(C, Text, char*, AppDateStr, CmdAppDateStr, GetAppDateStr, AppDateStr, appDateStr)
TOVIK_BULK_VALUES(AppPcItem, CTovikAppPcItemIF, TOVIK_APP_PC_ITEM_OPS)
TOVIK_WRAPPER_DECLARE(CTovikAppPcItemIF, ITovikAppPcItem, TOVIK_APP_PC_ITEM_OPS)

// ReadItems: one command reads entries first .. first+count-1, of each present one the fields
// in the order given, appended to items. Returns the number appended.
#define TOVIK_APP_PC_ITEM_LIST_OPS(X, C)                               \
  X(C, Number, ULONG, Count, CmdCount, GetCount)                       \
  X(C, Element, CTovikAppPcItemIF*, Item, CmdItem, Item)               \
  X(C, ReadItems, ULONG, ReadItems, CmdReadItems, Item, AppPcItemValues)
TOVIK_WRAPPER_DECLARE(CTovikAppPcItemListIF, ITovikAppPcItemList, TOVIK_APP_PC_ITEM_LIST_OPS)

// A module catalogue entry; the list reads its entries in bulk as AppVciItemValues.
#define TOVIK_APP_VCI_ITEM_OPS(X, C)                                                                       \
  X(C, Number, ULONG, App, CmdApp, GetApp, App, app)                                                       \
  X(C, Text, char*, AppName, CmdAppName, GetAppName, AppName, appName)                                     \
  X(C, Number, ULONG, AppVersion, CmdAppVersion, GetAppVersion, AppVersion, appVersion)                    \
  X(C, Number, ULONG, AppDate, CmdAppDate, GetAppDate, AppDate, appDate)                                   \
  X(C, Number, ULONG, State, CmdState, GetState, State, state)                                             \
  X(C, Text, char*, License, CmdLicense, GetLicense, License, license)                                     \
  X(C, Number, ULONG, LicenseState, CmdLicenseState, GetLicenseState, LicenseState, licenseState)          \
  X(C, Number, ULONG, DaysRemaining, CmdDaysRemaining, GetDaysRemaining, DaysRemaining, daysRemaining)     \
  X(C, Number, ULONG, TimesRemaining, CmdTimesRemaining, GetTimesRemaining, TimesRemaining, timesRemaining) \
  X(C, Text, char*, AppVersionStr, CmdAppVersionStr, GetAppVersionStr, AppVersionStr, appVersionStr)       \
  X(C, Text, char*, BranchName, CmdBranchName, GetBranchName, BranchName, branchName)                      \
  X(C, Text, char*, AppDateStr, CmdAppDateStr, GetAppDateStr, AppDateStr, appDateStr)
TOVIK_BULK_VALUES(AppVciItem, CTovikAppVciItemIF, TOVIK_APP_VCI_ITEM_OPS)
TOVIK_WRAPPER_DECLARE(CTovikAppVciItemIF, ITovikAppVciItem, TOVIK_APP_VCI_ITEM_OPS)

#define TOVIK_APP_VCI_ITEM_LIST_OPS(X, C)                               \
  X(C, Number, ULONG, Count, CmdCount, GetCount)                        \
  X(C, Element, CTovikAppVciItemIF*, Item, CmdItem, Item)               \
  X(C, ReadItems, ULONG, ReadItems, CmdReadItems, Item, AppVciItemValues)
TOVIK_WRAPPER_DECLARE(CTovikAppVciItemListIF, ITovikAppVciItemList, TOVIK_APP_VCI_ITEM_LIST_OPS)

#define TOVIK_APP_STATUS_OPS(X, C)                                                                \
  X(C, Number, ULONG, Status, CmdStatus, GetStatus)                                               \
  X(C, Number, LONG, ErrorNumber, CmdErrorNumber, GetErrorNumber)                                 \
  X(C, Number, ULONG, ComponentNumber, CmdComponentNumber, GetComponentNumber)                    \
  X(C, Number, ULONG, TotalNumberOfComponents, CmdTotalNumberOfComponents, GetTotalNumberOfComponents) \
  X(C, Number, ULONG, ComponentTimeout, CmdComponentTimeout, GetComponentTimeout)                 \
  X(C, Number, ULONG, TotalTimeout, CmdTotalTimeout, GetTotalTimeout)                             \
  X(C, Text, char*, ComponentName, CmdComponentName, GetComponentName)
TOVIK_WRAPPER_DECLARE(CTovikAppStatusIF, ITovikAppStatus, TOVIK_APP_STATUS_OPS)
