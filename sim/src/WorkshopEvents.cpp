// The workshop model: event registration, waits, cancellation and posted events.

#include "Workshop.h"

#include <chrono>

namespace tovik::sim {

// ---- events

void Workshop::Attach(EventSink* sink) {
  std::lock_guard guard(lock_);
  sinks_.insert(sink);
}

void Workshop::Detach(EventSink* sink) {
  std::lock_guard guard(lock_);
  sinks_.erase(sink);
}

LONG Workshop::Register(EventSink* sink, ULONG first, ULONG second) {
  std::lock_guard guard(lock_);
  lastRegistration_ = {first, second};
  sink->registered = true;
  sink->queue.insert(sink->queue.end(), unclaimed_.begin(), unclaimed_.end());
  unclaimed_.clear();
  sink->wake.notify_all();
  return 0;
}

VARIANT_BOOL Workshop::Wait(EventSink* sink) {
  std::unique_lock guard(lock_);
  sink->waiting = true;
  ++waiting_;
  waitersChanged_.notify_all();
  sink->wake.wait(guard, [&] { return !sink->queue.empty() || sink->cancelled; });
  const bool cancelled = sink->cancelled;
  sink->cancelled = false;
  sink->waiting = false;
  --waiting_;
  waitersChanged_.notify_all();
  return cancelled ? VARIANT_TRUE : VARIANT_FALSE;
}

bool Workshop::NextEvent(EventSink* sink, std::array<ULONG, 3>* event) {
  std::lock_guard guard(lock_);
  if (sink->queue.empty()) return false;
  *event = sink->queue.front();
  sink->queue.pop_front();
  return true;
}

void Workshop::Cancel(EventSink* sink) {
  std::lock_guard guard(lock_);
  if (!sink->waiting) return;  // ends a wait in progress only
  sink->cancelled = true;
  sink->wake.notify_all();
}

void Workshop::Post(const std::array<ULONG, 3>& event) {
  std::lock_guard guard(lock_);
  bool delivered = false;
  for (EventSink* sink : sinks_) {
    if (!sink->registered) continue;
    sink->queue.push_back(event);
    sink->wake.notify_all();
    delivered = true;
  }
  if (!delivered) unclaimed_.push_back(event);
}

int Workshop::WaitingCount() const {
  std::lock_guard guard(lock_);
  return waiting_;
}

bool Workshop::WaitForWaiters(int count, int timeoutMs) {
  std::unique_lock guard(lock_);
  return waitersChanged_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                  [&] { return waiting_ >= count; });
}

int Workshop::QueuedEventCount() const {
  std::lock_guard guard(lock_);
  std::size_t count = unclaimed_.size();
  for (EventSink* sink : sinks_) count += sink->queue.size();
  return static_cast<int>(count);
}

std::vector<ULONG> Workshop::LastRegistration() const {
  std::lock_guard guard(lock_);
  return lastRegistration_;
}

}  // namespace tovik::sim
