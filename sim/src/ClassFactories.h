#pragma once
// The class factories of the three classes the library creates. They are
// registered with the COM runtime when the virtual provider is loaded; an
// in-process server entry (DllGetClassObject on Windows) hands them out too.

#include "tovik/platform.h"

namespace tovik::sim {
// The factory for clsid, or null for a class the provider does not make. The
// factory lives as long as the module; its reference counting is a no-op.
IClassFactory* ClassFactoryFor(REFCLSID clsid);
}  // namespace tovik::sim
