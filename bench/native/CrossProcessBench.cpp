// What a provider call costs when the provider is an out-of-process server
// (as the vendor's is) next to the in-process virtual provider, on the
// Windows build under Wine. Built twice from this source (tests/windows):
//
//   bench_in_process.exe       the provider DLL in this process (wineprefix)
//   bench_out_of_process.exe   TovikProviderServer.exe through proxies
//                              (wineprefix-oop)
//
//   bench_*_process.exe [--short]
//
// The method of bench_native: per-call times, median and 99th percentile,
// each figure of the library next to its floor measured in the same run:
// the same provider reads made directly on the calling thread (a proxy call
// in the out-of-process build) and the event ping-pong of the hand-over.
// Google Benchmark is not available for the Windows build, so the loop is
// plain; nothing here asserts a time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Floors.h"
#include "facade/CTovikManagerIF.h"
#include "tovik/sim/VirtualProvider.h"
#include "wrappers/ModuleWrappers.h"

#ifndef TOVIK_BENCH_PROVIDER_MODE
#define TOVIK_BENCH_PROVIDER_MODE "in-process"
#endif

namespace {

using Clock = std::chrono::steady_clock;

void NoLog(const char*) {}

struct Figure {
  double median_us;
  double p99_us;
};

// Runs `call` `samples` times after a few warm-up calls.
Figure Measure(int samples, const std::function<void()>& call) {
  for (int i = 0; i < std::min(samples / 10 + 1, 50); ++i) call();
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    const auto start = Clock::now();
    call();
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[std::min(times.size() - 1, times.size() * 99 / 100)]};
}

void Row(const char* name, const Figure& figure, const Figure* floor = nullptr) {
  std::printf("| %-44s | %10.2f | %10.2f |", name, figure.median_us, figure.p99_us);
  if (floor != nullptr) std::printf(" %6.2f |\n", figure.median_us / floor->median_us);
  else std::printf("        |\n");
}

}  // namespace

int main(int argc, char** argv) {
  const bool shortRun = argc > 1 && std::strcmp(argv[1], "--short") == 0;
  const int samples = shortRun ? 200 : 5000;
  const int listSamples = shortRun ? 20 : 300;

  std::string error;
  if (!tovik::sim::LoadScenarioJson(tovik::bench::Scenario(10, 0, 0), &error)) {
    std::fprintf(stderr, "scenario: %s\n", error.c_str());
    return 1;
  }

  std::printf("provider: %s, %d samples a figure (times in microseconds)\n\n", TOVIK_BENCH_PROVIDER_MODE, samples);
  std::printf("| %-44s | %10s | %10s | %6s |\n|---|---|---|---|\n", "figure", "median", "p99", "ratio");

  Figure pingPong{};
  {
    tovik::bench::EventPingPong events;
    pingPong = Measure(samples, [&] { events.RoundTrip(); });
  }
  Row("event ping-pong (hand-over floor)", pingPong);

  // The direct reads run on this thread, a single-threaded apartment.
  tovik::bench::DirectProvider direct;
  const ULONG directHandle = direct.Connect(1);
  const Figure directStatus = Measure(samples, [&] { direct.GetConStatus(directHandle); });
  Row("direct GetConStatus (provider call only)", directStatus);

  {
    const auto facade = std::make_unique<CTovikManagerIF>(NoLog);
    ULONG handle = 0;
    facade->Connect(1, 1, &handle);
    ULONG status = 0;
    const Figure command = Measure(samples, [&] { facade->GetConStatus(handle, &status); });
    Row("library GetConStatus (hand-over + call)", command, &directStatus);

    const Figure directList = Measure(listSamples, [&] {
      tovik::sim::ClearJournal();
      direct.ReadModuleList();
    });
    Row("direct module list, 10 modules", directList);
    const Figure list = Measure(listSamples, [&] {
      tovik::sim::ClearJournal();
      CTovikVciItemsIF* items = nullptr;
      facade->GetModuleIds(&items);
      const std::unique_ptr<CTovikVciItemsIF> owner(items);
      const ULONG count = items ? items->Count() : 0;
      for (ULONG i = 0; i < count; ++i) {
        const std::unique_ptr<CTovikVciItemIF> item(items->Item(i));
        if (!item) continue;
        LocalFree(item->GetModuleName());
        (void)(item->GetModuleType() + item->GetVCIInterface() + item->GetSerialNumber() + item->GetModuleState());
      }
    });
    Row("library module list, 10 modules, one by one", list, &directList);
  }
  std::printf("\n(the module-list rows include one ClearJournal call of the control surface)\n");
  return 0;
}
