// The printer application's cost per job on loopback: Print-Job of a PNG
// to the label rendered by the virtual printer, against the same PNG sent
// through libheron directly, for a 4×6-inch label one job at a time and
// for 50 small labels queued at once.  Not a test: it prints the figures.
//
//   build/default/bench/printer_app_bench [repetitions]
#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app_process.h"
#include "heron.h"
#include "label_png.h"
#include "sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using ravo::app::test::AppProcess;
using ravo::app::test::GreyPicture;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Waits for label number `count` to be rendered completely.
bool WaitForLabel(const ravo::sim::SimProcess &sim, size_t count) {
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (Clock::now() < deadline) {
    const auto labels = sim.Labels();
    if (labels.size() >= count && ravo::app::test::ReadPng(labels[count - 1].string()).width > 0) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  return false;
}

bool SubmitPng(http_t *http, const std::string &uri, const std::string &file) {
  ipp_t *request = ippNewRequest(IPP_OP_PRINT_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, "bench");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
               "image/png");
  ipp_t *response = cupsDoFileRequest(http, request, "/ipp/print/label", file.c_str());
  const bool ok = response != nullptr && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING;
  ippDelete(response);
  return ok;
}

bool SendLabel(PrtHandle printer, const std::string &size, const std::string &file) {
  const std::string setup = "SIZE " + size + "\r\nCLS\r\n";
  return PrtWriteData(printer, reinterpret_cast<const uint8_t *>(setup.data()),
                      static_cast<int32_t>(setup.size())) == PRT_SUCCESS &&
         TSPL_BitMapA(printer, 0, 0, 0, file.c_str()) == PRT_SUCCESS &&
         TSPL_Print(printer, 1, 1) == PRT_SUCCESS;
}

// A connection per label, as the application makes one per job.
bool SendThroughLibrary(PrtHandle printer, const std::string &port, const std::string &size,
                        const std::string &file) {
  bool ok = PrtPortOpenA(printer, port.c_str()) == PRT_SUCCESS && SendLabel(printer, size, file);
  PrtPortClose(printer);
  return ok;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Rig {
  ravo::sim::SimProcess sim{{"--model", "TGV"}};
  AppProcess app{{"log-level=warn"}};
  http_t *http = nullptr;
  PrtHandle printer = nullptr;
  std::string uri;
  size_t labels = 0;

  bool Start() {
    if (!sim.Running() || !app.Running()) return false;
    if (!app.AddPrinter("label", "socket://127.0.0.1:" + std::to_string(sim.Port()), "ravo_tgv")) {
      return false;
    }
    uri = app.PrinterUri("label");
    http = httpConnect2("localhost", app.Port(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED,
                        1, 30000, nullptr);
    return http != nullptr && PrtPrinterCreatorA(&printer, "TGV") == PRT_SUCCESS;
  }
  ~Rig() {
    if (http != nullptr) httpClose(http);
    if (printer != nullptr) PrtPrinterDestroy(printer);
  }
};

}  // namespace

int main(int argc, char **argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  constexpr int kSmallLabels = 50;
  Rig rig;
  if (!rig.Start()) {
    std::fprintf(stderr, "cannot start the virtual printer or the application\n");
    return 1;
  }
  const std::string dir = rig.app.StateDir().string();
  GreyPicture big = ravo::app::test::TestLabel();
  GreyPicture small = GreyPicture::White(320, 240);  // 40 × 30 mm
  small.Fill(20, 20, 200, 120, 0);
  const std::string bigFile = dir + "/label-4x6.png";
  const std::string smallFile = dir + "/label-40x30.png";
  ravo::app::test::WritePng(bigFile, big);
  ravo::app::test::WritePng(smallFile, small);

  auto timeOne = [&](const std::function<bool()> &send) {
    const auto start = Clock::now();
    if (!send() || !WaitForLabel(rig.sim, ++rig.labels)) return -1.0;
    return Ms(Clock::now() - start);
  };
  std::vector<double> viaApp, viaLibrary;
  for (int i = 0; i < repetitions; ++i) {
    viaApp.push_back(timeOne([&] { return SubmitPng(rig.http, rig.uri, bigFile); }));
    viaLibrary.push_back(timeOne([&] {
      return SendThroughLibrary(rig.printer, rig.sim.PortString(), "101.6mm,152.4mm", bigFile);
    }));
  }
  if (std::min(*std::min_element(viaApp.begin(), viaApp.end()),
               *std::min_element(viaLibrary.begin(), viaLibrary.end())) < 0) {
    std::fprintf(stderr, "a label did not come out\n");
    return 1;
  }

  auto timeMany = [&](const std::function<bool()> &send) {
    const auto start = Clock::now();
    for (int i = 0; i < kSmallLabels; ++i) {
      if (!send()) return -1.0;
    }
    rig.labels += kSmallLabels;
    if (!WaitForLabel(rig.sim, rig.labels)) return -1.0;
    return kSmallLabels / std::chrono::duration<double>(Clock::now() - start).count();
  };
  const double appRate = timeMany([&] { return SubmitPng(rig.http, rig.uri, smallFile); });
  const double libraryRate = timeMany([&] {
    return SendThroughLibrary(rig.printer, rig.sim.PortString(), "40mm,30mm", smallFile);
  });
  PrtPortOpenA(rig.printer, rig.sim.PortString().c_str());
  const double oneConnectionRate =
      timeMany([&] { return SendLabel(rig.printer, "40mm,30mm", smallFile); });
  PrtPortClose(rig.printer);

  const double appMs = Median(viaApp);
  const double libraryMs = Median(viaLibrary);
  std::printf("4x6-inch PNG label (812 x 1218), median of %d:\n", repetitions);
  std::printf("  Print-Job to rendered label:        %7.1f ms\n", appMs);
  std::printf("  libheron (TSPL_BitMapA) to label:   %7.1f ms\n", libraryMs);
  std::printf("  application overhead per job:       %7.1f ms (target <= 50 ms)\n",
              appMs - libraryMs);
  std::printf("%d small labels (40 x 30 mm) queued at once:\n", kSmallLabels);
  std::printf("  through the application:            %7.1f labels/s (%.1f ms each)\n", appRate,
              1000.0 / appRate);
  std::printf("  libheron, a connection per label:   %7.1f labels/s (%.1f ms each)\n", libraryRate,
              1000.0 / libraryRate);
  std::printf("  libheron, one connection for all:   %7.1f labels/s (%.1f ms each)\n",
              oneConnectionRate, 1000.0 / oneConnectionRate);
  return 0;
}
