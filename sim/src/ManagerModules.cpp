// Manager: runtime, modules, connections, versions and events.

#include "Manager.h"
#include "ResultObjects.h"
#include "Text.h"

namespace tovik::sim {

namespace {
const IID& Iid() { return __uuidof(P::ITovikManager); }
}  // namespace

Manager::Manager() { Model().Attach(&events_); }

Manager::~Manager() { Model().Detach(&events_); }

// ---- runtime

HRESULT Manager::raw_InitializeRuntime(BSTR first, BSTR second, VARIANT_BOOL flag) {
  ProviderCall call(Key("InitializeRuntime"), Iid(), first, second, flag);
  if (call.Failed()) return call.Hr();
  Model().InitializeRuntime(first ? Utf8FromBstr(first) : "null", second ? Utf8FromBstr(second) : "null", flag);
  return S_OK;
}

HRESULT Manager::raw_ConfigureUsbInterface(LONG* result) {
  ProviderCall call(Key("ConfigureUsbInterface"), Iid());
  return Complete(call, result, [] { return LONG{0}; });
}

HRESULT Manager::raw_ConfigureWifiInterface(LONG* result) {
  ProviderCall call(Key("ConfigureWifiInterface"), Iid());
  return Complete(call, result, [] { return LONG{0}; });
}

// ---- modules

HRESULT Manager::raw_GetModuleIds(P::ITovikVciItems** items, LONG* result) {
  ProviderCall call(Key("GetModuleIds"), Iid());
  return Complete(call, result, [&] {
    call.Hand(items, Create<VciItems>(Model().ModuleItems()));
    return LONG{0};
  }, items);
}

namespace {
LONG ModuleInfoInto(const ProviderCall& call, ULONG moduleId, P::ITovikVciInfo** info) {
  VciInfoData data;
  const LONG code = Workshop::Instance().ModuleInfo(moduleId, &data);
  if (code == 0) call.Hand(info, Create<VciInfo>(std::move(data)));
  return code;
}
}  // namespace

HRESULT Manager::raw_GetModuleInfo(ULONG moduleId, P::ITovikVciInfo** info, LONG* result) {
  ProviderCall call(Key("GetModuleInfo"), Iid(), moduleId);
  return Complete(call, result, [&] { return ModuleInfoInto(call, moduleId, info); }, info);
}

HRESULT Manager::raw_GetModuleInfo3(ULONG moduleId, P::ITovikVciInfo** info, LONG* result) {
  ProviderCall call(Key("GetModuleInfo3"), Iid(), moduleId);
  return Complete(call, result, [&] { return ModuleInfoInto(call, moduleId, info); }, info);
}

// ---- connections

HRESULT Manager::raw_Connect(ULONG first, ULONG second, ULONG* handle, LONG* result) {
  ProviderCall call(Key("Connect"), Iid(), first, second);
  return Complete(call, result, [&] { return Model().Connect(first, second, nullptr, handle); }, handle);
}

HRESULT Manager::raw_Connect2(ULONG first, ULONG second, ULONG* handle, BSTR text, LONG* result) {
  ProviderCall call(Key("Connect2"), Iid(), first, second, text);
  return Complete(call, result, [&] {
    const std::string client = Utf8FromBstr(text);
    return Model().Connect(first, second, &client, handle);
  }, handle);
}

HRESULT Manager::raw_Disconnect(ULONG handle, LONG* result) {
  ProviderCall call(Key("Disconnect"), Iid(), handle);
  return Complete(call, result, [&] { return Model().Disconnect(handle); });
}

HRESULT Manager::raw_GetConStatus(ULONG handle, ULONG* status, LONG* result) {
  ProviderCall call(Key("GetConStatus"), Iid(), handle);
  return Complete(call, result, [&] { return Model().ConnectionStatus(handle, status); }, status);
}

// ---- versions

HRESULT Manager::raw_GetVersionInformation(ULONG handle, ULONG second, P::ITovikVersionInfo** info, LONG* result) {
  ProviderCall call(Key("GetVersionInformation"), Iid(), handle, second);
  return Complete(call, result, [&] {
    call.Hand(info, Create<VersionInfo>(Model().Versions()));
    return LONG{0};
  }, info);
}

HRESULT Manager::raw_GetVersionInformation_2(ULONG handle, ULONG second, P::ITovikVersionInfo** info,
                                             LONG* result) {
  ProviderCall call(Key("GetVersionInformation_2"), Iid(), handle, second);
  return Complete(call, result, [&] {
    call.Hand(info, Create<VersionInfo>(Model().Versions()));
    return LONG{0};
  }, info);
}

// ---- events

HRESULT Manager::raw_RegisterForEvents(ULONG first, ULONG second, LONG* result) {
  ProviderCall call(Key("RegisterForEvents"), Iid(), first, second);
  return Complete(call, result, [&] { return Model().Register(&events_, first, second); });
}

HRESULT Manager::raw_WaitForEvents(VARIANT_BOOL* result) {
  ProviderCall call(Key("WaitForEvents"), Iid());
  if (call.Failed()) return call.Hr();
  if (result == nullptr) return E_POINTER;
  *result = call.Result<VARIANT_BOOL>(Model().Wait(&events_));
  return S_OK;
}

HRESULT Manager::raw_GetNextEvent(ULONG* first, ULONG* second, ULONG* third, VARIANT_BOOL* result) {
  ProviderCall call(Key("GetNextEvent"), Iid());
  if (call.Failed()) return call.Hr();
  if (first == nullptr || second == nullptr || third == nullptr || result == nullptr) return E_POINTER;
  std::array<ULONG, 3> event{};
  const bool popped = Model().NextEvent(&events_, &event);
  if (popped) {
    *first = event[0];
    *second = event[1];
    *third = event[2];
  }
  *result = call.Result<VARIANT_BOOL>(popped ? VARIANT_TRUE : VARIANT_FALSE);
  return S_OK;
}

HRESULT Manager::raw_CancelEventNotification() {
  ProviderCall call(Key("CancelEventNotification"), Iid());
  if (call.Failed()) return call.Hr();
  Model().Cancel(&events_);
  return S_OK;
}

}  // namespace tovik::sim
