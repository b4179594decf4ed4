#pragma once
// Result wrappers of the application catalogues and of installation jobs.

#include "wrappers/WrapperDecl.h"

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
