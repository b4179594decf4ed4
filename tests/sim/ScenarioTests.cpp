#include "SimTest.h"

#include <cstdio>
#include <fstream>

namespace simtest {
namespace {

using ScenarioTest = SimTest;

struct Malformed {
  const char* json;
  const char* where;    // the message must name this place
  const char* problem;  // and contain this
};

TEST_F(ScenarioTest, MalformedScenariosAreRejectedWithPlaceAndProblem) {
  const Malformed cases[] = {
      {R"({"modules": [{"serial": 1}, {"serial": "abc"}]})", "modules[1].serial", "unsigned 32-bit"},
      {R"({"modules": [{"serial": 4294967296}]})", "modules[0].serial", "out of range"},
      {R"({"modules": [{"serial": -1}]})", "modules[0].serial", "out of range"},
      {R"({"modules": [{"name": "no serial"}]})", "modules[0].serial", "missing"},
      {R"({"modules": [{"serial": 1}, {"serial": 1}]})", "modules[1].serial", "used twice"},
      {R"({"modlues": []})", "modlues", "unknown key"},
      {R"({"modules": [{"serial": 1, "pendant": {"segments": [1, 2]}}]})", "modules[0].pendant.segments",
       "8 numbers"},
      {R"({"ledCount": 1, "modules": [{"serial": 1, "pendant": {"leds": [{}, {}]}}]})",
       "modules[0].pendant.leds[1]", "more LEDs"},
      {R"({"modules": [{"serial": 1, "blocks": [{"id": "a", "hex": "0g"}]}]})", "modules[0].blocks[0].hex",
       "hexadecimal"},
      {R"({"modules": [{"serial": 1, "space": {"volatile": 2}, "blocks": [{"id": "a", "location": 0, "hex": "010203"}]}]})",
       "modules[0].blocks", "volatile space"},
      {R"({"codes": {"noSpace": "0x1FFFFFFFF"}})", "codes.noSpace", "out of range"},
      {R"({"wifi": {"autoWifi": "yes"}})", "wifi.autoWifi", "true, false"},
      {R"({"events": [[1, 2]]})", "events[0]", "3 numbers"},
      {R"({"versions": {"client": [{"name": 5}]}})", "versions.client[0].name", "text"},
      {R"([1, 2])", "scenario", "object"},
      {"{\n  \"modules\": [\n    {\"serial\": 1,}\n  ]\n}", "line 3", "syntax error"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(sim::LoadScenarioJson(c.json, &error)) << c.json;
    EXPECT_NE(std::string::npos, error.find(c.where)) << error;
    EXPECT_NE(std::string::npos, error.find(c.problem)) << error;
  }
}

TEST_F(ScenarioTest, RejectedScenarioLeavesTheRunningStateAlone) {
  ASSERT_TRUE(sim::LoadScenarioJson(R"({"modules": [{"serial": 7, "name": "seven"}]})"));
  const ULONG handle = Connect(7);
  std::string error;
  ASSERT_FALSE(sim::LoadScenarioJson(R"({"modules": [{"serial": 8}, {"serial": true}]})", &error));
  EXPECT_EQ(1, sim::ConnectionCount());
  std::uint32_t serial = 0;
  EXPECT_TRUE(sim::ConnectionModule(handle, &serial));
  P::ITovikVciItemsPtr items;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_GetModuleIds(&items, &result));
  ULONG count = 0;
  items->get_Count(&count);
  EXPECT_EQ(1u, count);
}

TEST_F(ScenarioTest, LoadingAScenarioStartsAFreshWorkshop) {
  Connect(kBay1);
  sim::PostEvent(1, 2, 3);
  ASSERT_TRUE(sim::LoadScenarioJson(R"({"modules": [{"serial": 1}]})"));
  EXPECT_EQ(0, sim::ConnectionCount());
  EXPECT_EQ(0, sim::QueuedEventCount());
  ULONG handle = 0;
  LONG result = 0;
  manager_->raw_Connect(kBay1, 1, &handle, &result);
  EXPECT_NE(0, result) << "the default workshop's modules are gone";
}

TEST_F(ScenarioTest, ValuesAtAndAboveTheTopBitAndNegativeResults) {
  ASSERT_TRUE(sim::LoadScenarioJson(R"({
    "codes": {"unknownModule": "0x80004005", "unknownConnection": -2},
    "modules": [{"serial": "0xFFFFFFFF", "wifiFlags": 2147483648, "name": "",
                 "accessPoint": {"noiseLevel": -95, "signalLevel": "0xFFFFFFC4"}}]})"));
  P::ITovikVciItemsPtr items;
  LONG result = -1;
  manager_->raw_GetModuleIds(&items, &result);
  P::ITovikVciItemPtr item;
  items->raw_Item(0, &item);
  ULONG serial = 0;
  BSTR name = nullptr;
  item->get_SerialNumber(&serial);
  item->get_ModuleName(&name);
  EXPECT_EQ(0xFFFFFFFFu, serial);
  EXPECT_EQ("", Text(name));

  P::ITovikVciInfoPtr info;
  manager_->raw_GetModuleInfo(0xFFFFFFFF, &info, &result);
  ULONG flags = 0;
  info->get_WifiFlags(&flags);
  EXPECT_EQ(0x80000000u, flags);

  manager_->raw_GetModuleInfo(5, &info, &result);
  EXPECT_EQ(static_cast<LONG>(0x80004005), result);
  ULONG status = 0;
  manager_->raw_GetConStatus(12345, &status, &result);
  EXPECT_EQ(-2, result);

  const ULONG handle = Connect(0xFFFFFFFF);
  P::ITovikApStateItemPtr ap;
  manager_->raw_GetAccessPointState(handle, 0, &ap, &result);
  LONG signal = 0;
  ap->get_SignalLevel(&signal);
  EXPECT_EQ(-60, signal);
}

TEST_F(ScenarioTest, ScenarioFilesAreNamedInTheirErrors) {
  const std::string path = ::testing::TempDir() + "sim_scenario.json";
  {
    std::ofstream file(path);
    file << R"({"ledCount": "many"})";
  }
  std::string error;
  EXPECT_FALSE(sim::LoadScenarioFile(path, &error));
  EXPECT_NE(std::string::npos, error.find(path)) << error;
  EXPECT_NE(std::string::npos, error.find("ledCount")) << error;
  {
    std::ofstream file(path);
    file << sim::DefaultScenarioJson();
  }
  EXPECT_TRUE(sim::LoadScenarioFile(path, &error)) << error;
  std::remove(path.c_str());
  EXPECT_FALSE(sim::LoadScenarioFile(path, &error));
}

TEST_F(ScenarioTest, WithoutRequiredConnectionsAnyHandleAddressesTheFirstModule) {
  ASSERT_TRUE(sim::LoadScenarioJson(
      R"({"connections": {"requireConnection": false}, "modules": [{"serial": 3, "selfTest": "abcd"}]})"));
  P::ITovikByteBufferPtr buffer;
  EXPECT_EQ(0, Call(&P::ITovikManager::raw_RunSelfTest, 0x80000000, &buffer));
  LONG length = 0;
  buffer->get_Length(&length);
  EXPECT_EQ(2, length);
}

}  // namespace
}  // namespace simtest
