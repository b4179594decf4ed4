#pragma once
// Declarations of the module vendor's provider component, type library
// TovikApiProviderLib.
//
// Every interface is dual: its own methods follow those of IDispatch, in the
// order declared here. Each method has a raw form that returns the HRESULT
// (properties: get_X / put_X, methods: raw_X) and an inline wrapper that
// returns the [out, retval] value and raises _com_error when the HRESULT is
// negative (properties: GetX / PutX, methods: X).
//
// Most ITovikManager methods end with an output LONG that is the provider's
// own result code; the wrapper returns it.

#include "tovik/platform.h"

namespace TovikApiProviderLib {

struct ITovikManager;
struct ITovikVciItems;
struct ITovikVciItem;
struct ITovikVciInfo;
struct ITovikClientInfo;
struct ITovikAppPcItemList;
struct ITovikAppPcItem;
struct ITovikVersionInfo;
struct ITovikVersionItemList;
struct ITovikVersionItem;
struct ITovikClientAccessItem;
struct ITovikAppVciItemList;
struct ITovikAppVciItem;
struct ITovikAppStatus;
struct ITovikPendantLeds;
struct ITovikPendantLed;
struct ITovikPendantDisp;
struct ITovikApStateItem;
struct ITovikClientSpace;
struct ITovikAdaptInfoList;
struct ITovikAdaptInfoItem;
struct ITovikConfigItemList;
struct ITovikConfigItem;
struct ITovikClientInfoList;
struct ITovikClientInfoItem;
struct ITovikByteBuffer;

}  // namespace TovikApiProviderLib

TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikManager, 0x1F59BB30, 0xE0AC, 0x46AB, 0x9E, 0xAA, 0x58, 0x72, 0x84, 0xDE, 0xEA, 0x6D);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVciItems, 0x03F83B46, 0x6F04, 0x4E66, 0x9B, 0xD9, 0xC5, 0x6C, 0x8E, 0x42, 0x9F, 0x77);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVciItem, 0x0184D459, 0x728F, 0x499B, 0xA7, 0x66, 0xD8, 0x77, 0xB1, 0xAB, 0xDD, 0x58);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVciInfo, 0xE64364A2, 0x307A, 0x4294, 0xBA, 0x14, 0x83, 0x6D, 0xFA, 0x23, 0x2B, 0x00);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikClientInfo, 0x1A6BB025, 0x6CBB, 0x4C89, 0x84, 0xCB, 0x1F, 0x6C, 0x3B, 0xED, 0x44, 0x50);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAppPcItemList, 0x5305A1AB, 0x1A92, 0x4B06, 0xA8, 0x2C, 0x42, 0x44, 0xF4, 0x66, 0x97, 0x4B);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAppPcItem, 0xC6BBCD9D, 0xA937, 0x499F, 0xB3, 0x1D, 0x3B, 0xE9, 0xFD, 0x2C, 0x73, 0x6A);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVersionInfo, 0x68DAFDAC, 0x4547, 0x423C, 0x93, 0x13, 0xE5, 0x83, 0x60, 0x9D, 0x2E, 0xE1);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVersionItemList, 0x302989A0, 0x0CA3, 0x4F58, 0x9A, 0x9E, 0x37, 0x63, 0xD0, 0x21, 0xDA, 0x00);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikVersionItem, 0xD4DE0152, 0x6EAF, 0x4499, 0xB9, 0xEF, 0x80, 0xFD, 0x5D, 0x5C, 0x98, 0xAB);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikClientAccessItem, 0xCA253A06, 0x69BA, 0x4CEB, 0x98, 0x1F, 0x43, 0xC7, 0x8E, 0xD9, 0x63, 0xED);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAppVciItemList, 0x18AAD55A, 0xB328, 0x4CF4, 0x80, 0xFA, 0x96, 0xA6, 0x15, 0x47, 0x52, 0xDF);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAppVciItem, 0xB268A04D, 0x6336, 0x4933, 0xA3, 0xD9, 0x5F, 0x63, 0xB4, 0x0D, 0x45, 0xBE);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAppStatus, 0x24A9A3F5, 0xE8A2, 0x4C85, 0x8C, 0xC7, 0x5B, 0x26, 0x1B, 0x59, 0xBF, 0xF1);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikPendantLeds, 0x37D48A39, 0x9305, 0x484C, 0xB9, 0x4D, 0x2B, 0xD9, 0x3F, 0x52, 0xE3, 0x0E);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikPendantLed, 0x479A0000, 0xEAA7, 0x472A, 0xB2, 0x70, 0xE2, 0xA5, 0x52, 0xEA, 0x86, 0x04);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikPendantDisp, 0xB5724A23, 0xA39C, 0x4ABA, 0x9A, 0x9A, 0x3D, 0x62, 0x2E, 0xA7, 0x14, 0x27);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikApStateItem, 0xC60276C3, 0xAEFB, 0x4932, 0x8C, 0x7B, 0xD6, 0x01, 0x49, 0x69, 0xB7, 0xD3);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikClientSpace, 0x07341FC4, 0xC799, 0x4393, 0xBF, 0xF7, 0x3A, 0xEE, 0x34, 0x44, 0xEF, 0x6A);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAdaptInfoList, 0x7820D63B, 0x77FC, 0x4D13, 0x82, 0x05, 0x3B, 0x3B, 0x59, 0x53, 0x39, 0xE1);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikAdaptInfoItem, 0x3673CD1E, 0xFE54, 0x42FF, 0x96, 0x23, 0x85, 0xA5, 0x74, 0x84, 0xE7, 0x92);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikConfigItemList, 0xCE4C1039, 0xF91F, 0x4461, 0xAB, 0xF5, 0xF1, 0x9E, 0x6E, 0x94, 0x64, 0xA1);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikConfigItem, 0x912B8931, 0xF892, 0x404E, 0xA3, 0xFB, 0x37, 0x2E, 0x70, 0x0A, 0xAC, 0x9F);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikClientInfoList, 0x68D6FA77, 0x5722, 0x4288, 0x95, 0x8F, 0x33, 0xB1, 0x58, 0x49, 0xCF, 0x62);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikClientInfoItem, 0x8BD48F91, 0x893E, 0x42F7, 0xBC, 0x53, 0x13, 0x72, 0xA7, 0x37, 0x23, 0x09);
TOVIK_DECLARE_UUID(TovikApiProviderLib::ITovikByteBuffer, 0xB6A54DBB, 0xA2DE, 0x4301, 0xB8, 0xEF, 0x33, 0x10, 0x6F, 0x36, 0xCB, 0x24);

