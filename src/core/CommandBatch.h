#pragma once
// Several facade and wrapper operations for the price of one hand-over.
//
// Each public operation of a facade or wrapper is one command: one round
// trip to the command thread, i.e. a wake-up on each side when the threads
// sleep. RunAsOneCommand(work) hands `work` over as a single command. On the
// command thread the operations that `work` calls run in place, one after
// the other, exactly as they would have run from the queue (the same
// provider calls in the same order; a _com_error in one of them is logged by
// the command thread and leaves that operation's result unchanged), and no
// other submitter's command runs in between.
//
// `work` runs on the command thread: it may call facade and wrapper
// operations and must not touch Java. When no command thread runs commands
// it does not run at all, and RunAsOneCommand returns false.
//
//   ULONG count = 0;
//   RunAsOneCommand([&] {
//     code = facade.GetModuleIds(&listOut);
//     count = listOut != nullptr ? listOut->Count() : 0;
//   });
//
// RunAhead(work) does the same without waiting: `work` runs on the command
// thread while the caller goes on, and Wait() (at the latest the
// destructor, also while an exception unwinds) waits for it. Until then the
// caller must leave alone what `work` uses. Commands run in submission
// order, so whatever the caller submits meanwhile runs after `work`.
//
//   RunAhead next([&] { list->ReadItems(first, chunk, fields, nextValues); });
//   for (auto& entry : values) visit(entry);  // while the next entries are read
//   next.Wait();

#include <utility>

#include "core/ThreadManager.h"

template <class Work>
class CWorkCommand final : public CThreadCommandCore {
 public:
  explicit CWorkCommand(Work& work) : m_work(work) {}
  bool Ran() const { return m_ran; }
  INT_PTR DoCommand() override {
    m_ran = true;
    m_work();
    return 0;
  }

 private:
  Work& m_work;
  bool m_ran = false;
};

template <class Work>
bool RunAsOneCommand(Work&& work) {
  CWorkCommand<Work> command(work);
  CThreadManager::Submit(&command);
  return command.Ran();
}

template <class Work>
class RunAhead {
 public:
  explicit RunAhead(Work work) : m_work(std::move(work)), m_command(m_work) {
    CThreadManager::Queue(m_ticket, &m_command);
  }
  ~RunAhead() { CThreadManager::WaitFor(m_ticket); }
  RunAhead(const RunAhead&) = delete;
  RunAhead& operator=(const RunAhead&) = delete;

  // True when `work` ran; false when no command thread ran it.
  bool Wait() {
    CThreadManager::WaitFor(m_ticket);
    return m_command.Ran();
  }

 private:
  Work m_work;
  CWorkCommand<Work> m_command;
  CCommandTicket m_ticket;
};
