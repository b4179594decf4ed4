// What the out-of-process mode must really be: the provider's objects live in
// TovikProviderServer.exe and the test process holds proxies to them, from
// every apartment; a released proxy frees the server's object. Built into
// core_tests_oop only.

#include <future>

#include "../core/CoreTestSupport.h"

namespace {

namespace P = TovikApiProviderLib;

// Only the system's proxies implement IClientSecurity; an object of this
// process (or one that hands out itself through the free-threaded marshaler)
// does not.
bool IsProxy(IUnknown* object) {
  IUnknown* security = nullptr;
  if (FAILED(object->QueryInterface(IID_IClientSecurity, reinterpret_cast<void**>(&security)))) return false;
  security->Release();
  return true;
}

P::ITovikManager* CreateManager() {
  P::ITovikManager* manager = nullptr;
  EXPECT_EQ(S_OK, CoCreateInstance(P::CLSID_TovikManager, nullptr, CLSCTX_ALL, __uuidof(P::ITovikManager),
                                   reinterpret_cast<void**>(&manager)));
  return manager;
}

using OutOfProcessTest = ApartmentTest;

}  // namespace

TEST_F(OutOfProcessTest, TheManagerAndItsResultObjectsAreProxiesAndReleasingThemFreesTheServersObjects) {
  P::ITovikManager* manager = CreateManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(IsProxy(manager));
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 1) << "the object lives in the server";

  P::ITovikVciItems* items = nullptr;
  EXPECT_EQ(manager->GetModuleIds(&items), 0);
  ASSERT_NE(items, nullptr);
  EXPECT_TRUE(IsProxy(items));
  P::ITovikVciItem* item = items->Item(0);
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(IsProxy(item));
  // A text and a number crossed the process boundary.
  EXPECT_GT(item->GetModuleName().length(), 0u);
  EXPECT_NE(item->GetSerialNumber(), 0u);
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 3);

  item->Release();
  items->Release();
  manager->Release();
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects) << "a proxy's release reaches the server at once";
}

TEST_F(OutOfProcessTest, AnotherApartmentGetsItsOwnProxyThroughTheGlobalInterfaceTable) {
  P::ITovikManager* manager = CreateManager();
  ASSERT_NE(manager, nullptr);
  DWORD cookie = 0;
  {
    CComGITPtr<P::ITovikManager> holder;
    ASSERT_EQ(S_OK, holder.Attach(manager)) << "the type library makes the interface marshalable";
    cookie = holder.Detach();
  }
  auto other = std::async(std::launch::async, [cookie] {
    EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    bool proxy = false;
    LONG result = -1;
    {
      CComGITPtr<P::ITovikManager> holder(cookie);
      P::ITovikManager* there = nullptr;
      if (SUCCEEDED(holder.CopyTo(&there)) && there != nullptr) {
        proxy = IsProxy(there);
        result = there->ConfigureUsbInterface();
        there->Release();
      }
      holder.Detach();
    }
    CoUninitialize();
    return std::make_pair(proxy, result);
  });
  const auto [proxy, result] = other.get();
  EXPECT_TRUE(proxy);
  EXPECT_EQ(result, 0);
  {
    CComGITPtr<P::ITovikManager> holder(cookie);
    EXPECT_EQ(S_OK, holder.Revoke());
  }
  manager->Release();
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikManager."),
            (std::vector<std::string>{"ITovikManager.ConfigureUsbInterface()"}));
}
