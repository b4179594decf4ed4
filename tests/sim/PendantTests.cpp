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

}  // namespace
}  // namespace simtest
