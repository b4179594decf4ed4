// Scenario loading: any text given to the virtual provider's loader either loads or is
// refused with a message naming the problem; it never crashes, and a refused scenario
// leaves the running workshop as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tovik/sim/VirtualProvider.h"

namespace {

// `what` names the broken rule for the reader of a crash report's stack.
void Require(bool condition, [[maybe_unused]] const char* what) {
  if (!condition) __builtin_trap();  // reported by libFuzzer with the input that did it
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string defaultScenario = tovik::sim::DefaultScenarioJson();
  tovik::sim::Reset();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  if (tovik::sim::LoadScenarioJson(text, &error)) {
    Require(error.empty(), "a loaded scenario reports no error");
  } else {
    Require(!error.empty(), "a refused scenario says why");
    // Refused: the default workshop is still in place (its module count is unchanged).
    Require(tovik::sim::ConnectionCount() == 0, "no connection appears");
  }
  // Whatever was loaded, the default scenario loads again.
  Require(tovik::sim::LoadScenarioJson(defaultScenario, &error), "the default scenario loads");
  return 0;
}
