// The virtual provider's own test aids: the bounded journal and pause points.

#include <chrono>
#include <future>

#include "SimTest.h"

namespace simtest {
namespace {

using ControlTest = SimTest;

LONG ConStatus(P::ITovikManager* manager, ULONG handle) {
  ULONG status = 0;
  LONG result = -1;
  manager->raw_GetConStatus(handle, &status, &result);
  return result;
}

TEST_F(ControlTest, TheJournalKeepsTheNewestLinesAndCountsTheOthers) {
  sim::ClearJournal();
  sim::SetJournalCapacity(3);
  for (ULONG i = 1; i <= 5; ++i) ConStatus(manager_, i);
  EXPECT_EQ(sim::Journal(), (std::vector<std::string>{"ITovikManager.GetConStatus(3)", "ITovikManager.GetConStatus(4)",
                                                      "ITovikManager.GetConStatus(5)"}));
  EXPECT_EQ(sim::JournalDropped(), 2u);

  sim::SetJournalCapacity(1);  // shrinking drops at once
  EXPECT_EQ(sim::Journal(), (std::vector<std::string>{"ITovikManager.GetConStatus(5)"}));
  EXPECT_EQ(sim::JournalDropped(), 4u);

  sim::ClearJournal();
  EXPECT_EQ(sim::JournalDropped(), 0u);
  sim::Reset();  // back to the default capacity
  for (ULONG i = 1; i <= 5; ++i) ConStatus(manager_, i);
  EXPECT_EQ(sim::Journal().size(), 5u);
  EXPECT_EQ(sim::JournalDropped(), 0u);
}

TEST_F(ControlTest, APausePointStopsOneCallBeforeOrAfterItsWorkUntilResumed) {
  constexpr int kTimeoutMs = 10000;
  sim::ClearJournal();
  P::ITovikManager* manager = manager_;  // free-threaded in the stand-in
  sim::ArmPausePoint("ITovikManager.GetConStatus");
  auto call = std::async(std::launch::async, [manager] { return ConStatus(manager, 7); });
  ASSERT_TRUE(sim::WaitPaused("ITovikManager.GetConStatus", kTimeoutMs));
  EXPECT_EQ(sim::Journal(), std::vector<std::string>{"ITovikManager.GetConStatus(7)"}) << "journalled first";
  EXPECT_EQ(call.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
  EXPECT_FALSE(sim::WaitPaused("ITovikManager.GetConStatus:done", 0));
  sim::ResumePoint("ITovikManager.GetConStatus");
  call.get();

  // Armed once: the next call passes; a point armed and resumed before any call is disarmed.
  ConStatus(manager, 8);
  sim::ArmPausePoint("ITovikManager.GetConStatus:done");
  sim::ResumePoint("ITovikManager.GetConStatus:done");
  ConStatus(manager, 9);
  EXPECT_EQ(sim::Journal().size(), 3u);

  // Reset releases a stopped thread.
  sim::ArmPausePoint("ITovikManager.GetConStatus:done");
  auto stopped = std::async(std::launch::async, [manager] { return ConStatus(manager, 10); });
  ASSERT_TRUE(sim::WaitPaused("ITovikManager.GetConStatus:done", kTimeoutMs));
  sim::Reset();
  EXPECT_EQ(stopped.wait_for(std::chrono::milliseconds(kTimeoutMs)), std::future_status::ready);
}

}  // namespace
}  // namespace simtest
