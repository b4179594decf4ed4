// Pendant wrappers: the LED collection, one LED and the segment display.
#include "wrappers/PendantWrappers.h"

#include "java/LogStream.h"
#include "wrappers/WrapperPattern.h"

using TovikApiProviderLib::ITovikPendantDisp;
using TovikApiProviderLib::ITovikPendantDispPtr;
using TovikApiProviderLib::ITovikPendantLed;
using TovikApiProviderLib::ITovikPendantLedPtr;
using TovikApiProviderLib::ITovikPendantLeds;
using TovikApiProviderLib::ITovikPendantLedsPtr;

namespace {

// Creates a provider object of class `clsid` for interface I on the command
// thread's apartment. Logs the failure status under `function`.
template <class I>
I* CreateProviderObject(const CLSID& clsid, const char* function) {
  I* created = nullptr;
  const HRESULT hr =
      CoCreateInstance(clsid, nullptr, CLSCTX_ALL, __uuidof(I), reinterpret_cast<void**>(&created));
  if (FAILED(hr)) {
    CORE_LOG(function) << "Could not construct interface " << LogHex << static_cast<ULONG>(hr) << LogEnd;
    return nullptr;
  }
  return created;
}

}  // namespace

// ---- CTovikPendantLedsIF

CTovikPendantLedsIF::~CTovikPendantLedsIF() {
  CORE_LOG("CTovikPendantLedsIF::~CTovikPendantLedsIF") << "Destroy" << LogEnd;
  WrapperCall<void>(this, &CTovikPendantLedsIF::CmdDestroyObject);
}

void CTovikPendantLedsIF::AttachInterface(CTovikPendantLedsIF* wrapper, ITovikPendantLeds* itf) {
  AttachWrapperInterface(wrapper, itf);
}

INT_PTR CTovikPendantLedsIF::CmdDestroyObject(Args&) {
  ULONG count = 0;
  if (ReleaseWrapperInterface(this, &count)) {
    CORE_LOG("CTovikPendantLedsIF::CmdDestroyObject") << "Releasing " << count << LogEnd;
  }
  return 0;
}

bool CTovikPendantLedsIF::ConstructInterface() {
  return WrapperCall<bool>(this, &CTovikPendantLedsIF::CmdConstructObject);
}
INT_PTR CTovikPendantLedsIF::CmdConstructObject(Args&) {
  const ITovikPendantLedsPtr leds(CreateProviderObject<ITovikPendantLeds>(
                                      TovikApiProviderLib::CLSID_TovikPendantLeds,
                                      "CTovikPendantLedsIF::CmdConstructObject"),
                                  false);
  if (!leds) return 0;
  AttachWrapperInterface(this, leds.GetInterfacePtr());
  return 1;
}

ULONG CTovikPendantLedsIF::Count() { return WrapperCall<ULONG>(this, &CTovikPendantLedsIF::CmdCount); }
INT_PTR CTovikPendantLedsIF::CmdCount(Args&) { return ReadNumber(this, &ITovikPendantLeds::GetCount); }

CTovikPendantLedIF* CTovikPendantLedsIF::Item(ULONG index) {
  return WrapperCall<CTovikPendantLedIF*>(this, &CTovikPendantLedsIF::CmdItem, index);
}
INT_PTR CTovikPendantLedsIF::CmdItem(Args& args) {
  constexpr const char* kFunction = "CTovikPendantLedsIF::CmdItem";
  ITovikPendantLedsPtr leds = FetchInterface(this);
  if (!leds || args.empty()) return 0;
  CORE_LOG(kFunction) << "A" << LogEnd;
  ITovikPendantLedPtr item(leds->Item(static_cast<ULONG>(args[0])), false);
  CORE_LOG(kFunction) << "B " << static_cast<const void*>(item.GetInterfacePtr()) << LogEnd;
  CTovikPendantLedIF* wrapper = nullptr;
  if (item) {
    wrapper = NewWrapper<CTovikPendantLedIF>(item);
    CORE_LOG(kFunction) << "C" << LogEnd;
    const ULONG count = item.Detach()->Release();
    CORE_LOG(kFunction) << "Releasing " << count << LogEnd;
  }
  CORE_LOG(kFunction) << "D" << LogEnd;
  leds.Release();
  CORE_LOG(kFunction) << "E" << LogEnd;
  return reinterpret_cast<INT_PTR>(wrapper);
}

