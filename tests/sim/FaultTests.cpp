#include "SimTest.h"

namespace simtest {
namespace {

using FaultTest = SimTest;

std::string ErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return "<none>";
  BSTR description = nullptr;
  info->GetDescription(&description);
  info->Release();
  return Text(description);
}

TEST_F(FaultTest, FailingMethodDeliversItsHresultAndDescription) {
  sim::FailMethod("ITovikManager.GetModuleIds", E_ACCESSDENIED, false, "module bus busy");
  P::ITovikVciItemsPtr items;
  LONG result = 42;
  EXPECT_EQ(E_ACCESSDENIED, manager_->raw_GetModuleIds(&items, &result));
  EXPECT_FALSE(items);
  EXPECT_EQ(42, result) << "a failing call writes no output";
  EXPECT_EQ("module bus busy", ErrorDescription());

  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(S_OK, manager_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)));
  EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(__uuidof(P::ITovikManager)));
  support->Release();

  EXPECT_EQ(E_ACCESSDENIED, manager_->raw_GetModuleIds(&items, &result)) << "fails every time";
  sim::ClearFaults();
  EXPECT_EQ(S_OK, manager_->raw_GetModuleIds(&items, &result));
}

TEST_F(FaultTest, OnceFailsOnlyTheNextCallAndChangesNothing) {
  sim::FailMethod("ITovikManager.Connect", E_FAIL, true);
  ULONG handle = 0;
  LONG result = -1;
  EXPECT_EQ(E_FAIL, manager_->raw_Connect(kBay1, 1, &handle, &result));
  EXPECT_EQ(0, sim::ConnectionCount());
  EXPECT_EQ("<none>", ErrorDescription()) << "no description, no error information";
  EXPECT_EQ(S_OK, manager_->raw_Connect(kBay1, 1, &handle, &result));
  EXPECT_EQ(1, sim::ConnectionCount());
}

TEST_F(FaultTest, ResultObjectsFailToo) {
  sim::FailMethod("ITovikVciItem.SerialNumber", DISP_E_EXCEPTION, true, "gone");
  P::ITovikVciItemsPtr items;
  LONG result = -1;
  manager_->raw_GetModuleIds(&items, &result);
  P::ITovikVciItemPtr item;
  ASSERT_EQ(S_OK, items->raw_Item(0, &item));
  ULONG serial = 0;
  EXPECT_EQ(DISP_E_EXCEPTION, item->get_SerialNumber(&serial));
  EXPECT_EQ("gone", ErrorDescription());
  EXPECT_EQ(S_OK, item->get_SerialNumber(&serial));
  EXPECT_EQ(kBay1, serial);
}

TEST_F(FaultTest, ResultCodeIsReplacedAfterTheWorkIsDone) {
  sim::SetResult("ITovikManager.Connect", -1);
  ULONG handle = 0;
  LONG result = 0;
  ASSERT_EQ(S_OK, manager_->raw_Connect(kBay1, 1, &handle, &result));
  EXPECT_EQ(-1, result);
  EXPECT_EQ(1, sim::ConnectionCount());

  sim::SetResult("ITovikManager.WaitForEvents", 5);
  manager_->raw_RegisterForEvents(0, 0, &result);
  sim::PostEvent(1, 1, 1);
  VARIANT_BOOL waited = 0;
  ASSERT_EQ(S_OK, manager_->raw_WaitForEvents(&waited));
  EXPECT_EQ(5, waited);
}

TEST_F(FaultTest, WithheldOutputLeavesTheInterfaceNull) {
  sim::WithholdOutput("ITovikVersionInfo.ServerVersionList");
  P::ITovikVersionInfoPtr info;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_GetVersionInformation(1, 0, &info, &result));
  P::ITovikVersionItemListPtr client, server;
  EXPECT_EQ(S_OK, info->get_ClientVersionList(&client));
  EXPECT_EQ(S_OK, info->get_ServerVersionList(&server));
  EXPECT_TRUE(client);
  EXPECT_FALSE(server);
}

TEST_F(FaultTest, MissingElementIsNullWhileTheCountStays) {
  sim::SetMissingItem("ITovikVciItems", 1);
  P::ITovikVciItemsPtr items;
  LONG result = -1;
  manager_->raw_GetModuleIds(&items, &result);
  ULONG count = 0;
  items->get_Count(&count);
  EXPECT_EQ(3u, count);
  P::ITovikVciItemPtr item;
  EXPECT_EQ(S_OK, items->raw_Item(1, &item));
  EXPECT_FALSE(item);
  EXPECT_EQ(S_OK, items->raw_Item(2, &item));
  EXPECT_TRUE(item);
  EXPECT_EQ(E_INVALIDARG, items->raw_Item(3, &item));
}

TEST_F(FaultTest, ByteBufferCanClaimAHugeLength) {
  const ULONG handle = Connect(kBay1);
  sim::SetByteBufferLength(0x7FFFFFF0);
  P::ITovikByteBufferPtr buffer;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_RunSelfTest(handle, &buffer, &result));
  LONG length = 0;
  buffer->get_Length(&length);
  EXPECT_EQ(0x7FFFFFF0, length);
  BYTE b = 1;
  EXPECT_EQ(S_OK, buffer->raw_Item(0x7FFFFFEF, &b));
  EXPECT_EQ(0, b);
  EXPECT_EQ(E_INVALIDARG, buffer->raw_Item(0x7FFFFFF0, &b));
}

TEST_F(FaultTest, JournalShowsArgumentsAsTheyArrived) {
  sim::ClearJournal();
  ULONG handle = 0;
  LONG result = -1;
  manager_->raw_Connect(1, 0xFFFFFFFF, &handle, &result);
  manager_->raw_Connect2(kBay1, 2, &handle, Bstr("text"), &result);
  manager_->raw_Connect2(kBay1, 2, &handle, nullptr, &result);
  manager_->raw_EnableAutoWifi(VARIANT_TRUE, &result);
  manager_->raw_InitializeRuntime(nullptr, Bstr("b"), VARIANT_FALSE);

  P::ITovikClientAccessItemPtr item;
  manager_->raw_StoreClientInfo(handle, Bstr("id"), 1, ByteVariant({0x0a, 0x0b, 0xff}).get(), 0, &item, &result);
  item = nullptr;

  EXPECT_EQ(sim::JournalWithPrefix("ITovikManager."), (std::vector<std::string>{
      "ITovikManager.Connect(1, 4294967295)",
      "ITovikManager.Connect2(200101, 2, \"text\")",
      "ITovikManager.Connect2(200101, 2, null)",
      "ITovikManager.EnableAutoWifi(-1)",
      "ITovikManager.InitializeRuntime(null, \"b\", 0)",
      "ITovikManager.StoreClientInfo(65538, \"id\", 1, VT_ARRAY|VT_UI1 bytes[3]:0a0bff, 0)",
  }));
  EXPECT_EQ((std::vector<std::string>{"null", "b", "0"}), sim::LastInitializeRuntime());
}

}  // namespace
}  // namespace simtest
