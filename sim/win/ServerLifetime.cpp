#include "ServerLifetime.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "tovik/sim/VirtualProvider.h"

namespace tovik::sim::win {

namespace {
// How often the server looks at its clients, and how long it must have been
// unused before it stops: long enough that a test program started right after
// the previous one finds it still running, and that a client started by COM
// gets its first object before the server gives up on it.
constexpr auto kLookEvery = std::chrono::milliseconds(200);
constexpr auto kAfterLastClient = std::chrono::seconds(2);
constexpr auto kWithoutClients = std::chrono::seconds(30);
}  // namespace

ServerLifetime& ServerLifetime::Instance() {
  static ServerLifetime lifetime;
  return lifetime;
}

ServerLifetime::~ServerLifetime() {
  for (HANDLE client : clients_) CloseHandle(client);
}

HRESULT ServerLifetime::Attach(DWORD processId) {
  std::lock_guard guard(lock_);
  if (stopping_) return CO_E_SERVER_STOPPING;
  HANDLE client = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (client == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  clients_.push_back(client);
  attachedEver_ = true;
  return S_OK;
}

bool ServerLifetime::UnusedNow() {
  clients_.erase(std::remove_if(clients_.begin(), clients_.end(),
                                [](HANDLE client) {
                                  if (WaitForSingleObject(client, 0) != WAIT_OBJECT_0) return false;
                                  CloseHandle(client);
                                  return true;
                                }),
                 clients_.end());
  // Objects left by attached processes that ended belong to nobody any more.
  return clients_.empty() && (attachedEver_ || tovik::sim::LiveObjects() == 0);
}

void ServerLifetime::WaitUntilUnused() {
  auto unusedSince = std::chrono::steady_clock::now();
  for (;;) {
    std::this_thread::sleep_for(kLookEvery);
    std::lock_guard guard(lock_);
    const auto now = std::chrono::steady_clock::now();
    if (!UnusedNow()) {
      unusedSince = now;
      continue;
    }
    if (now - unusedSince >= (attachedEver_ ? kAfterLastClient : kWithoutClients)) {
      stopping_ = true;
      return;
    }
  }
}

}  // namespace tovik::sim::win
