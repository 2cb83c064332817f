#include "text_codec.h"

#include <QStringDecoder>
#include <string>

#include "code_page.h"

namespace ravo::utility {

QString AnsiToQString(const QByteArray &bytes) {
  std::u16string wide;
  if (prt::AnsiToUtf16(std::string_view(bytes.constData(), bytes.size()), wide) == 0) {
    return QString::fromStdU16String(wide);
  }
  // Convert byte by byte so one bad byte costs one character, not the line.
  QString text;
  for (char byte : bytes) {
    std::u16string one;
    if (prt::AnsiToUtf16(std::string_view(&byte, 1), one) == 0) {
      text += QString::fromStdU16String(one);
    } else {
      text += QChar(QChar::ReplacementCharacter);
    }
  }
  return text;
}

bool QStringToAnsi(const QString &text, QByteArray &out) {
  std::string bytes;
  if (prt::Utf16ToAnsi(text.toStdU16String(), bytes) != 0) return false;
  out = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return true;
}

namespace {

bool StartsWith(const QByteArray &bytes, std::initializer_list<unsigned char> mark) {
  if (bytes.size() < static_cast<qsizetype>(mark.size())) return false;
  qsizetype i = 0;
  for (unsigned char byte : mark) {
    if (static_cast<unsigned char>(bytes[i++]) != byte) return false;
  }
  return true;
}

}  // namespace

QString DecodeTextFile(const QByteArray &bytes) {
  if (StartsWith(bytes, {0xFF, 0xFE})) {
    return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
  }
  if (StartsWith(bytes, {0xFE, 0xFF})) {
    return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
  }
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
    return QString::fromUtf8(bytes.mid(3));
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return AnsiToQString(bytes);
}

QByteArray ToAnsi(const QString &text) {
  QByteArray bytes;
  if (QStringToAnsi(text, bytes)) return bytes;
  bytes.clear();
  // Per code point, so a surrogate pair is converted as one character.
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QByteArray one;
    bytes += QStringToAnsi(text.mid(i, width), one) ? one : QByteArray("?");
    i += width - 1;
  }
  return bytes;
}

QString WithCrLf(const QString &text) {
  QString out = text;
  out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return out;
}

}  // namespace ravo::utility
