// Raw bytes: what the command test and `ravo send` write and read.
#include "printer_service.h"

namespace ravo::utility {
namespace {

constexpr int kAnswerPauseMs = 100;
constexpr int kReadPauseMs = 100;

}  // namespace

ServiceResult PrinterService::Send(const QByteArray &bytes) const {
  return SendCommand(bytes);
}

ServiceAnswer<QByteArray> PrinterService::SendAndRead(const QByteArray &bytes, int32_t length,
                                                      int attempts) const {
  ServiceAnswer<QByteArray> answer;
  answer.result = Session([&](PrinterLink &link) {
    const int32_t written = link.Write(bytes);
    if (written != PRT_SUCCESS) return Failure(ServiceMessage::WriteData, written);
    if (!link.Pause(kAnswerPauseMs)) return Failure(ServiceMessage::Cancelled);
    const PrinterLink::Answer read = link.Read(length, kReadPauseMs, attempts);
    answer.value = read.bytes;
    if (read.bytes.isEmpty() && length > 0) return Failure(ServiceMessage::ReadData, read.code);
    return ServiceResult{};
  });
  return answer;
}

ServiceAnswer<QByteArray> PrinterService::Read(int32_t length, int attempts) const {
  ServiceAnswer<QByteArray> answer;
  answer.result = Session([&](PrinterLink &link) {
    answer.value = link.Read(length, kReadPauseMs, attempts).bytes;
    return link.Cancelled() ? Failure(ServiceMessage::Cancelled) : ServiceResult{};
  });
  return answer;
}

}  // namespace ravo::utility
