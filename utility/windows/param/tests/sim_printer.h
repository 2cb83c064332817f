// The virtual printer holding a given parameter block, for the window
// tests: it answers the command-mode probe (or stays silent), sends its
// block and stores a block written with a right marker and checksum.
// Requests() names the request forms the printer received, in order.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "param_block.h"

namespace ravo::sim {
class SimProcess;
}

namespace ravo::testing {

class SimPrinter {
 public:
  // probeAnswer: the byte sent for 1B 1B 08; nothing when empty.
  // extra: daemon options such as "--bad-checksum".
  explicit SimPrinter(const ravo::utility::param::ParameterBlock &block,
                      std::optional<uint8_t> probeAnswer = 1, std::vector<std::string> extra = {});
  ~SimPrinter();

  bool Running() const;
  // The printer goes away (connections are refused) and comes back on the
  // same port, holding what it held.
  bool Stop();
  bool Restart();
  QString PortString() const;
  // The block the printer holds now.
  ravo::utility::param::ParameterBlock Block() const;
  // "probe", "ZZZCR", "DC2 b", "ZZZCW", "DC2 c" in arrival order; a write
  // whose block has a wrong marker or checksum adds " refused".
  QStringList Requests() const;
  // Waits until the printer has stored a whole block written by the host.
  bool WaitForStoredBlock(int ms = 5000) const;

 private:
  ravo::utility::param::ParameterBlock initial_;
  std::unique_ptr<sim::SimProcess> sim_;
};

// The request forms in a received byte stream.
QStringList ClassifyRequests(const std::vector<uint8_t> &bytes);

}  // namespace ravo::testing