namespace TovikApiProviderLib {

// Class ids of the three objects the library creates itself.
inline constexpr CLSID CLSID_TovikManager =
    {0x07D211A4, 0x7031, 0x4618, {0xAE, 0x15, 0xA7, 0xD8, 0x6E, 0x7C, 0xED, 0xE2}};
inline constexpr CLSID CLSID_TovikPendantLeds =
    {0x10B5997D, 0x81C7, 0x4F4E, {0x88, 0x98, 0xA2, 0xA0, 0x64, 0x5E, 0x94, 0xA1}};
inline constexpr CLSID CLSID_TovikPendantDisp =
    {0x48C89C66, 0x9655, 0x4A97, {0xB7, 0x69, 0xC2, 0x51, 0xAD, 0x63, 0xF7, 0x8D}};

// Raises _com_error for a failed HRESULT, with the error information the
// object offers for the interface.
template <class I>
inline void CheckResult(HRESULT hr, I* self) {
  if (FAILED(hr)) _com_issue_errorex(hr, self, __uuidof(I));
}

}  // namespace TovikApiProviderLib

// A read-only property: raw get_Name plus the raising wrapper GetName().
#define TOVIK_PROP_GET(Type, Name)                                      \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(Type* value) = 0;        \
  Type Get##Name() {                                                    \
    Type value{};                                                       \
    ::TovikApiProviderLib::CheckResult(get_##Name(&value), this);       \
    return value;                                                       \
  }

// A read/write property: get, then put.
#define TOVIK_PROP_GETPUT(Type, Name)                                   \
  TOVIK_PROP_GET(Type, Name)                                            \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(Type value) = 0;         \
  void Put##Name(Type value) {                                          \
    ::TovikApiProviderLib::CheckResult(put_##Name(value), this);        \
  }

// A text property; the wrapper hands the BSTR to a _bstr_t that owns it.
#define TOVIK_PROP_GET_BSTR(Name)                                       \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) = 0;        \
  _bstr_t Get##Name() {                                                 \
    BSTR value = nullptr;                                               \
    ::TovikApiProviderLib::CheckResult(get_##Name(&value), this);       \
    return _bstr_t(value, false);                                       \
  }

#define TOVIK_PROP_GETPUT_BSTR(Name)                                    \
  TOVIK_PROP_GET_BSTR(Name)                                             \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) = 0;         \
  void Put##Name(BSTR value) {                                          \
    ::TovikApiProviderLib::CheckResult(put_##Name(value), this);        \
  }

// An interface-valued property without index (raw get_Name(&itf)); the
// wrapper returns the interface with the reference the provider handed out,
// or null.
#define TOVIK_PROP_GET_ITF(Itf, Name)                                   \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(Itf** value) = 0;        \
  Itf* Get##Name() {                                                    \
    Itf* value = nullptr;                                               \
    ::TovikApiProviderLib::CheckResult(get_##Name(&value), this);       \
    return value;                                                       \
  }

// An element method: raw_Name(index, &element) and the wrapper Name(index),
// which returns the element with the reference the provider handed out
// (null when the provider has none at that index).
#define TOVIK_ELEMENT(Element, Name)                                          \
  virtual HRESULT STDMETHODCALLTYPE raw_##Name(ULONG index, Element** element) = 0; \
  Element* Name(ULONG index) {                                                \
    Element* element = nullptr;                                               \
    ::TovikApiProviderLib::CheckResult(raw_##Name(index, &element), this);    \
    return element;                                                           \
  }

// The enumerator slot that automation collections carry between Count and
// their element method. The library never calls it.
#define TOVIK_NEWENUM                                                   \
  virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** enumerator) = 0;

