// Application catalogues: the PC-side catalogue in three generations and the
// module-side catalogue in two. Each command hands the provider's list out in
// a new list wrapper; the generations share the list and item wrappers.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "wrappers/AppWrappers.h"

using TovikApiProviderLib::ITovikAppPcItemListPtr;
using TovikApiProviderLib::ITovikAppVciItemListPtr;
using TovikApiProviderLib::ITovikManager;

namespace {

typedef LONG (ITovikManager::*PcCatalogueCall)(TovikApiProviderLib::ITovikAppPcItemList** list);
typedef LONG (ITovikManager::*VciCatalogueCall)(ULONG first, ULONG second, ULONG third,
                                                TovikApiProviderLib::ITovikAppVciItemList** list);

// Packed: output list.
INT_PTR PcCatalogue(CManagerCommand& manager, PcCatalogueCall call) {
  if (!manager.Ready(1)) return kResultNoInterface;
  ITovikAppPcItemListPtr list;
  const LONG result = (manager.Get()->*call)(&list);
  HandOut<CTovikAppPcItemListIF>(list, manager.Slot(0));
  return result;
}

// Packed: three selector values, output list.
INT_PTR VciCatalogue(CManagerCommand& manager, VciCatalogueCall call) {
  if (!manager.Ready(4)) return kResultNoInterface;
  ITovikAppVciItemListPtr list;
  const LONG result = (manager.Get()->*call)(manager.Ulong(0), manager.Ulong(1), manager.Ulong(2), &list);
  HandOut<CTovikAppVciItemListIF>(list, manager.Slot(3));
  return result;
}

}  // namespace

LONG CTovikManagerIF::GetAppsPC(CTovikAppPcItemListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAppsPC, list));
}

LONG CTovikManagerIF::GetAppsPC_2(CTovikAppPcItemListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAppsPC_2, list));
}

LONG CTovikManagerIF::GetAppsPC_3(CTovikAppPcItemListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAppsPC_3, list));
}

LONG CTovikManagerIF::GetAppsVCI(ULONG first, ULONG second, ULONG third, CTovikAppVciItemListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAppsVCI, first, second, third, list));
}

LONG CTovikManagerIF::GetAppsVCI_2(ULONG first, ULONG second, ULONG third, CTovikAppVciItemListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAppsVCI_2, first, second, third, list));
}

INT_PTR CTovikManagerIF::CmdGetAppsPC(Args& args) {
  CManagerCommand manager(this, args);
  return PcCatalogue(manager, &ITovikManager::GetAppsPC);
}

INT_PTR CTovikManagerIF::CmdGetAppsPC_2(Args& args) {
  CManagerCommand manager(this, args);
  return PcCatalogue(manager, &ITovikManager::GetAppsPC_2);
}

INT_PTR CTovikManagerIF::CmdGetAppsPC_3(Args& args) {
  CManagerCommand manager(this, args);
  return PcCatalogue(manager, &ITovikManager::GetAppsPC_3);
}

INT_PTR CTovikManagerIF::CmdGetAppsVCI(Args& args) {
  CManagerCommand manager(this, args);
  return VciCatalogue(manager, &ITovikManager::GetAppsVCI);
}

INT_PTR CTovikManagerIF::CmdGetAppsVCI_2(Args& args) {
  CManagerCommand manager(this, args);
  return VciCatalogue(manager, &ITovikManager::GetAppsVCI_2);
}
