#pragma once
// A submitted command waiting for, or under, the command thread. It lives on
// the submitter's side (its stack, or a command run ahead, see
// core/CommandBatch.h); the command thread takes it from the queue, runs it
// and completes it, and touches it no more after that.

#include <atomic>

#include "tovik/platform.h"

class CThreadCommandCore;

struct CCommandTicket {
  enum State { kWaiting, kSleeping, kDone };

  CThreadCommandCore* command = nullptr;
  CCommandTicket* next = nullptr;
  // Only the ticket its thread is waiting for can be kSleeping, so one wake
  // event per thread serves all of the thread's tickets.
  std::atomic<State> state{kWaiting};
  HANDLE wake = nullptr;  // the submitting thread's own auto-reset event
  bool first = false;     // queued alone: worth a spin; behind others it sleeps at once
};
