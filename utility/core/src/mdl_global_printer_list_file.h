// Reading "PrinterList.txt" so that a failure is never mistaken for an
// empty list: a missing file, a file that was read, and one that exists
// but could not be read or is no text are told apart, and lines are
// bounded in length.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace mdlGlobal {

// Longest line kept, in bytes without its line end.  An entry is a printer
// type, a port type and a port string of at most 255 bytes.
inline constexpr qsizetype kMaxPrinterListLine = 1024;

struct PrinterListFile {
  enum class State { Missing, Read, Unreadable, NotText };
  State state = State::Missing;
  QStringList lines;                 // Read: the lines that are not blank, in order
  QString reason;                    // Unreadable, NotText: why, in plain words
  std::vector<qsizetype> longLines;  // 1-based numbers of the lines left out for their length
};

// Reads the list at `path` (text in the system code page; a UTF-8
// byte-order mark is skipped).  A NUL byte means the file is not such text.
PrinterListFile ReadPrinterListFile(const QString &path);

}  // namespace mdlGlobal
