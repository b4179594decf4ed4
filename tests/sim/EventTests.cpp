#include "SimTest.h"

#include <atomic>
#include <future>
#include <thread>

namespace simtest {
namespace {

class EventTest : public SimTest {
 protected:
  // Runs the provider's wait on a thread of its own with an apartment, as
  // the library's event thread does.
  std::future<VARIANT_BOOL> WaitAsync(P::ITovikManager* manager) {
    manager->AddRef();
    return std::async(std::launch::async, [manager] {
      CoInitialize(nullptr);
      VARIANT_BOOL result = 7;
      manager->raw_WaitForEvents(&result);
      manager->Release();
      CoUninitialize();
      return result;
    });
  }

  bool Next(ULONG* a, ULONG* b, ULONG* c) {
    VARIANT_BOOL result = 0;
    EXPECT_EQ(S_OK, manager_->raw_GetNextEvent(a, b, c, &result));
    return result != 0;
  }
};

TEST_F(EventTest, WaitBlocksUntilAnEventIsPostedFromAnotherThread) {
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_RegisterForEvents(1, 2, &result));
  auto wait = WaitAsync(manager_);
  ASSERT_TRUE(sim::WaitForWaiters(1, 10000));
  EXPECT_EQ(std::future_status::timeout, wait.wait_for(std::chrono::milliseconds(0)));

  std::thread poster([] { sim::PostEvent(0x80000001, 2, 3); });
  poster.join();
  EXPECT_EQ(VARIANT_FALSE, wait.get());
  EXPECT_EQ(0, sim::WaitingCount());

  ULONG a = 0, b = 0, c = 0;
  ASSERT_TRUE(Next(&a, &b, &c));
  EXPECT_EQ(0x80000001u, a);
  EXPECT_EQ(2u, b);
  EXPECT_EQ(3u, c);
  EXPECT_FALSE(Next(&a, &b, &c));
}

TEST_F(EventTest, CancelEndsOnlyThatManagersWait) {
  auto other = CreateByClassId<P::ITovikManager>(P::CLSID_TovikManager);
  LONG result = -1;
  manager_->raw_RegisterForEvents(0, 0, &result);
  other->raw_RegisterForEvents(0, 0, &result);
  auto mine = WaitAsync(manager_);
  auto theirs = WaitAsync(other);
  ASSERT_TRUE(sim::WaitForWaiters(2, 10000));

  ASSERT_EQ(S_OK, manager_->raw_CancelEventNotification());
  EXPECT_EQ(VARIANT_TRUE, mine.get());
  EXPECT_EQ(std::future_status::timeout, theirs.wait_for(std::chrono::milliseconds(50)));
  EXPECT_EQ(1, sim::WaitingCount());

  sim::PostEvent(1, 1, 1);
  EXPECT_EQ(VARIANT_FALSE, theirs.get());
}

TEST_F(EventTest, CancelWithoutAWaitDoesNotSpoilTheNextOne) {
  LONG result = -1;
  manager_->raw_RegisterForEvents(0, 0, &result);
  ASSERT_EQ(S_OK, manager_->raw_CancelEventNotification());
  auto wait = WaitAsync(manager_);
  ASSERT_TRUE(sim::WaitForWaiters(1, 10000));
  sim::PostEvent(4, 5, 6);
  EXPECT_EQ(VARIANT_FALSE, wait.get());
}

TEST_F(EventTest, EventsGoToEveryRegistrantAndEarlierOnesToTheFirst) {
  sim::PostEvent(9, 8, 7);
  EXPECT_EQ(1, sim::QueuedEventCount());
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_RegisterForEvents(0x11, 0x22, &result));
  EXPECT_EQ(std::vector<std::uint32_t>({0x11, 0x22}), sim::LastRegistration());
  ULONG a = 0, b = 0, c = 0;
  ASSERT_TRUE(Next(&a, &b, &c));
  EXPECT_EQ(9u, a);

  // Once registered, every registered manager gets each event.
  auto other = CreateByClassId<P::ITovikManager>(P::CLSID_TovikManager);
  auto unregistered = CreateByClassId<P::ITovikManager>(P::CLSID_TovikManager);
  other->raw_RegisterForEvents(0, 0, &result);
  sim::PostEvent(1, 2, 3);
  EXPECT_EQ(2, sim::QueuedEventCount());
  VARIANT_BOOL popped = 0;
  unregistered->raw_GetNextEvent(&a, &b, &c, &popped);
  EXPECT_EQ(VARIANT_FALSE, popped);
  other->raw_GetNextEvent(&a, &b, &c, &popped);
  EXPECT_EQ(VARIANT_TRUE, popped);
  EXPECT_TRUE(Next(&a, &b, &c));
}

TEST_F(EventTest, ManyPostersAndOneDrainerLoseNothing) {
  LONG result = -1;
  manager_->raw_RegisterForEvents(0, 0, &result);
  constexpr int kThreads = 4, kEach = 250;
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([t] {
      for (int i = 0; i < kEach; ++i) sim::PostEvent(static_cast<ULONG>(t), static_cast<ULONG>(i), 0);
    });
  std::vector<int> next(kThreads, 0);
  int received = 0;
  while (received < kThreads * kEach) {
    VARIANT_BOOL waited = 7;
    ASSERT_EQ(S_OK, manager_->raw_WaitForEvents(&waited));
    ASSERT_EQ(VARIANT_FALSE, waited);
    ULONG a = 0, b = 0, c = 0;
    while (Next(&a, &b, &c)) {
      ASSERT_LT(a, static_cast<ULONG>(kThreads));
      EXPECT_EQ(static_cast<ULONG>(next[a]), b) << "events of one poster stay in order";
      next[a] = static_cast<int>(b) + 1;
      ++received;
    }
  }
  for (auto& poster : posters) poster.join();
  EXPECT_EQ(0, sim::QueuedEventCount());
}

}  // namespace
}  // namespace simtest
