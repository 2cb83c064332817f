// One-command conversations: configuration print, label auto-learn,
// factory reset and firmware-download mode.
#include "heron.h"
#include "printer_service.h"

namespace ravo::utility {

ServiceResult PrinterService::ConfigurationPrint(CommandSet commandSet) const {
  if (commandSet == CommandSet::Dc2)
    return SendCommand(QByteArray("\x1D\x28\x41\x02\x00\x00\x02", 7));
  return Session([](PrinterLink &link) {
    const int32_t result = TSPL_SelfTest(link.Handle());
    return result == PRT_SUCCESS ? ServiceResult{} : Failure(ServiceMessage::WriteData, result);
  });
}

ServiceResult PrinterService::AutoLearn() const {
  return SendCommand("ZZZLEARN\r\n");
}

ServiceResult PrinterService::FactoryReset() const {
  return SendCommand(QByteArray("\x1B\x21\x52", 3));
}

ServiceResult PrinterService::EnterFirmwareMode() const {
  return SendCommand("ZZZDFUMODE\r\n");
}

}  // namespace ravo::utility
