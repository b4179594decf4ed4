// Control requests to module applications and their configuration values.
// The three commands carry only numbers. Unlike the other facade commands they
// answer 0 when the facade has no provider interface, and they do not test
// the argument count: their public operations always pack three values.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"

LONG CTovikManagerIF::ControlApp(ULONG first, ULONG second, ULONG third) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdControlApp, first, second, third));
}

LONG CTovikManagerIF::SetConfigApp(ULONG first, ULONG second, ULONG third) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdSetConfigApp, first, second, third));
}

LONG CTovikManagerIF::GetConfigApp(ULONG first, ULONG second, ULONG* value) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetConfigApp, first, second, value));
}

INT_PTR CTovikManagerIF::CmdControlApp(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return 0;
  return manager->ControlApp(manager.Ulong(0), manager.Ulong(1), manager.Ulong(2));
}

INT_PTR CTovikManagerIF::CmdSetConfigApp(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return 0;
  CORE_LOG("CTovikManagerIF::CmdSetConfigApp") << "Args " << LogHex << manager.Ulong(0) << " " << manager.Ulong(1)
                                               << " " << manager.Ulong(2) << LogEnd;
  return manager->SetConfigApp(manager.Ulong(0), manager.Ulong(1), manager.Ulong(2));
}

INT_PTR CTovikManagerIF::CmdGetConfigApp(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager) return 0;
  return manager->GetConfigApp(manager.Ulong(0), manager.Ulong(1), manager.Out<ULONG>(2));
}
