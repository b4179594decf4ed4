// Modules, connections and versions at the facade, as a native caller uses
// them: operations without a provider object, and the wrappers read one
// property at a time.

#include <memory>
#include <string>
#include <vector>

#include "../core/CoreTestSupport.h"
#include "facade/CTovikManagerIF.h"
#include "wrappers/ModuleWrappers.h"
#include "wrappers/VersionWrappers.h"

namespace {

using Texts = std::vector<std::string>;

// A LocalAlloc'ed text from a wrapper getter as a string; the block is freed.
std::string Take(char* text) {
  std::string copy = text ? text : "<null>";
  if (text) LocalFree(text);
  return copy;
}

class ModulesFacadeTest : public CoreTest {};

TEST_F(ModulesFacadeTest, WithoutProviderObjectEveryOperationReportsNoInterface) {
  std::unique_ptr<CTovikManagerIF> facade;
  {
    FailingFactory refuse(TovikApiProviderLib::CLSID_TovikManager);
    facade = std::make_unique<CTovikManagerIF>(&LogCapture::Sink);
  }
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

TEST_F(ModulesFacadeTest, ANativeCallerReadsTheModuleListOnePropertyAtATime) {
  CTovikManagerIF facade(&LogCapture::Sink);
  CTovikVciItemsIF* listOut = nullptr;
  ASSERT_EQ(facade.GetModuleIds(&listOut), 0);
  std::unique_ptr<CTovikVciItemsIF> list(listOut);
  ASSERT_TRUE(list);
  ASSERT_EQ(list->Count(), 3u);

  std::unique_ptr<CTovikVciItemIF> second(list->Item(1));
  ASSERT_TRUE(second);
  EXPECT_EQ(Take(second->GetModuleName()), "TVX-200 Bay 2");
  EXPECT_EQ(second->GetSerialNumber(), 200102u);
  EXPECT_EQ(second->GetVCIInterface(), 2u);
  EXPECT_EQ(list->Item(3), nullptr) << "an index the provider rejects yields null";
  second.reset();
  list.reset();

  CTovikVciInfoIF* infoOut = nullptr;
  ASSERT_EQ(facade.GetModuleInfo3(200102, &infoOut), 0);
  std::unique_ptr<CTovikVciInfoIF> info(infoOut);
  EXPECT_EQ(Take(info->BluetoothAddress()), "<null>") << "an empty text is a null copy";
  EXPECT_EQ(Take(info->VciAlias()), "Bay 2");
  EXPECT_EQ(info->NumClients(), 0u);
  EXPECT_EQ(info->ClientAt(0), nullptr);
}

}  // namespace
