// The result wrapper pattern, driven through the module, adapter and pendant
// wrappers against the virtual provider.
#include <cstring>

#include "CoreTestSupport.h"
#include "core/ThreadManager.h"
#include "wrappers/Wrappers.h"

using namespace TovikApiProviderLib;

namespace {

constexpr const char* kScenario = R"json({
  "wifi": { "adapters": [
    { "vid": 1, "pid": 2, "cardName": "Stick \u00e9", "inserted": 1 },
    { "vid": 3, "pid": 4, "cardName": "", "inserted": -1 } ] },
  "modules": [
    { "name": "Caf\u00e9 \u20ac", "serial": 4000000001, "clients": [
        { "owner": 1, "name": "", "connectTime": "" },
        { "owner": 0, "name": "PC", "connectTime": "now" } ] },
    { "name": "", "serial": 2 },
    { "name": "Third", "serial": 3 } ]
})json";

class WrapperTest : public ApartmentTest {
 protected:
  void SetUp() override {
    CThreadManager::Start();
    CTovikVciItemIF().GetModuleState();  // the command thread is past its start-up
    ApartmentTest::SetUp();
    std::string error;
    ASSERT_TRUE(tovik::sim::LoadScenarioJson(kScenario, &error)) << error;
    ITovikManager* created = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_TovikManager, nullptr, CLSCTX_ALL, __uuidof(ITovikManager),
                               reinterpret_cast<void**>(&created)),
              S_OK);
    m_manager.Attach(created);
  }
  void TearDown() override {
    m_manager = nullptr;
    ApartmentTest::TearDown();
  }

  // The module list in a new registered wrapper.
  CTovikVciItemsIF* ModuleList() {
    ITovikVciItemsPtr items;
    EXPECT_EQ(m_manager->GetModuleIds(&items), 0);
    auto* wrapper = new CTovikVciItemsIF;
    CTovikVciItemsIF::AttachInterface(wrapper, items);
    return wrapper;
  }

  ITovikManagerPtr m_manager;
};

}  // namespace

TEST_F(WrapperTest, WithoutInterfaceEveryReadYieldsNothing) {
  CTovikVciItemsIF list;
  CTovikVciItemIF item;
  CTovikClientInfoIF client;
  CTovikVersionInfoIF version;
  CTovikAppStatusIF status;
  CTovikPendantLedIF led;
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Item(0), nullptr);
  EXPECT_EQ(item.GetSerialNumber(), 0u);
  EXPECT_EQ(item.GetModuleName(), nullptr);
  EXPECT_FALSE(client.IsOwner());
  EXPECT_EQ(client.ClientName(), nullptr);
  EXPECT_EQ(version.ClientVersionList(), nullptr);
  EXPECT_EQ(status.ErrorNumber(), 0);
  led.SetLedCtrl(5);
  EXPECT_EQ(led.GetLedCtrl(), 0u);
  EXPECT_TRUE(tovik::sim::Journal().empty());
  // No interface, no "could not find" line either.
  EXPECT_TRUE(LogCapture::Containing("Coud not find").empty());
}

TEST_F(WrapperTest, ListItemsNumbersAndTextsComeThroughTheRegistry) {
  CTovikVciItemsIF* list = ModuleList();
  EXPECT_EQ(list->Count(), 3u);
  CTovikVciItemIF* first = list->Item(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetSerialNumber(), 4000000001u);  // above 0x7FFFFFFF: unchanged
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikVciItems.Item"), (Texts{"ITovikVciItems.Item(0)"}));

  // Text is an ANSI copy with its terminating zero; an empty text is none, silently.
  char* name = first->GetModuleName();
  ASSERT_NE(name, nullptr);
  const char expected[] = "Caf\xE9 \x80";  // Windows-1252
  EXPECT_EQ(LocalSize(name), sizeof expected);
  EXPECT_EQ(std::memcmp(name, expected, sizeof expected), 0);
  LocalFree(name);

  CTovikVciItemIF* unnamed = list->Item(1);
  EXPECT_EQ(unnamed->GetModuleName(), nullptr);
  EXPECT_TRUE(LogCapture::Lines().empty());
  delete unnamed;
  delete first;
  delete list;
}