namespace TovikApiProviderLib {

// A block of bytes: Length, then one byte per call of Item.
struct ITovikByteBuffer : IDispatch {
  TOVIK_PROP_GET(LONG, Length)
  TOVIK_NEWENUM
  virtual HRESULT STDMETHODCALLTYPE raw_Item(LONG index, BYTE* value) = 0;
  BYTE Item(LONG index) {
    BYTE value = 0;
    CheckResult(raw_Item(index, &value), this);
    return value;
  }
};

// ---- modules -------------------------------------------------------------

struct ITovikVciItem : IDispatch {
  TOVIK_PROP_GET(ULONG, ModuleState)
  TOVIK_PROP_GET_BSTR(ModuleName)
  TOVIK_PROP_GET(ULONG, SerialNumber)
  TOVIK_PROP_GET(ULONG, VCIInterface)
  TOVIK_PROP_GET(ULONG, ModuleType)
};

struct ITovikVciItems : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_ELEMENT(ITovikVciItem, Item)
};

struct ITovikClientInfo : IDispatch {
  TOVIK_PROP_GET(VARIANT_BOOL, IsOwner)
  TOVIK_PROP_GET(ULONG, ConnectionType)
  TOVIK_PROP_GET(ULONG, ConnectionInterface)
  TOVIK_PROP_GET_BSTR(ClientName)
  TOVIK_PROP_GET_BSTR(ConnectTime)
};

struct ITovikVciInfo : IDispatch {
  TOVIK_PROP_GET_BSTR(EthernetAddress)
  TOVIK_PROP_GET_BSTR(WirelessAddress)
  TOVIK_PROP_GET_BSTR(BluetoothAddress)
  TOVIK_PROP_GET_BSTR(USBAddress)
  TOVIK_PROP_GET_BSTR(VciAlias)
  TOVIK_PROP_GET(ULONG, WifiFlags)
  TOVIK_PROP_GET(ULONG, BtFlags)
  TOVIK_PROP_GET(ULONG, UsbFlags)
  TOVIK_PROP_GET(ULONG, EthFlags)
  TOVIK_PROP_GET(ULONG, NumClients)
  TOVIK_ELEMENT(ITovikClientInfo, ClientAt)
};

// ---- versions ------------------------------------------------------------

struct ITovikVersionItem : IDispatch {
  TOVIK_PROP_GET_BSTR(Name)
  TOVIK_PROP_GET(ULONG, Version)
  TOVIK_PROP_GET(ULONG, Date)
  TOVIK_PROP_GET_BSTR(VersionStr)
  TOVIK_PROP_GET_BSTR(BranchName)
  TOVIK_PROP_GET_BSTR(DateStr)
};

struct ITovikVersionItemList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_ELEMENT(ITovikVersionItem, Item)
};

struct ITovikVersionInfo : IDispatch {
  TOVIK_PROP_GET_ITF(ITovikVersionItemList, ClientVersionList)
  TOVIK_PROP_GET_ITF(ITovikVersionItemList, ServerVersionList)
};

// ---- application catalogues and jobs -------------------------------------

struct ITovikAppPcItem : IDispatch {
  TOVIK_PROP_GET_BSTR(AppName)
  TOVIK_PROP_GET(ULONG, AppVersion)
  TOVIK_PROP_GET(ULONG, AppDate)
  TOVIK_PROP_GET(ULONG, ModuleType)
  TOVIK_PROP_GET(ULONG, App)
  TOVIK_PROP_GET_BSTR(AppVersionStr)
  TOVIK_PROP_GET_BSTR(BranchName)
  TOVIK_PROP_GET_BSTR(AppDateStr)
};

struct ITovikAppPcItemList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_NEWENUM
  TOVIK_ELEMENT(ITovikAppPcItem, Item)
};

struct ITovikAppVciItem : IDispatch {
  TOVIK_PROP_GET(ULONG, App)
  TOVIK_PROP_GET_BSTR(AppName)
  TOVIK_PROP_GET(ULONG, AppVersion)
  TOVIK_PROP_GET(ULONG, AppDate)
  TOVIK_PROP_GET(ULONG, State)
  TOVIK_PROP_GET_BSTR(License)
  TOVIK_PROP_GET(ULONG, LicenseState)
  TOVIK_PROP_GET(ULONG, DaysRemaining)
  TOVIK_PROP_GET(ULONG, TimesRemaining)
  TOVIK_PROP_GET_BSTR(AppVersionStr)
  TOVIK_PROP_GET_BSTR(BranchName)
  TOVIK_PROP_GET_BSTR(AppDateStr)
};

struct ITovikAppVciItemList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_NEWENUM
  TOVIK_ELEMENT(ITovikAppVciItem, Item)
};

