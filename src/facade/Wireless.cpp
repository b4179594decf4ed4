// Wireless operations of the manager facade: access-point state, the manual
// scan and automatic Wi-Fi switches, and the list of Wi-Fi adapters.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/WirelessWrappers.h"

using TovikApiProviderLib::ITovikAdaptInfoListPtr;
using TovikApiProviderLib::ITovikApStateItemPtr;

// ---- public operations

LONG CTovikManagerIF::GetAccessPointState(ULONG connection, ULONG selector, CTovikApStateItemIF** item) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetAccessPointState, connection, selector, item));
}

LONG CTovikManagerIF::EnableManualScan(bool enable) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdEnableManualScan, enable));
}

LONG CTovikManagerIF::EnableAutoWifi(bool enable) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdEnableAutoWifi, enable));
}

LONG CTovikManagerIF::GetAutoWifiInfo(CTovikAdaptInfoItemsIF** list, bool& first, bool& second, bool& third) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetAutoWifiInfo, list, &first, &second, &third));
}

// ---- command members

INT_PTR CTovikManagerIF::CmdGetAccessPointState(Args& args) {
  constexpr const char* kFunction = "CTovikManagerIF::CmdGetAccessPointState";
  CORE_LOG(kFunction) << "Cmd Get Access Point State" << LogEnd;
  LONG result = kResultNoInterface;
  {
    CManagerCommand manager(this, args);
    if (manager.Ready(3)) {
      ITovikApStateItemPtr item;
      result = manager->GetAccessPointState(manager.Ulong(0), manager.Ulong(1), &item);
      HandOut<CTovikApStateItemIF>(item, manager.Slot(2));
    }
  }  // the item and the manager are released here
  CORE_LOG(kFunction) << "Cmd Get Access Point State " << result << LogEnd;
  return result;
}

// The packed bool is 1 or 0; exactly 1 becomes VARIANT_TRUE.
INT_PTR CTovikManagerIF::CmdEnableManualScan(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(1)) return kResultNoFacade;
  return manager->EnableManualScan(manager.Bool(0));
}

INT_PTR CTovikManagerIF::CmdEnableAutoWifi(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(1)) return kResultNoFacade;
  return manager->EnableAutoWifi(manager.Bool(0));
}

// Each flag the provider returns is true only when it is VARIANT_TRUE (-1).
INT_PTR CTovikManagerIF::CmdGetAutoWifiInfo(Args& args) {
  constexpr const char* kFunction = "CTovikManagerIF::CmdGetAutoWifiInfo";
  CORE_LOG(kFunction) << "Start" << LogEnd;
  LONG result = kResultNoFacade;
  {
    CManagerCommand manager(this, args);
    if (manager.Ready(4)) {
      ITovikAdaptInfoListPtr list;
      VARIANT_BOOL flags[3] = {VARIANT_FALSE, VARIANT_FALSE, VARIANT_FALSE};
      result = manager->GetAutoWifiInfo(&list, &flags[0], &flags[1], &flags[2]);
      HandOut<CTovikAdaptInfoItemsIF>(list, manager.Slot(0));
      for (std::size_t i = 0; i < 3; ++i) {
        if (bool* flag = manager.Out<bool>(i + 1)) *flag = flags[i] == VARIANT_TRUE;
      }
    }
  }  // the list and the manager are released here
  CORE_LOG(kFunction) << "Done" << LogEnd;
  return result;
}
