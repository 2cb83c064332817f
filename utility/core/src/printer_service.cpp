#include "printer_service.h"

namespace ravo::utility {

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

ServiceResult PrinterService::SendCommand(const QByteArray &bytes) const {
  return Session([&](PrinterLink &link) {
    const int32_t written = link.Write(bytes);
    return written == PRT_SUCCESS ? ServiceResult{} : Failure(ServiceMessage::WriteData, written);
  });
}

}  // namespace ravo::utility
