// ravo-printer-sim: a virtual label/receipt printer on loopback TCP and an
// optional pseudo-terminal.  See --help.
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "options.h"
#include "server.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
  g_stop = true;
}

}  // namespace

int main(int argc, char **argv) {
  ravo::sim::DaemonOptions options;
  std::string error;
  if (!ravo::sim::ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "ravo-printer-sim: %s\n%s", error.c_str(), ravo::sim::UsageText());
    return 2;
  }
  if (options.help) {
    std::fputs(ravo::sim::UsageText(), stdout);
    return 0;
  }
  std::error_code ec;
  std::filesystem::create_directories(options.state_dir, ec);
  if (ec) {
    std::fprintf(stderr, "ravo-printer-sim: cannot create %s\n", options.state_dir.c_str());
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;  // no SA_RESTART: poll() wakes up
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  // Fonts need a GUI application object; no window is ever shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);

  ravo::sim::Server server(options);
  if (!server.Start(error)) {
    std::fprintf(stderr, "ravo-printer-sim: %s\n", error.c_str());
    return 1;
  }
  server.Run(g_stop);
  return 0;
}
