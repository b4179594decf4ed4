#pragma once
// The journal of provider calls: one line per call, "Interface.Method(args)",
// with the arguments as they arrived. It keeps the newest lines only (a ring
// of configurable size), so long runs stay flat; the lines pushed out are
// counted.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "tovik/platform.h"

namespace tovik::sim {

class Journal {
 public:
  static Journal& Instance();
  static constexpr std::size_t kDefaultCapacity = 100000;

  void Add(std::string line);
  std::vector<std::string> Lines() const;
  // Empties the journal and the count of dropped lines.
  void Clear();
  // Keeps at most `capacity` lines (at least one); older ones are dropped now.
  void SetCapacity(std::size_t capacity);
  std::uint64_t Dropped() const;

 private:
  void TrimLocked();

  mutable std::mutex lock_;
  std::deque<std::string> lines_;
  std::size_t capacity_ = kDefaultCapacity;
  std::uint64_t dropped_ = 0;
};

// Text forms of the argument types that provider methods receive.
std::string FormatArg(ULONG value);
std::string FormatArg(LONG value);
std::string FormatArg(VARIANT_BOOL value);
std::string FormatArg(BSTR text);
std::string FormatArg(const VARIANT& value);
std::string FormatBytes(const BYTE* data, std::size_t length);
std::string FormatObject(const IUnknown* object);

template <class I>
  requires std::is_base_of_v<IUnknown, I>
std::string FormatArg(I* object) {
  return FormatObject(object);
}

template <class... A>
std::string FormatCall(const std::string& key, const A&... args) {
  std::string line = key + "(";
  bool first = true;
  ((line += (first ? "" : ", ") + FormatArg(args), first = false), ...);
  line += ")";
  return line;
}

}  // namespace tovik::sim
