// The virtual provider as an out-of-process COM server on Windows:
// TovikProviderServer.exe. COM starts it (LocalServer32, "-Embedding") for
// the first CoCreateInstance of one of its classes; every call from a client
// then goes through the system's proxies and the type-library marshaler into
// this process, as with the vendor's server. Its objects do not aggregate the
// free-threaded marshaler here.
//
//   TovikProviderServer.exe /RegServer     enter classes and type libraries
//   TovikProviderServer.exe /UnregServer   remove them
//   TovikProviderServer.exe [-Embedding]   serve until no client needs it
//
// The server's apartment is the multithreaded one: calls arrive on the RPC
// threads concurrently, so that a client blocked in WaitForEvents does not
// hold up the CancelEventNotification of another.

#include <cwchar>
#include <cstdio>
#include <string>
#include <vector>

#include "ClassFactories.h"
#include "ComObject.h"
#include "ControlObject.h"
#include "RegistryEntries.h"
#include "ServerLifetime.h"
#include "ServerRegistration.h"
#include "TovikSimControl.h"
#include "provider/TovikApiProviderLib.h"

namespace tovik::sim {
// Reached through proxies only: no free-threaded marshaler.
bool ObjectsAreAgile() { return false; }
}  // namespace tovik::sim

namespace {

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name) {
  const std::size_t length = std::wcslen(name);
  for (const wchar_t* at = commandLine; *at != L'\0'; ++at)
    if ((*at == L'/' || *at == L'-') && _wcsnicmp(at + 1, name, length) == 0) return true;
  return false;
}

// The class objects, registered for the life of the server.
class ClassRegistrations {
 public:
  ClassRegistrations() {
    using namespace TovikApiProviderLib;
    for (const CLSID* clsid : {&CLSID_TovikManager, &CLSID_TovikPendantLeds, &CLSID_TovikPendantDisp})
      Register(*clsid, tovik::sim::ClassFactoryFor(*clsid));
    Register(__uuidof(TovikSimControl), tovik::sim::win::ControlClassFactory());
    // Suspended until all are in, so that no client sees only some of them.
    if (FAILED(CoResumeClassObjects())) failed_ = true;
  }
  ~ClassRegistrations() {
    for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
  }
  ClassRegistrations(const ClassRegistrations&) = delete;
  ClassRegistrations& operator=(const ClassRegistrations&) = delete;
  bool Failed() const { return failed_; }

 private:
  void Register(REFCLSID clsid, IClassFactory* factory) {
    DWORD cookie = 0;
    if (factory == nullptr ||
        FAILED(CoRegisterClassObject(clsid, factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie)))
      failed_ = true;
    else
      cookies_.push_back(cookie);
  }
  std::vector<DWORD> cookies_;
  bool failed_ = false;
};

class Apartment {
 public:
  Apartment() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  bool Failed() const { return FAILED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace

int main() {
  const wchar_t* commandLine = GetCommandLineW();
  const std::wstring serverPath = tovik::sim::win::ModulePathOf(reinterpret_cast<const void*>(&HasSwitch));
  if (HasSwitch(commandLine, L"RegServer") || HasSwitch(commandLine, L"UnregServer")) {
    Apartment apartment;
    if (HasSwitch(commandLine, L"UnregServer")) {
      tovik::sim::win::UnregisterServer(serverPath);
      return 0;
    }
    if (tovik::sim::win::RegisterServer(serverPath)) return 0;
    std::fprintf(stderr, "TovikProviderServer: could not register the classes and type libraries\n");
    return 1;
  }

  Apartment apartment;
  if (apartment.Failed()) return 1;
  // Type libraries first: without them no interface can be marshaled.
  if (!tovik::sim::win::RegisterTypeLibraries(serverPath)) {
    std::fprintf(stderr, "TovikProviderServer: could not register the type libraries\n");
    return 1;
  }
  ClassRegistrations registrations;
  if (registrations.Failed()) {
    std::fprintf(stderr, "TovikProviderServer: could not register the class objects\n");
    return 1;
  }
  tovik::sim::win::ServerLifetime::Instance().WaitUntilUnused();
  return 0;
}