TEST_F(WrapperTest, EmptyClientTextsAreLoggedByTheirCommand) {
  ITovikVciInfoPtr info;
  ASSERT_EQ(m_manager->GetModuleInfo(4000000001u, &info), 0);
  auto* wrapper = new CTovikVciInfoIF;
  CTovikVciInfoIF::AttachInterface(wrapper, info);
  info = nullptr;
  ASSERT_EQ(wrapper->NumClients(), 2u);
  CTovikClientInfoIF* owner = wrapper->ClientAt(0);
  CTovikClientInfoIF* other = wrapper->ClientAt(1);
  ASSERT_NE(owner, nullptr);
  EXPECT_TRUE(owner->IsOwner());  // any non-zero value
  EXPECT_FALSE(other->IsOwner());
  EXPECT_EQ(owner->ClientName(), nullptr);
  EXPECT_EQ(owner->ConnectTime(), nullptr);
  EXPECT_EQ(Take(other->ClientName()), "PC");
  EXPECT_EQ(LogCapture::TextsOf("CTovikClientInfoIF::CmdClientName"), (Texts{"Coud not find client name"}));
  EXPECT_EQ(LogCapture::TextsOf("CTovikClientInfoIF::CmdConnectTime"), (Texts{"Coud not find connect time"}));
  delete other;
  delete owner;
  delete wrapper;
}

TEST_F(WrapperTest, InsertedIsTrueOnlyForVariantTrue) {
  ITovikAdaptInfoListPtr adapters;
  VARIANT_BOOL flags[3] = {};
  ASSERT_EQ(m_manager->GetAutoWifiInfo(&adapters, &flags[0], &flags[1], &flags[2]), 0);
  auto* list = new CTovikAdaptInfoItemsIF;
  CTovikAdaptInfoItemsIF::AttachInterface(list, adapters);
  adapters = nullptr;
  CTovikAdaptInfoItemIF* rawOne = list->GetItem(0);
  CTovikAdaptInfoItemIF* minusOne = list->GetItem(1);
  EXPECT_FALSE(rawOne->getIsInserted());
  EXPECT_TRUE(minusOne->getIsInserted());
  EXPECT_EQ(minusOne->getPid(), 4u);
  EXPECT_EQ(minusOne->getCardName(), nullptr);
  EXPECT_EQ(LogCapture::TextsOf("CTovikAdaptInfoItemIF::CmdgetCardName"), (Texts{"Coud not find client name"}));
  delete minusOne;
  delete rawOne;
  delete list;
}

TEST_F(WrapperTest, RejectedOrMissingElementsYieldNull) {
  CTovikVciItemsIF* list = ModuleList();
  tovik::sim::FailMethod("ITovikVciItems.Item", E_INVALIDARG, true);
  EXPECT_EQ(list->Item(7), nullptr);
  EXPECT_EQ(LogCapture::Containing("com error: 0x80070057 - ").size(), 1u);

  tovik::sim::SetMissingItem("ITovikVciItems", 1);
  EXPECT_EQ(list->Item(1), nullptr);
  EXPECT_EQ(LogCapture::Containing("com error").size(), 1u);
  delete list;
}

TEST_F(WrapperTest, DeletingWrappersInEitherOrderReleasesEachOnce) {
  CTovikVciItemsIF* list = ModuleList();
  const LiveCounters withList = LiveCounters::Now();
  for (int order = 0; order < 2; ++order) {
    CTovikVciItemIF* a = list->Item(0);
    CTovikVciItemIF* b = list->Item(2);
    EXPECT_EQ(standin::GitEntryCount(), withList.gitEntries + 2);
    EXPECT_EQ(tovik::sim::LiveObjects(), withList.providerObjects + 2);
    if (order == 0) {
      delete a;
      delete b;
    } else {
      delete b;
      delete a;
    }
    EXPECT_EQ(LiveCounters::Now(), withList);
  }
  delete list;
}

