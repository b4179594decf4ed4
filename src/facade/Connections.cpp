// Connections: connect (two forms), connection state, disconnect. Output
// values are written by the provider straight through the caller's pointers.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"

LONG CTovikManagerIF::Connect(ULONG first, ULONG second, ULONG* handle) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdConnect, first, second, handle));
}

LONG CTovikManagerIF::Connect2(ULONG first, ULONG second, ULONG* handle, const char* text) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdConnect2, first, second, handle, text));
}

LONG CTovikManagerIF::GetConStatus(ULONG handle, ULONG* status) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetConStatus, handle, status));
}

LONG CTovikManagerIF::Disconnect(ULONG handle) {
  CORE_LOG("CTovikManagerIF::Disconnect") << "Disconnect from handle " << LogHex << handle << LogEnd;
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdDisconnect, handle));
}

INT_PTR CTovikManagerIF::CmdConnect(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  return manager->Connect(manager.Ulong(0), manager.Ulong(1), manager.Out<ULONG>(2));
}

INT_PTR CTovikManagerIF::CmdConnect2(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(4)) return kResultNoInterface;
  const _bstr_t text = AnsiToBstr(manager.Text(3));  // a null text stays a null BSTR
  return manager->Connect2(manager.Ulong(0), manager.Ulong(1), manager.Out<ULONG>(2), text);
}

INT_PTR CTovikManagerIF::CmdGetConStatus(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoInterface;
  return manager->GetConStatus(manager.Ulong(0), manager.Out<ULONG>(1));
}

INT_PTR CTovikManagerIF::CmdDisconnect(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(1)) return kResultNoInterface;
  const ULONG handle = manager.Ulong(0);
  CORE_LOG("CTovikManagerIF::CmdDisconnect") << "Disconnect from handle " << LogHex << handle << LogEnd;
  return manager->Disconnect(handle);
}
