// Apartments, process security, the class table, the global interface table,
// CComGITPtr, error information, _com_error and _com_ptr_t.
#include <gtest/gtest.h>

#include <thread>

#include "test_objects.h"
#include "tovik/platform.h"

using namespace platform_test;

namespace platform_test {
_COM_SMARTPTR_TYPEDEF(ITestThing, __uuidof(ITestThing));
using ThingAlias = ITestThing;
}  // namespace platform_test

namespace {

// __uuidof yields the declared id for a namespace-qualified type, its aliases and
// pointers, and can name a template argument.
template <const IID* piid>
struct IidHolder {
  static const IID& Get() { return *piid; }
};

TEST(Uuids, DeclaredIdsAreFoundThroughAliasesAndPointers) {
  constexpr GUID expected = {0x1F59BB30, 0xE0AC, 0x46AB, {0x9E, 0xAA, 0x58, 0x72, 0x84, 0xDE, 0xEA, 0x6D}};
  EXPECT_TRUE(IsEqualGUID(__uuidof(ITestThing), expected));
  EXPECT_TRUE(__uuidof(ThingAlias) == expected);
  EXPECT_TRUE(__uuidof(ITestThing*) == expected);
  EXPECT_TRUE(IidHolder<&__uuidof(ITestThing)>::Get() == expected);
  EXPECT_TRUE(ITestThingPtr::GetIID() == expected);
  EXPECT_FALSE(__uuidof(IUnknown) == expected);
}

HRESULT CreateGit(IGlobalInterfaceTable** git) {
  return CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER, IID_IGlobalInterfaceTable,
                          reinterpret_cast<void**>(git));
}

IGlobalInterfaceTable* Git() {
  IGlobalInterfaceTable* git = nullptr;
  EXPECT_EQ(CreateGit(&git), S_OK);
  return git;
}

TEST(Apartments, InitialisationNestsPerThreadAndGuardsCreation) {
  IGlobalInterfaceTable* git = nullptr;
  EXPECT_EQ(CreateGit(&git), CO_E_NOTINITIALIZED);
  EXPECT_EQ(git, nullptr);

  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);

  // Another thread has its own state.
  HRESULT other = S_OK;
  std::thread([&] {
    IGlobalInterfaceTable* p = nullptr;
    other = CreateGit(&p);
  }).join();
  EXPECT_EQ(other, CO_E_NOTINITIALIZED);

  CoUninitialize();
  ASSERT_EQ(CreateGit(&git), S_OK);
  git->Release();
  CoUninitialize();
  EXPECT_EQ(CreateGit(&git), CO_E_NOTINITIALIZED);
}

// The only test that touches process security: it must see the first call.
TEST(Apartments, SecurityIsSetOncePerProcess) {
  auto call = [] {
    return CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  };
  EXPECT_EQ(call(), CO_E_NOTINITIALIZED);
  {
    ComScope com;
    EXPECT_EQ(call(), S_OK);
    EXPECT_EQ(call(), RPC_E_TOO_LATE);
  }
  HRESULT fromOtherThread = S_OK;
  std::thread([&] {
    ComScope com;
    fromOtherThread = call();
  }).join();
  EXPECT_EQ(fromOtherThread, RPC_E_TOO_LATE);
}

HRESULT CreateThing(DWORD context, REFIID iid, void** out) {
  return CoCreateInstance(CLSID_TestThing, nullptr, context, iid, out);
}

