// Events at the facade: registration, the event thread and its hand-over,
// draining, cancellation and the event-thread part of the destroy command.
//
// Orderings are never seen by sleeping: tests wait until the provider reports
// a blocked wait (WaitForWaiters) or until a log line has been delivered.

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../core/CoreTestSupport.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kProc = "WaitForEventProc";
constexpr const char* kNext = "CTovikManagerIF::CmdGetNextEvent";
constexpr const char* kDestroy = "CTovikManagerIF::CmdDestroyObject";
constexpr int kTimeoutMs = 10000;

struct Event {
  ULONG first, second, third;
  bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
  return out << "{" << e.first << ", " << e.second << ", " << e.third << "}";
}

std::vector<Event> Drain(CTovikManagerIF& facade) {
  std::vector<Event> events;
  ULONG first = 0, second = 0, third = 0;
  while (facade.GetNextEvent(&first, &second, &third) != 0) events.push_back({first, second, third});
  return events;
}

long Count(const std::vector<std::string>& texts, const std::string& text) {
  return std::count(texts.begin(), texts.end(), text);
}

// Blocks until `predicate` holds (the log has no notification, so it is
// polled) or the time runs out.
template <class P>
bool Eventually(P predicate) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  while (!predicate()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

class EventsTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    m_facade = new CTovikManagerIF(&LogCapture::Sink);
    ASSERT_EQ(m_facade->RegisterForEvents(1, 2), 0);
    tovik::sim::ClearJournal();
    LogCapture::Clear();
  }
  void TearDown() override {
    delete m_facade;
    CoreTest::TearDown();
  }

  // A thread of its own that waits for events on the facade.
  std::future<int> StartWaiter() {
    return std::async(std::launch::async, [facade = m_facade] { return facade->WaitForEvents(); });
  }
  static bool Finished(std::future<int>& waiter) {
    return waiter.wait_for(std::chrono::milliseconds(kTimeoutMs)) == std::future_status::ready;
  }

  CTovikManagerIF* m_facade = nullptr;
};

}  // namespace

TEST_F(EventsTest, RegistrationPassesBothValuesAndTheProviderResult) {
  EXPECT_EQ(m_facade->RegisterForEvents(0xFFFFFFFFu, 0x80000000u), 0);
  EXPECT_EQ(tovik::sim::LastRegistration(), (std::vector<std::uint32_t>{0xFFFFFFFFu, 0x80000000u}));
  EXPECT_EQ(ManagerCalls(), (Texts{"ITovikManager.RegisterForEvents(4294967295, 2147483648)"}));
  tovik::sim::SetResult("ITovikManager.RegisterForEvents", -7);
  EXPECT_EQ(m_facade->RegisterForEvents(3, 4), -7);
}

TEST_F(EventsTest, AWaitHandsOverToTheEventThreadAndTheEventsDrainInProviderOrder) {
  tovik::sim::PostEvent(1, 2, 3);
  tovik::sim::PostEvent(0xFFFFFFFFu, 0x80000000u, 0);
  tovik::sim::PostEvent(7, 8, 9);

  EXPECT_EQ(m_facade->WaitForEvents(), 0);
  EXPECT_EQ(Drain(*m_facade),
            (std::vector<Event>{{1, 2, 3}, {0xFFFFFFFFu, 0x80000000u, 0}, {7, 8, 9}}));
  EXPECT_EQ(tovik::sim::QueuedEventCount(), 0);

  EXPECT_EQ(LogCapture::TextsOf(kProc), (Texts{"Initialize 00", "Waiting for Events", "Waiting for Events done 0"}));
  // Four commands: three events and the one that reports none.
  const auto next = LogCapture::TextsOf(kNext);
  EXPECT_EQ(Count(next, "start"), 4);
  EXPECT_EQ(Count(next, "done"), 4);
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikManager.GetNextEvent").size(), 4u);
}

TEST_F(EventsTest, GetNextEventReportsAProviderErrorAsNoEvent) {
  tovik::sim::PostEvent(4, 5, 6);
  tovik::sim::FailMethod("ITovikManager.GetNextEvent", E_FAIL, true, "queue broken");
  ULONG first = 11, second = 12, third = 13;
  EXPECT_EQ(m_facade->GetNextEvent(&first, &second, &third), 0);
  EXPECT_EQ((Event{first, second, third}), (Event{11, 12, 13}));
  EXPECT_EQ(LogCapture::TextsOf(kNext), (Texts{"start", "com error -2147467259 queue broken", "done"}));
  EXPECT_TRUE(LogCapture::Containing("com error: 0x").empty()) << "handled by the command itself";
  EXPECT_EQ(Drain(*m_facade), (std::vector<Event>{{4, 5, 6}})) << "the event stays queued";
}

