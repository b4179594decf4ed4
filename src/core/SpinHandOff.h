#pragma once
// The spin-then-block hand-over between a submitting thread and the command
// thread: a side that waits for the other first spins for a while, then
// sleeps on a Win32 event that the other side sets only when it knows the
// waiter sleeps. Waking a sleeping thread costs tens of microseconds; a spin
// that sees the flag costs well under one.

#include <algorithm>
#include <atomic>
#include <chrono>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "tovik/platform.h"

namespace tovik {

using Clock = std::chrono::steady_clock;
using Nanos = std::chrono::nanoseconds;

// How long a side spins before it sleeps, learnt from its own recent waits:
// about twice a typical wait when waits are short, shrinking towards nothing
// when they are long (an idle library). A spin that finds itself taken off
// the processor (the clock jumps between two looks) means the machine has
// more runnable threads than processors; spinning then only takes time from
// the thread it waits for, so the side stops spinning for a while and sleeps
// at once, which also keeps the scheduler's wake-up preference for it. The
// while is a stretch of time, not a number of waits: a machine is busy for a
// time, and a call that comes long after a burst should not pay for it.
class SpinBudget {
 public:
  static constexpr Nanos kMaximum{50'000};
  static constexpr Nanos kMinimum{1'000};
  // A gap this long between two looks of a spin is a trip off the processor.
  static constexpr Nanos kDescheduled{20'000};
  // How long waits sleep at once after such a trip.
  static constexpr Nanos kQuietPeriod{10'000'000};

  // Spins until ready() or the budget (at least `atLeast`) is spent; true
  // when ready() came true. `start` is when the wait began (now, or nearly). The spin never yields: on a busy machine a yield
  // hands the processor to other work for a whole scheduler slice, far longer
  // than sleeping on the event and being woken.
  template <class Ready>
  bool Spin(Ready ready, Clock::time_point start, Nanos atLeast = Nanos{0}) {
    if (ready()) return true;
    if (start.time_since_epoch().count() < m_quietUntil.load(std::memory_order_relaxed)) return false;
    const Nanos budget = std::max(Nanos{m_budget.load(std::memory_order_relaxed)}, atLeast);
    Clock::time_point last = start;
    for (unsigned i = 1;; ++i) {
      if (ready()) return true;
      if (i % 16 != 0) {
        CpuRelax();
        continue;
      }
      const Clock::time_point now = Clock::now();
      if (now - last > kDescheduled) {
        m_quietUntil.store((now + kQuietPeriod).time_since_epoch().count(), std::memory_order_relaxed);
        return ready();
      }
      if (now - start >= budget) return false;
      last = now;
    }
  }

  // Takes one finished wait into account: `waited` is the time from the
  // start of the wait until the other side had done its part.
  void Learn(Nanos waited) {
    Nanos budget{m_budget.load(std::memory_order_relaxed)};
    if (waited > kMaximum) {
      budget /= 2;
    } else {
      budget += (std::min(2 * waited, kMaximum) - budget) / 4;
    }
    m_budget.store(std::max(budget, kMinimum).count(), std::memory_order_relaxed);
  }

  Nanos Budget() const { return Nanos{m_budget.load(std::memory_order_relaxed)}; }

 private:
  static void CpuRelax() {
#if defined(_MSC_VER)
    _mm_pause();
#elif defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
  }

  std::atomic<Nanos::rep> m_budget{kMaximum.count()};
  std::atomic<Clock::rep> m_quietUntil{0};  // waits that begin before it sleep at once
};

// One direction of the hand-over: a flag the waiting side spins on, and a
// Win32 event that is set only when the waiting side has announced that it
// sleeps on it. Both sides use sequentially consistent operations on the
// flag and on `asleep`, so at least one of them sees the other's store: the
// waiter sees the flag, or the signaller sees the sleeper (a spare signal is
// harmless, waiters look at the flag after every wake).
struct HandOff {
  std::atomic<bool> flag{false};
  std::atomic<bool> asleep{false};
  std::atomic<Clock::rep> signalledAt{0};  // when the flag was raised for a sleeper
  SpinBudget budget;

  void Raise(HANDLE event) {
    flag.store(true);
    if (asleep.load()) {
      signalledAt.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
      if (event != nullptr) SetEvent(event);
    }
  }

  // Announces sleep; false when the flag came up meanwhile (then no sleep).
  bool PrepareSleep() {
    asleep.store(true);
    if (flag.load()) {
      asleep.store(false);
      return false;
    }
    return true;
  }

  // After a wake: the time the flag took since `start`, for Learn().
  Nanos WaitedSince(Clock::time_point start) const {
    const Clock::time_point raised{Clock::duration{signalledAt.load(std::memory_order_relaxed)}};
    return raised > start ? Nanos{raised - start} : Nanos{Clock::now() - start};
  }

  void Reset() {
    flag.store(false);
    asleep.store(false);
  }
};

}  // namespace tovik
