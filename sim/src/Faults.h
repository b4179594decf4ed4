#pragma once
// Faults that tests inject into provider methods, keyed "Interface.Method".

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "tovik/platform.h"

namespace tovik::sim {

struct Failure {
  HRESULT hr = E_FAIL;
  std::string description;
};

class Faults {
 public:
  static Faults& Instance();

  void Fail(const std::string& key, HRESULT hr, bool once, const std::string& description);
  void SetResult(const std::string& key, LONG result);
  void Withhold(const std::string& key);
  void SetMissing(const std::string& listInterface, ULONG index);
  void SetBufferLength(LONG length);
  void Clear();

  // The failure for this call, if any; a one-shot failure is used up.
  std::optional<Failure> TakeFailure(const std::string& key);
  std::optional<LONG> Result(const std::string& key) const;
  bool Withheld(const std::string& key) const;
  bool Missing(const std::string& listInterface, ULONG index) const;
  std::optional<LONG> BufferLength() const;

 private:
  struct Armed {
    Failure failure;
    bool once = false;
  };
  mutable std::mutex lock_;
  std::map<std::string, Armed> failures_;
  std::map<std::string, LONG> results_;
  std::set<std::string> withheld_;
  std::set<std::pair<std::string, ULONG>> missing_;
  std::optional<LONG> bufferLength_;
};

}  // namespace tovik::sim
