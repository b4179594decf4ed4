// Pendant wrappers: the LED collection, one LED and the segment display.
#include "wrappers/PendantWrappers.h"

#include "wrappers/WrapperDefine.h"

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

TOVIK_WRAPPER_DEFINE_OPS(CTovikPendantLedsIF, TOVIK_PENDANT_LEDS_OPS)

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

TOVIK_WRAPPER_DEFINE_OPS(CTovikPendantLedIF, TOVIK_PENDANT_LED_OPS)

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

// ---- CTovikPendantDispIF

TOVIK_WRAPPER_LIFECYCLE(CTovikPendantDispIF)
TOVIK_WRAPPER_DEFINE_OPS(CTovikPendantDispIF, TOVIK_PENDANT_DISP_OPS)

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
