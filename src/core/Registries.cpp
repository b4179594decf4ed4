// The registries, constructed at load in table order and destroyed at unload
// in reverse order; each destructor revokes the registrations still held.
#include "core/Registries.h"

#define TOVIK_REGISTRY_DEFINE(Itf, Cls, Registry) \
  CObjectManager<TovikApiProviderLib::Itf, Cls> Registry(#Registry);
TOVIK_REGISTRY_TABLE(TOVIK_REGISTRY_DEFINE)
#undef TOVIK_REGISTRY_DEFINE