TEST(ClassTable, RegisteredFactoryCreatesUntilRevoked) {
  static TestFactory factory;
  ComScope com;
  void* thing = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateThing(CLSCTX_ALL, __uuidof(ITestThing), &thing), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(thing, nullptr);
  ITestThingPtr p;
  EXPECT_EQ(p.CreateInstance(CLSID_TestThing), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(p);
  EXPECT_THROW(ITestThingPtr{CLSID_TestThing}, _com_error);

  // Registration works from a thread without an apartment.
  DWORD cookie = 0;
  HRESULT registered = E_FAIL;
  std::thread([&] {
    registered = CoRegisterClassObject(CLSID_TestThing, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
  }).join();
  ASSERT_EQ(registered, S_OK);
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(factory.refs.load(), 1u);

  const int liveBefore = TestThing::Live();
  ASSERT_EQ(CreateThing(CLSCTX_ALL, __uuidof(ITestThing), &thing), S_OK);
  EXPECT_EQ(TestThing::Live(), liveBefore + 1);
  static_cast<ITestThing*>(thing)->Release();
  EXPECT_EQ(TestThing::Live(), liveBefore);

  EXPECT_EQ(CreateThing(CLSCTX_ALL, IID_IDispatch, &thing), E_NOINTERFACE);
  EXPECT_EQ(CreateThing(CLSCTX_LOCAL_SERVER, __uuidof(ITestThing), &thing), REGDB_E_CLASSNOTREG);

  EXPECT_EQ(p.CreateInstance(CLSID_TestThing), S_OK);
  EXPECT_EQ(TestThing::Live(), liveBefore + 1);
  IGlobalInterfaceTable* git = Git();
  DWORD gitCookie = 0;
  ASSERT_EQ(git->RegisterInterfaceInGlobal(p, __uuidof(ITestThing), &gitCookie), S_OK);
  EXPECT_EQ(git->GetInterfaceFromGlobal(gitCookie, __uuidof(ITestThing), reinterpret_cast<void**>(&p)), S_OK);
  // operator& released the old reference before the table wrote the new one.
  EXPECT_EQ(git->RevokeInterfaceFromGlobal(gitCookie), S_OK);
  git->Release();
  p = nullptr;
  EXPECT_EQ(TestThing::Live(), liveBefore);

  EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(factory.refs.load(), 0u);
  EXPECT_EQ(CoRevokeClassObject(cookie), E_INVALIDARG);
  EXPECT_EQ(CreateThing(CLSCTX_ALL, __uuidof(ITestThing), &thing), REGDB_E_CLASSNOTREG);
}

TEST(GlobalInterfaceTable, RegistrationHoldsAReferenceUsableFromOtherThreads) {
  ComScope com;
  IGlobalInterfaceTable* git = Git();
  ASSERT_NE(git, nullptr);
  const std::size_t entriesBefore = standin::GitEntryCount();
  auto* thing = new TestThing();

  DWORD cookie = 0;
  ASSERT_EQ(git->RegisterInterfaceInGlobal(static_cast<ITestThing*>(thing), __uuidof(ITestThing), &cookie), S_OK);
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(thing->Refs(), 2u);
  EXPECT_EQ(standin::GitEntryCount(), entriesBefore + 1);

  HRESULT fetched = E_FAIL;
  std::thread([&] {
    ComScope threadCom;
    IGlobalInterfaceTable* threadGit = Git();
    ITestThing* p = nullptr;
    fetched = threadGit->GetInterfaceFromGlobal(cookie, __uuidof(ITestThing), reinterpret_cast<void**>(&p));
    if (p) p->Release();
    threadGit->Release();
  }).join();
  EXPECT_EQ(fetched, S_OK);
  EXPECT_EQ(thing->Refs(), 2u);

  ISupportErrorInfo* other = nullptr;
  EXPECT_EQ(git->GetInterfaceFromGlobal(cookie, IID_ISupportErrorInfo, reinterpret_cast<void**>(&other)), S_OK);
  EXPECT_EQ(thing->Refs(), 3u);
  other->Release();

  thing->Release();  // the table's reference keeps it alive
  EXPECT_EQ(thing->Refs(), 1u);
  const int liveBefore = TestThing::Live();
  EXPECT_EQ(git->RevokeInterfaceFromGlobal(cookie), S_OK);
  EXPECT_EQ(TestThing::Live(), liveBefore - 1);
  EXPECT_EQ(standin::GitEntryCount(), entriesBefore);

  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(git->GetInterfaceFromGlobal(cookie, IID_IUnknown, &p), E_INVALIDARG);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(git->RevokeInterfaceFromGlobal(cookie), E_INVALIDARG);
  EXPECT_EQ(git->GetInterfaceFromGlobal(0, IID_IUnknown, &p), E_INVALIDARG);
  EXPECT_EQ(git->RegisterInterfaceInGlobal(nullptr, IID_IUnknown, &cookie), E_INVALIDARG);

  // An interface the object does not have is not registered.
  auto* plain = new TestThing(false);
  cookie = 123;
  EXPECT_EQ(git->RegisterInterfaceInGlobal(static_cast<ITestThing*>(plain), IID_ISupportErrorInfo, &cookie),
            E_NOINTERFACE);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(plain->Refs(), 1u);
  plain->Release();
  git->Release();
}

TEST(ComGitPtr, AttachCopyDetachRevoke) {
  ComScope com;
  const std::size_t entriesBefore = standin::GitEntryCount();
  auto* thing = new TestThing();
  DWORD cookie = 0;
  {
    CComGITPtr<ITestThing> holder;
    EXPECT_EQ(holder.Attach(static_cast<ITestThing*>(nullptr)), S_OK);
    EXPECT_EQ(holder.GetCookie(), 0u);
    ASSERT_EQ(holder.Attach(thing), S_OK);
    EXPECT_NE(holder.GetCookie(), 0u);
    EXPECT_EQ(thing->Refs(), 2u);

    ITestThing* copy = nullptr;
    EXPECT_EQ(holder.CopyTo(&copy), S_OK);
    EXPECT_EQ(copy, static_cast<ITestThing*>(thing));
    EXPECT_EQ(thing->Refs(), 3u);
    copy->Release();

    cookie = holder.Detach();
    EXPECT_EQ(holder.GetCookie(), 0u);
  }  // detached: the destructor revokes nothing
  EXPECT_EQ(standin::GitEntryCount(), entriesBefore + 1);
  EXPECT_EQ(thing->Refs(), 2u);

  {
    CComGITPtr<ITestThing> holder;
    EXPECT_EQ(holder.Attach(cookie), S_OK);
    EXPECT_EQ(holder.GetCookie(), cookie);
  }  // the destructor revokes
  EXPECT_EQ(standin::GitEntryCount(), entriesBefore);
  EXPECT_EQ(thing->Refs(), 1u);

  CComGITPtr<ITestThing> stale;
  EXPECT_EQ(stale.Attach(cookie), S_OK);  // attaching a cookie does not check it
  ITestThing* none = nullptr;
  EXPECT_EQ(stale.CopyTo(&none), E_INVALIDARG);
  EXPECT_EQ(stale.Revoke(), E_INVALIDARG);
  EXPECT_EQ(stale.Detach(), cookie);

  CComGITPtr<ITestThing> outside;
  std::thread([&] { EXPECT_EQ(outside.Attach(thing), CO_E_NOTINITIALIZED); }).join();
  EXPECT_EQ(outside.GetCookie(), 0u);
  EXPECT_EQ(thing->Refs(), 1u);
  thing->Release();
}

TEST(ErrorInfo, IsPerThreadAndTakenOnce) {
  ICreateErrorInfo* create = nullptr;
  ASSERT_EQ(CreateErrorInfo(&create), S_OK);
  create->SetDescription(const_cast<LPOLESTR>(u"broken"));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  create->Release();
  EXPECT_EQ(SetErrorInfo(0, info), S_OK);
  info->Release();

  HRESULT otherThread = S_OK;
  std::thread([&] {
    IErrorInfo* p = nullptr;
    otherThread = GetErrorInfo(0, &p);
  }).join();
  EXPECT_EQ(otherThread, S_FALSE);

  IErrorInfo* taken = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &taken), S_OK);
  BSTR text = nullptr;
  EXPECT_EQ(taken->GetDescription(&text), S_OK);
  EXPECT_EQ(std::u16string(text), u"broken");
  SysFreeString(text);
  taken->Release();
  EXPECT_EQ(GetErrorInfo(0, &taken), S_FALSE);
  EXPECT_EQ(taken, nullptr);
}

