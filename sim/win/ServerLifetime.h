#pragma once
// How long the out-of-process server runs. COM starts it for the first
// client; a client that controls it (tests, benchmarks) attaches with its
// process id. The server stops when every attached process has ended, or,
// when nobody ever attached, once no provider object has been alive for a
// while. After that decision it refuses new attachments (the client then
// starts a fresh server), so a client never attaches to a server that is
// about to go.

#include <mutex>
#include <vector>

#include "tovik/platform.h"

namespace tovik::sim::win {

class ServerLifetime {
 public:
  static ServerLifetime& Instance();

  // S_OK, or CO_E_SERVER_STOPPING once the server has decided to stop.
  HRESULT Attach(DWORD processId);

  // Blocks until the server should stop; from then on Attach refuses.
  void WaitUntilUnused();

 private:
  ServerLifetime() = default;
  ~ServerLifetime();
  bool UnusedNow();

  std::mutex lock_;
  std::vector<HANDLE> clients_;  // processes that attached and may still run
  bool attachedEver_ = false;
  bool stopping_ = false;
};

}  // namespace tovik::sim::win
