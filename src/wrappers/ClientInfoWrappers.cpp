// Client information wrappers.
#include "wrappers/ClientInfoWrappers.h"
#include "java/LogStream.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikClientAccessItem;
using TovikApiProviderLib::ITovikClientInfoItem;
using TovikApiProviderLib::ITovikClientInfoList;
using TovikApiProviderLib::ITovikClientSpace;

// ---- CTovikClientAccessItemIF

CTovikClientAccessItemIF::~CTovikClientAccessItemIF() { WrapperCall<void>(this, &CTovikClientAccessItemIF::CmdDestroyObject); }

void CTovikClientAccessItemIF::AttachInterface(CTovikClientAccessItemIF* wrapper, ITovikClientAccessItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikClientAccessItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikClientAccessItemIF::ClientInfo() { return WrapperCall<ULONG>(this, &CTovikClientAccessItemIF::CmdClientInfo); }
INT_PTR CTovikClientAccessItemIF::CmdClientInfo(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetClientInfo); }
ULONG CTovikClientAccessItemIF::Status() { return WrapperCall<ULONG>(this, &CTovikClientAccessItemIF::CmdStatus); }
INT_PTR CTovikClientAccessItemIF::CmdStatus(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetStatus); }
LONG CTovikClientAccessItemIF::ErrorCode() { return WrapperCall<LONG>(this, &CTovikClientAccessItemIF::CmdErrorCode); }
INT_PTR CTovikClientAccessItemIF::CmdErrorCode(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetErrorCode); }
ULONG CTovikClientAccessItemIF::CurrentBlock() { return WrapperCall<ULONG>(this, &CTovikClientAccessItemIF::CmdCurrentBlock); }
INT_PTR CTovikClientAccessItemIF::CmdCurrentBlock(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetCurrentBlock); }
ULONG CTovikClientAccessItemIF::TotalBlocks() { return WrapperCall<ULONG>(this, &CTovikClientAccessItemIF::CmdTotalBlocks); }
INT_PTR CTovikClientAccessItemIF::CmdTotalBlocks(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetTotalBlocks); }
ULONG CTovikClientAccessItemIF::TimeStampMs() { return WrapperCall<ULONG>(this, &CTovikClientAccessItemIF::CmdTimeStampMs); }
INT_PTR CTovikClientAccessItemIF::CmdTimeStampMs(Args&) { return ReadNumber(this, &ITovikClientAccessItem::GetTimeStampMs); }

// ---- CTovikClientSpaceIF

CTovikClientSpaceIF::~CTovikClientSpaceIF() { WrapperCall<void>(this, &CTovikClientSpaceIF::CmdDestroyObject); }

void CTovikClientSpaceIF::AttachInterface(CTovikClientSpaceIF* wrapper, ITovikClientSpace* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikClientSpaceIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikClientSpaceIF::VolRemaining() { return WrapperCall<ULONG>(this, &CTovikClientSpaceIF::CmdVolRemaining); }
INT_PTR CTovikClientSpaceIF::CmdVolRemaining(Args&) { return ReadNumber(this, &ITovikClientSpace::GetVolRemaining); }
ULONG CTovikClientSpaceIF::VolTotal() { return WrapperCall<ULONG>(this, &CTovikClientSpaceIF::CmdVolTotal); }
INT_PTR CTovikClientSpaceIF::CmdVolTotal(Args&) { return ReadNumber(this, &ITovikClientSpace::GetVolTotal); }
ULONG CTovikClientSpaceIF::NonVolRemaining() { return WrapperCall<ULONG>(this, &CTovikClientSpaceIF::CmdNonVolRemaining); }
INT_PTR CTovikClientSpaceIF::CmdNonVolRemaining(Args&) { return ReadNumber(this, &ITovikClientSpace::GetNonVolRemaining); }
ULONG CTovikClientSpaceIF::NonVolTotal() { return WrapperCall<ULONG>(this, &CTovikClientSpaceIF::CmdNonVolTotal); }
INT_PTR CTovikClientSpaceIF::CmdNonVolTotal(Args&) { return ReadNumber(this, &ITovikClientSpace::GetNonVolTotal); }

// ---- CTovikClientInfoItemIF

CTovikClientInfoItemIF::~CTovikClientInfoItemIF() { WrapperCall<void>(this, &CTovikClientInfoItemIF::CmdDestroyObject); }

void CTovikClientInfoItemIF::AttachInterface(CTovikClientInfoItemIF* wrapper, ITovikClientInfoItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikClientInfoItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikClientInfoItemIF::GetClientInfoLocation() { return WrapperCall<ULONG>(this, &CTovikClientInfoItemIF::CmdGetClientInfoLocation); }
INT_PTR CTovikClientInfoItemIF::CmdGetClientInfoLocation(Args&) { return ReadNumber(this, &ITovikClientInfoItem::GetClientInfoLocation); }
char* CTovikClientInfoItemIF::GetClientInfoId() {
  return WrapperCall<char*>(this, &CTovikClientInfoItemIF::CmdGetClientInfoId);
}
INT_PTR CTovikClientInfoItemIF::CmdGetClientInfoId(Args&) {
  return ReadText(this, &ITovikClientInfoItem::GetClientInfoId, [] {
    CORE_LOG("CTovikClientInfoItemIF::CmdGetClientInfoId") << "Coud not find client name" << LogEnd;
  });
}
ULONG CTovikClientInfoItemIF::GetFileSize() { return WrapperCall<ULONG>(this, &CTovikClientInfoItemIF::CmdGetFileSize); }
INT_PTR CTovikClientInfoItemIF::CmdGetFileSize(Args&) { return ReadNumber(this, &ITovikClientInfoItem::GetFileSize); }

// ---- CTovikClientInfoListIF

CTovikClientInfoListIF::~CTovikClientInfoListIF() { WrapperCall<void>(this, &CTovikClientInfoListIF::CmdDestroyObject); }

void CTovikClientInfoListIF::AttachInterface(CTovikClientInfoListIF* wrapper, ITovikClientInfoList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikClientInfoListIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikClientInfoListIF::Count() { return WrapperCall<ULONG>(this, &CTovikClientInfoListIF::CmdCount); }
INT_PTR CTovikClientInfoListIF::CmdCount(Args&) { return ReadNumber(this, &ITovikClientInfoList::GetCount); }
CTovikClientInfoItemIF* CTovikClientInfoListIF::Item(ULONG index) { return WrapperCall<CTovikClientInfoItemIF*>(this, &CTovikClientInfoListIF::CmdItem, index); }
INT_PTR CTovikClientInfoListIF::CmdItem(Args& args) { return ReadElement<CTovikClientInfoItemIF>(this, args, &ITovikClientInfoList::Item); }
