// The parameter-block conversations: command-mode probe, read and write.
#include <chrono>
#include <cstring>
#include <thread>

#include "printer_service.h"

namespace ravo::utility {
namespace {

const QByteArray kProbe("\x1B\x1B\x08", 3);
const QByteArray kZzzRead("ZZZCR\n");
const QByteArray kZzzWrite("ZZZCW ");
const QByteArray kDc2Read("\x12\x62", 2);
const QByteArray kDc2Write("\x12\x63", 2);

constexpr int kProbePauseMs = 100;
constexpr int kAnswerPauseMs = 200;
constexpr int kReadPauseMs = 100;
constexpr int kSettlePauseMs = 50;
constexpr int kWritePauseMs = 20;

uint8_t Probe(PrinterLink &link) {
  if (link.Write(kProbe) != PRT_SUCCESS || !link.Pause(kProbePauseMs)) return 0;
  const PrinterLink::Answer answer = link.Read(1, 0, 1);
  return answer.code == PRT_SUCCESS && !answer.bytes.isEmpty() ? uint8_t(answer.bytes[0]) : 0;
}

// The answer to the read request: one read with retries, and a second one
// for the bytes still missing when the checksum bytes have not come.
PrinterLink::Answer ReceiveBlock(PrinterLink &link) {
  PrinterLink::Answer answer = link.Read(param::kBlockSize, kReadPauseMs, 2);
  if (!link.Pause(kSettlePauseMs)) return answer;
  if (answer.bytes.size() < param::kBlockSize) {
    const PrinterLink::Answer more =
        link.Read(param::kBlockSize - int32_t(answer.bytes.size()), kReadPauseMs, 2);
    answer.bytes += more.bytes;
    answer.code = more.code;
  }
  return answer;
}

ServiceResult Judge(const BlockRead &read, int32_t readCode) {
  if (read.received == 0) return Failure(ServiceMessage::ReadData, readCode);
  // A cut answer is reported as such, not as the wrong checksum it gives.
  if (read.received < param::kBlockSize) return Failure(ServiceMessage::ShortAnswer, readCode);
  if (read.block[0] != param::kBlockMarker) return Failure(ServiceMessage::ReadData);
  if (!param::ChecksumMatches(read.block)) return Failure(ServiceMessage::CheckSum);
  return {};
}

ServiceResult ReadOn(PrinterLink &link, CommandSet commandSet, BlockRead &read) {
  read.commandSet = commandSet;
  const int32_t written = link.Write(commandSet == CommandSet::Zzz ? kZzzRead : kDc2Read);
  if (written != PRT_SUCCESS) return Failure(ServiceMessage::WriteData, written);
  if (!link.Pause(kAnswerPauseMs)) return Failure(ServiceMessage::Cancelled);
  const PrinterLink::Answer answer = ReceiveBlock(link);
  if (link.Cancelled()) return Failure(ServiceMessage::Cancelled);
  read.received = int(answer.bytes.size());
  std::memcpy(read.block.data(), answer.bytes.constData(), size_t(answer.bytes.size()));
  return Judge(read, answer.code);
}

}  // namespace

ServiceAnswer<uint8_t> PrinterService::ProbeCommandMode() const {
  ServiceAnswer<uint8_t> answer;
  answer.result = Session([&](PrinterLink &link) {
    answer.value = Probe(link);
    return ServiceResult{};
  });
  return answer;
}

ServiceAnswer<BlockRead> PrinterService::ReadParameterBlock(
    std::optional<CommandSet> commandSet) const {
  ServiceAnswer<BlockRead> answer;
  answer.result = Session([&](PrinterLink &link) {
    if (!commandSet) {
      answer.value.probeAnswer = Probe(link);
      commandSet = CommandSetOf(*answer.value.probeAnswer);
    }
    return ReadOn(link, *commandSet, answer.value);
  });
  return answer;
}

ServiceResult PrinterService::WriteParameterBlock(param::ParameterBlock block,
                                                  CommandSet commandSet, bool verify) const {
  param::SealParameterBlock(block);
  const ServiceResult written = Session([&](PrinterLink &link) {
    int32_t code = link.Write(commandSet == CommandSet::Zzz ? kZzzWrite : kDc2Write);
    // Once the write command is out the block follows, cancelled or not:
    // the printer would otherwise take the next bytes for its block.
    if (code == PRT_SUCCESS) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kWritePauseMs));
      code = link.Write(QByteArrayView(reinterpret_cast<const char *>(block.data()), block.size()));
    }
    return code == PRT_SUCCESS ? ServiceResult{} : Failure(ServiceMessage::ParaSet, code);
  });
  if (!written.ok() || !verify) return written;
  const ServiceAnswer<BlockRead> back = ReadParameterBlock(commandSet);
  if (!back.ok()) return back.result;
  if (back.value.block != block) return Failure(ServiceMessage::NotKept);
  return {};
}

}  // namespace ravo::utility
