#include "SimTest.h"

namespace simtest {
namespace {

using ConnectionTest = SimTest;

TEST_F(ConnectionTest, HandlesAreIssuedInTurnAndNameTheirModule) {
  const ULONG first = Connect(kBay1);
  const ULONG second = Connect(kBay2);
  EXPECT_NE(first, second);
  EXPECT_EQ(first + 1, second);
  std::uint32_t serial = 0;
  ASSERT_TRUE(sim::ConnectionModule(second, &serial));
  EXPECT_EQ(kBay2, serial);
  EXPECT_EQ(2, sim::ConnectionCount());
}

TEST_F(ConnectionTest, DisconnectInvalidatesTheHandle) {
  const ULONG handle = Connect(kBay1);
  ULONG status = 0;
  EXPECT_EQ(0, Call(&P::ITovikManager::raw_GetConStatus, handle, &status));
  EXPECT_NE(0u, status);

  EXPECT_EQ(0, Call(&P::ITovikManager::raw_Disconnect, handle));
  EXPECT_NE(0, Call(&P::ITovikManager::raw_GetConStatus, handle, &status));
  EXPECT_EQ(0u, status);
  EXPECT_NE(0, Call(&P::ITovikManager::raw_Disconnect, handle)) << "a second disconnect must be refused";
  EXPECT_EQ(0, sim::ConnectionCount());
}

TEST_F(ConnectionTest, UnknownModuleIsRefusedWithoutHandle) {
  ULONG handle = 0xFFFFFFFF;
  EXPECT_NE(0, Call(&P::ITovikManager::raw_Connect, 4242, 1, &handle));
  EXPECT_EQ(0xFFFFFFFFu, handle);
  EXPECT_EQ(0, sim::ConnectionCount());
}

TEST_F(ConnectionTest, PerModuleOperationsNeedAnOpenConnection) {
  const ULONG handle = Connect(kBay1);
  LONG result = -1;
  P::ITovikByteBufferPtr buffer;
  EXPECT_EQ(0, Call(&P::ITovikManager::raw_RunSelfTest, handle, &buffer));
  EXPECT_TRUE(buffer);
  ASSERT_EQ(S_OK, manager_->raw_Disconnect(handle, &result));
  EXPECT_NE(0, Call(&P::ITovikManager::raw_RunSelfTest, handle, &buffer));
  EXPECT_FALSE(buffer);
}

TEST_F(ConnectionTest, ConnectedClientsFollowConnections) {
  auto clients = [&]() {
    P::ITovikVciInfoPtr info;
    LONG result = -1;
    EXPECT_EQ(S_OK, manager_->raw_GetModuleInfo3(kBay2, &info, &result));
    std::vector<std::pair<std::string, VARIANT_BOOL>> names;
    ULONG count = 0;
    info->get_NumClients(&count);
    for (ULONG i = 0; i < count; ++i) {
      P::ITovikClientInfoPtr client;
      info->raw_ClientAt(i, &client);
      BSTR name = nullptr;
      VARIANT_BOOL owner = 0;
      client->get_ClientName(&name);
      client->get_IsOwner(&owner);
      names.emplace_back(Text(name), owner);
    }
    return names;
  };
  EXPECT_TRUE(clients().empty());

  Bstr tool("tool");
  ULONG first = 0, second = 0;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_Connect2(kBay2, 1, &first, Bstr("tester"), &result));
  ASSERT_EQ(S_OK, manager_->raw_Connect2(kBay2, 2, &second, tool, &result));
  auto now = clients();
  ASSERT_EQ(2u, now.size());
  EXPECT_EQ("tester", now[0].first);
  EXPECT_EQ(VARIANT_TRUE, now[0].second) << "the first connection owns the module";
  EXPECT_EQ(VARIANT_FALSE, now[1].second);

  manager_->raw_Disconnect(first, &result);
  now = clients();
  ASSERT_EQ(1u, now.size());
  EXPECT_EQ("tool", now[0].first);
}

TEST_F(ConnectionTest, PendantLedsOfOneModuleDoNotReachAnother) {
  auto leds = CreateByClassId<P::ITovikPendantLeds>(P::CLSID_TovikPendantLeds);
  P::ITovikPendantLedPtr led;
  leds->raw_Item(0, &led);
  led->put_LedValid(9);
  LONG result = -1;
  manager_->raw_PendantSetLeds(Connect(kBay2), leds, &result);
  EXPECT_EQ(9u, sim::PendantLeds(kBay2)[0].valid);
  EXPECT_EQ(1u, sim::PendantLeds(kBay1)[0].valid) << "bay 1 keeps its scenario value";
}

TEST_F(ConnectionTest, HandlesFromTheScenarioMayHaveTheTopBitSet) {
  ASSERT_TRUE(sim::LoadScenarioJson(
      R"({"connections": {"firstHandle": "0xFFFFFFFE"}, "modules": [{"serial": 7}]})"));
  EXPECT_EQ(0xFFFFFFFEu, Connect(7));
  EXPECT_EQ(0xFFFFFFFFu, Connect(7));
  EXPECT_EQ(0u, Connect(7)) << "the handle counter wraps like the provider's 32-bit one";
}

}  // namespace
}  // namespace simtest
