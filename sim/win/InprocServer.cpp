// The virtual provider as an in-process COM server on Windows.
//
// A real COM runtime finds class objects registered with CoRegisterClassObject
// only in the registering apartment, and a module loaded before any thread has
// an apartment cannot register at all. So on Windows the provider's classes are
// entered in the registry as an in-process server of this DLL (threading model
// Both) when the DLL is loaded, and COM gets their factories through
// DllGetClassObject in whichever apartment asks. The entries go under
// HKLM\Software\Classes, or HKCU\Software\Classes where HKLM is not writable;
// they stay after the process ends (they name this DLL's path).

#include <string>

#include "ClassFactories.h"
#include "provider/TovikApiProviderLib.h"

namespace {

std::wstring GuidText(REFCLSID clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return text;
}

std::wstring ModulePath() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&ModulePath), &self))
    return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegisterClassUnder(HKEY root, REFCLSID clsid, const std::wstring& path) {
  const std::wstring name = L"Software\\Classes\\CLSID\\" + GuidText(clsid) + L"\\InprocServer32";
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool done = SetText(key, nullptr, path) && SetText(key, L"ThreadingModel", L"Both");
  RegCloseKey(key);
  return done;
}

struct SelfRegistration {
  SelfRegistration() {
    const std::wstring path = ModulePath();
    if (path.empty()) return;
    for (const CLSID* clsid : {&TovikApiProviderLib::CLSID_TovikManager, &TovikApiProviderLib::CLSID_TovikPendantLeds,
                               &TovikApiProviderLib::CLSID_TovikPendantDisp})
      if (!RegisterClassUnder(HKEY_LOCAL_MACHINE, *clsid, path)) RegisterClassUnder(HKEY_CURRENT_USER, *clsid, path);
  }
};
SelfRegistration selfRegistration;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IClassFactory* factory = tovik::sim::ClassFactoryFor(clsid);
  if (factory == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(iid, object);
}

// The provider keeps its workshop for the life of the process: never unload.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
