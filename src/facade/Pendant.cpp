// Pendant operations of the manager facade: LEDs, segment display, audio.
//
// The LED collection and the display for a set are objects the caller built
// itself (ConstructInterface); their interfaces are looked up in their own
// registries here and handed to the provider as inputs.
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/PendantWrappers.h"

using TovikApiProviderLib::ITovikPendantDispPtr;
using TovikApiProviderLib::ITovikPendantLedsPtr;

namespace {

// A new reference to the interface registered for a caller-built pendant
// object (null when it has none).
template <class W>
typename RegistryOf<W>::InterfacePtr InterfaceOf(W* wrapper) {
  return typename RegistryOf<W>::InterfacePtr(RegistryOf<W>::Objects().Get(wrapper), false);
}

}  // namespace

// ---- public operations

LONG CTovikManagerIF::PendantSetLeds(ULONG connection, CTovikPendantLedsIF* leds) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdPendantSetLeds, connection, leds));
}

LONG CTovikManagerIF::PendantGetLeds(ULONG connection, CTovikPendantLedsIF* leds) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdPendantGetLeds, connection, leds));
}

LONG CTovikManagerIF::PendantSetSegDisp(ULONG connection, CTovikPendantDispIF* display, ULONG first, ULONG second) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdPendantSetSegDisp, connection, display, first, second));
}

LONG CTovikManagerIF::PendantGetSegDisp(ULONG connection, ULONG* first, ULONG* second,
                                        CTovikPendantDispIF** display) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdPendantGetSegDisp, connection, first, second, display));
}

LONG CTovikManagerIF::PendantSetAudio(ULONG connection, ULONG first, ULONG second, ULONG third, ULONG fourth) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdPendantSetAudio, connection, first, second, third, fourth));
}

LONG CTovikManagerIF::PendantGetAudio(ULONG connection, ULONG* first, ULONG* second) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdPendantGetAudio, connection, first, second));
}

// ---- command members

// LEDs: both directions default to 0 when the facade has no interface.
INT_PTR CTovikManagerIF::CmdPendantSetLeds(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return 0;
  const ITovikPendantLedsPtr leds = InterfaceOf(manager.Out<CTovikPendantLedsIF>(1));
  return manager->PendantSetLeds(manager.Ulong(0), leds);
}

INT_PTR CTovikManagerIF::CmdPendantGetLeds(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return 0;
  const ITovikPendantLedsPtr leds = InterfaceOf(manager.Out<CTovikPendantLedsIF>(1));
  return manager->PendantGetLeds(manager.Ulong(0), leds);
}

INT_PTR CTovikManagerIF::CmdPendantSetSegDisp(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(4)) return 0;
  const ITovikPendantDispPtr display = InterfaceOf(manager.Out<CTovikPendantDispIF>(1));
  return manager->PendantSetSegDisp(manager.Ulong(0), display, manager.Ulong(2), manager.Ulong(3));
}

INT_PTR CTovikManagerIF::CmdPendantGetSegDisp(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(4)) return kResultNoInterface;
  ITovikPendantDispPtr display;
  const LONG result = manager->PendantGetSegDisp(manager.Ulong(0), manager.Out<ULONG>(1), manager.Out<ULONG>(2),
                                                 &display);
  if (!HandOut<CTovikPendantDispIF>(display, manager.Slot(3))) {
    CORE_LOG("CTovikManagerIF::CmdPendantGetSegDisp") << "NO OBJECT" << LogEnd;
  }
  return result;
}

INT_PTR CTovikManagerIF::CmdPendantSetAudio(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(5)) return 0;
  return manager->PendantSetAudio(manager.Ulong(0), manager.Ulong(1), manager.Ulong(2), manager.Ulong(3),
                                  manager.Ulong(4));
}

INT_PTR CTovikManagerIF::CmdPendantGetAudio(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoFacade;
  return manager->PendantGetAudio(manager.Ulong(0), manager.Out<ULONG>(1), manager.Out<ULONG>(2));
}
