// The printer-information conversation: serial number, printed length and
// firmware version in one session.
#include <array>
#include <cstring>

#include "heron.h"
#include "mdl_function.h"
#include "mdl_global_catalogue.h"
#include "printer_service.h"

namespace ravo::utility {
namespace {

constexpr int kAnswerPauseMs = 20;
constexpr int kReadPauseMs = 100;
constexpr int kJourneyLength = 4;

QByteArray Ask(PrinterLink &link, const char *query, int32_t length) {
  link.Write(QByteArrayView(query));
  if (!link.Pause(kAnswerPauseMs)) return {};
  return link.Read(length, kReadPauseMs, 1).bytes;
}

void ReadSerial(PrinterLink &link, PrinterInformation &info) {
  std::array<char, 32> area{};
  const int32_t result = TSPL_GetSN(link.Handle(), area.data());
  // The library refuses the query for models that have none (receipt
  // printers) before anything is sent.
  if (result == PRT_ERR_WRONG_PRINTER_TYPE) {
    info.serialState = PrinterInformation::Serial::NotSupported;
    return;
  }
  info.serial =
      mdlFunction::BytesToText(reinterpret_cast<const uint8_t *>(area.data()), int(area.size()));
  info.serialState = info.serial.isEmpty() ? PrinterInformation::Serial::NoAnswer
                                           : PrinterInformation::Serial::Read;
}

}  // namespace

ServiceAnswer<PrinterInformation> PrinterService::ReadInformation() const {
  ServiceAnswer<PrinterInformation> answer;
  answer.result = Session([&](PrinterLink &link) {
    ReadSerial(link, answer.value);
    answer.value.journey = Ask(link, "ZZZGETJOURNEY\r\n", kJourneyLength);
    answer.value.version =
        Ask(link, "ZZZGETVERSION\r\n", mdlGlobal::VersionAnswerLength(target_.model));
    return link.Cancelled() ? Failure(ServiceMessage::Cancelled) : ServiceResult{};
  });
  return answer;
}

ServiceAnswer<QString> PrinterService::ReadSerialNumber() const {
  ServiceAnswer<QString> answer;
  answer.result = Session([&](PrinterLink &link) {
    PrinterInformation info;
    ReadSerial(link, info);
    answer.value = info.serial;
    if (info.serialState == PrinterInformation::Serial::NotSupported) {
      return Failure(ServiceMessage::NotSupported, PRT_ERR_WRONG_PRINTER_TYPE);
    }
    return ServiceResult{};
  });
  return answer;
}

}  // namespace ravo::utility
