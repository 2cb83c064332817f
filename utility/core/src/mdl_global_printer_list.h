// The user's printer list ("PrinterList.txt" at PrinterListPath(), in the
// user's data directory, mdl_global_user_data.h): one entry per
// line, "type|port type|port string", text in the system code page with
// CR LF line ends.  Rewrites go to a temporary file in the same directory
// that replaces the list only once it is complete.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "mdl_global_printer_list_file.h"

namespace mdlGlobal {

struct PrinterListEntry {
  QString printerType;  // a name of CompanyPrinterTypes
  QString portType;     // "USB", "COM", "LPT" or "NET"
  QString port;         // passed unchanged to the library's port open

  QString Line() const;
  bool operator==(const PrinterListEntry &) const = default;
};

// Splits a line into an entry; false for a line with fewer than three fields.
bool ParsePrinterListLine(const QString &line, PrinterListEntry &entry);

// What loading the list found.
struct PrinterListLoad {
  enum class Issue {
    None,
    NotCreated,  // the list was missing or empty and the first entry could not be written
    Unreadable,  // the file exists but could not be read; it was left as it is
    NotText,     // the file exists but is not text; it was left as it is
  };
  std::vector<PrinterListEntry> rows;
  Issue issue = Issue::None;
  QString reason;                    // Unreadable, NotText: why, in plain words
  std::vector<qsizetype> longLines;  // lines left out for being over kMaxPrinterListLine
};

// The rows of the file.  Blank lines and lines with fewer than three fields
// give no row; lines longer than kMaxPrinterListLine give none either and
// are listed.  When the file is missing or holds no line at all it is
// created with the entry "<first company type>|USB|USB" (none when the
// company list is empty).  A file that exists but cannot be read or is not
// text is never written: no rows, and the issue says why.
PrinterListLoad ReadPrinterList();

// ReadPrinterList's rows; `ok` (optional) is false when it found an issue.
std::vector<PrinterListEntry> LoadPrinterList(bool *ok = nullptr);

struct SelectionResult {
  int32_t createResult = 0;  // the library's code for the model; nonzero: show _Err_CreatePrinter
  bool learnEnabled = true;  // state of the main window's label-learning button
};

// Makes rows[row] the selected printer: remembers the row index, sets
// SelectedPrinterType, SelectedModel (PrinterMap.ini, KP330 when unmapped)
// and SelectedPort, and asks libheron whether it knows the model.  A row
// out of range changes nothing and returns createResult -1.
SelectionResult SelectPrinterEntry(const std::vector<PrinterListEntry> &rows, int row);

// Library model name of a printer type; KP330 when PrinterMap.ini lacks it.
QString ModelForPrinterType(const QString &printerType);

// Adds an entry after the existing lines.  False when the file could not be
// written, or exists but cannot be read or is not text (the old file is then
// unchanged).  Lines too long to be entries are not kept.
bool AppendPrinterEntry(const QString &type, const QString &portType, const QString &port);

// Replaces the entry of row index `row` (rows as LoadPrinterList counts
// them); other lines, including ones that give no row, are kept in order.
// False when the row does not exist or the file could not be read or
// written.
bool ReplacePrinterEntry(int row, const QString &type, const QString &portType,
                         const QString &port);

// Rewrites the file from the rows as shown (one empty line first); false,
// with the file unchanged, when it could not be written or exists but
// cannot be read or is not text.
bool SavePrinterList(const std::vector<PrinterListEntry> &rows);

}  // namespace mdlGlobal
