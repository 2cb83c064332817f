// A printer on a loopback TCP port that keeps a parameter block: it answers
// the command-mode probe (or stays silent), sends its block for ZZZCR or
// DC2 "b", and stores a block written after ZZZCW or DC2 "c" when marker
// and checksum are right.  It logs which request forms it saw.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "parameter_exchange.h"

namespace ravo::testing {

class LoopbackListener;

class BlockPrinter {
 public:
  // probeAnswer: the byte sent for 1B 1B 08; nothing when empty.
  explicit BlockPrinter(const mdlPrinterLib_TSPL::ParameterBlock &block,
                        std::optional<uint8_t> probeAnswer = 1);
  ~BlockPrinter();

  QString PortString() const;
  mdlPrinterLib_TSPL::ParameterBlock Block() const;
  // "probe", "ZZZCR", "DC2 b", "ZZZCW", "DC2 c" in arrival order; a refused
  // write adds " refused".
  QStringList Requests() const;
  // Waits until `count` blocks were written (stored or refused).
  bool WaitForWrites(int count, int ms = 3000) const;

 private:
  std::string Respond(const std::string &piece);

  mutable std::mutex mutex_;
  mdlPrinterLib_TSPL::ParameterBlock block_;
  std::optional<uint8_t> probeAnswer_;
  std::string pending_;
  QStringList requests_;
  int writes_ = 0;
  std::unique_ptr<LoopbackListener> listener_;
};

}  // namespace ravo::testing
