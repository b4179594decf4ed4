// Manager: application catalogues, installation jobs, application control
// and configuration.

#include "Manager.h"
#include "ResultObjects.h"
#include "Text.h"

namespace tovik::sim {

namespace {

const IID& Iid() { return __uuidof(P::ITovikManager); }

// Starts a job through `start` and hands out its first status.
template <class F>
LONG JobStart(const ProviderCall& call, P::ITovikAppStatus** status, F&& start) {
  AppStatusData data;
  const LONG code = start(&data);
  if (code == 0) call.Hand(status, Create<AppStatus>(std::move(data)));
  return code;
}

}  // namespace

// ---- catalogues

namespace {
HRESULT PcCatalogue(const ProviderCall& call, P::ITovikAppPcItemList** list, LONG* result) {
  if (call.Failed()) return call.Hr();
  if (list == nullptr || result == nullptr) return E_POINTER;
  call.Hand(list, Create<AppPcItemList>(Workshop::Instance().AppsPc()));
  *result = call.Result(LONG{0});
  return S_OK;
}
}  // namespace

HRESULT Manager::raw_GetAppsPC(P::ITovikAppPcItemList** list, LONG* result) {
  return PcCatalogue(ProviderCall(Key("GetAppsPC"), Iid()), list, result);
}

HRESULT Manager::raw_GetAppsPC_2(P::ITovikAppPcItemList** list, LONG* result) {
  return PcCatalogue(ProviderCall(Key("GetAppsPC_2"), Iid()), list, result);
}

HRESULT Manager::raw_GetAppsPC_3(P::ITovikAppPcItemList** list, LONG* result) {
  return PcCatalogue(ProviderCall(Key("GetAppsPC_3"), Iid()), list, result);
}

HRESULT Manager::raw_GetAppsVCI(ULONG first, ULONG second, ULONG third, P::ITovikAppVciItemList** list,
                                LONG* result) {
  ProviderCall call(Key("GetAppsVCI"), Iid(), first, second, third);
  return Complete(call, result, [&] {
    std::vector<AppVciData> apps;
    const LONG code = Model().AppsVci(first, &apps);
    if (code == 0) call.Hand(list, Create<AppVciItemList>(std::move(apps)));
    return code;
  }, list);
}

HRESULT Manager::raw_GetAppsVCI_2(ULONG first, ULONG second, ULONG third, P::ITovikAppVciItemList** list,
                                  LONG* result) {
  ProviderCall call(Key("GetAppsVCI_2"), Iid(), first, second, third);
  return Complete(call, result, [&] {
    std::vector<AppVciData> apps;
    const LONG code = Model().AppsVci(first, &apps);
    if (code == 0) call.Hand(list, Create<AppVciItemList>(std::move(apps)));
    return code;
  }, list);
}

// ---- jobs

HRESULT Manager::raw_InstallVCIApp(ULONG target, BSTR name, P::ITovikAppStatus** status, ULONG* job, LONG* result) {
  ProviderCall call(Key("InstallVCIApp"), Iid(), target, name);
  return Complete(call, result, [&] {
    return JobStart(call, status, [&](AppStatusData* d) { return Model().InstallByName(target, Utf8FromBstr(name), d, job); });
  }, status, job);
}

HRESULT Manager::raw_InstallVCIApp_2(ULONG target, ULONG application, P::ITovikAppStatus** status, ULONG* job,
                                     LONG* result) {
  ProviderCall call(Key("InstallVCIApp_2"), Iid(), target, application);
  return Complete(call, result, [&] {
    return JobStart(call, status, [&](AppStatusData* d) { return Model().InstallByNumber(target, application, d, job); });
  }, status, job);
}

HRESULT Manager::raw_UninstallVCIApp(ULONG target, BSTR name, P::ITovikAppStatus** status, ULONG* job,
                                     LONG* result) {
  ProviderCall call(Key("UninstallVCIApp"), Iid(), target, name);
  return Complete(call, result, [&] {
    return JobStart(call, status, [&](AppStatusData* d) { return Model().Uninstall(target, Utf8FromBstr(name), d, job); });
  }, status, job);
}

HRESULT Manager::raw_UpdateSystemFirmware(ULONG target, P::ITovikAppStatus** status, ULONG* job, LONG* result) {
  ProviderCall call(Key("UpdateSystemFirmware"), Iid(), target);
  return Complete(call, result, [&] {
    return JobStart(call, status, [&](AppStatusData* d) { return Model().UpdateFirmware(target, d, job); });
  }, status, job);
}

HRESULT Manager::raw_InstallGetStatus(ULONG target, ULONG job, P::ITovikAppStatus** status, LONG* result) {
  ProviderCall call(Key("InstallGetStatus"), Iid(), target, job);
  return Complete(call, result, [&] {
    return JobStart(call, status, [&](AppStatusData* d) { return Model().JobStatus(target, job, d); });
  }, status);
}

// ---- control and configuration

HRESULT Manager::raw_ControlApp(ULONG first, ULONG second, ULONG third, LONG* result) {
  ProviderCall call(Key("ControlApp"), Iid(), first, second, third);
  return Complete(call, result, [&] { return Model().ControlApp(first, second, third); });
}

HRESULT Manager::raw_SetConfigApp(ULONG first, ULONG second, ULONG third, LONG* result) {
  ProviderCall call(Key("SetConfigApp"), Iid(), first, second, third);
  return Complete(call, result, [&] { return Model().SetConfig(first, second, third); });
}

HRESULT Manager::raw_GetConfigApp(ULONG first, ULONG second, ULONG* value, LONG* result) {
  ProviderCall call(Key("GetConfigApp"), Iid(), first, second);
  return Complete(call, result, [&] { return Model().GetConfig(first, second, value); }, value);
}

}  // namespace tovik::sim
