#include "mdl_global_printer_list.h"

#include <QSaveFile>

#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "printer_link.h"
#include "text_codec.h"

namespace mdlGlobal {
namespace {

QString ListPath() {
  return FilesPath + PrinterListFileName;
}

// Writes the lines with CR LF ends through a temporary file that replaces
// the list only after everything was written and flushed.
bool WriteListFile(const QStringList &lines) {
  QByteArray bytes;
  for (const QString &line : lines) {
    QByteArray encoded;
    if (!ravo::utility::QStringToAnsi(line, encoded)) return false;
    bytes += encoded + "\r\n";
  }
  QSaveFile file(ListPath());
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

QString PrinterListEntry::Line() const {
  return printerType + QLatin1Char('|') + portType + QLatin1Char('|') + port;
}

bool ParsePrinterListLine(const QString &line, PrinterListEntry &entry) {
  const QStringList fields = mdlFunction::SplitString(line, QLatin1Char('|'));
  if (fields.size() < 3) return false;
  entry = PrinterListEntry{fields[0], fields[1], fields[2]};
  return true;
}

std::vector<PrinterListEntry> LoadPrinterList(bool *ok) {
  if (ok != nullptr) *ok = true;
  QStringList lines = mdlFunction::ReadTextLines(ListPath());
  if (lines.isEmpty() && !CompanyPrinterTypes.isEmpty()) {
    const QString first = CompanyPrinterTypes.first() + QStringLiteral("|USB|USB");
    const bool written = WriteListFile({first});
    if (ok != nullptr) *ok = written;
    lines = mdlFunction::ReadTextLines(ListPath());
  }
  std::vector<PrinterListEntry> rows;
  for (const QString &line : lines) {
    PrinterListEntry entry;
    if (ParsePrinterListLine(line, entry)) rows.push_back(entry);
  }
  return rows;
}

QString ModelForPrinterType(const QString &printerType) {
  const QString model = ReadIniString(PrinterMapFileName, QStringLiteral("Map"), printerType);
  return model.isEmpty() ? QStringLiteral("KP330") : model;
}

SelectionResult SelectPrinterEntry(const std::vector<PrinterListEntry> &rows, int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return {-1, true};
  const PrinterListEntry &entry = rows[static_cast<size_t>(row)];
  SelectedRowIndex = row;
  SelectedPrinterType = entry.printerType;
  SelectedModel = ModelForPrinterType(SelectedPrinterType);
  SelectedPort = entry.port;
  SelectionResult result;
  result.learnEnabled = !IsLearnDisabled(SelectedModel);
  result.createResult = ravo::utility::PrinterLink::CheckModel(SelectedModel).code;
  return result;
}

bool AppendPrinterEntry(const QString &type, const QString &portType, const QString &port) {
  QStringList lines = mdlFunction::ReadTextLines(ListPath());
  lines << PrinterListEntry{type, portType, port}.Line();
  return WriteListFile(lines);
}

bool ReplacePrinterEntry(int row, const QString &type, const QString &portType,
                         const QString &port) {
  QStringList lines = mdlFunction::ReadTextLines(ListPath());
  int rowIndex = 0;
  for (QString &line : lines) {
    PrinterListEntry entry;
    if (!ParsePrinterListLine(line, entry)) continue;
    if (rowIndex++ == row) {
      line = PrinterListEntry{type, portType, port}.Line();
      return WriteListFile(lines);
    }
  }
  return false;
}

bool SavePrinterList(const std::vector<PrinterListEntry> &rows) {
  QStringList lines{QString()};
  for (const PrinterListEntry &entry : rows) lines << entry.Line();
  return WriteListFile(lines);
}

}  // namespace mdlGlobal
