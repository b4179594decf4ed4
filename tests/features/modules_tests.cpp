// Modules, connections and versions at the facade, as a native caller uses
// them: operations without a provider object, and the wrappers read one
// property at a time.

#include "../core/CoreTestSupport.h"
#include "wrappers/ModuleWrappers.h"
#include "wrappers/VersionWrappers.h"

namespace {

using ModulesFacadeTest = CoreTest;

TEST_F(ModulesFacadeTest, WithoutProviderObjectEveryOperationReportsNoInterface) {
  const auto facade = FacadeWithoutProvider();
  LogCapture::Clear();

  CTovikVciItemsIF* items = nullptr;
  CTovikVciInfoIF* info = nullptr;
  CTovikVersionInfoIF* versions = nullptr;
  ULONG handle = 0xFFFFFFFF;
  ULONG status = 77;
  EXPECT_EQ(facade->GetModuleIds(&items), 0x50000003);
  EXPECT_EQ(facade->GetModuleInfo(200101, &info), 0x50000003);
  EXPECT_EQ(facade->GetModuleInfo3(200101, &info), 0x50000003);
  EXPECT_EQ(facade->Connect(200101, 1, &handle), 0x50000003);
  EXPECT_EQ(facade->Connect2(200101, 1, &handle, "x"), 0x50000003);
  EXPECT_EQ(facade->GetConStatus(5, &status), 0x50000003);
  EXPECT_EQ(facade->Disconnect(5), 0x50000003);
  EXPECT_EQ(facade->GetVersionInformation(1, 2, &versions), 0x50000003);
  EXPECT_EQ(facade->GetVersionInformation_2(1, 2, &versions), 0x50000003);

  EXPECT_EQ(items, nullptr);
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(versions, nullptr);
  EXPECT_EQ(handle, 0xFFFFFFFFu);
  EXPECT_EQ(status, 77u);
  EXPECT_TRUE(tovik::sim::Journal().empty());
  // Only the public sides log; the commands stop before their own lines.
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::Disconnect"), (Texts{"Disconnect from handle 05"}));
  EXPECT_TRUE(LogCapture::TextsOf("CTovikManagerIF::CmdDisconnect").empty());
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::GetVersionInformation"), (Texts{"handle is 1"}));
  EXPECT_TRUE(LogCapture::TextsOf("CTovikManagerIF::CmdGetVersionInformation").empty());
}

TEST_F(ModulesFacadeTest, ANativeCallerReadsAModulesDetailsOnePropertyAtATime) {
  CTovikManagerIF facade(&LogCapture::Sink);
  CTovikVciInfoIF* infoOut = nullptr;
  ASSERT_EQ(facade.GetModuleInfo3(200102, &infoOut), 0);
  std::unique_ptr<CTovikVciInfoIF> info(infoOut);
  EXPECT_EQ(Take(info->BluetoothAddress()), std::nullopt) << "an empty text is a null copy";
  EXPECT_EQ(Take(info->VciAlias()), "Bay 2");
  EXPECT_EQ(info->NumClients(), 0u);
  EXPECT_EQ(info->ClientAt(0), nullptr);
}

}  // namespace
