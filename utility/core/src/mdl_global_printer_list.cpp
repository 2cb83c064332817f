#include "mdl_global_printer_list.h"

#include <QSaveFile>

#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_catalogue.h"
#include "mdl_global_user_data.h"
#include "printer_link.h"
#include "text_codec.h"

namespace mdlGlobal {
namespace {

QString ListPath() {
  return PrinterListPath();
}

// The existing lines, or false when a file is there that must not be
// replaced because its content is unknown.
bool ReadExistingLines(QStringList &lines) {
  PrinterListFile file = ReadPrinterListFile(ListPath());
  lines = std::move(file.lines);
  return file.state == PrinterListFile::State::Read ||
         file.state == PrinterListFile::State::Missing;
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

PrinterListLoad ReadPrinterList() {
  PrinterListLoad load;
  PrinterListFile file = ReadPrinterListFile(ListPath());
  switch (file.state) {
    case PrinterListFile::State::Unreadable:
      load.issue = PrinterListLoad::Issue::Unreadable;
      load.reason = file.reason;
      return load;
    case PrinterListFile::State::NotText:
      load.issue = PrinterListLoad::Issue::NotText;
      load.reason = file.reason;
      return load;
    case PrinterListFile::State::Missing:
    case PrinterListFile::State::Read:
      break;
  }
  load.longLines = file.longLines;
  // Only a list with nothing in it gets the first entry: a file whose every
  // line was too long is the user's and stays.
  if (file.lines.isEmpty() && file.longLines.empty() && !CompanyPrinterTypes.isEmpty()) {
    const QString first = CompanyPrinterTypes.first() + QStringLiteral("|USB|USB");
    if (!WriteListFile({first})) load.issue = PrinterListLoad::Issue::NotCreated;
    file = ReadPrinterListFile(ListPath());
  }
  for (const QString &line : file.lines) {
    PrinterListEntry entry;
    if (ParsePrinterListLine(line, entry)) load.rows.push_back(entry);
  }
  return load;
}

std::vector<PrinterListEntry> LoadPrinterList(bool *ok) {
  PrinterListLoad load = ReadPrinterList();
  if (ok != nullptr) *ok = load.issue == PrinterListLoad::Issue::None;
  return std::move(load.rows);
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
  QStringList lines;
  if (!ReadExistingLines(lines)) return false;
  lines << PrinterListEntry{type, portType, port}.Line();
  return WriteListFile(lines);
}

bool ReplacePrinterEntry(int row, const QString &type, const QString &portType,
                         const QString &port) {
  QStringList lines;
  if (!ReadExistingLines(lines)) return false;
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
  QStringList existing;
  if (!ReadExistingLines(existing)) return false;
  QStringList lines{QString()};
  for (const PrinterListEntry &entry : rows) lines << entry.Line();
  return WriteListFile(lines);
}

}  // namespace mdlGlobal
