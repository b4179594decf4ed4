#include "PausePoints.h"

#include <chrono>

namespace tovik::sim {

PausePoints& PausePoints::Instance() {
  // Never destroyed: a stopped thread may still be inside it at exit.
  static PausePoints* const points = new PausePoints;
  return *points;
}

void PausePoints::Arm(const std::string& point) {
  std::lock_guard guard(lock_);
  if (points_.emplace(point, State::Armed).second) armed_.fetch_add(1, std::memory_order_release);
}

bool PausePoints::WaitPaused(const std::string& point, int timeoutMs) {
  std::unique_lock guard(lock_);
  return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] {
    auto found = points_.find(point);
    return found != points_.end() && found->second == State::Paused;
  });
}

void PausePoints::Resume(const std::string& point) {
  std::lock_guard guard(lock_);
  auto found = points_.find(point);
  if (found == points_.end()) return;
  if (found->second == State::Paused) {
    found->second = State::Resumed;  // the stopped thread erases the point
  } else {
    points_.erase(found);
    armed_.fetch_sub(1, std::memory_order_release);
  }
  changed_.notify_all();
}

void PausePoints::ResumeAll() {
  std::lock_guard guard(lock_);
  for (auto it = points_.begin(); it != points_.end();) {
    if (it->second == State::Paused) {
      it->second = State::Resumed;
      ++it;
    } else {
      it = points_.erase(it);
      armed_.fetch_sub(1, std::memory_order_release);
    }
  }
  changed_.notify_all();
}

void PausePoints::Stop(const std::string& point) {
  std::unique_lock guard(lock_);
  auto found = points_.find(point);
  if (found == points_.end() || found->second != State::Armed) return;
  found->second = State::Paused;
  changed_.notify_all();
  changed_.wait(guard, [&] { return points_.at(point) == State::Resumed; });
  points_.erase(point);
  armed_.fetch_sub(1, std::memory_order_release);
  changed_.notify_all();
}

}  // namespace tovik::sim
