#pragma once
// CTovikManagerIF: the native face of one provider manager object.
//
// Every public operation except WaitForEvents is a command: it runs its
// private Cmd... member on the command thread (core/ThreadManager.h) and
// returns the command's result. The provider interface is not a field: it
// lives in the registry TovikManagerObjects under the facade's address.
// The facade owns its three events and its event thread object.
//
// The operations are implemented by feature group in facade/*.cpp; the
// command members use the helpers of facade/ManagerCommand.h.

#include <vector>

#include "TovikExport.h"
#include "core/Registries.h"
#include "core/ThreadCommand.h"
#include "tovik/platform.h"

class CTovikVciItemsIF;
class CTovikVciInfoIF;
class CTovikVersionInfoIF;
class CTovikAppPcItemListIF;
class CTovikAppVciItemListIF;
class CTovikAppStatusIF;
class CTovikClientAccessItemIF;
class CTovikClientSpaceIF;
class CTovikClientInfoListIF;
class CTovikPendantLedsIF;
class CTovikPendantDispIF;
class CTovikApStateItemIF;
class CTovikAdaptInfoItemsIF;
class CTovikConfigItemsIF;

// One event as the provider reports it: three values, in its order.
struct TovikEventValues {
  ULONG first;
  ULONG second;
  ULONG third;
};

class TOVIK_API CTovikManagerIF {
 public:
  typedef CThreadCommand<CTovikManagerIF, INT_PTR (CTovikManagerIF::*)(std::vector<INT_PTR>&)> CommandType;

  // ---- lifecycle (facade/Lifecycle.cpp) ----
  // Creates the events, installs logSink as the core log's sink, starts the
  // command thread and creates the provider's manager object.
  explicit CTovikManagerIF(void (*logSink)(const char*));
  // Cancels the provider's event wait, stops the event thread, closes the
  // events and releases the provider object.
  ~CTovikManagerIF();
  CTovikManagerIF(const CTovikManagerIF&) = delete;
  CTovikManagerIF& operator=(const CTovikManagerIF&) = delete;

  LONG InitializeRuntime(const char* first, const char* second, bool flag);
  LONG ConfigureUsbInterface();
  LONG ConfigureWifiInterface();

  // ---- modules (facade/Modules.cpp) ----
  LONG GetModuleIds(CTovikVciItemsIF** items);
  LONG GetModuleInfo(ULONG moduleId, CTovikVciInfoIF** info);
  LONG GetModuleInfo3(ULONG moduleId, CTovikVciInfoIF** info);

  // ---- connections (facade/Connections.cpp) ----
  LONG Connect(ULONG first, ULONG second, ULONG* handle);
  LONG Connect2(ULONG first, ULONG second, ULONG* handle, const char* text);
  LONG GetConStatus(ULONG handle, ULONG* status);
  LONG Disconnect(ULONG handle);

  // ---- versions (facade/Versions.cpp) ----
  LONG GetVersionInformation(ULONG handle, ULONG second, CTovikVersionInfoIF** info);
  LONG GetVersionInformation_2(ULONG handle, ULONG second, CTovikVersionInfoIF** info);

  // ---- events (facade/Events.cpp) ----
  LONG RegisterForEvents(ULONG first, ULONG second);
  // Not a command: hands one provider wait over to the event thread and
  // returns its result (0: events are pending). One waiter per facade: a
  // second thread that calls while a wait is in progress is answered at once
  // with 1, as is any caller once EndEventWaits has run.
  int WaitForEvents();
  int GetNextEvent(ULONG* first, ULONG* second, ULONG* third);
  // Every pending event in one command: the provider's GetNextEvent until it
  // reports none (or fails), each call logged as GetNextEvent logs it.
  // Appends the events to *events in the provider's order; returns how many.
  int GetNextEvents(std::vector<TovikEventValues>* events);
  // Ends the wait in progress (if any) and stops the event thread. Returns
  // once a provider wait that was running has ended.
  void CancelEventNotification();
  // Shutdown: no wait starts any more, and the one in progress is cancelled.
  void EndEventWaits();

  // ---- application catalogues (facade/AppCatalogues.cpp) ----
  LONG GetAppsPC(CTovikAppPcItemListIF** list);
  LONG GetAppsPC_2(CTovikAppPcItemListIF** list);
  LONG GetAppsPC_3(CTovikAppPcItemListIF** list);
  LONG GetAppsVCI(ULONG first, ULONG second, ULONG third, CTovikAppVciItemListIF** list);
  LONG GetAppsVCI_2(ULONG first, ULONG second, ULONG third, CTovikAppVciItemListIF** list);