TEST(ComErrors, IssueErrorExTakesErrorInfoOnlyWhenSupported) {
  const std::size_t bstrsBefore = standin::LiveBstrCount();
  auto* thing = new TestThing();
  try {
    _com_issue_errorex(thing->Fail(E_INVALIDARG, u"bad value"), static_cast<ITestThing*>(thing),
                       __uuidof(ITestThing));
    FAIL() << "no exception";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), E_INVALIDARG);
    EXPECT_STREQ(static_cast<const char*>(e.Description()), "bad value");
    EXPECT_STREQ(static_cast<const char*>(e.Source()), "TestThing");
    EXPECT_STREQ(e.ErrorMessage(), "The parameter is incorrect.");
    IErrorInfo* info = e.ErrorInfo();
    ASSERT_NE(info, nullptr);
    info->Release();
  }

  // An interface the object does not report errors for: the error info stays.
  try {
    _com_issue_errorex(thing->Fail(E_FAIL, u"left"), static_cast<ITestThing*>(thing), IID_IDispatch);
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), E_FAIL);
    EXPECT_EQ(e.ErrorInfo(), nullptr);
    EXPECT_TRUE(!e.Description());
  }
  IErrorInfo* left = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &left), S_OK);
  left->Release();
  thing->Release();
  EXPECT_EQ(standin::LiveBstrCount(), bstrsBefore);
}

