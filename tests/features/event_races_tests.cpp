// The dangerous interleavings of the event hand-over, each forced once:
// the virtual provider's pause points stop a provider call at a known place,
// and a gate in the log sink stops the event thread at one of its log lines.
// A lost cancel shows up as a waiter that never returns (the tests give up
// after kTimeoutMs and the destroy in TearDown frees it).

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "../core/CoreTestSupport.h"

namespace {

constexpr int kTimeoutMs = 10000;
constexpr const char* kWait = "ITovikManager.WaitForEvents";
constexpr const char* kCancel = "ITovikManager.CancelEventNotification";
// The pause point just after the provider's cancel has done its work.
const std::string kCancelDone = std::string(kCancel) + ":done";
const std::string kWaitLine = "ITovikManager.WaitForEvents()";
const std::string kCancelLine = "ITovikManager.CancelEventNotification()";

// Stops the thread that delivers a core log line ending in the armed text
// until Open(). The sink runs under the core log lock, so nothing else logs
// meanwhile: only use it where the other side does not log.
class LogGate {
 public:
  static void Arm(const std::string& ending) {
    std::lock_guard lock(m_mutex);
    m_ending = ending;
    m_stopped = false;
  }
  static bool WaitStopped() {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(kTimeoutMs), [] { return m_stopped; });
  }
  static void Open() {
    std::lock_guard lock(m_mutex);
    m_ending.clear();
    m_changed.notify_all();
  }
  static void Sink(const char* line) {
    LogCapture::Sink(line);
    const std::string text(line);
    std::unique_lock lock(m_mutex);
    if (m_ending.empty() || text.size() < m_ending.size() ||
        text.compare(text.size() - m_ending.size(), m_ending.size(), m_ending) != 0)
      return;
    m_stopped = true;
    m_changed.notify_all();
    m_changed.wait(lock, [] { return m_ending.empty(); });
  }

 private:
  static inline std::mutex m_mutex;
  static inline std::condition_variable m_changed;
  static inline std::string m_ending;
  static inline bool m_stopped = false;
};

class EventRaceTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    m_facade = new CTovikManagerIF(&LogGate::Sink);
    ASSERT_EQ(m_facade->RegisterForEvents(1, 2), 0);
    tovik::sim::ClearJournal();
  }
  void TearDown() override {
    LogGate::Open();
    tovik::sim::Reset();  // resumes whatever a failed test left stopped
    delete m_facade;
    CoreTest::TearDown();
  }

  template <class F>
  static auto Async(F f) {
    return std::async(std::launch::async, f);
  }
  template <class T>
  static bool Finished(std::future<T>& f) {
    return f.wait_for(std::chrono::milliseconds(kTimeoutMs)) == std::future_status::ready;
  }
  std::future<int> StartWaiter() {
    return Async([facade = m_facade] { return facade->WaitForEvents(); });
  }
  std::future<void> StartCancel() {
    return Async([facade = m_facade] { facade->CancelEventNotification(); });
  }
  // The provider calls: `start`, then at least `cancels` cancels and nothing else.
  static void ExpectThenOnlyCancels(const Texts& start, std::size_t cancels) {
    const Texts calls = ManagerCalls();
    ASSERT_GE(calls.size(), start.size() + cancels) << "a lost cancel was not repeated";
    EXPECT_EQ(Texts(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(start.size())), start);
    for (std::size_t i = start.size(); i < calls.size(); ++i) EXPECT_EQ(calls[i], kCancelLine) << "call " << i;
  }

  CTovikManagerIF* m_facade = nullptr;
};

}  // namespace

TEST_F(EventRaceTest, ACancelJustBeforeTheProviderWaitBeginsIsRepeated) {
  tovik::sim::ArmPausePoint(kWait);
  auto waiter = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitPaused(kWait, kTimeoutMs));  // past the library's check, not yet waiting

  tovik::sim::ArmPausePoint(kCancelDone);
  auto cancel = StartCancel();
  ASSERT_TRUE(tovik::sim::WaitPaused(kCancelDone, kTimeoutMs));
  tovik::sim::ResumePoint(kCancelDone);  // that cancel found no wait
  tovik::sim::ResumePoint(kWait);                             // now the wait begins

  ASSERT_TRUE(Finished(waiter)) << "the cancel was lost";
  EXPECT_EQ(waiter.get(), -1);
  ASSERT_TRUE(Finished(cancel));
  ExpectThenOnlyCancels({kWaitLine}, 2);  // the first cancel lost, then repeated
}

