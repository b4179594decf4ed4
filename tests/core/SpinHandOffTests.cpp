// The spin-then-block hand-over on its own: when a spin gives up, how the
// budget follows the waits, and that the event is set only for a sleeper.

#include <gtest/gtest.h>

#include <thread>

#include "core/SpinHandOff.h"

namespace {

using namespace tovik;
using namespace std::chrono_literals;

TEST(SpinBudgetTest, ASpinEndsWithTheFlagOrWhenItsBudgetIsSpent) {
  SpinBudget budget;
  int looks = 0;
  EXPECT_TRUE(budget.Spin([&] { return ++looks == 10; }, Clock::now()));  // before its first look at the clock
  EXPECT_EQ(looks, 10);
  EXPECT_FALSE(budget.Spin([] { return false; }, Clock::now()));
}

TEST(SpinBudgetTest, TheBudgetFollowsTheWaits) {
  SpinBudget budget;
  EXPECT_EQ(budget.Budget(), SpinBudget::kMaximum);
  budget.Learn(1ms);  // far beyond a spin: halves
  EXPECT_EQ(budget.Budget(), SpinBudget::kMaximum / 2);
  for (int i = 0; i < 20; ++i) budget.Learn(1ms);
  EXPECT_EQ(budget.Budget(), SpinBudget::kMinimum) << "an idle library hardly spins";
  for (int i = 0; i < 100; ++i) budget.Learn(Nanos{5'000});
  EXPECT_NEAR(static_cast<double>(budget.Budget().count()), 10'000.0, 500.0) << "about twice a short wait";
  for (int i = 0; i < 100; ++i) budget.Learn(Nanos{40'000});
  EXPECT_NEAR(static_cast<double>(budget.Budget().count()), 50'000.0, 1'000.0) << "capped at the maximum";
}

TEST(SpinBudgetTest, ASpinTakenOffTheProcessorSleepsAtOnceForAWhile) {
  SpinBudget budget;
  int looks = 0;
  const Clock::time_point before = Clock::now();
  // The sixteenth look takes far longer than any look on a processor of its own.
  EXPECT_FALSE(budget.Spin(
      [&] {
        if (++looks == 16) std::this_thread::sleep_for(1ms);
        return false;
      },
      before));
  const Clock::time_point tripped = Clock::now();  // not before the trip
  // Waits that begin within the quiet stretch (`before` surely does) sleep at once, every one.
  for (int i = 0; i < 3; ++i) {
    looks = 0;
    ASSERT_FALSE(budget.Spin([&] { return ++looks > 1; }, before)) << "wait " << i;
    ASSERT_EQ(looks, 1) << "only the first look, no spin";
  }
  // A wait that begins once the stretch is over spins again, however few waits came in between.
  looks = 0;
  EXPECT_TRUE(budget.Spin([&] { return ++looks > 1; }, tripped + SpinBudget::kQuietPeriod + 1ms))
      << "spinning again afterwards";
}

TEST(HandOffTest, TheEventIsSetOnlyForASleeper) {
  const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HandOff handOff;
  handOff.Raise(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "nobody sleeps: no signal";
  EXPECT_FALSE(handOff.PrepareSleep()) << "the flag is up: no sleep";
  EXPECT_FALSE(handOff.asleep.load());

  handOff.Reset();
  EXPECT_TRUE(handOff.PrepareSleep());
  const Clock::time_point start = Clock::now();
  handOff.Raise(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_GE(handOff.WaitedSince(start), Nanos{0});
  CloseHandle(event);
}

}  // namespace
