// ravo printers: the desktop utility's printer list, the same file the
// utility reads at start (per user, or in --files DIR).
#include <string>
#include <vector>

#include "args.h"
#include "commands.h"
#include "mdl_global.h"
#include "mdl_global_printer_list.h"
#include "mdl_global_user_data.h"
#include "ravoio.h"

namespace ravo::cli {
namespace {

std::string Std(const QString &text) {
  return text.toStdString();
}

std::string ListFile() {
  return Std(mdlGlobal::PrinterListPath());
}

// The port type the printer dialog would have chosen, as the port library
// reads the string; 0 when the string is refused.
int32_t PortTypeOf(const std::string &port, QString &portType) {
  IoPort *object = nullptr;
  const int32_t result = ravo_io_port_creator(&object, port.c_str());
  if (result != 0) return result;
  switch (object->kind(object)) {
    case RAVO_IO_KIND_NET:
      portType = QStringLiteral("NET");
      break;
    case RAVO_IO_KIND_USB:
      portType = QStringLiteral("USB");
      break;
    case RAVO_IO_KIND_PARALLEL:
      portType = QStringLiteral("LPT");
      break;
    default:
      portType = QStringLiteral("COM");
      break;
  }
  ravo_io_port_destroy(object);
  return 0;
}

Outcome ListPrinters() {
  bool ok = true;
  const std::vector<mdlGlobal::PrinterListEntry> rows = mdlGlobal::LoadPrinterList(&ok);
  Outcome outcome;
  outcome.data["file"] = ListFile();
  outcome.data["printers"] = nlohmann::json::array();
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto &row = rows[i];
    outcome.data["printers"].push_back({{"type", Std(row.printerType)},
                                        {"port_type", Std(row.portType)},
                                        {"port", Std(row.port)}});
    outcome.text += std::to_string(i + 1) + "  " + Std(row.printerType) + "  " + Std(row.portType) +
                    "  " + Std(row.port) + "\n";
  }
  if (rows.empty()) outcome.text = "No printers in " + ListFile() + "\n";
  if (!ok) return Fail(kExitFile, "the printer list " + ListFile() + " could not be written");
  return outcome;
}

Outcome AddPrinter(const Args &args) {
  if (args.words.size() != 4) return Fail(kExitUsage, "printers add needs TYPE and PORT");
  const QString type = QString::fromStdString(args.Word(2));
  const std::string port = args.Word(3);
  if (!mdlGlobal::CompanyPrinterTypes.contains(type)) {
    return Fail(kExitUsage, "printer type " + args.Word(2) + " is not one of " +
                                Std(mdlGlobal::CompanyPrinterTypes.join(QStringLiteral(", "))));
  }
  QString portType;
  if (const int32_t result = PortTypeOf(port, portType); result != 0) {
    return LibraryFailure(kExitPort, "port string " + port, result);
  }
  if (!mdlGlobal::AppendPrinterEntry(type, portType, QString::fromStdString(port))) {
    return Fail(kExitFile, "the printer list " + ListFile() + " could not be written");
  }
  Outcome outcome;
  outcome.data["file"] = ListFile();
  outcome.data["added"] = {{"type", Std(type)}, {"port_type", Std(portType)}, {"port", port}};
  outcome.text = "Added " + Std(type) + " on " + port + " to " + ListFile() + "\n";
  return outcome;
}

Outcome RemovePrinter(const Args &args) {
  if (args.words.size() != 3) return Fail(kExitUsage, "printers remove needs a row number");
  std::vector<mdlGlobal::PrinterListEntry> rows = mdlGlobal::LoadPrinterList();
  const auto row = ParseInteger(args.Word(2), 1, static_cast<long long>(rows.size()));
  if (!row) {
    return Fail(kExitUsage, "row " + args.Word(2) + " is not in the list (1 ... " +
                                std::to_string(rows.size()) + ")");
  }
  const mdlGlobal::PrinterListEntry removed = rows[static_cast<size_t>(*row - 1)];
  rows.erase(rows.begin() + (*row - 1));
  if (!mdlGlobal::SavePrinterList(rows)) {
    return Fail(kExitFile, "the printer list " + ListFile() + " could not be written");
  }
  Outcome outcome;
  outcome.data["file"] = ListFile();
  outcome.data["removed"] = {{"type", Std(removed.printerType)},
                             {"port_type", Std(removed.portType)},
                             {"port", Std(removed.port)}};
  outcome.text = "Removed " + Std(removed.printerType) + " on " + Std(removed.port) + "\n";
  return outcome;
}

}  // namespace

Outcome RunPrinters(Context &context) {
  const std::string action = context.args.Word(1);
  if (action.empty() || action == "list") return ListPrinters();
  if (action == "add") return AddPrinter(context.args);
  if (action == "remove") return RemovePrinter(context.args);
  return Fail(kExitUsage, "printers: unknown action " + action + " (list, add, remove)");
}

}  // namespace ravo::cli
