#include "ansi_text.h"

#include "text_codec.h"

namespace ravo::utility {

QByteArray ToAnsi(const QString &text) {
  QByteArray bytes;
  if (ravo::utility::QStringToAnsi(text, bytes)) return bytes;
  bytes.clear();
  // Per code point, so a surrogate pair is converted as one character.
  for (qsizetype i = 0; i < text.size(); ++i) {
    qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QByteArray one;
    bytes += ravo::utility::QStringToAnsi(text.mid(i, width), one) ? one : QByteArray("?");
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
