// ravo-printer-app: an IPP Everywhere printer application for the
// toolkit's TSPL, CPCL and ESC printers, on PAPPL's standard main loop.
#include <pappl/pappl.h>

#include <csignal>
#include <cstdlib>
#include <vector>

#include "app_options.h"
#include "printer_driver.h"
#include "ravo_device.h"
#include "system_setup.h"

#ifndef RAVO_VERSION
#define RAVO_VERSION "0.0"
#endif

int main(int argc, char *argv[]) {
  // A printer that drops the connection must fail a write, not end us.
  std::signal(SIGPIPE, SIG_IGN);
  std::vector<char *> args(argv, argv + argc);
  auto stateDirectory = ravo::app::TakeStateDirectory(args);
  if (!stateDirectory) stateDirectory = ravo::app::StateDirectory();
  if (stateDirectory && !ravo::app::UseStateDirectory(*stateDirectory)) return EXIT_FAILURE;
  args.push_back(nullptr);

  ravo::app::AddRavoDeviceSchemes();
  static std::vector<pappl_pr_driver_t> drivers = ravo::app::PapplDrivers();
  return papplMainloop(static_cast<int>(args.size() - 1), args.data(), RAVO_VERSION,
                       ravo::app::kFooterHtml, static_cast<int>(drivers.size()), drivers.data(),
                       ravo::app::PickDriver, ravo::app::SetUpDriver, nullptr, nullptr,
                       ravo::app::CreateSystem, nullptr, nullptr);
}