TEST_F(WrapperTest, AttachInterfaceDropsAnEarlierRegistration) {
  ITovikVciItemsPtr first;
  ITovikVciItemsPtr second;
  m_manager->GetModuleIds(&first);
  m_manager->GetModuleIds(&second);
  const long live = tovik::sim::LiveObjects();
  auto* wrapper = new CTovikVciItemsIF;
  CTovikVciItemsIF::AttachInterface(wrapper, first);
  CTovikVciItemsIF::AttachInterface(wrapper, second);
  first = nullptr;
  second = nullptr;
  EXPECT_EQ(tovik::sim::LiveObjects(), live - 1);  // only the second stays alive
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries + 1);
  EXPECT_EQ(wrapper->Count(), 3u);
  delete wrapper;
}

TEST_F(WrapperTest, PendantLedsAreBuiltSetAndTraced) {
  CTovikPendantLedsIF leds;
  ASSERT_TRUE(leds.ConstructInterface());
  ASSERT_GT(leds.Count(), 0u);
  LogCapture::Clear();
  CTovikPendantLedIF* led = leds.Item(0);
  ASSERT_NE(led, nullptr);
  Texts itemTexts = LogCapture::TextsOf("CTovikPendantLedsIF::CmdItem");
  ASSERT_EQ(itemTexts.size(), 6u);
  EXPECT_EQ(itemTexts[1].rfind("B ", 0), 0u);
  EXPECT_EQ(itemTexts[3].rfind("Releasing ", 0), 0u);
  itemTexts[1] = "B";
  itemTexts[3] = "Releasing";
  EXPECT_EQ(itemTexts, (Texts{"A", "B", "C", "Releasing", "D", "E"}));

  led->SetLedValid(7);
  led->SetLedBlinkFeq(0x80000000u);
  EXPECT_EQ(led->GetLedValid(), 7u);
  EXPECT_EQ(led->GetLedBlinkFreq(), 0x80000000u);
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikPendantLed.put_"),
            (Texts{"ITovikPendantLed.put_LedValid(7)", "ITovikPendantLed.put_LedBlinkFreq(2147483648)"}));
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantLedIF::SetLedValid"), (Texts{"SET to 7"}));
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantLedIF::CmdSetLedValid"), (Texts{"A " + PointerText(led), "B", "C"}));
  LogCapture::Clear();
  delete led;
  ASSERT_EQ(LogCapture::TextsOf("CTovikPendantLedIF::CmdDestroyObject").size(), 2u);
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantLedIF::CmdDestroyObject")[0], "DESTROY " + PointerText(led));
}

TEST_F(WrapperTest, PendantObjectsThatCannotBeMadeReportFalse) {
  FailingFactory refuseLeds(CLSID_TovikPendantLeds, E_OUTOFMEMORY);
  FailingFactory refuseDisplay(CLSID_TovikPendantDisp);
  CTovikPendantLedsIF leds;
  CTovikPendantDispIF display;
  EXPECT_FALSE(leds.ConstructInterface());
  EXPECT_FALSE(display.ConstructInterface());
  EXPECT_EQ(leds.Count(), 0u);
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantLedsIF::CmdConstructObject"),
            (Texts{"Could not construct interface 8007000e"}));
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantDispIF::CmdConstructObject"),
            (Texts{"Could not construct interface 80004005"}));
}

TEST_F(WrapperTest, PendantDisplayKeepsItsSegments) {
  auto* display = new CTovikPendantDispIF;
  ASSERT_TRUE(display->ConstructInterface());
  display->SetSegmentA(1);
  display->SetSegmentDecimalPoint(0xFFFFFFFFu);
  EXPECT_EQ(display->GetSegmentA(), 1u);
  EXPECT_EQ(display->GetSegmentDecimalPoint(), 0xFFFFFFFFu);
  EXPECT_EQ(display->GetSegmentB(), 0u);
  delete display;
}
