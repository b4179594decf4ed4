#pragma once
// Pause points: a test arms a named point, the next thread that reaches it
// stops there until the test resumes it. This forces an interleaving (a
// cancel that arrives just before a wait begins, say) once and for certain
// instead of hoping that a loop hits it.
//
// Every provider method has two points: its method key, reached after the
// journal line and the injected faults, before the method does its work; and
// the key followed by ":done", reached after its work, just before it returns.

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

namespace tovik::sim {

class PausePoints {
 public:
  static PausePoints& Instance();

  void Arm(const std::string& point);
  bool WaitPaused(const std::string& point, int timeoutMs);
  void Resume(const std::string& point);
  // Lets every stopped thread go on and disarms every point.
  void ResumeAll();

  // Called by provider methods with their key (and ":done" after their
  // work); costs one atomic load while nothing is armed.
  void Reach(const std::string& key, const char* suffix = "") {
    if (armed_.load(std::memory_order_acquire) > 0) Stop(key + suffix);
  }

 private:
  enum class State { Armed, Paused, Resumed };
  void Stop(const std::string& point);

  std::mutex lock_;
  std::condition_variable changed_;
  std::map<std::string, State> points_;
  std::atomic<int> armed_{0};
};

}  // namespace tovik::sim
