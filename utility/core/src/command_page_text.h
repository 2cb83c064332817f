// What the command test window does with the text of its pages: the page
// buffer, the text/hexadecimal switch, the bytes a send writes, files
// loaded into a page and the number boxes.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ravo::utility {

// The page text in the system code page with CR LF line breaks.
QByteArray PageBuffer(const QString &pageText);

// The page switched to hexadecimal: every byte of the page buffer, blanks
// and line breaks at the ends included, as "41 42 0D 0A ", so that the page
// sends what it sent as text.
QString PageTextToHex(const QString &pageText);

// The page switched back to text: the bytes of the hexadecimal page (read
// as a send reads them) as text that sends exactly those bytes.  No text
// when a piece is no hexadecimal number (badPiece names it) or when no
// text carries the bytes unchanged: a CR or LF that is not part of a CR LF
// pair, another control character, or a byte the code page has no
// character for.
struct PageAsText {
  std::optional<QString> text;
  std::optional<QString> badPiece;
};
PageAsText PageHexToText(const QString &pageText);

// The bytes a hexadecimal page sends.  "0x" prefixes are dropped; blanks,
// commas and line breaks separate pieces; each piece is 1 to 8 hex digits
// and gives its lowest eight bits.  On the first piece that is no such
// number, badPiece names it and bytes holds the bytes before it.
struct HexCommand {
  QByteArray bytes;
  std::optional<QString> badPiece;
};
HexCommand ParseHexCommand(const QByteArray &pageBuffer);

// A file loaded into a page: hexadecimal text of its bytes, or its lines
// (system code page) each followed by a line break.  error holds the reason
// when it cannot be read.
struct LoadedPage {
  QString text;
  std::optional<QString> error;
};
LoadedPage LoadPageFile(const QString &path, bool hex);

// The read-length and interval boxes: a decimal integer within
// [lowest, highest], else the reason it is not.
struct BoxNumber {
  int value = 0;
  std::optional<QString> error;
};
BoxNumber ReadBoxNumber(const QString &text, int lowest, int highest);

}  // namespace ravo::utility