  // ---- installation and firmware (facade/Installation.cpp) ----
  LONG InstallVCIApp(ULONG target, const char* name, CTovikAppStatusIF** status, ULONG* job);
  LONG InstallVCIApp_2(ULONG target, ULONG application, CTovikAppStatusIF** status, ULONG* job);
  LONG UninstallVCIApp(ULONG target, const char* name, CTovikAppStatusIF** status, ULONG* job);
  LONG InstallGetStatus(ULONG target, ULONG job, CTovikAppStatusIF** status);
  LONG UpdateSystemFirmware(ULONG target, CTovikAppStatusIF** status, ULONG* job);

  // ---- application control (facade/AppControl.cpp) ----
  LONG ControlApp(ULONG first, ULONG second, ULONG third);
  LONG SetConfigApp(ULONG first, ULONG second, ULONG third);
  LONG GetConfigApp(ULONG first, ULONG second, ULONG* value);

  // ---- storing client information (facade/ClientInfoStore.cpp) ----
  LONG StoreClientInfo(ULONG connection, const char* id, ULONG location, unsigned char* data, ULONG length,
                       ULONG option, CTovikClientAccessItemIF** item);
  LONG StoreClientInfoFile(ULONG connection, const char* id, ULONG location, const char* fileName, ULONG option,
                           CTovikClientAccessItemIF** item);
  LONG DeleteClientInfo(ULONG connection, const char* id, ULONG location);
  LONG GetClientAccessStatus(ULONG connection, ULONG accessId, CTovikClientAccessItemIF** item);
  LONG GetAvailableClientSpace(ULONG connection, CTovikClientSpaceIF** space);

  // ---- retrieving client information (facade/ClientInfoRead.cpp) ----
  LONG GetClientInfoList(ULONG connection, CTovikClientInfoListIF** list);
  LONG GetClientInfo(ULONG connection, const OLECHAR* id, ULONG location, ULONG option,
                     CTovikClientAccessItemIF** item);
  // *data is a LocalAlloc block of *length bytes (or null); the caller frees it.
  LONG GetClientInfoResult(ULONG connection, ULONG accessId, unsigned int* length, unsigned char** data);
  LONG GetClientInfoFile(ULONG connection, const OLECHAR* id, ULONG location, const OLECHAR* fileName,
                         CTovikClientAccessItemIF** item);

  // ---- pendant (facade/Pendant.cpp) ----
  LONG PendantSetLeds(ULONG connection, CTovikPendantLedsIF* leds);
  LONG PendantGetLeds(ULONG connection, CTovikPendantLedsIF* leds);
  LONG PendantSetSegDisp(ULONG connection, CTovikPendantDispIF* display, ULONG first, ULONG second);
  LONG PendantGetSegDisp(ULONG connection, ULONG* first, ULONG* second, CTovikPendantDispIF** display);
  LONG PendantSetAudio(ULONG connection, ULONG first, ULONG second, ULONG third, ULONG fourth);
  LONG PendantGetAudio(ULONG connection, ULONG* first, ULONG* second);

  // ---- wireless (facade/Wireless.cpp) ----
  LONG GetAccessPointState(ULONG connection, ULONG selector, CTovikApStateItemIF** item);
  LONG EnableManualScan(bool enable);
  LONG EnableAutoWifi(bool enable);
  LONG GetAutoWifiInfo(CTovikAdaptInfoItemsIF** list, bool& first, bool& second, bool& third);

  // ---- diagnostics (facade/Diagnostics.cpp) ----
  // *data is a LocalAlloc block of *length bytes (or null); the caller frees it.
  LONG RunSelfTest(ULONG connection, unsigned int* length, unsigned char** data);
  LONG GetConfigItems(ULONG connection, CTovikConfigItemsIF** items);

 private:
  typedef std::vector<INT_PTR> Args;

  // Thread procedure of the event thread; its parameter is the facade.
  static UINT WaitForEventProc(LPVOID facade);
  // Stops and deletes the event thread, if any (destroy command); manager is
  // the provider interface whose cancel ends the thread's wait (may be null).
  void StopEventThread(TovikApiProviderLib::ITovikManager* manager);
  // Event thread: runs one provider wait unless a cancellation came first.
  void ServeWait(TovikApiProviderLib::ITovikManager* manager);
  // Repeats the provider's cancel while the provider wait numbered `wait`
  // is still running: a cancel that reached the provider just before that
  // wait began was lost.
  void RepeatLostCancel(ULONG wait);
  void LeaveWait();
  // Event thread: hands the last wait result to the waiting thread, if one
  // waits, and sets the done event.
  void Answer(HANDLE doneEvent);

  // How long a canceller waits for a provider wait to end before it repeats the cancel.
  static constexpr DWORD kCancelRepeatMs = 200;

