#pragma once
// What the benchmarks compare the library against: the same provider reads
// made directly on the calling thread, and bare two-thread ping-pongs.
// Shared by the native benchmark and the JNI helper of the Java benchmark.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "provider/TovikApiProviderLib.h"
#include "tovik/platform.h"

namespace tovik::bench {

// A scenario with `modules` modules (serials 1..n), `apps` entries in the PC
// catalogue and a self-test buffer of `selfTestBytes` on the first module.
std::string Scenario(int modules, int apps, std::size_t selfTestBytes);

// Two threads hand a token back and forth through two auto-reset events of
// the platform (the wait primitives the command hand-over uses).
class EventPingPong {
 public:
  EventPingPong();
  ~EventPingPong();
  EventPingPong(const EventPingPong&) = delete;
  EventPingPong& operator=(const EventPingPong&) = delete;
  void RoundTrip();

 private:
  HANDLE m_ping;
  HANDLE m_pong;
  std::atomic<bool> m_stop{false};
  std::thread m_partner;
};

// The same with a spinning flag: the cost of the cache-line transfer alone.
class SpinPingPong {
 public:
  SpinPingPong();
  ~SpinPingPong();
  SpinPingPong(const SpinPingPong&) = delete;
  SpinPingPong& operator=(const SpinPingPong&) = delete;
  void RoundTrip();

 private:
  alignas(64) std::atomic<std::uint64_t> m_ping{0};
  alignas(64) std::atomic<std::uint64_t> m_pong{0};
  std::atomic<bool> m_stop{false};
  std::thread m_partner;
};

// The wake-ups that delivering a posted event takes, with nothing of the
// library or the provider in between, through platform events only (as the
// event ping-pong): the poster wakes the event thread; the event thread wakes
// the waiter and, at the same time, the command thread; the waiter hands its
// drain to the command thread and waits for the answer. Deliver() returns the
// nanoseconds from the post until the waiter holds the answer.
class EventRelay {
 public:
  EventRelay();
  ~EventRelay();
  EventRelay(const EventRelay&) = delete;
  EventRelay& operator=(const EventRelay&) = delete;
  std::int64_t Deliver();

 private:
  HANDLE m_post;         // poster -> event thread
  HANDLE m_waiterWake;   // event thread -> waiter
  HANDLE m_commandWake;  // event thread -> command thread
  HANDLE m_request;      // waiter -> command thread
  HANDLE m_answer;       // command thread -> waiter
  HANDLE m_back;         // waiter -> poster, outside the timed part
  std::atomic<std::int64_t> m_postedAt{0};
  std::atomic<std::int64_t> m_sample{0};
  std::atomic<bool> m_stop{false};
  std::thread m_eventThread;
  std::thread m_commandThread;
  std::thread m_waiter;
};

// A provider manager used straight from the thread that made it: no command
// thread, no registry, no hand-over. Reads what the native methods read and
// converts texts as the wrappers do.
class DirectProvider {
 public:
  DirectProvider();  // CoInitialize on this thread, then the manager
  ~DirectProvider();
  DirectProvider(const DirectProvider&) = delete;
  DirectProvider& operator=(const DirectProvider&) = delete;

  ULONG Connect(ULONG serial);
  ULONG GetConStatus(ULONG handle);
  // One module's properties as read, the name as the wrappers hand it out
  // (ANSI, null when empty; valid during the call only).
  struct Module {
    const char* name;
    ULONG type;
    ULONG vciInterface;
    ULONG serialNumber;
    ULONG state;
    ULONG count;  // of the list
  };
  // Every module with its five properties; returns the number read. `each`,
  // when given, sees every module read.
  std::size_t ReadModuleList(const std::function<void(const Module&)>& each = {});
  // One entry of the third PC catalogue as read, the texts as the wrappers
  // hand them out (ANSI, null when empty; valid during the call only).
  struct AppPc {
    const char* name;
    const char* versionText;
    const char* branch;
    const char* dateText;
    ULONG moduleType;
    ULONG app;
    ULONG count;  // of the list
  };
  // Every entry of the third PC catalogue with the six properties its native
  // method reads, in that order; returns the number read. `each`, when given,
  // sees every entry read.
  std::size_t ReadAppsPc(const std::function<void(const AppPc&)>& each = {});
  // The self-test buffer, byte by byte, into a LocalAlloc block; returns its length.
  std::size_t ReadSelfTest(ULONG handle);

 private:
  TovikApiProviderLib::ITovikManager* m_manager = nullptr;
  bool m_comInitialised = false;
};

}  // namespace tovik::bench
