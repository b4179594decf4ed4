// Access-point state and Wi-Fi adapter wrappers.
#include "wrappers/WirelessWrappers.h"
#include "java/LogStream.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikAdaptInfoItem;
using TovikApiProviderLib::ITovikAdaptInfoList;
using TovikApiProviderLib::ITovikApStateItem;

// ---- CTovikApStateItemIF

CTovikApStateItemIF::~CTovikApStateItemIF() { WrapperCall<void>(this, &CTovikApStateItemIF::CmdDestroyObject); }

void CTovikApStateItemIF::AttachInterface(CTovikApStateItemIF* wrapper, ITovikApStateItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikApStateItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikApStateItemIF::WifiState() { return WrapperCall<ULONG>(this, &CTovikApStateItemIF::CmdWifiState); }
INT_PTR CTovikApStateItemIF::CmdWifiState(Args&) { return ReadNumber(this, &ITovikApStateItem::GetWifiState); }
ULONG CTovikApStateItemIF::Mode() { return WrapperCall<ULONG>(this, &CTovikApStateItemIF::CmdMode); }
INT_PTR CTovikApStateItemIF::CmdMode(Args&) { return ReadNumber(this, &ITovikApStateItem::GetMode); }
ULONG CTovikApStateItemIF::ApState() { return WrapperCall<ULONG>(this, &CTovikApStateItemIF::CmdApState); }
INT_PTR CTovikApStateItemIF::CmdApState(Args&) { return ReadNumber(this, &ITovikApStateItem::GetApState); }
ULONG CTovikApStateItemIF::NumBars() { return WrapperCall<ULONG>(this, &CTovikApStateItemIF::CmdNumBars); }
INT_PTR CTovikApStateItemIF::CmdNumBars(Args&) { return ReadNumber(this, &ITovikApStateItem::GetNumBars); }
ULONG CTovikApStateItemIF::LinkQualityRaw() { return WrapperCall<ULONG>(this, &CTovikApStateItemIF::CmdLinkQualityRaw); }
INT_PTR CTovikApStateItemIF::CmdLinkQualityRaw(Args&) { return ReadNumber(this, &ITovikApStateItem::GetLinkQualityRaw); }
LONG CTovikApStateItemIF::NoiseLevel() { return WrapperCall<LONG>(this, &CTovikApStateItemIF::CmdNoiseLevel); }
INT_PTR CTovikApStateItemIF::CmdNoiseLevel(Args&) { return ReadNumber(this, &ITovikApStateItem::GetNoiseLevel); }
LONG CTovikApStateItemIF::SignalLevel() { return WrapperCall<LONG>(this, &CTovikApStateItemIF::CmdSignalLevel); }
INT_PTR CTovikApStateItemIF::CmdSignalLevel(Args&) { return ReadNumber(this, &ITovikApStateItem::GetSignalLevel); }

// ---- CTovikAdaptInfoItemIF

CTovikAdaptInfoItemIF::~CTovikAdaptInfoItemIF() { WrapperCall<void>(this, &CTovikAdaptInfoItemIF::CmdDestroyObject); }

void CTovikAdaptInfoItemIF::AttachInterface(CTovikAdaptInfoItemIF* wrapper, ITovikAdaptInfoItem* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAdaptInfoItemIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAdaptInfoItemIF::getVid() { return WrapperCall<ULONG>(this, &CTovikAdaptInfoItemIF::CmdgetVid); }
INT_PTR CTovikAdaptInfoItemIF::CmdgetVid(Args&) { return ReadNumber(this, &ITovikAdaptInfoItem::GetVid); }
ULONG CTovikAdaptInfoItemIF::getPid() { return WrapperCall<ULONG>(this, &CTovikAdaptInfoItemIF::CmdgetPid); }
INT_PTR CTovikAdaptInfoItemIF::CmdgetPid(Args&) { return ReadNumber(this, &ITovikAdaptInfoItem::GetPid); }
char* CTovikAdaptInfoItemIF::getCardName() { return WrapperCall<char*>(this, &CTovikAdaptInfoItemIF::CmdgetCardName); }
INT_PTR CTovikAdaptInfoItemIF::CmdgetCardName(Args&) {
  return ReadText(this, &ITovikAdaptInfoItem::GetCardName, [] {
    CORE_LOG("CTovikAdaptInfoItemIF::CmdgetCardName") << "Coud not find client name" << LogEnd;
  });
}
// True only for VARIANT_TRUE (-1).
bool CTovikAdaptInfoItemIF::getIsInserted() {
  return WrapperCall<bool>(this, &CTovikAdaptInfoItemIF::CmdgetIsInserted);
}
INT_PTR CTovikAdaptInfoItemIF::CmdgetIsInserted(Args&) {
  return ReadVariantTrue(this, &ITovikAdaptInfoItem::GetIsInserted);
}

// ---- CTovikAdaptInfoItemsIF

CTovikAdaptInfoItemsIF::~CTovikAdaptInfoItemsIF() { WrapperCall<void>(this, &CTovikAdaptInfoItemsIF::CmdDestroyObject); }

void CTovikAdaptInfoItemsIF::AttachInterface(CTovikAdaptInfoItemsIF* wrapper, ITovikAdaptInfoList* itf) { AttachWrapperInterface(wrapper, itf); }

INT_PTR CTovikAdaptInfoItemsIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

ULONG CTovikAdaptInfoItemsIF::Count() { return WrapperCall<ULONG>(this, &CTovikAdaptInfoItemsIF::CmdCount); }
INT_PTR CTovikAdaptInfoItemsIF::CmdCount(Args&) { return ReadNumber(this, &ITovikAdaptInfoList::GetCount); }
CTovikAdaptInfoItemIF* CTovikAdaptInfoItemsIF::GetItem(ULONG index) { return WrapperCall<CTovikAdaptInfoItemIF*>(this, &CTovikAdaptInfoItemsIF::CmdGetItem, index); }
INT_PTR CTovikAdaptInfoItemsIF::CmdGetItem(Args& args) { return ReadElement<CTovikAdaptInfoItemIF>(this, args, &ITovikAdaptInfoList::GetItem); }
