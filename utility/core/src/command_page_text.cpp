#include "command_page_text.h"

#include <QFile>
#include <cctype>

#include "mdl_function.h"
#include "text_codec.h"

namespace ravo::utility {

namespace {

bool IsHexNumber(const QByteArray &piece) {
  if (piece.isEmpty() || piece.size() > 8) return false;
  for (char c : piece) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

QByteArray PageBuffer(const QString &pageText) {
  return ToAnsi(WithCrLf(pageText));
}

QString PageTextToHex(const QString &pageText) {
  const QByteArray bytes = PageBuffer(pageText);
  return mdlFunction::BytesToHex(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                 static_cast<int>(bytes.size()));
}

PageAsText PageHexToText(const QString &pageText) {
  const HexCommand command = ParseHexCommand(PageBuffer(pageText));
  if (command.badPiece) return {std::nullopt, command.badPiece};
  QString text = ravo::utility::AnsiToQString(command.bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  // An edit box turns a lone CR into a line break and cannot show NUL and
  // its kind faithfully; the tab is the one control character it keeps.
  for (const QChar c : text) {
    if (c.unicode() < 0x20 && c != u'\n' && c != u'\t') return {};
    if (c.unicode() == 0x7F) return {};
  }
  if (PageBuffer(text) != command.bytes) return {};
  return {text, std::nullopt};
}

HexCommand ParseHexCommand(const QByteArray &pageBuffer) {
  QByteArray text = pageBuffer;
  text.replace("0x", "");  // "0X" is kept and spoils its piece
  text.replace("\r\n", " ").replace(',', ' ');
  text.replace('\r', ' ').replace('\n', ' ').replace('\t', ' ');
  HexCommand command;
  for (const QByteArray &piece : text.split(' ')) {
    if (piece.isEmpty()) continue;
    if (!IsHexNumber(piece)) {
      command.badPiece = QString::fromLatin1(piece);
      return command;
    }
    command.bytes += static_cast<char>(piece.toUInt(nullptr, 16) & 0xFF);
  }
  return command;
}

LoadedPage LoadPageFile(const QString &path, bool hex) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
  QByteArray bytes = file.readAll();
  if (file.error() != QFile::NoError) return {{}, file.errorString()};
  if (hex) {
    return {mdlFunction::BytesToHex(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                    static_cast<int>(bytes.size())),
            std::nullopt};
  }
  QString text = ravo::utility::DecodeTextFile(bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (text.isEmpty()) return {};
  if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
  return {text, std::nullopt};
}

BoxNumber ReadBoxNumber(const QString &text, int lowest, int highest) {
  bool ok = false;
  qlonglong value = text.trimmed().toLongLong(&ok, 10);
  if (!ok) return {0, QStringLiteral("'%1' is not a valid integer value").arg(text)};
  if (value < lowest || value > highest) {
    return {0, QStringLiteral("%1 is not between %2 and %3").arg(value).arg(lowest).arg(highest)};
  }
  return {static_cast<int>(value), std::nullopt};
}

}  // namespace ravo::utility
