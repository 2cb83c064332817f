// A connection per label over the network port, as libheron makes one per
// PrtPortOpenA … PrtPortClose: open, a small label, close, against the
// virtual printer on loopback.  Close is timed on its own.  The "answered"
// runs first ask the printer's status and leave its answer unread, as a
// program that does not care for the answer does; the labels the printer
// printed are counted, so a close that loses the end of a job shows.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "ravoio.h"
#include "sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;

// A label of `rows` × 864 dots: 108 bytes a row.
std::string Label(int rows) {
  constexpr int kRowBytes = 108;
  std::string label = "SIZE 108 mm," + std::to_string(rows / 8 + 1) + " mm\r\nCLS\r\nBITMAP 0,0," +
                      std::to_string(kRowBytes) + "," + std::to_string(rows) + ",0,";
  label.append(size_t{kRowBytes} * rows, '\x0F');
  return label + "\r\nPRINT 1\r\n";
}

bool WaitForLabels(const ravo::sim::SimProcess &sim, size_t count) {
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (sim.Labels().size() < count && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return sim.Labels().size() >= count;
}

// state.range(0): rows of the label (240: 26 KB, 4000: 432 KB).
void ConnectionPerLabel(benchmark::State &state, bool askStatus) {
  ravo::sim::SimProcess sim({"--model", "TGV"});
  if (!sim.Running()) {
    state.SkipWithError(sim.Error().c_str());
    return;
  }
  const std::string label =
      (askStatus ? std::string("\x1B!?") : std::string()) + Label(static_cast<int>(state.range(0)));
  const auto *bytes = reinterpret_cast<const uint8_t *>(label.data());
  double closeSeconds = 0;
  size_t sent = 0;
  for (auto _ : state) {
    IoPort *port = nullptr;
    uint32_t written = 0;
    if (ravo_io_port_creator(&port, sim.PortString().c_str()) != RAVO_IO_OK ||
        port->open(port) != RAVO_IO_OK ||
        port->write(port, bytes, 0, static_cast<uint32_t>(label.size()), &written) != RAVO_IO_OK) {
      ravo_io_port_destroy(port);
      state.SkipWithError("open or write failed");
      return;
    }
    if (askStatus) std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the answer comes
    const auto closing = Clock::now();
    port->close(port);
    closeSeconds += std::chrono::duration<double>(Clock::now() - closing).count();
    ravo_io_port_destroy(port);
    ++sent;
  }
  // After the loop: not timed.
  WaitForLabels(sim, sent);
  sim.Stop();
  state.counters["close_ms"] = benchmark::Counter(closeSeconds * 1000 / double(sent));
  state.counters["labels_lost"] = double(sent) - double(std::min(sim.Labels().size(), sent));
  state.counters["labels_per_s"] = benchmark::Counter(double(sent), benchmark::Counter::kIsRate);
}

void BM_ConnectionPerLabel(benchmark::State &state) {
  ConnectionPerLabel(state, false);
}

void BM_ConnectionPerLabelAnswerUnread(benchmark::State &state) {
  ConnectionPerLabel(state, true);
}

BENCHMARK(BM_ConnectionPerLabel)
    ->Arg(240)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);
BENCHMARK(BM_ConnectionPerLabelAnswerUnread)
    ->Arg(240)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
