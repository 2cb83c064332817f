// ravo info: serial number, production date, printed length and firmware
// version, read in one session as the printer-information window does.
#include <QDate>

#include "commands.h"
#include "mdl_function.h"
#include "mdl_global_catalogue.h"
#include "mdl_printer_lib_tspl.h"
#include "printer_info_decode.h"
#include "printer_link.h"

namespace ravo::cli {
namespace {

constexpr char kJourneyQuery[] = "ZZZGETJOURNEY\r\n";
constexpr char kVersionQuery[] = "ZZZGETVERSION\r\n";

std::vector<uint8_t> Ask(const PrinterLink &link, std::string_view query, int32_t length) {
  if (link.Write(query) != 0) return {};
  Pause(20);
  return link.Read(length, 100, 1);
}

void AddLine(Outcome &outcome, const char *label, const std::optional<std::string> &value,
             const char *missing) {
  std::string line = std::string(label) + (value ? *value : std::string(missing));
  outcome.text += line + "\n";
}

}  // namespace

Outcome RunInfo(Context &context) {
  std::optional<PrinterLink> link;
  if (auto failure = PrinterLink::Open(context, link)) return *failure;

  char serialArea[32] = {};
  mdlPrinterLib_TSPL::TsplGetSN(serialArea);
  const QString serial =
      mdlFunction::BytesToText(reinterpret_cast<const uint8_t *>(serialArea), sizeof serialArea);
  // Without a printer type (--model) the standard pattern applies; an empty
  // name would match every list.
  const bool dealer =
      !context.printerType.isEmpty() && mdlGlobal::IsDealerPrinterType(context.printerType);
  const auto layout =
      dealer ? ravo::utility::SerialLayout::Dealer : ravo::utility::SerialLayout::Standard;
  const auto date = ravo::utility::ProductionDate(serial, layout, QDate::currentDate().year());

  const std::vector<uint8_t> journey = Ask(*link, kJourneyQuery, 4);
  const auto metres = ravo::utility::PrintedLengthMetres(journey);
  const std::vector<uint8_t> version =
      Ask(*link, kVersionQuery, mdlGlobal::VersionAnswerLength(context.model));
  const auto firmware = ravo::utility::FirmwareVersionText(version);

  Outcome outcome;
  std::vector<std::string> missing;
  auto put = [&](const char *key, const std::optional<std::string> &value) {
    if (value) {
      outcome.data[key] = *value;
    } else {
      outcome.data[key] = nullptr;
      missing.push_back(key);
    }
  };
  const std::optional<std::string> serialText =
      serial.isEmpty() ? std::nullopt : std::optional(serial.toStdString());
  const std::optional<std::string> dateText =
      date ? std::optional(date->toString(Qt::ISODate).toStdString()) : std::nullopt;
  const std::optional<std::string> metresText =
      metres ? std::optional(QString::number(*metres, 'g', 15).toStdString()) : std::nullopt;
  const std::optional<std::string> firmwareText =
      firmware ? std::optional(firmware->toStdString()) : std::nullopt;
  put("serial", serialText);
  put("production_date", dateText);
  put("firmware", firmwareText);
  if (metres) {
    outcome.data["printed_length_m"] = *metres;
  } else {
    outcome.data["printed_length_m"] = nullptr;
    missing.push_back("printed_length_m");
  }
  outcome.data["model"] = context.model.toStdString();

  AddLine(outcome, "Serial number:   ", serialText, "(no answer)");
  AddLine(outcome, "Production date: ", dateText,
          serialText ? "(not coded in the serial number)" : "(no serial number)");
  AddLine(outcome,
          "Printed length:  ", metresText ? std::optional(*metresText + " m") : std::nullopt,
          "(no answer)");
  AddLine(outcome, "Firmware:        ", firmwareText, "(no answer)");

  if (!missing.empty()) {
    outcome.exitCode = kExitAnswer;
    std::string list;
    for (const std::string &key : missing) list += (list.empty() ? "" : ", ") + key;
    outcome.error = "the printer did not tell: " + list;
  }
  return outcome;
}

}  // namespace ravo::cli
