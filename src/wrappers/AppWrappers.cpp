// Application catalogue and installation status wrappers.
#include "wrappers/AppWrappers.h"
#include "wrappers/BulkRead.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikAppPcItem;
using TovikApiProviderLib::ITovikAppPcItemList;
using TovikApiProviderLib::ITovikAppStatus;
using TovikApiProviderLib::ITovikAppVciItem;
using TovikApiProviderLib::ITovikAppVciItemList;

// ---- CTovikAppPcItemIF

CTovikAppPcItemIF::~CTovikAppPcItemIF() { WrapperCall<void>(this, &CTovikAppPcItemIF::CmdDestroyObject); }

void CTovikAppPcItemIF::AttachInterface(CTovikAppPcItemIF* wrapper, ITovikAppPcItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAppPcItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

char* CTovikAppPcItemIF::AppName() { return WrapperCall<char*>(this, &CTovikAppPcItemIF::CmdAppName); }
INT_PTR CTovikAppPcItemIF::CmdAppName(Args&) { return ReadText(this, &ITovikAppPcItem::GetAppName); }
ULONG CTovikAppPcItemIF::AppVersion() { return WrapperCall<ULONG>(this, &CTovikAppPcItemIF::CmdAppVersion); }
INT_PTR CTovikAppPcItemIF::CmdAppVersion(Args&) { return ReadNumber(this, &ITovikAppPcItem::GetAppVersion); }
ULONG CTovikAppPcItemIF::AppDate() { return WrapperCall<ULONG>(this, &CTovikAppPcItemIF::CmdAppDate); }
INT_PTR CTovikAppPcItemIF::CmdAppDate(Args&) { return ReadNumber(this, &ITovikAppPcItem::GetAppDate); }
ULONG CTovikAppPcItemIF::ModuleType() { return WrapperCall<ULONG>(this, &CTovikAppPcItemIF::CmdModuleType); }
INT_PTR CTovikAppPcItemIF::CmdModuleType(Args&) { return ReadNumber(this, &ITovikAppPcItem::GetModuleType); }
ULONG CTovikAppPcItemIF::App() { return WrapperCall<ULONG>(this, &CTovikAppPcItemIF::CmdApp); }
INT_PTR CTovikAppPcItemIF::CmdApp(Args&) { return ReadNumber(this, &ITovikAppPcItem::GetApp); }
char* CTovikAppPcItemIF::AppVersionStr() { return WrapperCall<char*>(this, &CTovikAppPcItemIF::CmdAppVersionStr); }
INT_PTR CTovikAppPcItemIF::CmdAppVersionStr(Args&) { return ReadText(this, &ITovikAppPcItem::GetAppVersionStr); }
char* CTovikAppPcItemIF::BranchName() { return WrapperCall<char*>(this, &CTovikAppPcItemIF::CmdBranchName); }
INT_PTR CTovikAppPcItemIF::CmdBranchName(Args&) { return ReadText(this, &ITovikAppPcItem::GetBranchName); }
char* CTovikAppPcItemIF::AppDateStr() { return WrapperCall<char*>(this, &CTovikAppPcItemIF::CmdAppDateStr); }
INT_PTR CTovikAppPcItemIF::CmdAppDateStr(Args&) { return ReadText(this, &ITovikAppPcItem::GetAppDateStr); }

// ---- CTovikAppPcItemListIF

namespace {
// In the order of AppPcItemField.
constexpr PropertyReader<ITovikAppPcItem, AppPcItemValues> kAppPcItemProperties[] = {
    ReadInto<&ITovikAppPcItem::GetAppName, &AppPcItemValues::appName>,
    ReadInto<&ITovikAppPcItem::GetAppVersion, &AppPcItemValues::appVersion>,
    ReadInto<&ITovikAppPcItem::GetAppDate, &AppPcItemValues::appDate>,
    ReadInto<&ITovikAppPcItem::GetModuleType, &AppPcItemValues::moduleType>,
    ReadInto<&ITovikAppPcItem::GetApp, &AppPcItemValues::app>,
    ReadInto<&ITovikAppPcItem::GetAppVersionStr, &AppPcItemValues::appVersionStr>,
    ReadInto<&ITovikAppPcItem::GetBranchName, &AppPcItemValues::branchName>,
    ReadInto<&ITovikAppPcItem::GetAppDateStr, &AppPcItemValues::appDateStr>,
};

// In the order of AppVciItemField.
constexpr PropertyReader<ITovikAppVciItem, AppVciItemValues> kAppVciItemProperties[] = {
    ReadInto<&ITovikAppVciItem::GetApp, &AppVciItemValues::app>,
    ReadInto<&ITovikAppVciItem::GetAppName, &AppVciItemValues::appName>,
    ReadInto<&ITovikAppVciItem::GetAppVersion, &AppVciItemValues::appVersion>,
    ReadInto<&ITovikAppVciItem::GetAppDate, &AppVciItemValues::appDate>,
    ReadInto<&ITovikAppVciItem::GetState, &AppVciItemValues::state>,
    ReadInto<&ITovikAppVciItem::GetLicense, &AppVciItemValues::license>,
    ReadInto<&ITovikAppVciItem::GetLicenseState, &AppVciItemValues::licenseState>,
    ReadInto<&ITovikAppVciItem::GetDaysRemaining, &AppVciItemValues::daysRemaining>,
    ReadInto<&ITovikAppVciItem::GetTimesRemaining, &AppVciItemValues::timesRemaining>,
    ReadInto<&ITovikAppVciItem::GetAppVersionStr, &AppVciItemValues::appVersionStr>,
    ReadInto<&ITovikAppVciItem::GetBranchName, &AppVciItemValues::branchName>,
    ReadInto<&ITovikAppVciItem::GetAppDateStr, &AppVciItemValues::appDateStr>,
};
}  // namespace

CTovikAppPcItemListIF::~CTovikAppPcItemListIF() { WrapperCall<void>(this, &CTovikAppPcItemListIF::CmdDestroyObject); }

void CTovikAppPcItemListIF::AttachInterface(CTovikAppPcItemListIF* wrapper, ITovikAppPcItemList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAppPcItemListIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAppPcItemListIF::Count() { return WrapperCall<ULONG>(this, &CTovikAppPcItemListIF::CmdCount); }
INT_PTR CTovikAppPcItemListIF::CmdCount(Args&) { return ReadNumber(this, &ITovikAppPcItemList::GetCount); }
CTovikAppPcItemIF* CTovikAppPcItemListIF::Item(ULONG index) { return WrapperCall<CTovikAppPcItemIF*>(this, &CTovikAppPcItemListIF::CmdItem, index); }
INT_PTR CTovikAppPcItemListIF::CmdItem(Args& args) { return ReadElement<CTovikAppPcItemIF>(this, args, &ITovikAppPcItemList::Item); }
ULONG CTovikAppPcItemListIF::ReadItems(ULONG first, ULONG count, std::span<const AppPcItemField> fields,
                                       std::vector<AppPcItemValues>& items) {
  return PackReadItems(this, &CTovikAppPcItemListIF::CmdReadItems, first, count, fields, items);
}
INT_PTR CTovikAppPcItemListIF::CmdReadItems(Args& args) {
  return ReadItemValues<CTovikAppPcItemIF>(this, args, &ITovikAppPcItemList::Item, kAppPcItemProperties);
}

// ---- CTovikAppVciItemIF

CTovikAppVciItemIF::~CTovikAppVciItemIF() { WrapperCall<void>(this, &CTovikAppVciItemIF::CmdDestroyObject); }

void CTovikAppVciItemIF::AttachInterface(CTovikAppVciItemIF* wrapper, ITovikAppVciItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAppVciItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAppVciItemIF::App() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdApp); }
INT_PTR CTovikAppVciItemIF::CmdApp(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetApp); }
char* CTovikAppVciItemIF::AppName() { return WrapperCall<char*>(this, &CTovikAppVciItemIF::CmdAppName); }
INT_PTR CTovikAppVciItemIF::CmdAppName(Args&) { return ReadText(this, &ITovikAppVciItem::GetAppName); }
ULONG CTovikAppVciItemIF::AppVersion() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdAppVersion); }
INT_PTR CTovikAppVciItemIF::CmdAppVersion(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetAppVersion); }
ULONG CTovikAppVciItemIF::AppDate() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdAppDate); }
INT_PTR CTovikAppVciItemIF::CmdAppDate(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetAppDate); }
ULONG CTovikAppVciItemIF::State() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdState); }
INT_PTR CTovikAppVciItemIF::CmdState(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetState); }
char* CTovikAppVciItemIF::License() { return WrapperCall<char*>(this, &CTovikAppVciItemIF::CmdLicense); }
INT_PTR CTovikAppVciItemIF::CmdLicense(Args&) { return ReadText(this, &ITovikAppVciItem::GetLicense); }
ULONG CTovikAppVciItemIF::LicenseState() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdLicenseState); }
INT_PTR CTovikAppVciItemIF::CmdLicenseState(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetLicenseState); }
ULONG CTovikAppVciItemIF::DaysRemaining() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdDaysRemaining); }
INT_PTR CTovikAppVciItemIF::CmdDaysRemaining(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetDaysRemaining); }
ULONG CTovikAppVciItemIF::TimesRemaining() { return WrapperCall<ULONG>(this, &CTovikAppVciItemIF::CmdTimesRemaining); }
INT_PTR CTovikAppVciItemIF::CmdTimesRemaining(Args&) { return ReadNumber(this, &ITovikAppVciItem::GetTimesRemaining); }
char* CTovikAppVciItemIF::AppVersionStr() { return WrapperCall<char*>(this, &CTovikAppVciItemIF::CmdAppVersionStr); }
INT_PTR CTovikAppVciItemIF::CmdAppVersionStr(Args&) { return ReadText(this, &ITovikAppVciItem::GetAppVersionStr); }
char* CTovikAppVciItemIF::BranchName() { return WrapperCall<char*>(this, &CTovikAppVciItemIF::CmdBranchName); }
INT_PTR CTovikAppVciItemIF::CmdBranchName(Args&) { return ReadText(this, &ITovikAppVciItem::GetBranchName); }
char* CTovikAppVciItemIF::AppDateStr() { return WrapperCall<char*>(this, &CTovikAppVciItemIF::CmdAppDateStr); }
INT_PTR CTovikAppVciItemIF::CmdAppDateStr(Args&) { return ReadText(this, &ITovikAppVciItem::GetAppDateStr); }