TEST_F(EventsTest, CancelReleasesAWaiterAndTheNextWaitStartsANewThread) {
  auto waiter = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));

  // The command thread keeps serving while the event thread sits in the wait.
  EXPECT_EQ(m_facade->ConfigureUsbInterface(), 0);
  ULONG first = 0, second = 0, third = 0;
  EXPECT_EQ(m_facade->GetNextEvent(&first, &second, &third), 0);

  m_facade->CancelEventNotification();
  ASSERT_TRUE(Finished(waiter));
  EXPECT_EQ(waiter.get(), -1) << "the provider's result for a cancelled wait";
  ASSERT_TRUE(Eventually([] { return Count(LogCapture::TextsOf(kProc), "Done") == 1; }));
  EXPECT_EQ(LogCapture::TextsOf(kProc),
            (Texts{"Initialize 00", "Waiting for Events", "Waiting for Events done -1", "Terminating started",
                   "Terminating continue", "Done"}));

  tovik::sim::PostEvent(21, 22, 23);
  EXPECT_EQ(m_facade->WaitForEvents(), 0);
  EXPECT_EQ(Drain(*m_facade), (std::vector<Event>{{21, 22, 23}}));
  EXPECT_EQ(Count(LogCapture::TextsOf(kProc), "Initialize 00"), 2);
}

// An idle thread (a wait has ended) cancelled with nobody waiting: its termination leaves
// the done event set. The next wait, whether the old thread has ended by then or is still
// ending, must enter the provider's wait rather than return on that stale signal.
TEST_F(EventsTest, AWaitAfterACancellationOfAnIdleThreadReallyWaits) {
  for (const bool oldThreadEnded : {true, false}) {
    SCOPED_TRACE(oldThreadEnded);
    LogCapture::Clear();
    tovik::sim::PostEvent(1, 2, 3);
    ASSERT_EQ(m_facade->WaitForEvents(), 0);
    Drain(*m_facade);
    m_facade->CancelEventNotification();
    if (oldThreadEnded) {
      ASSERT_TRUE(Eventually([] { return Count(LogCapture::TextsOf(kProc), "Done") == 1; }));
    }

    auto waiter = StartWaiter();
    ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
    tovik::sim::PostEvent(4, 5, 6);
    ASSERT_TRUE(Finished(waiter));
    EXPECT_EQ(waiter.get(), 0);
    EXPECT_EQ(Drain(*m_facade), (std::vector<Event>{{4, 5, 6}}));
  }
}

TEST_F(EventsTest, AFailingProviderWaitReleasesTheWaiterWithOneLine) {
  tovik::sim::FailMethod("ITovikManager.WaitForEvents", E_FAIL, true, "wait broken");
  EXPECT_NE(m_facade->WaitForEvents(), 0);
  EXPECT_EQ(LogCapture::TextsOf(kProc),
            (Texts{"Initialize 00", "Waiting for Events", "com error -2147467259 wait broken"}));

  // The thread stays and serves the next wait.
  tovik::sim::PostEvent(9, 9, 9);
  EXPECT_EQ(m_facade->WaitForEvents(), 0);
  EXPECT_EQ(Count(LogCapture::TextsOf(kProc), "Initialize 00"), 1);
  EXPECT_EQ(Drain(*m_facade), (std::vector<Event>{{9, 9, 9}}));
}

TEST_F(EventsTest, DestroyingTheFacadeWhileAWaitIsInProgressStopsTheEventThreadFirst) {
  auto waiter = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
  const std::string address = PointerText(m_facade);

  delete m_facade;
  m_facade = nullptr;
  ASSERT_TRUE(Finished(waiter));
  EXPECT_EQ(waiter.get(), -1);

  EXPECT_EQ(LogCapture::TextsOf(kDestroy),
            (Texts{"removing TOVIK Manager IF " + address, "stopping event thread", "Waiting for thread done",
                   "Deleting thread", "stopping event thread done", "Releasing", "0", "Final release "}));
  // The thread had ended (its last line delivered) before the destroy went on to delete it.
  Texts order;
  for (const std::string& line : LogCapture::Lines()) {
    if (line.rfind(std::string(kProc) + ":", 0) == 0 || line.rfind(std::string(kDestroy) + ":", 0) == 0)
      order.push_back(line.substr(line.rfind(": ") + 2));
  }
  const auto at = [&](const char* text) { return std::find(order.begin(), order.end(), text) - order.begin(); };
  EXPECT_LT(at("Waiting for Events done -1"), at("Done"));
  EXPECT_LT(at("Waiting for thread done"), at("Deleting thread"));
  EXPECT_LT(at("Done"), at("Deleting thread"));
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikManager.CancelEventNotification").size(), 1u);
}

TEST_F(EventsTest, WithoutAProviderObjectNothingReachesTheProviderAndAWaitReturns) {
  const auto bare = FacadeWithoutProvider();
  LogCapture::Clear();
  EXPECT_EQ(bare->RegisterForEvents(1, 2), 0x50000003);
  ULONG first = 0, second = 0, third = 0;
  EXPECT_EQ(bare->GetNextEvent(&first, &second, &third), 0);
  EXPECT_EQ(LogCapture::TextsOf(kNext), (Texts{"start", "NULL interface pointer", "done"}));
  bare->CancelEventNotification();
  bare->WaitForEvents();  // the thread has nothing to wait on: the waiter is released
  EXPECT_TRUE(tovik::sim::Journal().empty());
}
