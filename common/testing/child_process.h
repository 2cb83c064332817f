// Running programs from the integration tests: to completion with their
// output, or in the background until stopped.  Shared by the tests of the
// virtual printer and of the printer application.
#pragma once

#include <sys/types.h>

#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

namespace ravo::child_process {

struct Finished {
  int status = -1;     // exit status; -1 when it could not run or was killed
  std::string output;  // stdout and stderr together
};

// Runs argv[0] with `args` and waits up to `timeout`; a program still
// running then is killed.
Finished RunProgram(const std::vector<std::string> &argv,
                    std::chrono::milliseconds timeout = std::chrono::seconds(60));

// A background program whose stdout is read for its first line.
class Background {
 public:
  Background() = default;
  ~Background();
  Background(const Background &) = delete;
  Background &operator=(const Background &) = delete;

  // Starts it; stdout goes to a pipe, stderr to `errorFile` (may be empty).
  bool Start(const std::vector<std::string> &argv, const std::string &errorFile = {});
  // The first stdout line, waiting up to `timeout`; empty if none came.
  std::string FirstLine(std::chrono::milliseconds timeout);
  // `signal`, then SIGKILL after `grace`; true when it exited by itself
  // with status 0.
  bool Stop(std::chrono::milliseconds grace = std::chrono::seconds(10), int signal = SIGTERM);
  bool Running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

}  // namespace ravo::child_process