// ---- CTovikPendantLedIF

CTovikPendantLedIF::~CTovikPendantLedIF() { WrapperCall<void>(this, &CTovikPendantLedIF::CmdDestroyObject); }

void CTovikPendantLedIF::AttachInterface(CTovikPendantLedIF* wrapper, ITovikPendantLed* itf) {
  AttachWrapperInterface(wrapper, itf);
}

INT_PTR CTovikPendantLedIF::CmdDestroyObject(Args&) {
  CORE_LOG("CTovikPendantLedIF::CmdDestroyObject") << "DESTROY " << static_cast<const void*>(this) << LogEnd;
  ULONG count = 0;
  if (ReleaseWrapperInterface(this, &count)) CORE_LOG("CTovikPendantLedIF::CmdDestroyObject") << count << LogEnd;
  return 0;
}

ULONG CTovikPendantLedIF::GetLedValid() { return WrapperCall<ULONG>(this, &CTovikPendantLedIF::CmdGetLedValid); }
INT_PTR CTovikPendantLedIF::CmdGetLedValid(Args&) { return ReadNumber(this, &ITovikPendantLed::GetLedValid); }
ULONG CTovikPendantLedIF::GetLedCtrl() { return WrapperCall<ULONG>(this, &CTovikPendantLedIF::CmdGetLedCtrl); }
INT_PTR CTovikPendantLedIF::CmdGetLedCtrl(Args&) { return ReadNumber(this, &ITovikPendantLed::GetLedCtrl); }
ULONG CTovikPendantLedIF::GetLedBlinkFreq() {
  return WrapperCall<ULONG>(this, &CTovikPendantLedIF::CmdGetLedBlinkFreq);
}
INT_PTR CTovikPendantLedIF::CmdGetLedBlinkFreq(Args&) { return ReadNumber(this, &ITovikPendantLed::GetLedBlinkFreq); }

void CTovikPendantLedIF::SetLedValid(ULONG value) {
  CORE_LOG("CTovikPendantLedIF::SetLedValid") << "SET to " << value << LogEnd;
  WrapperCall<void>(this, &CTovikPendantLedIF::CmdSetLedValid, value);
}
INT_PTR CTovikPendantLedIF::CmdSetLedValid(Args& args) {
  constexpr const char* kFunction = "CTovikPendantLedIF::CmdSetLedValid";
  CORE_LOG(kFunction) << "A " << static_cast<const void*>(this) << LogEnd;
  const ITovikPendantLedPtr led = FetchInterface(this);
  if (!led) return 0;
  CORE_LOG(kFunction) << "B" << LogEnd;
  if (args.empty()) return 0;
  CORE_LOG(kFunction) << "C" << LogEnd;
  led->PutLedValid(static_cast<ULONG>(args[0]));
  return 0;
}

void CTovikPendantLedIF::SetLedCtrl(ULONG value) {
  CORE_LOG("CTovikPendantLedIF::SetLedCtrl") << "SET to " << value << LogEnd;
  WrapperCall<void>(this, &CTovikPendantLedIF::CmdSetLedCtrl, value);
}
INT_PTR CTovikPendantLedIF::CmdSetLedCtrl(Args& args) { return WriteValue(this, args, &ITovikPendantLed::PutLedCtrl); }

void CTovikPendantLedIF::SetLedBlinkFeq(ULONG value) {
  CORE_LOG("CTovikPendantLedIF::SetLedBlinkFeq") << "SET to " << value << LogEnd;
  WrapperCall<void>(this, &CTovikPendantLedIF::CmdSetLedBlinkFreq, value);
}
INT_PTR CTovikPendantLedIF::CmdSetLedBlinkFreq(Args& args) {
  return WriteValue(this, args, &ITovikPendantLed::PutLedBlinkFreq);
}

