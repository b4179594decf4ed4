#pragma once
// The command thread: the one thread of the process that calls the provider.
//
// Start() makes sure it runs (every CTovikManagerIF constructor calls it; the
// first call creates the thread, later calls only count). Submit() hands one
// command to it and blocks until it has run; the command lock serialises all
// submitters for the whole round trip, so only one command is in flight.
//
// The hand-over spins briefly before it blocks, on both sides: a submitter
// watches for the command to finish, the command thread watches for the next
// command after finishing one. Each side learns from its recent waits how
// long a spin is worth (at most a few tens of microseconds, yielding the
// processor while it spins) and sets the Win32 event only when the other
// side really sleeps on it, so an idle library sleeps in its waits and burns
// no processor time.

#include "TovikExport.h"
#include "core/ThreadCommand.h"
#include "tovik/platform.h"

class TOVIK_API CThreadManager {
 public:
  static void Start();
  // Runs the command on the command thread; returns its result (the
  // command's unchanged result when it raised, or when no thread runs it).
  static INT_PTR Submit(CThreadCommandCore* command);
  // Waits for the command done event; notices within about a second that
  // the command thread has ended.
  static void WaitForCommandDone();
  static UINT ObjectManagerThreadProc(LPVOID parameter);

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
