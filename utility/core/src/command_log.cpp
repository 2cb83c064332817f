#include "command_log.h"

#include <algorithm>

namespace ravo::utility {
namespace {

constexpr int kHexCellWidth = 3;  // "41 "
constexpr char16_t kUnprintable = u'.';

QString Stamp(const QTime &time) {
  return time.toString(QStringLiteral("HH:mm:ss.zzz")) + QLatin1String("  ");
}

QString HexAndAscii(QByteArrayView bytes) {
  QString hex;
  QString ascii;
  for (const char byte : bytes) {
    const auto value = static_cast<uint8_t>(byte);
    hex += QStringLiteral("%1 ").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    ascii += value >= 0x20 && value < 0x7F ? QChar(value) : QChar(kUnprintable);
  }
  return hex.leftJustified(kLogBytesPerLine * kHexCellWidth, QLatin1Char(' ')) + QLatin1Char(' ') +
         ascii;
}

}  // namespace

QString ReceivedLogEntry(const QTime &time, const QByteArray &bytes) {
  const QString stamp = Stamp(time);
  const QString indent(stamp.size(), QLatin1Char(' '));
  QString entry;
  for (qsizetype at = 0; at < bytes.size(); at += kLogBytesPerLine) {
    entry += (at == 0 ? stamp : indent) +
             HexAndAscii(QByteArrayView(bytes).sliced(
                 at, std::min<qsizetype>(kLogBytesPerLine, bytes.size() - at))) +
             QLatin1Char('\n');
  }
  return entry;
}

QString LogNote(const QTime &time, const QString &text) {
  return Stamp(time) + text + QLatin1Char('\n');
}

}  // namespace ravo::utility
