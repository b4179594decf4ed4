#include "Faults.h"

namespace tovik::sim {

Faults& Faults::Instance() {
  // Never destroyed: objects and waiting threads may outlive static destruction.
  static Faults* const faults = new Faults;
  return *faults;
}

void Faults::Fail(const std::string& key, HRESULT hr, bool once, const std::string& description) {
  std::lock_guard guard(lock_);
  failures_[key] = Armed{Failure{hr, description}, once};
}

void Faults::SetResult(const std::string& key, LONG result) {
  std::lock_guard guard(lock_);
  results_[key] = result;
}

void Faults::Withhold(const std::string& key) {
  std::lock_guard guard(lock_);
  withheld_.insert(key);
}

void Faults::SetMissing(const std::string& listInterface, ULONG index) {
  std::lock_guard guard(lock_);
  missing_.emplace(listInterface, index);
}

void Faults::SetBufferLength(LONG length) {
  std::lock_guard guard(lock_);
  bufferLength_ = length;
}

void Faults::Clear() {
  std::lock_guard guard(lock_);
  failures_.clear();
  results_.clear();
  withheld_.clear();
  missing_.clear();
  bufferLength_.reset();
}

std::optional<Failure> Faults::TakeFailure(const std::string& key) {
  std::lock_guard guard(lock_);
  auto it = failures_.find(key);
  if (it == failures_.end()) return std::nullopt;
  Failure failure = it->second.failure;
  if (it->second.once) failures_.erase(it);
  return failure;
}

std::optional<LONG> Faults::Result(const std::string& key) const {
  std::lock_guard guard(lock_);
  auto it = results_.find(key);
  if (it == results_.end()) return std::nullopt;
  return it->second;
}

bool Faults::Withheld(const std::string& key) const {
  std::lock_guard guard(lock_);
  return withheld_.count(key) != 0;
}

bool Faults::Missing(const std::string& listInterface, ULONG index) const {
  std::lock_guard guard(lock_);
  return missing_.count({listInterface, index}) != 0;
}

std::optional<LONG> Faults::BufferLength() const {
  std::lock_guard guard(lock_);
  return bufferLength_;
}

}  // namespace tovik::sim
