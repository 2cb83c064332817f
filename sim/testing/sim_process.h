// Test helper: runs ravo-printer-sim as a child process.
//
//   ravo::sim::SimProcess sim({"--model", "TQX58", "--split", "100,100,56"});
//   ASSERT_TRUE(sim.Running()) << sim.Error();
//   PrtPortOpenA(handle, sim.PortString().c_str());   // "NET,127.0.0.1:PORT"
//   ... talk to the printer, close the port ...
//   ASSERT_TRUE(sim.WaitForClosedSessions(1));          // the daemon saw the close
//   auto sessions = sim.Sessions();                     // what it received
//   auto labels = sim.Labels();                         // label-0001.png ...
//
// Each SimProcess gets a fresh temporary state directory (removed by the
// destructor unless RAVO_SIM_KEEP_STATE is set in the environment) and a
// free loopback port.  The constructor waits until the daemon listens.
// Persona and fault options are the daemon's own (ravo-printer-sim --help);
// "--port" and "--state" are supplied here.
//
// The daemon serves its connections side by side; each has its own
// unfinished work, and jobs print one at a time as they complete.  Every
// received byte goes to STATE/received.log; a session's close record is
// written after its print jobs are rendered, so after
// WaitForClosedSessions(n) the PNGs of those sessions exist.
//
// Link the target ravo_sim_testing.  Not thread-safe; one thread per object.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace ravo::sim {

struct ReceivedSession {
  uint32_t id = 0;
  std::vector<uint8_t> bytes;  // everything received, in order
  bool closed = false;
};

// Parses a received.log; a torn last record is ignored.
std::vector<ReceivedSession> ReadReceivedLog(const std::filesystem::path &path);

class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args = {});
  ~SimProcess();
  SimProcess(const SimProcess &) = delete;
  SimProcess &operator=(const SimProcess &) = delete;

  bool Running() const { return process_.Running(); }
  // Why starting failed (empty while running).
  const std::string &Error() const { return error_; }
  int Port() const { return port_; }
  // "NET,127.0.0.1:PORT" followed by ",extra" when extra is not empty
  // (for example "TIMEOUT_300").
  std::string PortString(const std::string &extra = {}) const;
  const std::filesystem::path &StateDir() const { return state_dir_; }

  // Sends signal and waits up to `within`; true when the daemon exited with
  // status 0 in that time (otherwise it is killed).
  bool Stop(std::chrono::milliseconds within = std::chrono::seconds(5), int signal = SIGTERM);
  // Stop, then start again with the same arguments and state directory
  // (on a new port).
  bool Restart();
  // The same, on the port it had: a client that keeps the address (a
  // printer queue) finds the printer back.  `args` replace the daemon's
  // persona and fault options when given.
  bool RestartOnSamePort();
  bool RestartOnSamePort(std::vector<std::string> args);

  std::vector<ReceivedSession> Sessions() const;
  bool WaitForClosedSessions(size_t count,
                             std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
  // label-N.png of the state directory, in print order (by number).
  std::vector<std::filesystem::path> Labels() const;
  // The parameter block the daemon keeps (STATE/block.bin), once written.
  std::optional<std::vector<uint8_t>> StoredBlock() const;

 private:
  bool Start(int port = 0);

  std::vector<std::string> args_;
  std::filesystem::path state_dir_;
  std::string error_;
  ravo::child_process::Background process_;
  int port_ = 0;
};

}  // namespace ravo::sim
