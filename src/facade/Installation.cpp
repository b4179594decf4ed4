// Installation jobs on a module: install by name or number, uninstall,
// system firmware update, and the status poll of such a job. Each command
// hands the provider's status out in a new CTovikAppStatusIF; the job value
// is written by the provider straight through the caller's pointer.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/AppWrappers.h"

using TovikApiProviderLib::ITovikAppStatus;
using TovikApiProviderLib::ITovikAppStatusPtr;
using TovikApiProviderLib::ITovikManager;

namespace {

typedef LONG (ITovikManager::*NamedJobCall)(ULONG target, BSTR name, ITovikAppStatus** status, ULONG* job);

// Packed: target value, name, output status, job value out. `function` names
// the command member in its log line.
INT_PTR NamedJob(CManagerCommand& manager, NamedJobCall call, const char* function) {
  if (!manager.Ready(4)) return kResultNoInterface;
  const _bstr_t name = AnsiToBstr(manager.Text(1));  // null stays a null BSTR
  CORE_LOG(function) << "App name is [" << manager.Text(1) << "]" << LogEnd;
  ITovikAppStatusPtr status;
  const LONG result = (manager.Get()->*call)(manager.Ulong(0), name, &status, manager.Out<ULONG>(3));
  HandOut<CTovikAppStatusIF>(status, manager.Slot(2));
  return result;
}

}  // namespace

LONG CTovikManagerIF::InstallVCIApp(ULONG target, const char* name, CTovikAppStatusIF** status, ULONG* job) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdInstallVCIApp, target, name, status, job));
}

LONG CTovikManagerIF::InstallVCIApp_2(ULONG target, ULONG application, CTovikAppStatusIF** status, ULONG* job) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdInstallVCIApp_2, target, application, status, job));
}

LONG CTovikManagerIF::UninstallVCIApp(ULONG target, const char* name, CTovikAppStatusIF** status, ULONG* job) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdUninstallVCIApp, target, name, status, job));
}

LONG CTovikManagerIF::InstallGetStatus(ULONG target, ULONG job, CTovikAppStatusIF** status) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdInstallGetStatus, target, job, status));
}

LONG CTovikManagerIF::UpdateSystemFirmware(ULONG target, CTovikAppStatusIF** status, ULONG* job) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdUpdateSystemFirmware, target, status, job));
}

INT_PTR CTovikManagerIF::CmdInstallVCIApp(Args& args) {
  CManagerCommand manager(this, args);
  return NamedJob(manager, &ITovikManager::InstallVCIApp, "CTovikManagerIF::CmdInstallVCIApp");
}

INT_PTR CTovikManagerIF::CmdUninstallVCIApp(Args& args) {
  CManagerCommand manager(this, args);
  return NamedJob(manager, &ITovikManager::UninstallVCIApp, "CTovikManagerIF::CmdUninstallVCIApp");
}

// Packed: target value, application number, output status, job value out.
INT_PTR CTovikManagerIF::CmdInstallVCIApp_2(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(4)) return kResultNoInterface;
  ITovikAppStatusPtr status;
  const LONG result = manager->InstallVCIApp_2(manager.Ulong(0), manager.Ulong(1), &status, manager.Out<ULONG>(3));
  HandOut<CTovikAppStatusIF>(status, manager.Slot(2));
  return result;
}

// Packed: target value, output status, job value out.
INT_PTR CTovikManagerIF::CmdUpdateSystemFirmware(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  ITovikAppStatusPtr status;
  const LONG result = manager->UpdateSystemFirmware(manager.Ulong(0), &status, manager.Out<ULONG>(2));
  HandOut<CTovikAppStatusIF>(status, manager.Slot(1));
  return result;
}

// Packed: target value, job value, output status.
INT_PTR CTovikManagerIF::CmdInstallGetStatus(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  ITovikAppStatusPtr status;
  const LONG result = manager->InstallGetStatus(manager.Ulong(0), manager.Ulong(1), &status);
  HandOut<CTovikAppStatusIF>(status, manager.Slot(2));
  return result;
}
