#pragma once
// The command thread: the one thread of the process that calls the provider.
//
// Start() makes sure it runs (every CTovikManagerIF constructor calls it; the
// first call creates the thread, later calls only count). Submit() hands one
// command to it and blocks until it has run. Concurrent submitters queue
// their commands; the command thread runs them one at a time in submission
// order and lets each submitter go with its own result. No lock is held
// across a round trip, so a submitter waits for the command thread only,
// never for another submitter to pick up its result.
//
// The hand-over spins briefly before it blocks, on both sides: a submitter
// watches for its command to finish, the command thread watches for the next
// command after finishing its queue. Each side learns from its recent waits
// how long a spin is worth (at most a few tens of microseconds, never
// yielding the processor) and sets a Win32 event only when the other side
// really sleeps on it, so an idle library sleeps in its waits and burns
// no processor time.

#include "TovikExport.h"
#include "core/CommandTicket.h"
#include "core/ThreadCommand.h"
#include "tovik/platform.h"

class TOVIK_API CThreadManager {
 public:
  static void Start();
  // Runs the command on the command thread; returns its result (the
  // command's unchanged result when it raised, or when no thread runs it).
  // Called on the command thread itself (by a command that runs several
  // operations, see core/CommandBatch.h) it runs the command in place.
  static INT_PTR Submit(CThreadCommandCore* command);
  // Submit in two halves, for a command that runs while its submitter goes
  // on (see RunAhead in core/CommandBatch.h). Queue hands the command over
  // and returns at once (on the command thread, or with no command thread,
  // the ticket is done on return); WaitFor waits until the ticket is done,
  // like WaitForCommandDone. The ticket and the command must outlive the
  // wait.
  static void Queue(CCommandTicket& ticket, CThreadCommandCore* command);
  static void WaitFor(CCommandTicket& ticket);
  // Waits until the calling thread's command in flight is done (returns at
  // once when it has none); notices within about a second that the command
  // thread has ended, and then takes the command back unrun.
  static void WaitForCommandDone();
  static UINT ObjectManagerThreadProc(LPVOID parameter);
  // Tells the command thread that a command follows shortly: a sleeping
  // command thread is woken and looks for it with a full spin, so that its
  // wake-up overlaps the submitter's own instead of following it.
  static void ExpectCommand();
  // The line the command thread logs for a command that raised _com_error.
  // Commands that guard several provider calls on their own (the bulk
  // readers of the list wrappers) log their errors through it too.
  static void ReportComError(const _com_error& error);

  // Ends the command thread (stop event, then waits for it) and forgets its
  // events, so that the next Start() begins afresh. Nothing in the library
  // calls it; a host that unloads the module may. Must not be called from
  // the command thread.
  static void Stop();

  CThreadManager() = delete;
};

// Runs target->*function(args...) on the command thread and returns the
// command's result. Each argument becomes one slot (see ToArgumentSlot), in
// the order given.
template <class T, class... A>
INT_PTR SubmitCommand(T* target, INT_PTR (T::*function)(std::vector<INT_PTR>&), A... args) {
  CThreadCommand<T, INT_PTR (T::*)(std::vector<INT_PTR>&)> command;
  command.SetCommand(target, function);
  if constexpr (sizeof...(A) > 0) command.AddArguments(static_cast<int>(sizeof...(A)), ToArgumentSlot(args)...);
  return CThreadManager::Submit(&command);
}
