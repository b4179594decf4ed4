// Native benchmarks of the command hand-over, run against the virtual provider
// linked into this executable.
//
//   bench_native [--short] [Google Benchmark flags]
//
// Every figure of the library stands next to its floor (Floor/... rows);
// scripts/bench.sh turns the rows into the ratio table of bench/RESULTS.md.
// --short runs every benchmark for a moment with small inputs (the CI run).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Floors.h"
#include "facade/CTovikManagerIF.h"
#include "tovik/sim/VirtualProvider.h"
#include "wrappers/ModuleWrappers.h"

namespace {

using Clock = std::chrono::steady_clock;
using tovik::bench::DirectProvider;
using tovik::bench::EventPingPong;
using tovik::bench::Scenario;
using tovik::bench::SpinPingPong;

bool g_short = false;

void NoLog(const char*) {}

// One facade for the whole run, with an open connection to module 1.
struct Library {
  CTovikManagerIF facade{NoLog};
  ULONG handle = 0;
  Library() { facade.Connect(1, 1, &handle); }
};

Library& TheLibrary() {
  static Library* library = new Library();  // lives to the end of the process
  return *library;
}

// Loads a scenario once per size (and reconnects, loading drops connections).
void UseScenario(int modules, int apps, std::size_t selfTestBytes) {
  static std::string current;
  std::string json = Scenario(modules, apps, selfTestBytes);
  if (json == current) return;
  std::string error;
  if (!tovik::sim::LoadScenarioJson(json, &error)) throw std::runtime_error(error);
  current = std::move(json);
  TheLibrary().facade.Connect(1, 1, &TheLibrary().handle);
}

// The virtual provider journals every call; clearing it now and then keeps
// its growth out of the figures (the library never sees the journal).
void ClearJournalUntimed(benchmark::State& state) {
  state.PauseTiming();
  tovik::sim::ClearJournal();
  state.ResumeTiming();
}

// Median and 99th percentile of per-call times, as counters in ns.
class Percentiles {
 public:
  explicit Percentiles(benchmark::State& state) : m_state(state) { m_samples.reserve(1 << 16); }
  void Add(Clock::duration d) {
    if (m_samples.size() < (1u << 20)) m_samples.push_back(std::chrono::duration<double, std::nano>(d).count());
  }
  ~Percentiles() {
    if (m_samples.empty()) return;
    std::sort(m_samples.begin(), m_samples.end());
    m_state.counters["p50_ns"] = m_samples[m_samples.size() / 2];
    m_state.counters["p99_ns"] = m_samples[std::min(m_samples.size() - 1, m_samples.size() * 99 / 100)];
  }

