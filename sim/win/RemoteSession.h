#pragma once
// The test side of the out-of-process mode: the connection to the server's
// control object (ITovikSimControl) that RemoteControl.cpp uses to implement
// tovik/sim/VirtualProvider.h, so that the same test sources link against
// either the in-process provider or this.
//
// The control object lives in the process's multithreaded apartment, which a
// thread of this module keeps open; each call runs on a short-lived thread of
// that apartment, so callers may be in any apartment or none (a test thread
// that is a single-threaded apartment cannot use an MTA proxy itself). Calls
// from several threads run concurrently, so a WaitForWaiters does not hold up
// a PostEvent.

#include <functional>

#include "TovikSimControl.h"

namespace tovik::sim::win {

// Runs `call` with the control object on a thread of the multithreaded
// apartment and waits for it. A failed call (negative HRESULT)
// means the server is gone or broken: the process reports it and ends, so
// that no test goes on against a state it cannot know.
void CallServer(const char* what, const std::function<HRESULT(ITovikSimControl*)>& call);

}  // namespace tovik::sim::win
