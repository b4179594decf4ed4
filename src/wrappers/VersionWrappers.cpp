// Version information wrappers.
#include "wrappers/VersionWrappers.h"
#include "wrappers/BulkRead.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikVersionInfo;
using TovikApiProviderLib::ITovikVersionItem;
using TovikApiProviderLib::ITovikVersionItemList;

// ---- CTovikVersionItemIF

CTovikVersionItemIF::~CTovikVersionItemIF() { WrapperCall<void>(this, &CTovikVersionItemIF::CmdDestroyObject); }

void CTovikVersionItemIF::AttachInterface(CTovikVersionItemIF* wrapper, ITovikVersionItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVersionItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

char* CTovikVersionItemIF::Name() { return WrapperCall<char*>(this, &CTovikVersionItemIF::CmdName); }
INT_PTR CTovikVersionItemIF::CmdName(Args&) { return ReadText(this, &ITovikVersionItem::GetName); }
ULONG CTovikVersionItemIF::Version() { return WrapperCall<ULONG>(this, &CTovikVersionItemIF::CmdVersion); }
INT_PTR CTovikVersionItemIF::CmdVersion(Args&) { return ReadNumber(this, &ITovikVersionItem::GetVersion); }
ULONG CTovikVersionItemIF::Date() { return WrapperCall<ULONG>(this, &CTovikVersionItemIF::CmdDate); }
INT_PTR CTovikVersionItemIF::CmdDate(Args&) { return ReadNumber(this, &ITovikVersionItem::GetDate); }
char* CTovikVersionItemIF::VersionStr() { return WrapperCall<char*>(this, &CTovikVersionItemIF::CmdVersionStr); }
INT_PTR CTovikVersionItemIF::CmdVersionStr(Args&) { return ReadText(this, &ITovikVersionItem::GetVersionStr); }
char* CTovikVersionItemIF::BranchName() { return WrapperCall<char*>(this, &CTovikVersionItemIF::CmdBranchName); }
INT_PTR CTovikVersionItemIF::CmdBranchName(Args&) { return ReadText(this, &ITovikVersionItem::GetBranchName); }
char* CTovikVersionItemIF::DateStr() { return WrapperCall<char*>(this, &CTovikVersionItemIF::CmdDateStr); }
INT_PTR CTovikVersionItemIF::CmdDateStr(Args&) { return ReadText(this, &ITovikVersionItem::GetDateStr); }

// ---- CTovikVersionItemListIF

CTovikVersionItemListIF::~CTovikVersionItemListIF() { WrapperCall<void>(this, &CTovikVersionItemListIF::CmdDestroyObject); }

void CTovikVersionItemListIF::AttachInterface(CTovikVersionItemListIF* wrapper, ITovikVersionItemList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVersionItemListIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikVersionItemListIF::Count() { return WrapperCall<ULONG>(this, &CTovikVersionItemListIF::CmdCount); }
INT_PTR CTovikVersionItemListIF::CmdCount(Args&) { return ReadNumber(this, &ITovikVersionItemList::GetCount); }
CTovikVersionItemIF* CTovikVersionItemListIF::Item(ULONG index) { return WrapperCall<CTovikVersionItemIF*>(this, &CTovikVersionItemListIF::CmdItem, index); }
INT_PTR CTovikVersionItemListIF::CmdItem(Args& args) { return ReadElement<CTovikVersionItemIF>(this, args, &ITovikVersionItemList::Item); }

namespace {
// In the order of VersionItemField.
constexpr PropertyReader<ITovikVersionItem, VersionItemValues> kVersionItemProperties[] = {
    ReadInto<&ITovikVersionItem::GetName, &VersionItemValues::name>,
    ReadInto<&ITovikVersionItem::GetVersion, &VersionItemValues::version>,
    ReadInto<&ITovikVersionItem::GetDate, &VersionItemValues::date>,
    ReadInto<&ITovikVersionItem::GetVersionStr, &VersionItemValues::versionStr>,
    ReadInto<&ITovikVersionItem::GetBranchName, &VersionItemValues::branchName>,
    ReadInto<&ITovikVersionItem::GetDateStr, &VersionItemValues::dateStr>,
};
}  // namespace

ULONG CTovikVersionItemListIF::ReadItems(ULONG first, ULONG count, std::span<const VersionItemField> fields,
                                         std::vector<VersionItemValues>& items) {
  return PackReadItems(this, &CTovikVersionItemListIF::CmdReadItems, first, count, fields, items);
}
INT_PTR CTovikVersionItemListIF::CmdReadItems(Args& args) {
  return ReadItemValues<CTovikVersionItemIF>(this, args, &ITovikVersionItemList::Item, kVersionItemProperties);
}

// ---- CTovikVersionInfoIF

CTovikVersionInfoIF::~CTovikVersionInfoIF() { WrapperCall<void>(this, &CTovikVersionInfoIF::CmdDestroyObject); }

void CTovikVersionInfoIF::AttachInterface(CTovikVersionInfoIF* wrapper, ITovikVersionInfo* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikVersionInfoIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

CTovikVersionItemListIF* CTovikVersionInfoIF::ClientVersionList() { return WrapperCall<CTovikVersionItemListIF*>(this, &CTovikVersionInfoIF::CmdClientVersionList); }
INT_PTR CTovikVersionInfoIF::CmdClientVersionList(Args&) { return ReadSubObject<CTovikVersionItemListIF>(this, &ITovikVersionInfo::GetClientVersionList); }
CTovikVersionItemListIF* CTovikVersionInfoIF::ServerVersionList() { return WrapperCall<CTovikVersionItemListIF*>(this, &CTovikVersionInfoIF::CmdServerVersionList); }
INT_PTR CTovikVersionInfoIF::CmdServerVersionList(Args&) { return ReadSubObject<CTovikVersionItemListIF>(this, &ITovikVersionInfo::GetServerVersionList); }