struct ITovikAppStatus : IDispatch {
  TOVIK_PROP_GET(ULONG, Status)
  TOVIK_PROP_GET(LONG, ErrorNumber)
  TOVIK_PROP_GET(ULONG, ComponentNumber)
  TOVIK_PROP_GET(ULONG, TotalNumberOfComponents)
  TOVIK_PROP_GET(ULONG, ComponentTimeout)
  TOVIK_PROP_GET(ULONG, TotalTimeout)
  TOVIK_PROP_GET_BSTR(ComponentName)
};

// ---- client information --------------------------------------------------

struct ITovikClientAccessItem : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, ClientInfo)
  TOVIK_PROP_GETPUT(ULONG, Status)
  TOVIK_PROP_GETPUT(LONG, ErrorCode)
  TOVIK_PROP_GETPUT(ULONG, CurrentBlock)
  TOVIK_PROP_GETPUT(ULONG, TotalBlocks)
  TOVIK_PROP_GETPUT(ULONG, TimeStampMs)
};

struct ITovikClientSpace : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, VolRemaining)
  TOVIK_PROP_GETPUT(ULONG, VolTotal)
  TOVIK_PROP_GETPUT(ULONG, NonVolRemaining)
  TOVIK_PROP_GETPUT(ULONG, NonVolTotal)
};

struct ITovikClientInfoItem : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, ClientInfoLocation)
  TOVIK_PROP_GETPUT_BSTR(ClientInfoId)
  TOVIK_PROP_GETPUT(ULONG, FileSize)
};

struct ITovikClientInfoList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_NEWENUM
  TOVIK_ELEMENT(ITovikClientInfoItem, Item)
};

// ---- pendant -------------------------------------------------------------

struct ITovikPendantLed : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, LedValid)
  TOVIK_PROP_GETPUT(ULONG, LedCtrl)
  TOVIK_PROP_GETPUT(ULONG, LedBlinkFreq)
};

struct ITovikPendantLeds : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_ELEMENT(ITovikPendantLed, Item)
};

struct ITovikPendantDisp : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, SegmentA)
  TOVIK_PROP_GETPUT(ULONG, SegmentB)
  TOVIK_PROP_GETPUT(ULONG, SegmentC)
  TOVIK_PROP_GETPUT(ULONG, SegmentD)
  TOVIK_PROP_GETPUT(ULONG, SegmentE)
  TOVIK_PROP_GETPUT(ULONG, SegmentF)
  TOVIK_PROP_GETPUT(ULONG, SegmentG)
  TOVIK_PROP_GETPUT(ULONG, SegmentDecimalPoint)
};

// ---- wireless and diagnostics --------------------------------------------

struct ITovikApStateItem : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, WifiState)
  TOVIK_PROP_GETPUT(ULONG, Mode)
  TOVIK_PROP_GETPUT(ULONG, ApState)
  TOVIK_PROP_GETPUT(ULONG, NumBars)
  TOVIK_PROP_GETPUT(ULONG, LinkQualityRaw)
  TOVIK_PROP_GETPUT(LONG, NoiseLevel)
  TOVIK_PROP_GETPUT(LONG, SignalLevel)
};

struct ITovikAdaptInfoItem : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, Vid)
  TOVIK_PROP_GETPUT(ULONG, Pid)
  TOVIK_PROP_GETPUT_BSTR(CardName)
  TOVIK_PROP_GETPUT(VARIANT_BOOL, IsInserted)
};

struct ITovikAdaptInfoList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_NEWENUM
  TOVIK_ELEMENT(ITovikAdaptInfoItem, GetItem)
};

struct ITovikConfigItem : IDispatch {
  TOVIK_PROP_GETPUT(ULONG, ConfigItem)
  TOVIK_PROP_GETPUT_BSTR(ConfigValue)
};

struct ITovikConfigItemList : IDispatch {
  TOVIK_PROP_GET(ULONG, Count)
  TOVIK_NEWENUM
  TOVIK_ELEMENT(ITovikConfigItem, GetItem)
};

// ---- the manager ---------------------------------------------------------

