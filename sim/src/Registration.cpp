// Class factories for the three classes the library creates, registered
// with the COM runtime while the library is loaded.

#include "ClassFactories.h"
#include "Manager.h"
#include "Pendant.h"

namespace tovik::sim {

namespace {

// Fault keys of object creation: "<class>.CreateInstance".
struct MakeManager {
  static constexpr const char* kKey = "TovikManager.CreateInstance";
  IUnknown* operator()() const { return static_cast<P::ITovikManager*>(Create<Manager>()); }
};
struct MakeLeds {
  static constexpr const char* kKey = "TovikPendantLeds.CreateInstance";
  IUnknown* operator()() const {
    return static_cast<P::ITovikPendantLeds*>(Create<PendantLeds>(Workshop::Instance().LedCount()));
  }
};
struct MakeDisplay {
  static constexpr const char* kKey = "TovikPendantDisp.CreateInstance";
  IUnknown* operator()() const { return static_cast<P::ITovikPendantDisp*>(Create<PendantDisp>()); }
};

class Registrations {
 public:
  Registrations() {
    Register(P::CLSID_TovikManager, &manager_);
    Register(P::CLSID_TovikPendantLeds, &leds_);
    Register(P::CLSID_TovikPendantDisp, &display_);
  }
  ~Registrations() {
    for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
  }
  Registrations(const Registrations&) = delete;
  Registrations& operator=(const Registrations&) = delete;

  IClassFactory* Find(REFCLSID clsid) {
    if (clsid == P::CLSID_TovikManager) return &manager_;
    if (clsid == P::CLSID_TovikPendantLeds) return &leds_;
    if (clsid == P::CLSID_TovikPendantDisp) return &display_;
    return nullptr;
  }

 private:
  void Register(const CLSID& clsid, IClassFactory* factory) {
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                        REGCLS_MULTIPLEUSE, &cookie)))
      cookies_.push_back(cookie);
  }

  Factory<MakeManager> manager_;
  Factory<MakeLeds> leds_;
  Factory<MakeDisplay> display_;
  std::vector<DWORD> cookies_;
};

// Registered when the library is loaded, revoked when it is unloaded.
Registrations registrations;

}  // namespace

IClassFactory* ClassFactoryFor(REFCLSID clsid) { return registrations.Find(clsid); }

}  // namespace tovik::sim
