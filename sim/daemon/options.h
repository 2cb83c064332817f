// Command line of ravo-printer-sim.
#pragma once

#include <string>

#include "persona.h"

namespace ravo::sim {

struct DaemonOptions {
  std::string host = "127.0.0.1";
  int port = 9100;  // 0 = any free port
  std::string pty_path;
  std::string state_dir = "ravo-sim-state";
  Persona persona;
  Faults faults;
  int idle_timeout_s = 60;  // a connection quiet this long is closed; 0 = never
  bool help = false;
};

// False with a message in error for anything not understood.
bool ParseOptions(int argc, char **argv, DaemonOptions &options, std::string &error);
const char *UsageText();

}  // namespace ravo::sim
