// Test helper: ravo-printer-app as a server in a temporary state directory
// on a free loopback port, and its sub-commands pointed at that server.
//
//   AppProcess app;
//   ASSERT_TRUE(app.Running()) << app.Error();
//   app.AddPrinter("label", "socket://127.0.0.1:" + port, "ravo_tgv");
//   ... ipptool against app.PrinterUri("label") ...
//
// The state directory is removed by the destructor unless
// RAVO_APP_KEEP_STATE is set.  The server logs to STATE/app.log.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"

namespace ravo::app::test {

using ravo::child_process::Background;
using ravo::child_process::Finished;
using ravo::child_process::RunProgram;

class AppProcess {
 public:
  // `options` are extra server options, "name=value".
  explicit AppProcess(std::vector<std::string> options = {});
  ~AppProcess();
  AppProcess(const AppProcess &) = delete;
  AppProcess &operator=(const AppProcess &) = delete;

  bool Running() const { return port_ > 0; }
  const std::string &Error() const { return error_; }
  int Port() const { return port_; }
  const std::filesystem::path &StateDir() const { return state_; }
  std::string PrinterUri(const std::string &name) const;

  // Runs a sub-command ("add", "jobs", …) with `args` against this server.
  Finished Run(const std::string &command, std::vector<std::string> args) const;
  bool AddPrinter(const std::string &name, const std::string &deviceUri,
                  const std::string &driver) const;
  // The server's log, then what it wrote to standard error.
  std::string Log() const;

  // SIGTERM; true when the server shut down by itself in time.
  bool Stop();

 private:
  std::filesystem::path state_;
  Background server_;
  std::string error_;
  int port_ = 0;
};

// The program's path in the build tree.
std::string AppBinary();

}  // namespace ravo::app::test
