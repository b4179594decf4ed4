#pragma once
// The journal of provider calls: one line per call, "Interface.Method(args)",
// with the arguments as they arrived.

#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "tovik/platform.h"

namespace tovik::sim {

class Journal {
 public:
  static Journal& Instance();
  void Add(std::string line);
  std::vector<std::string> Lines() const;
  void Clear();

 private:
  mutable std::mutex lock_;
  std::vector<std::string> lines_;
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
