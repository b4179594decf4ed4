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

#include "core/ThreadManager.h"

template <class Work>
bool RunAsOneCommand(Work&& work) {
  class Command final : public CThreadCommandCore {
   public:
    explicit Command(Work& w) : m_work(w) {}
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
  Command command(work);
  CThreadManager::Submit(&command);
  return command.Ran();
}