// ---- CTovikPendantDispIF

CTovikPendantDispIF::~CTovikPendantDispIF() { WrapperCall<void>(this, &CTovikPendantDispIF::CmdDestroyObject); }

void CTovikPendantDispIF::AttachInterface(CTovikPendantDispIF* wrapper, ITovikPendantDisp* itf) {
  AttachWrapperInterface(wrapper, itf);
}

INT_PTR CTovikPendantDispIF::CmdDestroyObject(Args&) {
  ReleaseWrapperInterface(this);
  return 0;
}

bool CTovikPendantDispIF::ConstructInterface() {
  return WrapperCall<bool>(this, &CTovikPendantDispIF::CmdConstructObject);
}
INT_PTR CTovikPendantDispIF::CmdConstructObject(Args&) {
  const ITovikPendantDispPtr created(CreateProviderObject<ITovikPendantDisp>(
                                         TovikApiProviderLib::CLSID_TovikPendantDisp,
                                         "CTovikPendantDispIF::CmdConstructObject"),
                                     false);
  if (!created) return 0;
  ITovikPendantDisp* queried = nullptr;
  if (FAILED(created->QueryInterface(__uuidof(ITovikPendantDisp), reinterpret_cast<void**>(&queried)))) {
    CORE_LOG("CTovikPendantDispIF::CmdConstructObject") << "Could not query interface" << LogEnd;
    return 0;
  }
  const ITovikPendantDispPtr display(queried, false);
  AttachWrapperInterface(this, display.GetInterfacePtr());
  return 1;
}

ULONG CTovikPendantDispIF::GetSegmentA() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentA); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentA(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentA); }
ULONG CTovikPendantDispIF::GetSegmentB() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentB); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentB(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentB); }
ULONG CTovikPendantDispIF::GetSegmentC() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentC); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentC(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentC); }
ULONG CTovikPendantDispIF::GetSegmentD() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentD); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentD(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentD); }
ULONG CTovikPendantDispIF::GetSegmentE() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentE); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentE(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentE); }
ULONG CTovikPendantDispIF::GetSegmentF() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentF); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentF(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentF); }
ULONG CTovikPendantDispIF::GetSegmentG() { return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentG); }
INT_PTR CTovikPendantDispIF::CmdGetSegmentG(Args&) { return ReadNumber(this, &ITovikPendantDisp::GetSegmentG); }
ULONG CTovikPendantDispIF::GetSegmentDecimalPoint() {
  return WrapperCall<ULONG>(this, &CTovikPendantDispIF::CmdGetSegmentDecimalPoint);
}
INT_PTR CTovikPendantDispIF::CmdGetSegmentDecimalPoint(Args&) {
  return ReadNumber(this, &ITovikPendantDisp::GetSegmentDecimalPoint);
}

void CTovikPendantDispIF::SetSegmentA(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentA, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentA(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentA); }
void CTovikPendantDispIF::SetSegmentB(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentB, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentB(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentB); }
void CTovikPendantDispIF::SetSegmentC(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentC, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentC(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentC); }
void CTovikPendantDispIF::SetSegmentD(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentD, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentD(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentD); }
void CTovikPendantDispIF::SetSegmentE(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentE, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentE(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentE); }
void CTovikPendantDispIF::SetSegmentF(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentF, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentF(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentF); }
void CTovikPendantDispIF::SetSegmentG(ULONG v) { WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentG, v); }
INT_PTR CTovikPendantDispIF::CmdSetSegmentG(Args& a) { return WriteValue(this, a, &ITovikPendantDisp::PutSegmentG); }
void CTovikPendantDispIF::SetSegmentDecimalPoint(ULONG v) {
  WrapperCall<void>(this, &CTovikPendantDispIF::CmdSetSegmentDecimalPoint, v);
}
INT_PTR CTovikPendantDispIF::CmdSetSegmentDecimalPoint(Args& a) {
  return WriteValue(this, a, &ITovikPendantDisp::PutSegmentDecimalPoint);
}
