// The virtual provider as an in-process COM server on Windows (the fast mode).
//
// A real COM runtime finds class objects registered with CoRegisterClassObject
// only in the registering apartment, and a module loaded before any thread has
// an apartment cannot register at all. So on Windows the provider's classes are
// entered in the registry as an in-process server of this DLL (threading model
// Both) when the DLL is loaded, and COM gets their factories through
// DllGetClassObject in whichever apartment asks. The entries go under
// HKLM\Software\Classes, or HKCU\Software\Classes where HKLM is not writable;
// they stay after the process ends (they name this DLL's path).
//
// The out-of-process server (LocalServer.cpp) registers the same classes as a
// local server; a Wine prefix serves the classes in one of the two ways.

#include <string>

#include "ClassFactories.h"
#include "ComObject.h"
#include "RegistryEntries.h"
#include "provider/TovikApiProviderLib.h"

namespace {

struct SelfRegistration {
  SelfRegistration() {
    // This object lives in the DLL: its address names the module.
    const std::wstring path = tovik::sim::win::ModulePathOf(this);
    if (path.empty()) return;
    for (const CLSID* clsid : {&TovikApiProviderLib::CLSID_TovikManager, &TovikApiProviderLib::CLSID_TovikPendantLeds,
                               &TovikApiProviderLib::CLSID_TovikPendantDisp})
      tovik::sim::win::WriteServerKey(*clsid, L"InprocServer32", path, L"Both");
  }
};
SelfRegistration selfRegistration;

}  // namespace

namespace tovik::sim {
// In this process the objects are called directly from every apartment.
bool ObjectsAreAgile() { return true; }
}  // namespace tovik::sim

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IClassFactory* factory = tovik::sim::ClassFactoryFor(clsid);
  if (factory == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(iid, object);
}

// The provider keeps its workshop for the life of the process: never unload.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
