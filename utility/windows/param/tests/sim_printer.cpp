#include "sim_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "mdl_function.h"
#include "sim_process.h"

namespace ravo::testing {
namespace {

using ravo::utility::param::ParameterBlock;

const std::string kProbe("\x1B\x1B\x08", 3);
const std::string kZzzRead("ZZZCR\n");
const std::string kDc2Read("\x12\x62");
const std::string kZzzWrite("ZZZCW ");
const std::string kDc2Write("\x12\x63");

bool Valid(const uint8_t *block) {
  const uint16_t sum = mdlFunction::Checksum16(block, 254);
  return block[0] == 0x78 && block[254] == (sum & 0xFF) && block[255] == (sum >> 8);
}

// The block as the daemon's --block file wants it: hexadecimal digits.
std::string BlockFile(const ParameterBlock &block) {
  static QTemporaryDir dir;  // lives for the test program
  static int count = 0;
  const QString path = dir.filePath(QStringLiteral("block-%1.hex").arg(++count));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(QByteArray(reinterpret_cast<const char *>(block.data()), 256).toHex(' '));
  }
  return path.toStdString();
}

}  // namespace

QStringList ClassifyRequests(const std::vector<uint8_t> &bytes) {
  const std::string stream(bytes.begin(), bytes.end());
  QStringList requests;
  size_t at = 0;
  auto at_ = [&](const std::string &c) { return stream.compare(at, c.size(), c) == 0; };
  while (at < stream.size()) {
    if (at_(kProbe)) {
      requests << QStringLiteral("probe");
      at += kProbe.size();
    } else if (at_(kZzzRead) || at_(kDc2Read)) {
      const bool zzz = at_(kZzzRead);
      requests << (zzz ? QStringLiteral("ZZZCR") : QStringLiteral("DC2 b"));
      at += zzz ? kZzzRead.size() : kDc2Read.size();
    } else if (at_(kZzzWrite) || at_(kDc2Write)) {
      const bool zzz = at_(kZzzWrite);
      at += zzz ? kZzzWrite.size() : kDc2Write.size();
      const bool whole = stream.size() - at >= 256;
      const bool ok = whole && Valid(reinterpret_cast<const uint8_t *>(stream.data() + at));
      requests << (zzz ? QStringLiteral("ZZZCW") : QStringLiteral("DC2 c")) +
                      (ok ? QString() : QStringLiteral(" refused"));
      at += whole ? 256 : stream.size() - at;
    } else {
      ++at;
    }
  }
  return requests;
}

SimPrinter::SimPrinter(const ParameterBlock &block, std::optional<uint8_t> probeAnswer,
                       std::vector<std::string> extra)
    : initial_(block) {
  std::vector<std::string> args = {
      "--block", BlockFile(block), "--command-mode",
      probeAnswer ? std::to_string(*probeAnswer) : std::string("none")};
  args.insert(args.end(), extra.begin(), extra.end());
  sim_ = std::make_unique<sim::SimProcess>(std::move(args));
}

SimPrinter::~SimPrinter() = default;

bool SimPrinter::Running() const {
  return sim_->Running();
}

bool SimPrinter::Stop() {
  return sim_->Stop();
}

bool SimPrinter::Restart() {
  return sim_->RestartOnSamePort();
}

QString SimPrinter::PortString() const {
  return QString::fromStdString(sim_->PortString());
}

ParameterBlock SimPrinter::Block() const {
  ParameterBlock block = initial_;
  if (const auto stored = sim_->StoredBlock(); stored && stored->size() == block.size()) {
    std::copy(stored->begin(), stored->end(), block.begin());
  }
  return block;
}

QStringList SimPrinter::Requests() const {
  std::vector<uint8_t> all;
  for (const sim::ReceivedSession &session : sim_->Sessions()) {
    all.insert(all.end(), session.bytes.begin(), session.bytes.end());
  }
  return ClassifyRequests(all);
}

bool SimPrinter::WaitForStoredBlock(int ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    // A whole block: a reader must not take a file still being written for
    // a stored block (and then see the old one).
    if (const auto stored = sim_->StoredBlock(); stored && stored->size() == initial_.size())
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace ravo::testing
