#pragma once
// The out-of-process server's control object (ITovikSimControl): forwards to
// the control surface of tovik/sim/VirtualProvider.h inside the server.

#include "tovik/platform.h"

namespace tovik::sim::win {
// The factory of the control class; it lives as long as the process.
IClassFactory* ControlClassFactory();
}  // namespace tovik::sim::win
