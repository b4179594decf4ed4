#include "ServerRegistration.h"

#include "RegistryEntries.h"
#include "TovikSimControl.h"
#include "provider/TovikApiProviderLib.h"

namespace tovik::sim::win {

namespace {

const CLSID* const kClasses[] = {&TovikApiProviderLib::CLSID_TovikManager,
                                 &TovikApiProviderLib::CLSID_TovikPendantLeds,
                                 &TovikApiProviderLib::CLSID_TovikPendantDisp, &__uuidof(TovikSimControl)};

// "server.exe" names its first TYPELIB resource, "server.exe\2" the second.
const wchar_t* const kTypeLibrarySuffixes[] = {L"", L"\\2"};

}  // namespace

bool RegisterTypeLibraries(const std::wstring& serverPath) {
  bool done = true;
  for (const wchar_t* suffix : kTypeLibrarySuffixes) {
    // Registered with the path as given: REGKIND_REGISTER would enter the
    // EXE's path without the resource number, which names the first library.
    ITypeLib* library = nullptr;
    const std::wstring path = serverPath + suffix;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) {
      done = false;
      continue;
    }
    std::wstring registered = path;
    if (FAILED(RegisterTypeLib(library, registered.data(), nullptr))) done = false;
    library->Release();
  }
  return done;
}

bool RegisterServer(const std::wstring& serverPath) {
  bool done = RegisterTypeLibraries(serverPath);
  for (const CLSID* clsid : kClasses) {
    DeleteServerKey(*clsid, L"InprocServer32");
    done = WriteServerKey(*clsid, L"LocalServer32", L"\"" + serverPath + L"\"") && done;
  }
  return done;
}

void UnregisterServer(const std::wstring& serverPath) {
  for (const CLSID* clsid : kClasses) DeleteServerKey(*clsid, L"LocalServer32");
  for (const wchar_t* suffix : kTypeLibrarySuffixes) {
    ITypeLib* library = nullptr;
    const std::wstring path = serverPath + suffix;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) continue;
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attributes))) {
      UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                        attributes->syskind);
      library->ReleaseTLibAttr(attributes);
    }
    library->Release();
  }
}

}  // namespace tovik::sim::win