struct ITovikManager : IDispatch {
  // 1
  virtual HRESULT STDMETHODCALLTYPE raw_InitializeRuntime(BSTR first, BSTR second, VARIANT_BOOL flag) = 0;
  // 2
  virtual HRESULT STDMETHODCALLTYPE raw_GetModuleIds(ITovikVciItems** items, LONG* result) = 0;
  // 3
  virtual HRESULT STDMETHODCALLTYPE raw_GetModuleInfo(ULONG moduleId, ITovikVciInfo** info, LONG* result) = 0;
  // 4
  virtual HRESULT STDMETHODCALLTYPE raw_Connect(ULONG first, ULONG second, ULONG* handle, LONG* result) = 0;
  // 5
  virtual HRESULT STDMETHODCALLTYPE raw_Disconnect(ULONG handle, LONG* result) = 0;
  // 6
  virtual HRESULT STDMETHODCALLTYPE raw_GetVersionInformation(ULONG handle, ULONG second, ITovikVersionInfo** info, LONG* result) = 0;
  // 7
  virtual HRESULT STDMETHODCALLTYPE raw_RegisterForEvents(ULONG first, ULONG second, LONG* result) = 0;
  // 8: blocks until an event is pending or the wait is cancelled
  virtual HRESULT STDMETHODCALLTYPE raw_WaitForEvents(VARIANT_BOOL* result) = 0;
  // 9
  virtual HRESULT STDMETHODCALLTYPE raw_GetNextEvent(ULONG* first, ULONG* second, ULONG* third, VARIANT_BOOL* result) = 0;
  // 10
  virtual HRESULT STDMETHODCALLTYPE raw_CancelEventNotification() = 0;
  // 11
  virtual HRESULT STDMETHODCALLTYPE raw_StoreClientInfo(ULONG connection, BSTR id, ULONG location, VARIANT data, ULONG option, ITovikClientAccessItem** item, LONG* result) = 0;
  // 12
  virtual HRESULT STDMETHODCALLTYPE raw_StoreClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName, ULONG option, ITovikClientAccessItem** item, LONG* result) = 0;
  // 13
  virtual HRESULT STDMETHODCALLTYPE raw_DeleteClientInfo(ULONG connection, BSTR id, ULONG location, LONG* result) = 0;
  // 14
  virtual HRESULT STDMETHODCALLTYPE raw_GetClientAccessStatus(ULONG connection, ULONG accessId, ITovikClientAccessItem** item, LONG* result) = 0;
  // 15
  virtual HRESULT STDMETHODCALLTYPE raw_GetAppsVCI(ULONG first, ULONG second, ULONG third, ITovikAppVciItemList** list, LONG* result) = 0;
  // 16
  virtual HRESULT STDMETHODCALLTYPE raw_GetAppsPC(ITovikAppPcItemList** list, LONG* result) = 0;
  // 17
  virtual HRESULT STDMETHODCALLTYPE raw_InstallVCIApp(ULONG target, BSTR name, ITovikAppStatus** status, ULONG* job, LONG* result) = 0;
  // 18
  virtual HRESULT STDMETHODCALLTYPE raw_UninstallVCIApp(ULONG target, BSTR name, ITovikAppStatus** status, ULONG* job, LONG* result) = 0;
  // 19
  virtual HRESULT STDMETHODCALLTYPE raw_InstallGetStatus(ULONG target, ULONG job, ITovikAppStatus** status, LONG* result) = 0;
  // 20
  virtual HRESULT STDMETHODCALLTYPE raw_ControlApp(ULONG first, ULONG second, ULONG third, LONG* result) = 0;
  // 21
  virtual HRESULT STDMETHODCALLTYPE raw_SetConfigApp(ULONG first, ULONG second, ULONG third, LONG* result) = 0;
  // 22
  virtual HRESULT STDMETHODCALLTYPE raw_GetConfigApp(ULONG first, ULONG second, ULONG* value, LONG* result) = 0;
  // 23
  virtual HRESULT STDMETHODCALLTYPE raw_PendantSetLeds(ULONG connection, ITovikPendantLeds* leds, LONG* result) = 0;
  // 24
  virtual HRESULT STDMETHODCALLTYPE raw_PendantGetLeds(ULONG connection, ITovikPendantLeds* leds, LONG* result) = 0;
  // 25
  virtual HRESULT STDMETHODCALLTYPE raw_PendantSetSegDisp(ULONG connection, ITovikPendantDisp* display, ULONG first, ULONG second, LONG* result) = 0;
  // 26
  virtual HRESULT STDMETHODCALLTYPE raw_PendantGetSegDisp(ULONG connection, ULONG* first, ULONG* second, ITovikPendantDisp** display, LONG* result) = 0;
  // 27
  virtual HRESULT STDMETHODCALLTYPE raw_PendantSetAudio(ULONG connection, ULONG first, ULONG second, ULONG third, ULONG fourth, LONG* result) = 0;
  // 28
  virtual HRESULT STDMETHODCALLTYPE raw_UpdateSystemFirmware(ULONG target, ITovikAppStatus** status, ULONG* job, LONG* result) = 0;
  // 29
  virtual HRESULT STDMETHODCALLTYPE raw_ConfigureUsbInterface(LONG* result) = 0;
  // 30
  virtual HRESULT STDMETHODCALLTYPE raw_GetConStatus(ULONG handle, ULONG* status, LONG* result) = 0;
  // 31
  virtual HRESULT STDMETHODCALLTYPE raw_GetAccessPointState(ULONG connection, ULONG selector, ITovikApStateItem** item, LONG* result) = 0;
  // 32
  virtual HRESULT STDMETHODCALLTYPE raw_GetAvailableClientSpace(ULONG connection, ITovikClientSpace** space, LONG* result) = 0;
  // 33
  virtual HRESULT STDMETHODCALLTYPE raw_EnableManualScan(VARIANT_BOOL enable, LONG* result) = 0;
  // 34
  virtual HRESULT STDMETHODCALLTYPE raw_EnableAutoWifi(VARIANT_BOOL enable, LONG* result) = 0;
  // 35
  virtual HRESULT STDMETHODCALLTYPE raw_GetAutoWifiInfo(ITovikAdaptInfoList** list, VARIANT_BOOL* first, VARIANT_BOOL* second, VARIANT_BOOL* third, LONG* result) = 0;
  // 36
  virtual HRESULT STDMETHODCALLTYPE raw_RunSelfTest(ULONG connection, ITovikByteBuffer** buffer, LONG* result) = 0;
  // 37
  virtual HRESULT STDMETHODCALLTYPE raw_GetConfigItems(ULONG connection, ITovikConfigItemList** items, LONG* result) = 0;
  // 38
  virtual HRESULT STDMETHODCALLTYPE raw_ConfigureWifiInterface(LONG* result) = 0;
  // 39
  virtual HRESULT STDMETHODCALLTYPE raw_PendantGetAudio(ULONG connection, ULONG* first, ULONG* second, LONG* result) = 0;
  // 40
  virtual HRESULT STDMETHODCALLTYPE raw_GetClientInfoList(ULONG connection, ITovikClientInfoList** list, LONG* result) = 0;
  // 41
  virtual HRESULT STDMETHODCALLTYPE raw_GetClientInfo(ULONG connection, BSTR id, ULONG location, ULONG option, ITovikClientAccessItem** item, LONG* result) = 0;
  // 42
  virtual HRESULT STDMETHODCALLTYPE raw_GetClientInfoResult(ULONG connection, ULONG accessId, ITovikByteBuffer** buffer, LONG* result) = 0;
  // 43
  virtual HRESULT STDMETHODCALLTYPE raw_GetClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName, ITovikClientAccessItem** item, LONG* result) = 0;
  // 44
  virtual HRESULT STDMETHODCALLTYPE raw_GetModuleInfo3(ULONG moduleId, ITovikVciInfo** info, LONG* result) = 0;
  // 45
  virtual HRESULT STDMETHODCALLTYPE raw_GetAppsPC_2(ITovikAppPcItemList** list, LONG* result) = 0;
  // 46
  virtual HRESULT STDMETHODCALLTYPE raw_Connect2(ULONG first, ULONG second, ULONG* handle, BSTR text, LONG* result) = 0;
  // 47
  virtual HRESULT STDMETHODCALLTYPE raw_InstallVCIApp_2(ULONG target, ULONG application, ITovikAppStatus** status, ULONG* job, LONG* result) = 0;
  // 48
  virtual HRESULT STDMETHODCALLTYPE raw_GetAppsVCI_2(ULONG first, ULONG second, ULONG third, ITovikAppVciItemList** list, LONG* result) = 0;
  // 49
  virtual HRESULT STDMETHODCALLTYPE raw_GetAppsPC_3(ITovikAppPcItemList** list, LONG* result) = 0;
  // 50
  virtual HRESULT STDMETHODCALLTYPE raw_GetVersionInformation_2(ULONG handle, ULONG second, ITovikVersionInfo** info, LONG* result) = 0;

  // Raising wrappers. Each passes its arguments to the raw method, raises
  // _com_error for a failed HRESULT and returns the provider's result code
  // (WaitForEvents and GetNextEvent: the VARIANT_BOOL result).
  HRESULT InitializeRuntime(BSTR first, BSTR second, VARIANT_BOOL flag) {
    HRESULT hr = raw_InitializeRuntime(first, second, flag);
    CheckResult(hr, this);
    return hr;
  }
  VARIANT_BOOL WaitForEvents() {
    VARIANT_BOOL result = 0;
    CheckResult(raw_WaitForEvents(&result), this);
    return result;
  }
  VARIANT_BOOL GetNextEvent(ULONG* first, ULONG* second, ULONG* third) {
    VARIANT_BOOL result = 0;
    CheckResult(raw_GetNextEvent(first, second, third, &result), this);
    return result;
  }
  HRESULT CancelEventNotification() {
    HRESULT hr = raw_CancelEventNotification();
    CheckResult(hr, this);
    return hr;
  }

