#pragma once
// The 25 interface registries: one per wrapper class plus one for the
// manager facade. One table names them all; it yields the forward
// declarations, the written-out log function names of each registry, the
// exported registry objects (defined in table order in core/Registries.cpp)
// and RegistryOf<W>, which leads generic code from a class to its registry.

#include "TovikExport.h"
#include "core/ObjectManager.h"
#include "provider/TovikApiProviderLib.h"

// X(interface, class, registry)
#define TOVIK_REGISTRY_TABLE(X)                                      \
  X(ITovikManager, CTovikManagerIF, TovikManagerObjects)             \
  X(ITovikVciItems, CTovikVciItemsIF, TovikVciItemsObjects)          \
  X(ITovikVciItem, CTovikVciItemIF, TovikVciItemObjects)             \
  X(ITovikVciInfo, CTovikVciInfoIF, TovikVciInfoObjects)             \
  X(ITovikClientInfo, CTovikClientInfoIF, TovikClientInfoObjects)    \
  X(ITovikAppPcItemList, CTovikAppPcItemListIF, TovikAppPcItemListObjects) \
  X(ITovikAppPcItem, CTovikAppPcItemIF, TovikAppPcItemObjects)       \
  X(ITovikVersionInfo, CTovikVersionInfoIF, TovikVersionInfoObjects) \
  X(ITovikVersionItemList, CTovikVersionItemListIF, TovikVersionItemListObjects) \
  X(ITovikVersionItem, CTovikVersionItemIF, TovikVersionItemObjects) \
  X(ITovikClientAccessItem, CTovikClientAccessItemIF, TovikClientAccessItemObjects) \
  X(ITovikAppVciItemList, CTovikAppVciItemListIF, TovikAppVciItemListObjects) \
  X(ITovikAppVciItem, CTovikAppVciItemIF, TovikAppVciItemObjects)    \
  X(ITovikAppStatus, CTovikAppStatusIF, TovikAppStatusObjects)       \
  X(ITovikPendantLeds, CTovikPendantLedsIF, TovikPendantLedsObjects) \
  X(ITovikPendantLed, CTovikPendantLedIF, TovikPendantLedObjects)    \
  X(ITovikPendantDisp, CTovikPendantDispIF, TovikPendantDispObjects) \
  X(ITovikApStateItem, CTovikApStateItemIF, TovikApStateItemObjects) \
  X(ITovikClientSpace, CTovikClientSpaceIF, TovikClientSpaceObjects) \
  X(ITovikAdaptInfoList, CTovikAdaptInfoItemsIF, TovikAdaptInfoItemsObjects) \
  X(ITovikAdaptInfoItem, CTovikAdaptInfoItemIF, TovikAdaptInfoItemObjects) \
  X(ITovikConfigItemList, CTovikConfigItemsIF, TovikConfigItemsObjects) \
  X(ITovikConfigItem, CTovikConfigItemIF, TovikConfigItemObjects)    \
  X(ITovikClientInfoList, CTovikClientInfoListIF, TovikClientInfoListObjects) \
  X(ITovikClientInfoItem, CTovikClientInfoItemIF, TovikClientInfoItemObjects)

// Leads generic code from a native class to its provider interface and registry.
template <class W>
struct RegistryOf;

#define TOVIK_REGISTRY_DECLARE(Itf, Cls, Registry) class Cls;
TOVIK_REGISTRY_TABLE(TOVIK_REGISTRY_DECLARE)
#undef TOVIK_REGISTRY_DECLARE

#define TOVIK_REGISTRY_DECLARE(Itf, Cls, Registry)                                                   \
  template <>                                                                                        \
  struct CObjectManagerNames<TovikApiProviderLib::Itf, Cls> {                                        \
    static constexpr const char* Add = "CObjectManager<struct TovikApiProviderLib::" #Itf ",class " #Cls ">::Add"; \
    static constexpr const char* Get = "CObjectManager<struct TovikApiProviderLib::" #Itf ",class " #Cls ">::Get"; \
    static constexpr const char* Remove =                                                            \
        "CObjectManager<struct TovikApiProviderLib::" #Itf ",class " #Cls ">::Remove";               \
    static constexpr const char* RemoveAll =                                                         \
        "CObjectManager<struct TovikApiProviderLib::" #Itf ",class " #Cls ">::RemoveAll";            \
  };                                                                                                 \
  extern TOVIK_API CObjectManager<TovikApiProviderLib::Itf, Cls> Registry;                           \
  template <>                                                                                        \
  struct RegistryOf<Cls> {                                                                           \
    using Interface = TovikApiProviderLib::Itf;                                                      \
    using InterfacePtr = TovikApiProviderLib::Itf##Ptr;                                              \
    static CObjectManager<TovikApiProviderLib::Itf, Cls>& Objects() { return Registry; }             \
  };
TOVIK_REGISTRY_TABLE(TOVIK_REGISTRY_DECLARE)
#undef TOVIK_REGISTRY_DECLARE
