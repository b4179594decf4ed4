// Module discovery: the module list and the details of one module.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/ModuleWrappers.h"

using TovikApiProviderLib::ITovikVciInfoPtr;
using TovikApiProviderLib::ITovikVciItemsPtr;

LONG CTovikManagerIF::GetModuleIds(CTovikVciItemsIF** items) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetModulesIds, items));
}

LONG CTovikManagerIF::GetModuleInfo(ULONG moduleId, CTovikVciInfoIF** info) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetModuleInfo, moduleId, info));
}

LONG CTovikManagerIF::GetModuleInfo3(ULONG moduleId, CTovikVciInfoIF** info) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetModuleInfo3, moduleId, info));
}

// The only module command that handles a provider failure itself: the module
// list then reads as "no interface".
INT_PTR CTovikManagerIF::CmdGetModulesIds(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(1)) return kResultNoInterface;
  try {
    ITovikVciItemsPtr items;
    const LONG result = manager->GetModuleIds(&items);
    HandOut<CTovikVciItemsIF>(items, manager.Slot(0));
    return result;
  } catch (_com_error& e) {
    CORE_LOG("CTovikManagerIF::CmdGetModulesIds") << "com error " << static_cast<LONG>(e.Error()) << " "
                                                  << static_cast<const char*>(e.Description()) << LogEnd;
    return kResultNoInterface;
  }
}

INT_PTR CTovikManagerIF::CmdGetModuleInfo(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoInterface;
  ITovikVciInfoPtr info;
  const LONG result = manager->GetModuleInfo(manager.Ulong(0), &info);
  HandOut<CTovikVciInfoIF>(info, manager.Slot(1));
  return result;
}

INT_PTR CTovikManagerIF::CmdGetModuleInfo3(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoInterface;
  ITovikVciInfoPtr info;
  const LONG result = manager->GetModuleInfo3(manager.Ulong(0), &info);
  HandOut<CTovikVciInfoIF>(info, manager.Slot(1));
  return result;
}