#define TOVIK_RESULT_WRAPPER(Name, Params, Args)        \
  LONG Name Params {                                    \
    LONG result = 0;                                    \
    CheckResult(raw_##Name Args, this);                 \
    return result;                                      \
  }
  TOVIK_RESULT_WRAPPER(GetModuleIds, (ITovikVciItems** items), (items, &result))
  TOVIK_RESULT_WRAPPER(GetModuleInfo, (ULONG moduleId, ITovikVciInfo** info), (moduleId, info, &result))
  TOVIK_RESULT_WRAPPER(Connect, (ULONG first, ULONG second, ULONG* handle), (first, second, handle, &result))
  TOVIK_RESULT_WRAPPER(Disconnect, (ULONG handle), (handle, &result))
  TOVIK_RESULT_WRAPPER(GetVersionInformation, (ULONG handle, ULONG second, ITovikVersionInfo** info), (handle, second, info, &result))
  TOVIK_RESULT_WRAPPER(RegisterForEvents, (ULONG first, ULONG second), (first, second, &result))
  TOVIK_RESULT_WRAPPER(StoreClientInfo, (ULONG connection, BSTR id, ULONG location, const VARIANT& data, ULONG option, ITovikClientAccessItem** item), (connection, id, location, data, option, item, &result))
  TOVIK_RESULT_WRAPPER(StoreClientInfoFile, (ULONG connection, BSTR id, ULONG location, BSTR fileName, ULONG option, ITovikClientAccessItem** item), (connection, id, location, fileName, option, item, &result))
  TOVIK_RESULT_WRAPPER(DeleteClientInfo, (ULONG connection, BSTR id, ULONG location), (connection, id, location, &result))
  TOVIK_RESULT_WRAPPER(GetClientAccessStatus, (ULONG connection, ULONG accessId, ITovikClientAccessItem** item), (connection, accessId, item, &result))
  TOVIK_RESULT_WRAPPER(GetAppsVCI, (ULONG first, ULONG second, ULONG third, ITovikAppVciItemList** list), (first, second, third, list, &result))
  TOVIK_RESULT_WRAPPER(GetAppsPC, (ITovikAppPcItemList** list), (list, &result))
  TOVIK_RESULT_WRAPPER(InstallVCIApp, (ULONG target, BSTR name, ITovikAppStatus** status, ULONG* job), (target, name, status, job, &result))
  TOVIK_RESULT_WRAPPER(UninstallVCIApp, (ULONG target, BSTR name, ITovikAppStatus** status, ULONG* job), (target, name, status, job, &result))
  TOVIK_RESULT_WRAPPER(InstallGetStatus, (ULONG target, ULONG job, ITovikAppStatus** status), (target, job, status, &result))
  TOVIK_RESULT_WRAPPER(ControlApp, (ULONG first, ULONG second, ULONG third), (first, second, third, &result))
  TOVIK_RESULT_WRAPPER(SetConfigApp, (ULONG first, ULONG second, ULONG third), (first, second, third, &result))
  TOVIK_RESULT_WRAPPER(GetConfigApp, (ULONG first, ULONG second, ULONG* value), (first, second, value, &result))
  TOVIK_RESULT_WRAPPER(PendantSetLeds, (ULONG connection, ITovikPendantLeds* leds), (connection, leds, &result))
  TOVIK_RESULT_WRAPPER(PendantGetLeds, (ULONG connection, ITovikPendantLeds* leds), (connection, leds, &result))
  TOVIK_RESULT_WRAPPER(PendantSetSegDisp, (ULONG connection, ITovikPendantDisp* display, ULONG first, ULONG second), (connection, display, first, second, &result))
  TOVIK_RESULT_WRAPPER(PendantGetSegDisp, (ULONG connection, ULONG* first, ULONG* second, ITovikPendantDisp** display), (connection, first, second, display, &result))
  TOVIK_RESULT_WRAPPER(PendantSetAudio, (ULONG connection, ULONG first, ULONG second, ULONG third, ULONG fourth), (connection, first, second, third, fourth, &result))
  TOVIK_RESULT_WRAPPER(UpdateSystemFirmware, (ULONG target, ITovikAppStatus** status, ULONG* job), (target, status, job, &result))
  TOVIK_RESULT_WRAPPER(ConfigureUsbInterface, (), (&result))
  TOVIK_RESULT_WRAPPER(GetConStatus, (ULONG handle, ULONG* status), (handle, status, &result))
  TOVIK_RESULT_WRAPPER(GetAccessPointState, (ULONG connection, ULONG selector, ITovikApStateItem** item), (connection, selector, item, &result))
  TOVIK_RESULT_WRAPPER(GetAvailableClientSpace, (ULONG connection, ITovikClientSpace** space), (connection, space, &result))
  TOVIK_RESULT_WRAPPER(EnableManualScan, (VARIANT_BOOL enable), (enable, &result))
  TOVIK_RESULT_WRAPPER(EnableAutoWifi, (VARIANT_BOOL enable), (enable, &result))
  TOVIK_RESULT_WRAPPER(GetAutoWifiInfo, (ITovikAdaptInfoList** list, VARIANT_BOOL* first, VARIANT_BOOL* second, VARIANT_BOOL* third), (list, first, second, third, &result))
  TOVIK_RESULT_WRAPPER(RunSelfTest, (ULONG connection, ITovikByteBuffer** buffer), (connection, buffer, &result))
  TOVIK_RESULT_WRAPPER(GetConfigItems, (ULONG connection, ITovikConfigItemList** items), (connection, items, &result))
  TOVIK_RESULT_WRAPPER(ConfigureWifiInterface, (), (&result))
  TOVIK_RESULT_WRAPPER(PendantGetAudio, (ULONG connection, ULONG* first, ULONG* second), (connection, first, second, &result))
  TOVIK_RESULT_WRAPPER(GetClientInfoList, (ULONG connection, ITovikClientInfoList** list), (connection, list, &result))
  TOVIK_RESULT_WRAPPER(GetClientInfo, (ULONG connection, BSTR id, ULONG location, ULONG option, ITovikClientAccessItem** item), (connection, id, location, option, item, &result))
  TOVIK_RESULT_WRAPPER(GetClientInfoResult, (ULONG connection, ULONG accessId, ITovikByteBuffer** buffer), (connection, accessId, buffer, &result))
  TOVIK_RESULT_WRAPPER(GetClientInfoFile, (ULONG connection, BSTR id, ULONG location, BSTR fileName, ITovikClientAccessItem** item), (connection, id, location, fileName, item, &result))
  TOVIK_RESULT_WRAPPER(GetModuleInfo3, (ULONG moduleId, ITovikVciInfo** info), (moduleId, info, &result))
  TOVIK_RESULT_WRAPPER(GetAppsPC_2, (ITovikAppPcItemList** list), (list, &result))
  TOVIK_RESULT_WRAPPER(Connect2, (ULONG first, ULONG second, ULONG* handle, BSTR text), (first, second, handle, text, &result))
  TOVIK_RESULT_WRAPPER(InstallVCIApp_2, (ULONG target, ULONG application, ITovikAppStatus** status, ULONG* job), (target, application, status, job, &result))
  TOVIK_RESULT_WRAPPER(GetAppsVCI_2, (ULONG first, ULONG second, ULONG third, ITovikAppVciItemList** list), (first, second, third, list, &result))
  TOVIK_RESULT_WRAPPER(GetAppsPC_3, (ITovikAppPcItemList** list), (list, &result))
  TOVIK_RESULT_WRAPPER(GetVersionInformation_2, (ULONG handle, ULONG second, ITovikVersionInfo** info), (handle, second, info, &result))
#undef TOVIK_RESULT_WRAPPER
};

}  // namespace TovikApiProviderLib

