#pragma once
// The provider's manager object. Each method journals its call, applies the
// injected faults, lets the workshop model do the work and hands out
// snapshot objects of the answer. The methods are spread over
// Manager*.cpp by feature group.

#include "ComObject.h"
#include "Workshop.h"

namespace tovik::sim {

namespace P = TovikApiProviderLib;

class Manager : public ComObject<P::ITovikManager> {
 public:
  Manager();

  // runtime, modules, connections, versions, events (ManagerModules.cpp)
  HRESULT STDMETHODCALLTYPE raw_InitializeRuntime(BSTR first, BSTR second, VARIANT_BOOL flag) override;
  HRESULT STDMETHODCALLTYPE raw_ConfigureUsbInterface(LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_ConfigureWifiInterface(LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetModuleIds(P::ITovikVciItems** items, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetModuleInfo(ULONG moduleId, P::ITovikVciInfo** info, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetModuleInfo3(ULONG moduleId, P::ITovikVciInfo** info, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_Connect(ULONG first, ULONG second, ULONG* handle, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_Connect2(ULONG first, ULONG second, ULONG* handle, BSTR text, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_Disconnect(ULONG handle, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetConStatus(ULONG handle, ULONG* status, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetVersionInformation(ULONG handle, ULONG second, P::ITovikVersionInfo** info,
                                                      LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetVersionInformation_2(ULONG handle, ULONG second, P::ITovikVersionInfo** info,
                                                        LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_RegisterForEvents(ULONG first, ULONG second, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_WaitForEvents(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetNextEvent(ULONG* first, ULONG* second, ULONG* third,
                                             VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE raw_CancelEventNotification() override;

  // applications (ManagerApps.cpp)
  HRESULT STDMETHODCALLTYPE raw_GetAppsPC(P::ITovikAppPcItemList** list, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAppsPC_2(P::ITovikAppPcItemList** list, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAppsPC_3(P::ITovikAppPcItemList** list, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAppsVCI(ULONG first, ULONG second, ULONG third, P::ITovikAppVciItemList** list,
                                           LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAppsVCI_2(ULONG first, ULONG second, ULONG third,
                                             P::ITovikAppVciItemList** list, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_InstallVCIApp(ULONG target, BSTR name, P::ITovikAppStatus** status, ULONG* job,
                                              LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_InstallVCIApp_2(ULONG target, ULONG application, P::ITovikAppStatus** status,
                                                ULONG* job, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_UninstallVCIApp(ULONG target, BSTR name, P::ITovikAppStatus** status, ULONG* job,
                                                LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_UpdateSystemFirmware(ULONG target, P::ITovikAppStatus** status, ULONG* job,
                                                     LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_InstallGetStatus(ULONG target, ULONG job, P::ITovikAppStatus** status,
                                                 LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_ControlApp(ULONG first, ULONG second, ULONG third, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_SetConfigApp(ULONG first, ULONG second, ULONG third, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetConfigApp(ULONG first, ULONG second, ULONG* value, LONG* result) override;

  // client information (ManagerClientInfo.cpp)
  HRESULT STDMETHODCALLTYPE raw_StoreClientInfo(ULONG connection, BSTR id, ULONG location, VARIANT data,
                                                ULONG option, P::ITovikClientAccessItem** item,
                                                LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_StoreClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName,
                                                    ULONG option, P::ITovikClientAccessItem** item,
                                                    LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_DeleteClientInfo(ULONG connection, BSTR id, ULONG location, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetClientAccessStatus(ULONG connection, ULONG accessId,
                                                      P::ITovikClientAccessItem** item, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAvailableClientSpace(ULONG connection, P::ITovikClientSpace** space,
                                                        LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetClientInfoList(ULONG connection, P::ITovikClientInfoList** list,
                                                  LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetClientInfo(ULONG connection, BSTR id, ULONG location, ULONG option,
                                              P::ITovikClientAccessItem** item, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetClientInfoResult(ULONG connection, ULONG accessId, P::ITovikByteBuffer** buffer,
                                                    LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName,
                                                  P::ITovikClientAccessItem** item, LONG* result) override;

  // pendant, wireless, diagnostics (ManagerDevice.cpp)
  HRESULT STDMETHODCALLTYPE raw_PendantSetLeds(ULONG connection, P::ITovikPendantLeds* leds, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_PendantGetLeds(ULONG connection, P::ITovikPendantLeds* leds, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_PendantSetSegDisp(ULONG connection, P::ITovikPendantDisp* display, ULONG first,
                                                  ULONG second, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_PendantGetSegDisp(ULONG connection, ULONG* first, ULONG* second,
                                                  P::ITovikPendantDisp** display, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_PendantSetAudio(ULONG connection, ULONG first, ULONG second, ULONG third,
                                                ULONG fourth, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_PendantGetAudio(ULONG connection, ULONG* first, ULONG* second,
                                                LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAccessPointState(ULONG connection, ULONG selector, P::ITovikApStateItem** item,
                                                    LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_EnableManualScan(VARIANT_BOOL enable, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_EnableAutoWifi(VARIANT_BOOL enable, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetAutoWifiInfo(P::ITovikAdaptInfoList** list, VARIANT_BOOL* first,
                                                VARIANT_BOOL* second, VARIANT_BOOL* third, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_RunSelfTest(ULONG connection, P::ITovikByteBuffer** buffer, LONG* result) override;
  HRESULT STDMETHODCALLTYPE raw_GetConfigItems(ULONG connection, P::ITovikConfigItemList** items,
                                               LONG* result) override;

 protected:
  ~Manager() override;

 private:
  // Ends a method that outputs a result code: checks the listed output
  // pointers, runs `work` (which returns the model's code) and stores the
  // code, or the value a test set for this method.
  template <class F, class... Out>
  static HRESULT Complete(const ProviderCall& call, LONG* result, F&& work, Out*... outputs) {
    if (call.Failed()) return call.Hr();
    if (result == nullptr || ((outputs == nullptr) || ...)) return E_POINTER;
    *result = call.Result<LONG>(work());
    return S_OK;
  }

  static Workshop& Model() { return Workshop::Instance(); }

  EventSink events_;
};

}  // namespace tovik::sim