// ---- CTovikAppVciItemListIF

CTovikAppVciItemListIF::~CTovikAppVciItemListIF() { WrapperCall<void>(this, &CTovikAppVciItemListIF::CmdDestroyObject); }

void CTovikAppVciItemListIF::AttachInterface(CTovikAppVciItemListIF* wrapper, ITovikAppVciItemList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAppVciItemListIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAppVciItemListIF::Count() { return WrapperCall<ULONG>(this, &CTovikAppVciItemListIF::CmdCount); }
INT_PTR CTovikAppVciItemListIF::CmdCount(Args&) { return ReadNumber(this, &ITovikAppVciItemList::GetCount); }
CTovikAppVciItemIF* CTovikAppVciItemListIF::Item(ULONG index) { return WrapperCall<CTovikAppVciItemIF*>(this, &CTovikAppVciItemListIF::CmdItem, index); }
INT_PTR CTovikAppVciItemListIF::CmdItem(Args& args) { return ReadElement<CTovikAppVciItemIF>(this, args, &ITovikAppVciItemList::Item); }
ULONG CTovikAppVciItemListIF::ReadItems(ULONG first, ULONG count, std::span<const AppVciItemField> fields,
                                        std::vector<AppVciItemValues>& items) {
  return PackReadItems(this, &CTovikAppVciItemListIF::CmdReadItems, first, count, fields, items);
}
INT_PTR CTovikAppVciItemListIF::CmdReadItems(Args& args) {
  return ReadItemValues<CTovikAppVciItemIF>(this, args, &ITovikAppVciItemList::Item, kAppVciItemProperties);
}

// ---- CTovikAppStatusIF

CTovikAppStatusIF::~CTovikAppStatusIF() { WrapperCall<void>(this, &CTovikAppStatusIF::CmdDestroyObject); }

void CTovikAppStatusIF::AttachInterface(CTovikAppStatusIF* wrapper, ITovikAppStatus* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAppStatusIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAppStatusIF::Status() { return WrapperCall<ULONG>(this, &CTovikAppStatusIF::CmdStatus); }
INT_PTR CTovikAppStatusIF::CmdStatus(Args&) { return ReadNumber(this, &ITovikAppStatus::GetStatus); }
LONG CTovikAppStatusIF::ErrorNumber() { return WrapperCall<LONG>(this, &CTovikAppStatusIF::CmdErrorNumber); }
INT_PTR CTovikAppStatusIF::CmdErrorNumber(Args&) { return ReadNumber(this, &ITovikAppStatus::GetErrorNumber); }
ULONG CTovikAppStatusIF::ComponentNumber() { return WrapperCall<ULONG>(this, &CTovikAppStatusIF::CmdComponentNumber); }
INT_PTR CTovikAppStatusIF::CmdComponentNumber(Args&) { return ReadNumber(this, &ITovikAppStatus::GetComponentNumber); }
ULONG CTovikAppStatusIF::TotalNumberOfComponents() { return WrapperCall<ULONG>(this, &CTovikAppStatusIF::CmdTotalNumberOfComponents); }
INT_PTR CTovikAppStatusIF::CmdTotalNumberOfComponents(Args&) { return ReadNumber(this, &ITovikAppStatus::GetTotalNumberOfComponents); }
ULONG CTovikAppStatusIF::ComponentTimeout() { return WrapperCall<ULONG>(this, &CTovikAppStatusIF::CmdComponentTimeout); }
INT_PTR CTovikAppStatusIF::CmdComponentTimeout(Args&) { return ReadNumber(this, &ITovikAppStatus::GetComponentTimeout); }
ULONG CTovikAppStatusIF::TotalTimeout() { return WrapperCall<ULONG>(this, &CTovikAppStatusIF::CmdTotalTimeout); }
INT_PTR CTovikAppStatusIF::CmdTotalTimeout(Args&) { return ReadNumber(this, &ITovikAppStatus::GetTotalTimeout); }
char* CTovikAppStatusIF::ComponentName() { return WrapperCall<char*>(this, &CTovikAppStatusIF::CmdComponentName); }
INT_PTR CTovikAppStatusIF::CmdComponentName(Args&) { return ReadText(this, &ITovikAppStatus::GetComponentName); }