// Smart pointers, e.g. TovikApiProviderLib::ITovikManagerPtr.
namespace TovikApiProviderLib {
_COM_SMARTPTR_TYPEDEF(ITovikManager, __uuidof(ITovikManager));
_COM_SMARTPTR_TYPEDEF(ITovikVciItems, __uuidof(ITovikVciItems));
_COM_SMARTPTR_TYPEDEF(ITovikVciItem, __uuidof(ITovikVciItem));
_COM_SMARTPTR_TYPEDEF(ITovikVciInfo, __uuidof(ITovikVciInfo));
_COM_SMARTPTR_TYPEDEF(ITovikClientInfo, __uuidof(ITovikClientInfo));
_COM_SMARTPTR_TYPEDEF(ITovikAppPcItemList, __uuidof(ITovikAppPcItemList));
_COM_SMARTPTR_TYPEDEF(ITovikAppPcItem, __uuidof(ITovikAppPcItem));
_COM_SMARTPTR_TYPEDEF(ITovikVersionInfo, __uuidof(ITovikVersionInfo));
_COM_SMARTPTR_TYPEDEF(ITovikVersionItemList, __uuidof(ITovikVersionItemList));
_COM_SMARTPTR_TYPEDEF(ITovikVersionItem, __uuidof(ITovikVersionItem));
_COM_SMARTPTR_TYPEDEF(ITovikClientAccessItem, __uuidof(ITovikClientAccessItem));
_COM_SMARTPTR_TYPEDEF(ITovikAppVciItemList, __uuidof(ITovikAppVciItemList));
_COM_SMARTPTR_TYPEDEF(ITovikAppVciItem, __uuidof(ITovikAppVciItem));
_COM_SMARTPTR_TYPEDEF(ITovikAppStatus, __uuidof(ITovikAppStatus));
_COM_SMARTPTR_TYPEDEF(ITovikPendantLeds, __uuidof(ITovikPendantLeds));
_COM_SMARTPTR_TYPEDEF(ITovikPendantLed, __uuidof(ITovikPendantLed));
_COM_SMARTPTR_TYPEDEF(ITovikPendantDisp, __uuidof(ITovikPendantDisp));
_COM_SMARTPTR_TYPEDEF(ITovikApStateItem, __uuidof(ITovikApStateItem));
_COM_SMARTPTR_TYPEDEF(ITovikClientSpace, __uuidof(ITovikClientSpace));
_COM_SMARTPTR_TYPEDEF(ITovikAdaptInfoList, __uuidof(ITovikAdaptInfoList));
_COM_SMARTPTR_TYPEDEF(ITovikAdaptInfoItem, __uuidof(ITovikAdaptInfoItem));
_COM_SMARTPTR_TYPEDEF(ITovikConfigItemList, __uuidof(ITovikConfigItemList));
_COM_SMARTPTR_TYPEDEF(ITovikConfigItem, __uuidof(ITovikConfigItem));
_COM_SMARTPTR_TYPEDEF(ITovikClientInfoList, __uuidof(ITovikClientInfoList));
_COM_SMARTPTR_TYPEDEF(ITovikClientInfoItem, __uuidof(ITovikClientInfoItem));
_COM_SMARTPTR_TYPEDEF(ITovikByteBuffer, __uuidof(ITovikByteBuffer));
}  // namespace TovikApiProviderLib
