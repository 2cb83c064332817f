#include "printer_service.h"

#include <array>

#include "heron.h"
#include "mdl_function.h"

namespace ravo::utility {
namespace {

constexpr int kProbePauseMs = 100;
constexpr int kReadPauseMs = 100;

// Any byte at all in answer to the command-mode probe (0 is an answer too).
bool AnswersProbe(PrinterLink &link) {
  if (link.Write(QByteArray("\x1B\x1B\x08", 3)) != PRT_SUCCESS) return false;
  if (!link.Pause(kProbePauseMs)) return false;
  return !link.Read(1, kReadPauseMs, 1).bytes.isEmpty();
}

bool AnswersSerialNumber(PrinterLink &link) {
  std::array<char, TSPL_SN_SIZE> serial{};
  return TSPL_GetSN(link.Handle(), serial.data()) == PRT_SUCCESS && serial[0] != '\0';
}

}  // namespace

CommandSet CommandSetOf(int commandModeFlag) {
  return commandModeFlag != 0 ? CommandSet::Zzz : CommandSet::Dc2;
}

PrinterService::PrinterService(PrinterTarget target, const TaskControl *control)
    : target_(std::move(target)), control_(control) {}

std::unique_ptr<PrinterLink> PrinterService::Connect(ServiceResult &result) const {
  if (control_ != nullptr && control_->Cancelled()) {
    result = Failure(ServiceMessage::Cancelled);
    return nullptr;
  }
  return PrinterLink::Open(target_, result, control_);
}

ServiceResult PrinterService::TestConnection() const {
  return Session([](PrinterLink &) { return ServiceResult{}; });
}

ServiceAnswer<ConnectionCheck> PrinterService::CheckConnection() const {
  ServiceAnswer<ConnectionCheck> answer;
  answer.result = Session([&](PrinterLink &link) {
    if (!mdlFunction::PortCanAnswer(target_.port)) {
      answer.value = ConnectionCheck::CannotAnswer;
      return ServiceResult{};
    }
    const bool answered = AnswersProbe(link) ||
                          (target_.library == PrinterLibrary::Tspl && AnswersSerialNumber(link));
    if (link.Cancelled()) return Failure(ServiceMessage::Cancelled);
    answer.value = answered ? ConnectionCheck::Answered : ConnectionCheck::Silent;
    return ServiceResult{};
  });
  return answer;
}

ServiceResult PrinterService::SendCommand(const QByteArray &bytes) const {
  return Session([&](PrinterLink &link) {
    const int32_t written = link.Write(bytes);
    return written == PRT_SUCCESS ? ServiceResult{} : Failure(ServiceMessage::WriteData, written);
  });
}

}  // namespace ravo::utility