 private:
  benchmark::State& m_state;
  std::vector<double> m_samples;
};

template <class F>
void TimedLoop(benchmark::State& state, F call) {
  Percentiles p(state);
  for (auto _ : state) {
    const auto start = Clock::now();
    call();
    p.Add(Clock::now() - start);
  }
  state.SetItemsProcessed(state.iterations());
}

// ---- floors -----------------------------------------------------------------

void Floor_SpinPingPong(benchmark::State& state) {
  SpinPingPong pingPong;
  TimedLoop(state, [&] { pingPong.RoundTrip(); });
}
BENCHMARK(Floor_SpinPingPong)->UseRealTime();

void Floor_EventPingPong(benchmark::State& state) {
  EventPingPong pingPong;
  TimedLoop(state, [&] { pingPong.RoundTrip(); });
}
BENCHMARK(Floor_EventPingPong)->UseRealTime();

void Floor_DirectGetConStatus(benchmark::State& state) {
  UseScenario(10, 0, 0);
  DirectProvider direct;
  const ULONG handle = direct.Connect(1);
  TimedLoop(state, [&] { benchmark::DoNotOptimize(direct.GetConStatus(handle)); });
}
BENCHMARK(Floor_DirectGetConStatus)->UseRealTime();

// ---- one command --------------------------------------------------------------

// Back to back: caller and command thread both busy.
void Command_GetConStatus(benchmark::State& state) {
  UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  ULONG status = 0;
  TimedLoop(state, [&] { benchmark::DoNotOptimize(lib.facade.GetConStatus(lib.handle, &status)); });
}
BENCHMARK(Command_GetConStatus)->UseRealTime();

// After a pause longer than any spin: both sides asleep when the call starts.
void Command_GetConStatusAfterIdle(benchmark::State& state) {
  UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  ULONG status = 0;
  Percentiles p(state);
  for (auto _ : state) {
    state.PauseTiming();
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    state.ResumeTiming();
    const auto start = Clock::now();
    benchmark::DoNotOptimize(lib.facade.GetConStatus(lib.handle, &status));
    p.Add(Clock::now() - start);
  }
}

void Floor_EventPingPongAfterIdle(benchmark::State& state) {
  EventPingPong pingPong;
  Percentiles p(state);
  for (auto _ : state) {
    state.PauseTiming();
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    state.ResumeTiming();
    const auto start = Clock::now();
    pingPong.RoundTrip();
    p.Add(Clock::now() - start);
  }
}

// ---- lists --------------------------------------------------------------------

void Floor_DirectModuleList(benchmark::State& state) {
  UseScenario(static_cast<int>(state.range(0)), 0, 0);
  DirectProvider direct;
  for (auto _ : state) {
    if (state.iterations() % 64 == 0) ClearJournalUntimed(state);
    benchmark::DoNotOptimize(direct.ReadModuleList());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The way the native method reads the list: one command per property.
void List_ModulesOneByOne(benchmark::State& state) {
  UseScenario(static_cast<int>(state.range(0)), 0, 0);
  CTovikManagerIF& facade = TheLibrary().facade;
  for (auto _ : state) {
    if (state.iterations() % 64 == 0) ClearJournalUntimed(state);
    CTovikVciItemsIF* items = nullptr;
    facade.GetModuleIds(&items);
    const std::unique_ptr<CTovikVciItemsIF> owner(items);
    const ULONG count = items->Count();
    for (ULONG i = 0; i < count; ++i) {
      const std::unique_ptr<CTovikVciItemIF> item(items->Item(i));
      if (!item) continue;
      LocalFree(item->GetModuleName());
      benchmark::DoNotOptimize(item->GetModuleType() + item->GetVCIInterface() + item->GetSerialNumber() +
                               item->GetModuleState());
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ListSizes(benchmark::internal::Benchmark* b) {
  if (g_short) {
    b->Arg(10)->Arg(100);
  } else {
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);
  }
  b->UseRealTime()->Unit(benchmark::kMicrosecond);
}

// ---- bytes --------------------------------------------------------------------

std::size_t SelfTestBytes() { return g_short ? 4096 : 1 << 20; }

void Floor_DirectSelfTest(benchmark::State& state) {
  UseScenario(10, 0, SelfTestBytes());
  DirectProvider direct;
  const ULONG handle = direct.Connect(1);
  std::size_t bytes = 0;
  for (auto _ : state) {
    ClearJournalUntimed(state);
    bytes += direct.ReadSelfTest(handle);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(bytes) * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Bytes_RunSelfTest(benchmark::State& state) {
  UseScenario(10, 0, SelfTestBytes());
  Library& lib = TheLibrary();
  std::size_t bytes = 0;
  for (auto _ : state) {
    ClearJournalUntimed(state);
    unsigned int length = 0;
    unsigned char* data = nullptr;
    lib.facade.RunSelfTest(lib.handle, &length, &data);
    bytes += length;
    LocalFree(data);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(bytes) * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// ---- contention ---------------------------------------------------------------

void Contention_GetConStatus(benchmark::State& state) {
  if (state.thread_index() == 0) UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  ULONG status = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lib.facade.GetConStatus(lib.handle, &status));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Contention_GetConStatus)->UseRealTime()->Threads(1)->Threads(2)->Threads(4)->Threads(8);

// ---- a loaded machine -----------------------------------------------------------

// Two busy threads of other work at normal priority, one per processor,
// counting the work they get done.
class Hogs {
 public:
  Hogs() {
    for (int i = 0; i < 2; ++i)
      m_threads.emplace_back([this] {
        std::uint64_t local = 0;
        while (!m_stop.load(std::memory_order_relaxed)) {
          for (int k = 0; k < 1000; ++k) benchmark::DoNotOptimize(local += k);
          m_work.fetch_add(1, std::memory_order_relaxed);
        }
      });
  }
  ~Hogs() {
    m_stop.store(true);
    for (std::thread& t : m_threads) t.join();
  }
  std::uint64_t Work() const { return m_work.load(); }

 private:
  std::atomic<bool> m_stop{false};
  std::atomic<std::uint64_t> m_work{0};
  std::vector<std::thread> m_threads;
};

template <class F>
void UnderLoad(benchmark::State& state, F call) {
  Hogs hogs;
  const std::uint64_t before = hogs.Work();
  const auto start = Clock::now();
  for (auto _ : state) call();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  state.SetItemsProcessed(state.iterations());
  state.counters["other_work_per_s"] = static_cast<double>(hogs.Work() - before) / seconds;
}

void Loaded_EventPingPong(benchmark::State& state) {
  EventPingPong pingPong;
  UnderLoad(state, [&] { pingPong.RoundTrip(); });
}

void Loaded_GetConStatus(benchmark::State& state) {
  UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  ULONG status = 0;
  UnderLoad(state, [&] { benchmark::DoNotOptimize(lib.facade.GetConStatus(lib.handle, &status)); });
}

void Loaded_HogsAlone(benchmark::State& state) {
  UnderLoad(state, [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}

// ---- idle processor time and memory ---------------------------------------------

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A burst of commands, then the library left alone: processor time the
// whole process uses while idle, in percent of one processor.
void Idle_CpuAfterBurst(benchmark::State& state) {
  UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  ULONG status = 0;
  const auto idle = std::chrono::milliseconds(g_short ? 50 : 1000);
  double percent = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) lib.facade.GetConStatus(lib.handle, &status);
    const double before = ProcessCpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(idle);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    percent = 100.0 * (ProcessCpuSeconds() - before) / wall;
  }
  state.counters["idle_cpu_percent"] = percent;
}
BENCHMARK(Idle_CpuAfterBurst)->UseRealTime()->Iterations(1);

// Native heap in use (malloc's view) before and after many calls of every
// kind that allocates on the way: commands, wrappers, texts.
void Memory_HeapAfterManyCalls(benchmark::State& state) {
  UseScenario(10, 0, 0);
  Library& lib = TheLibrary();
  const int calls = g_short ? 20'000 : 1'000'000;
  ULONG status = 0;
  // Warm up caches and pools first, so that only growth is counted.
  for (int i = 0; i < 10'000; ++i) lib.facade.GetConStatus(lib.handle, &status);
  tovik::sim::ClearJournal();
  const std::size_t before = mallinfo2().uordblks;
  for (auto _ : state) {
    for (int i = 0; i < calls / 10; ++i) {
      if (i % 1000 == 0) tovik::sim::ClearJournal();
      CTovikVciItemsIF* items = nullptr;
      lib.facade.GetModuleIds(&items);  // 1 call
      const std::unique_ptr<CTovikVciItemsIF> owner(items);
      const std::unique_ptr<CTovikVciItemIF> item(items->Item(0));  // 2
      LocalFree(item->GetModuleName());                             // 3
      for (int k = 0; k < 5; ++k) lib.facade.GetConStatus(lib.handle, &status);  // 8
    }  // 10 with the two destroy commands
  }
  tovik::sim::ClearJournal();
  const std::size_t after = mallinfo2().uordblks;
  state.counters["calls"] = calls;
  state.counters["heap_growth_bytes"] = static_cast<double>(after) - static_cast<double>(before);
}
BENCHMARK(Memory_HeapAfterManyCalls)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args;
  static char minTime[] = "--benchmark_min_time=0.01";
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--short") == 0) {
      g_short = true;
      continue;
    }
    args.push_back(argv[i]);
  }
  if (g_short) args.insert(args.begin() + 1, minTime);
  const int idleRounds = g_short ? 20 : 2000;
  BENCHMARK(Floor_EventPingPongAfterIdle)->UseRealTime()->Iterations(idleRounds);
  BENCHMARK(Command_GetConStatusAfterIdle)->UseRealTime()->Iterations(idleRounds);
  const double loadedTime = g_short ? 0.01 : 0.5;
  BENCHMARK(Loaded_HogsAlone)->UseRealTime()->MinTime(loadedTime);
  BENCHMARK(Loaded_EventPingPong)->UseRealTime()->MinTime(loadedTime);
  BENCHMARK(Loaded_GetConStatus)->UseRealTime()->MinTime(loadedTime);
  BENCHMARK(Floor_DirectModuleList)->Apply(ListSizes);
  BENCHMARK(List_ModulesOneByOne)->Apply(ListSizes);
  BENCHMARK(Floor_DirectSelfTest)->UseRealTime()->Unit(benchmark::kMillisecond);
  BENCHMARK(Bytes_RunSelfTest)->UseRealTime()->Unit(benchmark::kMillisecond);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
