// Applications at the facade, where the Java tests cannot reach: a facade
// without a provider object, and the status wrappers and job value handed out
// directly.

#include "../core/CoreTestSupport.h"
#include "wrappers/AppWrappers.h"

namespace {

using AppsTest = CoreTest;

TEST_F(AppsTest, WithoutProviderObjectCataloguesAndJobsReportNoInterfaceButControlReportsZero) {
  const auto facade = FacadeWithoutProvider();
  CTovikAppPcItemListIF* pc = nullptr;
  CTovikAppVciItemListIF* vci = nullptr;
  CTovikAppStatusIF* status = nullptr;
  ULONG job = 77;
  EXPECT_EQ(facade->GetAppsPC(&pc), 0x50000003);
  EXPECT_EQ(facade->GetAppsPC_2(&pc), 0x50000003);
  EXPECT_EQ(facade->GetAppsPC_3(&pc), 0x50000003);
  EXPECT_EQ(facade->GetAppsVCI(1, 2, 3, &vci), 0x50000003);
  EXPECT_EQ(facade->GetAppsVCI_2(1, 2, 3, &vci), 0x50000003);
  EXPECT_EQ(facade->InstallVCIApp(1, "Diagnostics", &status, &job), 0x50000003);
  EXPECT_EQ(facade->InstallVCIApp_2(1, 2, &status, &job), 0x50000003);
  EXPECT_EQ(facade->UninstallVCIApp(1, "Diagnostics", &status, &job), 0x50000003);
  EXPECT_EQ(facade->InstallGetStatus(1, 257, &status), 0x50000003);
  EXPECT_EQ(facade->UpdateSystemFirmware(1, &status, &job), 0x50000003);
  EXPECT_EQ(pc, nullptr);
  EXPECT_EQ(vci, nullptr);
  EXPECT_EQ(status, nullptr);
  EXPECT_EQ(job, 77u);

  ULONG value = 5;
  EXPECT_EQ(facade->ControlApp(1, 2, 3), 0);
  EXPECT_EQ(facade->SetConfigApp(1, 2, 3), 0);
  EXPECT_EQ(facade->GetConfigApp(1, 2, &value), 0);
  EXPECT_EQ(value, 5u);
  EXPECT_TRUE(tovik::sim::Journal().empty());
  EXPECT_TRUE(LogCapture::TextsOf("CTovikManagerIF::CmdSetConfigApp").empty());
  EXPECT_TRUE(LogCapture::TextsOf("CTovikManagerIF::CmdInstallVCIApp").empty());
}

TEST_F(AppsTest, AJobHandsOutItsStatusAndWritesTheJobValueThroughThePointer) {
  Load(R"({ "connections": { "requireConnection": false }, "jobs": { "firstJob": 4000000000 },
            "appsPc": [ { "name": "Data Logger", "app": 3 } ], "modules": [ { "serial": 1 } ] })");
  CTovikManagerIF facade(&LogCapture::Sink);
  CTovikAppStatusIF* statusOut = nullptr;
  ULONG job = 0;
  EXPECT_EQ(facade.InstallVCIApp(9, "Data Logger", &statusOut, &job), 0);
  std::unique_ptr<CTovikAppStatusIF> status(statusOut);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(job, 4000000000u);
  EXPECT_EQ(Take(status->ComponentName()), "Data Logger");
  EXPECT_EQ(status->ComponentNumber(), 0u);
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdInstallVCIApp"), (Texts{"App name is [Data Logger]"}));

  // A result other than 0 still hands the status out.
  tovik::sim::SetResult("ITovikManager.InstallGetStatus", -9);
  CTovikAppStatusIF* polledOut = nullptr;
  EXPECT_EQ(facade.InstallGetStatus(9, job, &polledOut), -9);
  std::unique_ptr<CTovikAppStatusIF> polled(polledOut);
  ASSERT_NE(polled, nullptr);
  EXPECT_EQ(polled->ComponentNumber(), 1u);
}

}  // namespace
