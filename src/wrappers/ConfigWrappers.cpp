// Configuration item wrappers.
#include "wrappers/ConfigWrappers.h"
#include "java/LogStream.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikConfigItem;
using TovikApiProviderLib::ITovikConfigItemList;

// ---- CTovikConfigItemIF

CTovikConfigItemIF::~CTovikConfigItemIF() { WrapperCall<void>(this, &CTovikConfigItemIF::CmdDestroyObject); }

void CTovikConfigItemIF::AttachInterface(CTovikConfigItemIF* wrapper, ITovikConfigItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikConfigItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikConfigItemIF::GetConfigItem() { return WrapperCall<ULONG>(this, &CTovikConfigItemIF::CmdGetConfigItem); }
INT_PTR CTovikConfigItemIF::CmdGetConfigItem(Args&) { return ReadNumber(this, &ITovikConfigItem::GetConfigItem); }
char* CTovikConfigItemIF::GetConfigValue() { return WrapperCall<char*>(this, &CTovikConfigItemIF::CmdGetConfigValue); }
INT_PTR CTovikConfigItemIF::CmdGetConfigValue(Args&) {
  return ReadText(this, &ITovikConfigItem::GetConfigValue, [] {
    CORE_LOG("CTovikConfigItemIF::CmdGetConfigValue") << "Coud not find client name" << LogEnd;
  });
}

// ---- CTovikConfigItemsIF

CTovikConfigItemsIF::~CTovikConfigItemsIF() { WrapperCall<void>(this, &CTovikConfigItemsIF::CmdDestroyObject); }

void CTovikConfigItemsIF::AttachInterface(CTovikConfigItemsIF* wrapper, ITovikConfigItemList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikConfigItemsIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikConfigItemsIF::Count() { return WrapperCall<ULONG>(this, &CTovikConfigItemsIF::CmdCount); }
INT_PTR CTovikConfigItemsIF::CmdCount(Args&) { return ReadNumber(this, &ITovikConfigItemList::GetCount); }
CTovikConfigItemIF* CTovikConfigItemsIF::GetItem(ULONG index) { return WrapperCall<CTovikConfigItemIF*>(this, &CTovikConfigItemsIF::CmdGetItem, index); }
INT_PTR CTovikConfigItemsIF::CmdGetItem(Args& args) { return ReadElement<CTovikConfigItemIF>(this, args, &ITovikConfigItemList::GetItem); }
