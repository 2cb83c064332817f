#include "block_printer.h"

#include <chrono>
#include <thread>

#include "loopback_listener.h"
#include "mdl_function.h"

namespace ravo::testing {
namespace {

using mdlPrinterLib_TSPL::ParameterBlock;

const std::string kProbe("\x1B\x1B\x08", 3);
const std::string kZzzRead("ZZZCR\n");
const std::string kDc2Read("\x12\x62");
const std::string kZzzWrite("ZZZCW ");
const std::string kDc2Write("\x12\x63");

bool Valid(const ParameterBlock &block) {
  const uint16_t sum = mdlFunction::Checksum16(block.data(), 254);
  return block[0] == 0x78 && block[254] == (sum & 0xFF) && block[255] == (sum >> 8);
}

bool IsPrefixOfACommand(const std::string &pending) {
  for (const std::string *c : {&kProbe, &kZzzRead, &kDc2Read, &kZzzWrite, &kDc2Write}) {
    if (c->compare(0, pending.size(), pending) == 0) return true;
  }
  return false;
}

}  // namespace

BlockPrinter::BlockPrinter(const ParameterBlock &block, std::optional<uint8_t> probeAnswer)
    : block_(block), probeAnswer_(probeAnswer) {
  listener_ = std::make_unique<LoopbackListener>(
      [this](const std::string &piece) { return Respond(piece); });
}

BlockPrinter::~BlockPrinter() {
  listener_.reset();  // stops the thread before the state goes
}

QString BlockPrinter::PortString() const {
  return QString::fromStdString(listener_->PortString());
}

ParameterBlock BlockPrinter::Block() const {
  std::lock_guard lock(mutex_);
  return block_;
}

QStringList BlockPrinter::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool BlockPrinter::WaitForWrites(int count, int ms) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    {
      std::lock_guard lock(mutex_);
      if (writes_ >= count) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

std::string BlockPrinter::Respond(const std::string &piece) {
  std::lock_guard lock(mutex_);
  pending_ += piece;
  std::string answer;
  while (!pending_.empty()) {
    auto startsWith = [this](const std::string &c) { return pending_.rfind(c, 0) == 0; };
    if (startsWith(kProbe)) {
      requests_ << QStringLiteral("probe");
      if (probeAnswer_) answer += static_cast<char>(*probeAnswer_);
      pending_.erase(0, kProbe.size());
    } else if (startsWith(kZzzRead) || startsWith(kDc2Read)) {
      const bool zzz = startsWith(kZzzRead);
      requests_ << (zzz ? QStringLiteral("ZZZCR") : QStringLiteral("DC2 b"));
      answer.append(reinterpret_cast<const char *>(block_.data()), block_.size());
      pending_.erase(0, zzz ? kZzzRead.size() : kDc2Read.size());
    } else if (startsWith(kZzzWrite) || startsWith(kDc2Write)) {
      const bool zzz = startsWith(kZzzWrite);
      const size_t header = zzz ? kZzzWrite.size() : kDc2Write.size();
      if (pending_.size() < header + 256) break;  // the block follows 20 ms later
      ParameterBlock written;
      std::copy_n(pending_.begin() + header, 256, written.begin());
      pending_.erase(0, header + 256);
      const bool ok = Valid(written);
      if (ok) block_ = written;
      requests_ << (zzz ? QStringLiteral("ZZZCW") : QStringLiteral("DC2 c")) +
                       (ok ? QString() : QStringLiteral(" refused"));
      ++writes_;
    } else if (IsPrefixOfACommand(pending_)) {
      break;
    } else {
      pending_.erase(0, 1);
    }
  }
  return answer;
}

}  // namespace ravo::testing
