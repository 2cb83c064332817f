#include "command_page_text.h"

#include <QFile>
#include <cctype>

#include "mdl_function.h"
#include "text_codec.h"

namespace ravo::utility {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<uint8_t>(c) <= 0x20;
}

QByteArray TrimBlanksAndControls(const QByteArray &bytes) {
  qsizetype from = 0;
  qsizetype to = bytes.size();
  while (from < to && IsBlankOrControl(bytes[from])) ++from;
  while (to > from && IsBlankOrControl(bytes[to - 1])) --to;
  return bytes.mid(from, to - from);
}

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
  QByteArray bytes = TrimBlanksAndControls(PageBuffer(pageText));
  return mdlFunction::BytesToHex(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                 static_cast<int>(bytes.size()));
}

QString PageHexToText(const QString &pageText) {
  QByteArray hex = TrimBlanksAndControls(PageBuffer(pageText));
  hex.replace('\r', ' ').replace('\n', ' ').replace('\t', ' ');
  QByteArray bytes;
  for (const QByteArray &piece : hex.split(' ')) {
    if (piece.isEmpty()) continue;  // double blanks make no NUL characters
    bytes += static_cast<char>(mdlFunction::HexToInt(QString::fromLatin1(piece)) & 0xFF);
  }
  QString text = ravo::utility::AnsiToQString(bytes);
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
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
