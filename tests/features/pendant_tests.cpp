// Pendant, wireless and diagnostics operations of the manager facade where
// Java cannot reach: allocation failure of the self-test copy, the default
// results of a facade without provider object, and the pendant objects the
// caller builds itself.
#include "../core/CoreTestSupport.h"
#include "wrappers/ConfigWrappers.h"
#include "wrappers/PendantWrappers.h"
#include "wrappers/WirelessWrappers.h"

namespace {

constexpr ULONG kConnection = 7;
constexpr const char* kSelfTest = "CTovikManagerIF::CmdRunSelfTest";

class PendantFeatureTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    // The default workshop, with every connection handle naming its first module.
    std::string scenario = tovik::sim::DefaultScenarioJson();
    const std::string required = "\"requireConnection\": true";
    const std::size_t at = scenario.find(required);
    ASSERT_NE(at, std::string::npos);
    scenario.replace(at, required.size(), "\"requireConnection\": false");
    Load(scenario);
  }
};

}  // namespace

TEST_F(PendantFeatureTest, SelfTestBlockThatCannotBeAllocatedIsNotCopiedInto) {
  CTovikManagerIF facade(&LogCapture::Sink);
  tovik::sim::SetByteBufferLength(1000);
  tovik::sim::ClearJournal();
  LogCapture::Clear();

  unsigned int length = 99;
  unsigned char* data = reinterpret_cast<unsigned char*>(&length);
  {
    if (!TOVIK_PLATFORM_TRACKS_ALLOCATIONS) GTEST_SKIP() << "the platform's allocations cannot be limited";
    AllocationLimit limit(64);
    EXPECT_EQ(facade.RunSelfTest(kConnection, &length, &data), 0);
  }
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(data, nullptr);
  EXPECT_TRUE(tovik::sim::JournalWithPrefix("ITovikByteBuffer.Item").empty()) << "no byte is read for a missing block";
  Texts texts = LogCapture::TextsOf(kSelfTest);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[2].rfind("B ", 0), 0u);
  texts[2] = "B";
  EXPECT_EQ(texts, (Texts{"START", "A", "B", "0", "No memory for results 1000", "END"}));
}

TEST_F(PendantFeatureTest, OperationsOfAFacadeWithoutProviderObjectReturnTheirDefaults) {
  const auto facade = FacadeWithoutProvider();
  CTovikPendantLedsIF leds;
  ASSERT_TRUE(leds.ConstructInterface());
  CTovikPendantDispIF display;
  ASSERT_TRUE(display.ConstructInterface());

  EXPECT_EQ(facade->PendantSetLeds(kConnection, &leds), 0);
  EXPECT_EQ(facade->PendantGetLeds(kConnection, &leds), 0);
  EXPECT_EQ(facade->PendantSetSegDisp(kConnection, &display, 1, 2), 0);
  ULONG first = 5;
  ULONG second = 6;
  CTovikPendantDispIF* displayOut = nullptr;
  EXPECT_EQ(facade->PendantGetSegDisp(kConnection, &first, &second, &displayOut), 0x50000003);
  EXPECT_EQ(displayOut, nullptr);
  EXPECT_EQ(facade->PendantSetAudio(kConnection, 1, 2, 3, 4), 0);
  EXPECT_EQ(facade->PendantGetAudio(kConnection, &first, &second), 0x50000007);
  EXPECT_EQ(first, 5u);
  EXPECT_EQ(second, 6u);

  CTovikApStateItemIF* state = nullptr;
  EXPECT_EQ(facade->GetAccessPointState(kConnection, 0, &state), 0x50000003);
  EXPECT_EQ(facade->EnableManualScan(true), 0x50000007);
  EXPECT_EQ(facade->EnableAutoWifi(true), 0x50000007);
  CTovikAdaptInfoItemsIF* adapters = nullptr;
  bool flags[3] = {true, true, true};
  EXPECT_EQ(facade->GetAutoWifiInfo(&adapters, flags[0], flags[1], flags[2]), 0x50000007);
  EXPECT_TRUE(flags[0] && flags[1] && flags[2]) << "outputs untouched";

  unsigned int length = 3;
  unsigned char* data = nullptr;
  EXPECT_EQ(facade->RunSelfTest(kConnection, &length, &data), 0);
  EXPECT_EQ(length, 3u);
  CTovikConfigItemsIF* items = nullptr;
  EXPECT_EQ(facade->GetConfigItems(kConnection, &items), 0x50000007);
  EXPECT_EQ(state, nullptr);
  EXPECT_EQ(adapters, nullptr);
  EXPECT_EQ(items, nullptr);

  EXPECT_TRUE(ManagerCalls().empty());
  EXPECT_EQ(LogCapture::TextsOf(kSelfTest), (Texts{"START", "END"}));
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdGetAccessPointState"),
            (Texts{"Cmd Get Access Point State", "Cmd Get Access Point State 1342177283"}));
}

TEST_F(PendantFeatureTest, TheCollectionTheCallerBuiltReachesTheProvider) {
  CTovikManagerIF facade(&LogCapture::Sink);
  auto leds = std::make_unique<CTovikPendantLedsIF>();
  ASSERT_TRUE(leds->ConstructInterface());
  ASSERT_EQ(leds->Count(), 5u);
  {
    std::unique_ptr<CTovikPendantLedIF> led(leds->Item(4));
    ASSERT_NE(led, nullptr);
    led->SetLedValid(1);
    led->SetLedCtrl(0xFFFFFFFF);
    led->SetLedBlinkFeq(3);
  }
  EXPECT_EQ(facade.PendantSetLeds(kConnection, leds.get()), 0);
  const std::vector<tovik::sim::LedState> state = tovik::sim::PendantLeds(200101);
  ASSERT_EQ(state.size(), 5u);
  EXPECT_EQ(state[4].valid, 1u);
  EXPECT_EQ(state[4].control, 0xFFFFFFFFu);
  EXPECT_EQ(state[4].blinkFrequency, 3u);

  // A collection without provider object is handed on as null; the provider refuses it.
  CTovikPendantLedsIF empty;
  EXPECT_EQ(facade.PendantGetLeds(kConnection, &empty), 0) << "the COM error ends the command";
  EXPECT_FALSE(LogCapture::Containing("com error: 0x").empty());
  leds.reset();
  EXPECT_EQ(LogCapture::TextsOf("CTovikPendantLedsIF::~CTovikPendantLedsIF"), (Texts{"Destroy"}));
}
