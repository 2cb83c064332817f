// ravo info: serial number, production date, printed length and firmware
// version, read in one session as the printer-information window does.
#include <QDate>
#include <span>

#include "commands.h"
#include "mdl_global_catalogue.h"
#include "printer_info_decode.h"
#include "printer_service.h"
#include "service_outcome.h"

namespace ravo::cli {
namespace {

using ravo::utility::PrinterInformation;

std::span<const uint8_t> Bytes(const QByteArray &bytes) {
  return {reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())};
}

struct Fact {
  const char *key;
  const char *label;
  std::optional<std::string> value;
  const char *instead;  // shown when there is no value
  bool missing;         // the printer was asked and did not tell
};

void Put(Outcome &outcome, const Fact &fact, std::vector<std::string> &missing) {
  if (fact.value) {
    outcome.data[fact.key] = *fact.value;
  } else {
    outcome.data[fact.key] = nullptr;
  }
  if (fact.missing) missing.push_back(fact.key);
  outcome.text += std::string(fact.label) + fact.value.value_or(fact.instead) + "\n";
}

template <typename T>
std::optional<std::string> Text(const std::optional<T> &value) {
  if (!value) return std::nullopt;
  return value->toStdString();
}

}  // namespace

Outcome RunInfo(Context &context) {
  const auto read = ravo::utility::PrinterService(context.printer).ReadInformation();
  if (!read.ok()) return ServiceFailure(read.result, "the information queries");
  const PrinterInformation &info = read.value;
  const bool noQuery = info.serialState == PrinterInformation::Serial::NotSupported;
  // Without a printer type (--model) the standard pattern applies.
  const bool dealer = mdlGlobal::IsDealerPrinterType(context.printer.printerType);
  const auto layout =
      dealer ? ravo::utility::SerialLayout::Dealer : ravo::utility::SerialLayout::Standard;
  const auto date = ravo::utility::ProductionDate(info.serial, layout, QDate::currentDate().year());
  const auto metres = ravo::utility::PrintedLengthMetres(Bytes(info.journey));
  const auto firmware = ravo::utility::FirmwareVersionText(Bytes(info.version));
  const std::optional<std::string> serial =
      info.serial.isEmpty() ? std::nullopt : std::optional(info.serial.toStdString());
  const std::optional<std::string> dateText =
      date ? std::optional(date->toString(Qt::ISODate).toStdString()) : std::nullopt;
  const std::optional<std::string> metresText =
      metres ? std::optional(QString::number(*metres, 'g', 15).toStdString() + " m") : std::nullopt;

  Outcome outcome;
  std::vector<std::string> missing;
  Put(outcome,
      {"serial", "Serial number:   ", serial,
       noQuery ? "(this model has no serial number query)" : "(no answer)", !serial && !noQuery},
      missing);
  Put(outcome,
      {"production_date", "Production date: ", dateText,
       serial ? "(not coded in the serial number)" : "(no serial number)", serial && !dateText},
      missing);
  Put(outcome, {"printed_length_m", "Printed length:  ", metresText, "(no answer)", !metres},
      missing);
  if (metres) outcome.data["printed_length_m"] = *metres;
  Put(outcome, {"firmware", "Firmware:        ", Text(firmware), "(no answer)", !firmware},
      missing);
  outcome.data["serial_query"] = !noQuery;
  outcome.data["model"] = context.printer.model.toStdString();
  if (!missing.empty()) {
    outcome.exitCode = kExitAnswer;
    std::string list;
    for (const std::string &key : missing) list += (list.empty() ? "" : ", ") + key;
    outcome.error = "the printer did not tell: " + list;
  }
  return outcome;
}

}  // namespace ravo::cli
