// A pseudo-terminal pair for serial-port tests: the port under test opens
// the slave by path, the test plays the printer on the master.
#pragma once

#include <cstdint>
#include <string>

namespace ravo::testing {

class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair &) = delete;
  PtyPair &operator=(const PtyPair &) = delete;

  const std::string &slavePath() const { return slavePath_; }
  int slaveFd() const { return slave_; }
  std::string PortString(const std::string &options = "") const;

  void Send(const std::string &bytes);
  // What arrived on the master within `ms`, up to `n` bytes.
  std::string Receive(size_t n, int ms = 2000);
  // The printer side goes away (cable pulled, adapter unplugged).
  void CloseMaster();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace ravo::testing