  INT_PTR CmdCreateObject(Args& args);
  INT_PTR CmdDestroyObject(Args& args);
  INT_PTR CmdInitializeRuntime(Args& args);
  INT_PTR CmdConfigureUsbInterface(Args& args);
  INT_PTR CmdConfigureWifiInterface(Args& args);

  INT_PTR CmdGetModulesIds(Args& args);
  INT_PTR CmdGetModuleInfo(Args& args);
  INT_PTR CmdGetModuleInfo3(Args& args);

  INT_PTR CmdConnect(Args& args);
  INT_PTR CmdConnect2(Args& args);
  INT_PTR CmdGetConStatus(Args& args);
  INT_PTR CmdDisconnect(Args& args);

  INT_PTR CmdGetVersionInformation(Args& args);
  INT_PTR CmdGetVersionInformation_2(Args& args);

  INT_PTR CmdRegisterForEvents(Args& args);
  INT_PTR CmdGetNextEvent(Args& args);
  INT_PTR CmdGetNextEvents(Args& args);
  INT_PTR CmdCancelEventNotification(Args& args);
  // One provider GetNextEvent with its log lines; the provider's result
  // sign-extended, 0 without interface or on a provider error. Null
  // outputs (too few arguments) make no provider call.
  static INT_PTR NextEvent(TovikApiProviderLib::ITovikManager* manager, ULONG* first, ULONG* second, ULONG* third);

  INT_PTR CmdGetAppsPC(Args& args);
  INT_PTR CmdGetAppsPC_2(Args& args);
  INT_PTR CmdGetAppsPC_3(Args& args);
  INT_PTR CmdGetAppsVCI(Args& args);
  INT_PTR CmdGetAppsVCI_2(Args& args);

  INT_PTR CmdInstallVCIApp(Args& args);
  INT_PTR CmdInstallVCIApp_2(Args& args);
  INT_PTR CmdUninstallVCIApp(Args& args);
  INT_PTR CmdInstallGetStatus(Args& args);
  INT_PTR CmdUpdateSystemFirmware(Args& args);

  INT_PTR CmdControlApp(Args& args);
  INT_PTR CmdSetConfigApp(Args& args);
  INT_PTR CmdGetConfigApp(Args& args);

  INT_PTR CmdStoreClientInfo(Args& args);
  INT_PTR CmdStoreClientInfoFile(Args& args);
  INT_PTR CmdDeleteClientInfo(Args& args);
  INT_PTR CmdGetClientAccessStatus(Args& args);
  INT_PTR CmdGetAvailableClientSpace(Args& args);

  INT_PTR CmdGetClientInfoList(Args& args);
  INT_PTR CmdGetClientInfo(Args& args);
  INT_PTR CmdGetClientInfoResult(Args& args);
  INT_PTR CmdGetClientInfoFile(Args& args);

  INT_PTR CmdPendantSetLeds(Args& args);
  INT_PTR CmdPendantGetLeds(Args& args);
  INT_PTR CmdPendantSetSegDisp(Args& args);
  INT_PTR CmdPendantGetSegDisp(Args& args);
  INT_PTR CmdPendantSetAudio(Args& args);
  INT_PTR CmdPendantGetAudio(Args& args);

  INT_PTR CmdGetAccessPointState(Args& args);
  INT_PTR CmdEnableManualScan(Args& args);
  INT_PTR CmdEnableAutoWifi(Args& args);
  INT_PTR CmdGetAutoWifiInfo(Args& args);

  INT_PTR CmdRunSelfTest(Args& args);
  INT_PTR CmdGetConfigItems(Args& args);

  HANDLE m_cancelEvent;       // manual-reset: ends the event thread
  HANDLE m_startEvent;        // manual-reset: starts one provider wait
  HANDLE m_doneEvent;         // manual-reset: the event thread's answer
  CWinThread* m_eventThread;  // auto-delete off; null until the first wait

  // Hand-over state between waiters, cancellers and the event thread.
  CCriticalSection m_eventLock;   // guards the members below
  HANDLE m_waitEndedEvent;        // manual-reset: set while no provider wait runs
  ULONG m_waitCount;              // provider waits started so far
  VARIANT_BOOL m_lastWaitResult;  // result of this facade's last provider wait
  bool m_providerWaiting;         // the event thread is in (or entering) a provider wait
  bool m_waiterActive;            // a thread is inside WaitForEvents
  bool m_cancelPending;           // the active waiter was cancelled
  VARIANT_BOOL* m_waiterAnswer;   // where the handed-over waiter takes its answer
  bool m_closing;                 // EndEventWaits ran: no more waits
};
