// ravo-printer-sim: a virtual label/receipt printer on loopback TCP and an
// optional pseudo-terminal.  See --help.
#include <sys/signalfd.h>
#include <unistd.h>

#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "options.h"
#include "server.h"

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
  // SIGTERM and SIGINT arrive as a readable descriptor in the event loop.
  // They are blocked before Qt can start a thread, so no thread takes them.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  const int stop_fd = ::signalfd(-1, &stop_signals, SFD_CLOEXEC);
  if (stop_fd < 0) {
    std::perror("ravo-printer-sim: signalfd");
    return 1;
  }
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
  server.Run(stop_fd);
  ::close(stop_fd);
  return 0;
}