TEST_F(EventRaceTest, AWaitStartedBetweenTheProviderCancelAndTheCancelEventIsEnded) {
  auto first = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
  tovik::sim::ArmPausePoint(kCancelDone);
  auto cancel = StartCancel();
  ASSERT_TRUE(Finished(first));  // the provider's cancel ended the first wait
  EXPECT_EQ(first.get(), -1);
  ASSERT_TRUE(tovik::sim::WaitPaused(kCancelDone, kTimeoutMs));

  // The waiter comes straight back while the canceller has not set its event yet.
  auto second = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
  tovik::sim::ResumePoint(kCancelDone);

  ASSERT_TRUE(Finished(second)) << "the second wait never ended";
  EXPECT_EQ(second.get(), -1);
  ASSERT_TRUE(Finished(cancel));
  ExpectThenOnlyCancels({kWaitLine, kCancelLine, kWaitLine}, 1);
}

TEST_F(EventRaceTest, ACancelWhileTheWaiterWaitsForTheOldThreadToEndIsNotErased) {
  tovik::sim::PostEvent(1, 2, 3);
  ASSERT_EQ(m_facade->WaitForEvents(), 0);
  ULONG a = 0, b = 0, c = 0;
  while (m_facade->GetNextEvent(&a, &b, &c) != 0) {
  }
  // The idle thread is told to stop and held at its last line, still alive.
  LogGate::Arm(": Done");
  m_facade->CancelEventNotification();
  ASSERT_TRUE(LogGate::WaitStopped());

  // Two waiters: whichever comes second is answered at once, so once one has
  // returned the other is known to be inside, waiting for the old thread.
  auto one = StartWaiter();
  auto two = StartWaiter();
  while (one.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready &&
         two.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
  }
  const bool oneReturned = one.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  auto& answered = oneReturned ? one : two;
  auto& waiter = oneReturned ? two : one;
  EXPECT_EQ(answered.get(), 1);
  m_facade->CancelEventNotification();
  LogGate::Open();

  ASSERT_TRUE(Finished(waiter)) << "the cancel was erased with the old thread's";
  EXPECT_EQ(waiter.get(), 0) << "the previous wait's result";
  EXPECT_EQ(tovik::sim::JournalWithPrefix(kWait).size(), 1u) << "no new provider wait";
}

TEST_F(EventRaceTest, ASecondConcurrentWaiterIsAnsweredAtOnceAndDestroyEndsTheFirst) {
  auto first = StartWaiter();
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
  auto second = StartWaiter();
  ASSERT_TRUE(Finished(second));
  EXPECT_EQ(second.get(), 1);
  EXPECT_EQ(ManagerCalls(), Texts{kWaitLine}) << "one provider wait only";

  // The command thread still serves other facades.
  CTovikManagerIF other(&LogGate::Sink);
  EXPECT_EQ(other.ConfigureUsbInterface(), 0);

  delete m_facade;
  m_facade = nullptr;
  ASSERT_TRUE(Finished(first));
  EXPECT_EQ(first.get(), -1);
}

TEST_F(EventRaceTest, EachFacadeAnswersWithItsOwnLastWaitResult) {
  // This facade's last wait delivered events (0).
  tovik::sim::PostEvent(1, 2, 3);
  ASSERT_EQ(m_facade->WaitForEvents(), 0);
  ULONG a = 0, b = 0, c = 0;
  while (m_facade->GetNextEvent(&a, &b, &c) != 0) {
  }
  // Another facade's wait ends cancelled (-1) afterwards.
  CTovikManagerIF other(&LogGate::Sink);
  auto otherWaiter = Async([&other] { return other.WaitForEvents(); });
  ASSERT_TRUE(tovik::sim::WaitForWaiters(1, kTimeoutMs));
  other.CancelEventNotification();
  ASSERT_TRUE(Finished(otherWaiter));
  ASSERT_EQ(otherWaiter.get(), -1);

  // A wait of this facade cancelled before its provider wait begins answers
  // with this facade's previous result.
  LogGate::Arm(": Waiting for Events");
  auto waiter = StartWaiter();
  ASSERT_TRUE(LogGate::WaitStopped());
  m_facade->CancelEventNotification();
  LogGate::Open();
  ASSERT_TRUE(Finished(waiter));
  EXPECT_EQ(waiter.get(), 0);
}

TEST_F(EventRaceTest, AfterEndEventWaitsNoWaitStarts) {
  m_facade->EndEventWaits();
  EXPECT_EQ(m_facade->WaitForEvents(), 1);
  EXPECT_EQ(ManagerCalls(), Texts{kCancelLine});
}
