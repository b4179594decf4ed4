#include "SimTest.h"

namespace simtest {
namespace {

class PendantTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    connection_ = Connect(kBay2);
  }
  ULONG connection_ = 0;
};

TEST_F(PendantTest, LedItemsWriteThroughAndSetGetRoundTrips) {
  auto leds = CreateByClassId<P::ITovikPendantLeds>(P::CLSID_TovikPendantLeds);
  ULONG count = 0;
  leds->get_Count(&count);
  ASSERT_EQ(5u, count);
  for (ULONG i = 0; i < count; ++i) {
    Ref<P::ITovikPendantLed> led;
    ASSERT_EQ(S_OK, leds->raw_Item(i, led.out()));
    led->put_LedValid(1);
    led->put_LedCtrl(0x80000000 + i);
    led->put_LedBlinkFreq(i * 2);
  }
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_PendantSetLeds(connection_, leds.get(), &result));
  EXPECT_EQ(0, result);
  const auto model = sim::PendantLeds(kBay2);
  ASSERT_EQ(5u, model.size());
  EXPECT_EQ(0x80000004u, model[4].control);

  auto fresh = CreateByClassId<P::ITovikPendantLeds>(P::CLSID_TovikPendantLeds);
  ASSERT_EQ(S_OK, manager_->raw_PendantGetLeds(connection_, fresh.get(), &result));
  for (ULONG i = 0; i < count; ++i) {
    Ref<P::ITovikPendantLed> led;
    fresh->raw_Item(i, led.out());
    ULONG control = 0, blink = 0;
    led->get_LedCtrl(&control);
    led->get_LedBlinkFreq(&blink);
    EXPECT_EQ(0x80000000 + i, control);
    EXPECT_EQ(i * 2, blink);
  }
}

TEST_F(PendantTest, LedsOfOneModuleDoNotReachAnother) {
  auto leds = CreateByClassId<P::ITovikPendantLeds>(P::CLSID_TovikPendantLeds);
  Ref<P::ITovikPendantLed> led;
  leds->raw_Item(0, led.out());
  led->put_LedValid(9);
  LONG result = -1;
  manager_->raw_PendantSetLeds(connection_, leds.get(), &result);
  EXPECT_EQ(9u, sim::PendantLeds(kBay2)[0].valid);
  EXPECT_EQ(1u, sim::PendantLeds(kBay1)[0].valid) << "bay 1 keeps its scenario value";
}

TEST_F(PendantTest, SegmentsAndAudioReadBackWhatWasSet) {
  auto display = CreateByClassId<P::ITovikPendantDisp>(P::CLSID_TovikPendantDisp);
  display->put_SegmentA(1);
  display->put_SegmentG(7);
  display->put_SegmentDecimalPoint(0xFFFFFFFF);
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_PendantSetSegDisp(connection_, display.get(), 11, 22, &result));
  EXPECT_EQ(0, result);

  ULONG first = 0, second = 0;
  Ref<P::ITovikPendantDisp> back;
  ASSERT_EQ(S_OK, manager_->raw_PendantGetSegDisp(connection_, &first, &second, back.out(), &result));
  EXPECT_EQ(11u, first);
  EXPECT_EQ(22u, second);
  ULONG a = 0, g = 0, dp = 0;
  back->get_SegmentA(&a);
  back->get_SegmentG(&g);
  back->get_SegmentDecimalPoint(&dp);
  EXPECT_EQ(1u, a);
  EXPECT_EQ(7u, g);
  EXPECT_EQ(0xFFFFFFFFu, dp);

  ASSERT_EQ(S_OK, manager_->raw_PendantSetAudio(connection_, 880, 50, 2, 1, &result));
  ASSERT_EQ(S_OK, manager_->raw_PendantGetAudio(connection_, &first, &second, &result));
  EXPECT_EQ(880u, first);
  EXPECT_EQ(50u, second);
  EXPECT_EQ((std::vector<std::uint32_t>{880, 50, 2, 1}), sim::PendantAudio(kBay2));
}

TEST_F(PendantTest, SwitchesReadBackAsReceived) {
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_EnableAutoWifi(VARIANT_FALSE, &result));
  ASSERT_EQ(S_OK, manager_->raw_EnableManualScan(1, &result));
  Ref<P::ITovikAdaptInfoList> list;
  VARIANT_BOOL autoWifi = 7, manualScan = 7, third = 7;
  ASSERT_EQ(S_OK, manager_->raw_GetAutoWifiInfo(list.out(), &autoWifi, &manualScan, &third, &result));
  EXPECT_EQ(VARIANT_FALSE, autoWifi);
  EXPECT_EQ(1, manualScan);
  ULONG count = 0;
  list->get_Count(&count);
  EXPECT_EQ(2u, count);
}

}  // namespace
}  // namespace simtest
