// Version information: the client and server version lists, in the numeric
// and in the text form.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/VersionWrappers.h"

using TovikApiProviderLib::ITovikManager;
using TovikApiProviderLib::ITovikVersionInfo;
using TovikApiProviderLib::ITovikVersionInfoPtr;

namespace {

typedef LONG (ITovikManager::*VersionMethod)(ULONG, ULONG, ITovikVersionInfo**);

// Both command members: log, call the provider, hand the info object out and
// log the count that giving up the command's own reference left.
INT_PTR RunVersionCommand(CManagerCommand& manager, VersionMethod method, const char* function) {
  if (!manager.Ready(3)) return kResultNoInterface;
  const ULONG handle = manager.Ulong(0);
  CORE_LOG(function) << "Calling with " << handle << LogEnd;
  ITovikVersionInfoPtr info;
  const LONG result = (manager.Get()->*method)(handle, manager.Ulong(1), &info);
  if (info) {
    HandOut<CTovikVersionInfoIF>(info, manager.Slot(2));
    const ULONG count = info.Detach()->Release();
    CORE_LOG(function) << "Release my copy " << count << LogEnd;
  }
  return result;
}

}  // namespace

LONG CTovikManagerIF::GetVersionInformation(ULONG handle, ULONG second, CTovikVersionInfoIF** info) {
  CORE_LOG("CTovikManagerIF::GetVersionInformation") << "handle is " << handle << LogEnd;
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetVersionInformation, handle, second, info));
}

LONG CTovikManagerIF::GetVersionInformation_2(ULONG handle, ULONG second, CTovikVersionInfoIF** info) {
  CORE_LOG("CTovikManagerIF::GetVersionInformation_2") << "handle is " << handle << LogEnd;
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetVersionInformation_2, handle, second, info));
}

INT_PTR CTovikManagerIF::CmdGetVersionInformation(Args& args) {
  CManagerCommand manager(this, args);
  return RunVersionCommand(manager, &ITovikManager::GetVersionInformation, "CTovikManagerIF::CmdGetVersionInformation");
}

INT_PTR CTovikManagerIF::CmdGetVersionInformation_2(Args& args) {
  CManagerCommand manager(this, args);
  return RunVersionCommand(manager, &ITovikManager::GetVersionInformation_2,
                           "CTovikManagerIF::CmdGetVersionInformation_2");
}
