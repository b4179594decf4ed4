// Commands and the command thread.
#include <atomic>
#include <thread>

#include "CoreTestSupport.h"
#include "core/CommandBatch.h"
#include "core/ThreadManager.h"
#include "facade/CTovikManagerIF.h"

namespace {

struct Probe {
  std::vector<INT_PTR> seen;
  int calls = 0;
  bool raise = false;

  INT_PTR CmdRecord(std::vector<INT_PTR>& args) {
    seen = args;
    ++calls;
    return static_cast<INT_PTR>(args.size());
  }
  INT_PTR CmdThreadId(std::vector<INT_PTR>&) { return static_cast<INT_PTR>(GetCurrentThreadId()); }
  INT_PTR CmdRaiseOrAnswer(std::vector<INT_PTR>&) {
    ++calls;
    if (raise) _com_issue_error(E_FAIL);
    return 42;
  }
  INT_PTR CmdTwice(std::vector<INT_PTR>& args) { return args.at(0) * 2; }
};
using ProbeCommand = CThreadCommand<Probe, INT_PTR (Probe::*)(std::vector<INT_PTR>&)>;

DWORD CommandThreadId() {
  Probe probe;
  return static_cast<DWORD>(SubmitCommand(&probe, &Probe::CmdThreadId));
}

class CommandThreadTest : public CoreTest {
 protected:
  void SetUp() override {
    // Running and past its start-up lines before the capture begins.
    CThreadManager::Start();
    CommandThreadId();
    CoreTest::SetUp();
  }
};

}  // namespace

TEST(ThreadCommand, NullFunctionOrTargetYieldsZeroWithoutCall) {
  Probe probe;
  ProbeCommand noFunction;
  noFunction.SetCommand(&probe, nullptr);
  noFunction.Execute();
  EXPECT_EQ(noFunction.GetResult(), 0);

  ProbeCommand noTarget;
  noTarget.SetCommand(nullptr, &Probe::CmdRecord);
  noTarget.AddArguments(1, static_cast<INT_PTR>(5));
  noTarget.Execute();
  EXPECT_EQ(noTarget.GetResult(), 0);

  ProbeCommand unset;
  EXPECT_EQ(unset.DoCommand(), 0);
  EXPECT_EQ(probe.calls, 0);
}

TEST(ThreadCommand, CopyTakesTargetFunctionArgumentsAndResult) {
  Probe probe;
  ProbeCommand original;
  original.SetCommand(&probe, &Probe::CmdRecord);
  original.AddArguments(2, static_cast<INT_PTR>(1), static_cast<INT_PTR>(2));
  original.Execute();
  ProbeCommand copy(original);
  EXPECT_EQ(copy.GetResult(), 2);
  EXPECT_EQ(copy.Arguments(), original.Arguments());
  copy.AddArguments(1, static_cast<INT_PTR>(3));
  copy.Execute();
  EXPECT_EQ(copy.GetResult(), 3);
  EXPECT_EQ(probe.calls, 2);
  EXPECT_EQ(probe.seen, (std::vector<INT_PTR>{1, 2, 3}));
}

// The slots keep pointers and widen values by their sign.
TEST_F(CommandThreadTest, SubmittedCommandRunsOnTheCommandThreadWithItsArguments) {
  Probe probe;
  ULONG output = 0;
  const INT_PTR result = SubmitCommand(&probe, &Probe::CmdRecord, static_cast<ULONG>(0xFFFFFFFFu), &output, true,
                                       static_cast<LONG>(-3), false, nullptr);
  EXPECT_EQ(result, 6);
  EXPECT_EQ(probe.seen, (std::vector<INT_PTR>{static_cast<INT_PTR>(0xFFFFFFFFll), reinterpret_cast<INT_PTR>(&output),
                                              1, -3, 0, 0}));
  EXPECT_NE(CommandThreadId(), GetCurrentThreadId());
}

TEST_F(CommandThreadTest, OneCommandThreadServesEveryFacadeAndCaller) {
  const DWORD before = CommandThreadId();
  auto* first = new CTovikManagerIF(&LogCapture::Sink);
  auto* second = new CTovikManagerIF(&LogCapture::Sink);
  CThreadManager::Start();
  std::atomic<int> others{0};
  std::vector<std::thread> callers;
  for (int i = 0; i < 3; ++i)
    callers.emplace_back([&] {
      if (CommandThreadId() != before) ++others;
    });
  for (std::thread& caller : callers) caller.join();
  EXPECT_EQ(others.load(), 0);
  EXPECT_EQ(CommandThreadId(), before);
  EXPECT_TRUE(LogCapture::Containing("Command thread started").empty());
  delete second;
  delete first;
}

TEST_F(CommandThreadTest, ComErrorIsLoggedOnceAndLeavesTheResultUnchanged) {
  Probe probe;
  probe.raise = true;
  EXPECT_EQ(SubmitCommand(&probe, &Probe::CmdRaiseOrAnswer), 0);
  const std::vector<std::string> errors = LogCapture::Containing("com error: 0x");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("CThreadManager::ObjectManagerThreadProc:", 0), 0u) << errors[0];
  EXPECT_NE(errors[0].find(": com error: 0x80004005 - "), std::string::npos) << errors[0];

  // A command that already ran keeps its earlier result when a later run raises.
  ProbeCommand command;
  command.SetCommand(&probe, &Probe::CmdRaiseOrAnswer);
  probe.raise = false;
  EXPECT_EQ(CThreadManager::Submit(&command), 42);
  probe.raise = true;
  EXPECT_EQ(CThreadManager::Submit(&command), 42);
  EXPECT_EQ(probe.calls, 3);
  EXPECT_EQ(LogCapture::Containing("com error: 0x").size(), 2u);
}

