// Cost of the per-row core of the rasterizer: grey conversion and error
// diffusion with packing, in nanoseconds per pixel.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "image/dither.h"
#include "image/grey.h"

namespace {

constexpr uint32_t kWidth = 2000;
constexpr uint32_t kRows = 64;

std::vector<uint8_t> NoisyRows(size_t bytes) {
  std::vector<uint8_t> data(bytes);
  std::mt19937 random(1);
  for (auto &byte : data) byte = static_cast<uint8_t>(random());
  return data;
}

void SetPixelRate(benchmark::State &state) {
  // Reported as ns per pixel: the inverted rate of pixels per second.
  state.counters["ns/pixel"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kRows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Diffusion(benchmark::State &state) {
  std::vector<uint8_t> grey = NoisyRows(kWidth * kRows);
  std::vector<uint8_t> out((kWidth + 7) / 8);
  prt::FloydSteinberg diffusion(kWidth);
  for (auto _ : state) {
    for (uint32_t y = 0; y < kRows; ++y) diffusion.Row(&grey[y * kWidth], out.data());
    benchmark::DoNotOptimize(out.data());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_Diffusion);

void BM_RgbToGrey(benchmark::State &state) {
  std::vector<uint8_t> rgb = NoisyRows(kWidth * kRows * 3);
  std::vector<uint8_t> grey(kWidth);
  for (auto _ : state) {
    for (uint32_t y = 0; y < kRows; ++y)
      prt::RgbRowToGrey(&rgb[y * kWidth * 3], kWidth, grey.data());
    benchmark::DoNotOptimize(grey.data());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_RgbToGrey);

void BM_GreyAndDiffusion(benchmark::State &state) {
  std::vector<uint8_t> rgb = NoisyRows(kWidth * kRows * 3);
  std::vector<uint8_t> grey(kWidth), out((kWidth + 7) / 8);
  prt::FloydSteinberg diffusion(kWidth);
  for (auto _ : state) {
    for (uint32_t y = 0; y < kRows; ++y) {
      prt::RgbRowToGrey(&rgb[y * kWidth * 3], kWidth, grey.data());
      diffusion.Row(grey.data(), out.data());
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_GreyAndDiffusion);

}  // namespace

BENCHMARK_MAIN();
