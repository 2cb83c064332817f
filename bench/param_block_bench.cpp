// Parameter-block read round trip over loopback against the virtual
// printer: connect, (probe,) request, 256-byte answer, checks, close.  The
// protocol's own pauses are the floor: 100 ms after the probe, 200 ms
// before the answer is read and 50 ms after it.
#include <benchmark/benchmark.h>

#include <optional>

#include "printer_service.h"
#include "sim_process.h"

namespace {

using ravo::utility::CommandSet;
using ravo::utility::PrinterService;

constexpr double kProbePauseMs = 100;
constexpr double kReadPausesMs = 200 + 50;

void RoundTrip(benchmark::State &state, std::optional<CommandSet> commandSet, double floorMs) {
  ravo::sim::SimProcess sim({"--model", "TQX58"});
  if (!sim.Running()) {
    state.SkipWithError(sim.Error().c_str());
    return;
  }
  const PrinterService service({QString::fromStdString(sim.PortString()), "TQX58", {}});
  for (auto _ : state) {
    const auto read = service.ReadParameterBlock(commandSet);
    if (!read.ok()) {
      state.SkipWithError("the block read failed");
      return;
    }
    benchmark::DoNotOptimize(read.value.block);
  }
  state.counters["floor_ms"] = floorMs;
}

void BM_BlockReadWithProbe(benchmark::State &state) {
  RoundTrip(state, std::nullopt, kProbePauseMs + kReadPausesMs);
}

void BM_BlockReadKnownCommandSet(benchmark::State &state) {
  RoundTrip(state, CommandSet::Zzz, kReadPausesMs);
}

BENCHMARK(BM_BlockReadWithProbe)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_BlockReadKnownCommandSet)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