TEST_F(CommandThreadTest, QueuedCommandsRunOneAtATimeOnTheCommandThreadInEachCallersOrder) {
  struct Serial {
    std::atomic<int> inFlight{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> elsewhere{0};
    DWORD commandThread = 0;
    std::vector<std::vector<INT_PTR>> order = std::vector<std::vector<INT_PTR>>(8);
    INT_PTR CmdHold(std::vector<INT_PTR>& args) {
      if (inFlight.fetch_add(1) != 0) ++overlaps;
      if (GetCurrentThreadId() != commandThread) ++elsewhere;
      order[static_cast<std::size_t>(args.at(0))].push_back(args.at(1));  // only the command thread writes
      std::this_thread::yield();  // widen the window for a second command to slip in
      inFlight.fetch_sub(1);
      return args.at(1) + 1;
    }
  } serial;
  serial.commandThread = CommandThreadId();
  constexpr int kRounds = 200;
  std::atomic<int> wrong{0};
  std::vector<std::thread> callers;
  for (INT_PTR t = 0; t < 8; ++t)
    callers.emplace_back([&, t] {
      for (INT_PTR i = 0; i < kRounds; ++i)
        if (SubmitCommand(&serial, &decltype(serial)::CmdHold, t, i) != i + 1) ++wrong;
    });
  for (std::thread& caller : callers) caller.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(serial.overlaps.load(), 0);
  EXPECT_EQ(serial.elsewhere.load(), 0);
  for (const std::vector<INT_PTR>& sequence : serial.order) {
    ASSERT_EQ(sequence.size(), static_cast<std::size_t>(kRounds));
    for (INT_PTR i = 0; i < kRounds; ++i) EXPECT_EQ(sequence[static_cast<std::size_t>(i)], i);
  }
}

TEST_F(CommandThreadTest, OperationsRunAsOneCommandRunInPlaceInOrderAndFailOneByOne) {
  const DWORD commandThread = CommandThreadId();
  Probe probe;
  std::vector<INT_PTR> results;
  const bool ran = RunAsOneCommand([&] {
    results.push_back(static_cast<INT_PTR>(GetCurrentThreadId()));
    results.push_back(SubmitCommand(&probe, &Probe::CmdTwice, static_cast<INT_PTR>(21)));
    probe.raise = true;
    results.push_back(SubmitCommand(&probe, &Probe::CmdRaiseOrAnswer));  // logged; its result stays 0
    probe.raise = false;
    results.push_back(SubmitCommand(&probe, &Probe::CmdRaiseOrAnswer));
    // A batch inside a batch runs in place as well.
    RunAsOneCommand([&] { results.push_back(SubmitCommand(&probe, &Probe::CmdRecord, static_cast<INT_PTR>(7))); });
    // So does a command run ahead: it is done when handed over.
    RunAhead ahead([&] { probe.seen.push_back(8); });
    results.push_back(probe.seen.size());
    results.push_back(ahead.Wait());
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(results, (std::vector<INT_PTR>{static_cast<INT_PTR>(commandThread), 42, 0, 42, 1, 2, 1}));
  EXPECT_EQ(probe.seen, (std::vector<INT_PTR>{7, 8}));

  // From another thread a command run ahead goes first; what is submitted meanwhile follows it.
  std::vector<INT_PTR> order;
  {
    RunAhead ahead([&] {
      Sleep(20);
      order.push_back(static_cast<INT_PTR>(GetCurrentThreadId()));
    });
    RunAsOneCommand([&] { order.push_back(9); });
  }  // the destructor waits (here long done)
  EXPECT_EQ(order, (std::vector<INT_PTR>{static_cast<INT_PTR>(commandThread), 9}));
  const std::vector<std::string> errors = LogCapture::Containing("com error: 0x80004005");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("CThreadManager::ObjectManagerThreadProc:", 0), 0u) << errors[0];
}

TEST_F(CommandThreadTest, MessagesPostedToTheCommandThreadAreDispatched) {
  const DWORD thread = CommandThreadId();
  const std::size_t before = standin::DispatchedMessageCount();
  ASSERT_TRUE(PostThreadMessageA(thread, WM_APP + 1, 0, 0));
  ASSERT_TRUE(PostThreadMessageA(thread, WM_APP + 2, 0, 0));
  // No command follows: the thread must wake for the messages themselves.
  for (int i = 0; i < 10000 && standin::DispatchedMessageCount() < before + 2; ++i) Sleep(1);
  EXPECT_GE(standin::DispatchedMessageCount(), before + 2);
}

TEST_F(CommandThreadTest, StopEndsTheThreadAndStartBeginsAfresh) {
  CThreadManager::Stop();
  const auto texts = LogCapture::TextsOf("CThreadManager::ObjectManagerThreadProc");
  EXPECT_EQ(texts, (std::vector<std::string>{"Stopping", "Uninit COM", "Command thread terminating"}));

  // Without a thread a submission returns the command's initial result.
  Probe probe;
  EXPECT_EQ(SubmitCommand(&probe, &Probe::CmdRaiseOrAnswer), 0);
  EXPECT_EQ(probe.calls, 0);
  EXPECT_FALSE(RunAsOneCommand([&] { ++probe.calls; }));
  EXPECT_FALSE(RunAhead([&] { ++probe.calls; }).Wait());
  EXPECT_EQ(probe.calls, 0);

  CThreadManager::Start();
  EXPECT_EQ(SubmitCommand(&probe, &Probe::CmdRaiseOrAnswer), 42);
  EXPECT_EQ(LogCapture::Containing("Command thread started").size(), 1u);
  EXPECT_TRUE(LogCapture::Containing("Failed to").empty());
}
