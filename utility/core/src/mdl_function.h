// Shared functions of the utility.  Functions that would fill a list box
// return the items instead (the first item is the one to select), so windows
// and tests use the same code.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

namespace mdlFunction {

// ---- Lists -----------------------------------------------------------------

// Index of the first item equal to text (exact, case-sensitive), else 0.
int SelectComboText(const QStringList &items, const QString &text);

struct CodePageRow {
  const char *name;
  int number;
};
// The printer code pages in list order; position = list index.
std::span<const CodePageRow> CodePageTable();

// The 46 code-page names in table order (select item 0).
QStringList FillCodePageList();

// With a name: the number of the row with that name as decimal text, "0" when
// none.  With an empty name: the name of the first row whose number equals
// `number`, "0" when none.
QString ConvertCodePage(const QString &name, const QString &number);

// The sixteen national character sets, in printer order.
QStringList InternationalCharacterList();

// Position of name in InternationalCharacterList, 0 for any other name.
int GetInternationalCharIndex(const QString &name);

// ---- Text and numbers ----------------------------------------------------------

// Pieces between the separators; the piece after the last one is always added.
QStringList SplitString(const QString &text, QChar separator);

// Each character's code as upper-case hex (at least two digits) plus a blank.
QString StringToHex(const QString &text);

// The first count bytes as two upper-case hex digits plus a blank each.
QString BytesToHex(const uint8_t *bytes, int count);

// The bytes as Latin-1 characters up to (not including) the first byte <= 32,
// at most count of them.
QString BytesToText(const uint8_t *bytes, int count);

// Trimmed, upper-cased text read as hex; characters outside 0-9, A-F count
// as the digit 0.
int64_t HexToInt(const QString &text);

// Sum of the first count bytes modulo 65536.
uint16_t Checksum16(const uint8_t *bytes, int count);

// value rounded half away from zero to `decimals` places.
double RoundDecimals(double value, int decimals);

// ---- Files -------------------------------------------------------------------

// Lines of a text file in the system code page that are not empty after
// trimming blanks and control characters; kept untrimmed (without the line
// end).  A missing file gives no lines, a read error the lines read so far.
QStringList ReadTextLines(const QString &path);

// The whole file; empty when it cannot be read.
QByteArray ReadFileBytes(const QString &path);

// Reads the file into buffer (capacity bytes).  Returns the number of bytes
// stored, or -1 when the file cannot be read or is larger than capacity.
int64_t ReadFileToBuffer(const QString &path, uint8_t *buffer, int64_t capacity);

// Size of the file in bytes, -1 when it does not exist.
int64_t GetFileSizeOf(const QString &path);

// ---- Ports -------------------------------------------------------------------

// Port names of a kind as the port library lists them: "COM" (serial,
// "COM1:", "ttyUSB0:"), "LPT" ("LPT1:"), "USB" (printers attached now,
// "USB,VID_0FE6&PID_811E&SN_X1:"); "TCPIP" gives none (network printers
// are typed in).  Without its colon a name is a port string.  On failure
// the list is empty and *error (when given) holds the port library's code;
// 0 otherwise.
QStringList EnumPortNames(const QString &kind, int32_t *error = nullptr);

// Whether the port library understands a port string, without opening it:
// 0, or its code (-301 not understood, -302 too long, -351 bad baud rate,
// -371 bad USB selector).
int32_t CheckPortString(const QString &port);

// Whether a printer on this port can send anything back: parallel ports
// ("LPT1", an absolute path without a baud rate) cannot.
bool PortCanAnswer(const QString &port);

}  // namespace mdlFunction
