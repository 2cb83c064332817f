// Throughput of the virtual printer for a text + Code 128 + QR label and
// for a receipt with a raster logo, written as a host would send them:
// reading the job, drawing it, and drawing plus PNG encoding (what the
// daemon does for every printed label).  The label counters are per second
// of wall time.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device.h"
#include "label_renderer.h"

namespace {

using ravo::sim::Label;

class Collect : public ravo::sim::DeviceOutput {
 public:
  void Answer(std::string_view) override {}
  void Print(const Label &label) override { labels.push_back(label); }
  std::vector<Label> labels;
};

std::string TsplJob() {
  return "SIZE 72 mm,40 mm\r\nGAP 2 mm,0\r\nDIRECTION 0\r\nCLS\r\n"
         "TEXT 20,20,\"3\",0,1,1,\"Ravo label 0001\"\r\n"
         "TEXT 20,60,\"2\",0,1,1,\"Lot 2024-17  Best before 12/2025\"\r\n"
         "BARCODE 20,110,\"128\",80,2,0,2,4,\"RAVO-0001-ABC\"\r\n"
         "QRCODE 400,20,M,6,A,0,M2,S7,\"https://ravo.example/item/0001\"\r\n"
         "PRINT 1,1\r\n";
}

std::string ReceiptJob() {
  std::string logo;  // 256 x 96 dots
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 32; ++x) logo.push_back(static_cast<char>((x + y / 8) % 2 ? 0xF0 : 0x0F));
  std::string job = "\x1B@\x1B\x61\x01\x1Dv0";
  job += std::string("\0\x20\0\x60\0", 5) + logo;
  job += "\x1B!\x30RAVO STORE\n\x1B!\x00Main street 1\n\x1B\x61";
  job.push_back('\0');
  for (int i = 1; i <= 12; ++i)
    job += "Item " + std::to_string(i) + "                               " + std::to_string(i) +
           ".00\n";
  job +=
      "\x1B"
      "E\x01TOTAL                                    78.00\x1B"
      "E";
  job.push_back('\0');
  job +=
      "\n\x1D"
      "V";
  job.push_back('\x42');
  job.push_back('\0');
  return job;
}

// A device on a fresh state directory, fed one job.
class Printer {
 public:
  Printer() {
    std::string pattern = (std::filesystem::temp_directory_path() / "simbench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    dir_ = pattern;
    ravo::sim::Persona persona;
    device_ = std::make_unique<ravo::sim::Device>(persona, false, dir_, out_);
  }
  ~Printer() {
    device_.reset();
    std::filesystem::remove_all(dir_);
  }
  const Label &Run(const std::string &job) {
    out_.labels.clear();
    device_->Feed(std::span(reinterpret_cast<const uint8_t *>(job.data()), job.size()));
    device_->EndSession();
    if (out_.labels.empty()) std::abort();
    return out_.labels.back();
  }

 private:
  std::filesystem::path dir_;
  Collect out_;
  std::unique_ptr<ravo::sim::Device> device_;
};

void Rate(benchmark::State &state) {
  state.counters["labels/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Parse(benchmark::State &state, const std::string &job) {
  Printer printer;
  for (auto _ : state) benchmark::DoNotOptimize(printer.Run(job).elements.size());
  Rate(state);
}

void Draw(benchmark::State &state, const std::string &job) {
  Printer printer;
  const Label label = printer.Run(job);
  for (auto _ : state) benchmark::DoNotOptimize(ravo::sim::RenderLabel(label).width());
  Rate(state);
}

// Everything the daemon does for one label: read the job, draw, encode.
void ParseDrawAndEncode(benchmark::State &state, const std::string &job) {
  Printer printer;
  for (auto _ : state) {
    const QImage image = ravo::sim::RenderLabel(printer.Run(job));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    benchmark::DoNotOptimize(png.size());
  }
  Rate(state);
}

BENCHMARK_CAPTURE(Parse, tspl_label, TsplJob())->UseRealTime();
BENCHMARK_CAPTURE(Draw, tspl_label, TsplJob())->UseRealTime();
BENCHMARK_CAPTURE(ParseDrawAndEncode, tspl_label, TsplJob())->UseRealTime();
BENCHMARK_CAPTURE(Parse, receipt_with_logo, ReceiptJob())->UseRealTime();
BENCHMARK_CAPTURE(Draw, receipt_with_logo, ReceiptJob())->UseRealTime();
BENCHMARK_CAPTURE(ParseDrawAndEncode, receipt_with_logo, ReceiptJob())->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
  // Fonts need a GUI application object; no window is shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