TEST(ComPtr, ReferenceCountingAndRaisingOperations) {
  auto* thing = new TestThing();
  {
    ITestThingPtr p(thing);
    EXPECT_EQ(thing->Refs(), 2u);
    ITestThingPtr q = p;
    EXPECT_EQ(thing->Refs(), 3u);
    EXPECT_TRUE(p == q);
    EXPECT_TRUE(p == static_cast<ITestThing*>(thing));
    q = nullptr;
    EXPECT_FALSE(q);
    EXPECT_EQ(thing->Refs(), 2u);

    IUnknownPtr unknown(p);  // QueryInterface across types
    EXPECT_TRUE(unknown);
    EXPECT_EQ(thing->Refs(), 3u);
    IDispatchPtr dispatch(p);  // not supported: stays null without raising
    EXPECT_FALSE(dispatch);

    ISupportErrorInfoPtr sei;
    EXPECT_EQ(p.QueryInterface(IID_ISupportErrorInfo, &sei), S_OK);
    EXPECT_TRUE(sei);

    ITestThing* raw = p.Detach();
    EXPECT_EQ(p.GetInterfacePtr(), nullptr);
    ITestThingPtr attached;
    attached.Attach(raw);  // takes over the reference
    EXPECT_EQ(thing->Refs(), 4u);
    attached.Release();
    EXPECT_EQ(thing->Refs(), 3u);

    // Moving hands the reference over: the target lets its own go, the source is empty.
    ITestThingPtr source(thing);
    ITestThingPtr target(thing);
    EXPECT_EQ(thing->Refs(), 5u);
    target = std::move(source);
    EXPECT_FALSE(source);
    EXPECT_TRUE(target == static_cast<ITestThing*>(thing));
    EXPECT_EQ(thing->Refs(), 4u);
    ITestThingPtr& same = target;
    target = std::move(same);  // onto itself: keeps its reference
    EXPECT_EQ(thing->Refs(), 4u);
  }
  EXPECT_EQ(thing->Refs(), 1u);

  ITestThingPtr empty;
  EXPECT_THROW(empty->Fail(S_OK, nullptr), _com_error);
  EXPECT_THROW(empty.Release(), _com_error);
  EXPECT_THROW(empty.AddRef(), _com_error);
  thing->Release();
}

}  // namespace
