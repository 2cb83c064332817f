// String, hexadecimal and number helpers shared by the windows.
#include "mdl_function.h"

namespace mdlFunction {

int SelectComboText(const QStringList &items, const QString &text) {
  const qsizetype index = items.indexOf(text);
  return index < 0 ? 0 : static_cast<int>(index);
}

QStringList SplitString(const QString &text, QChar separator) {
  return text.split(separator, Qt::KeepEmptyParts);
}

QString StringToHex(const QString &text) {
  QString hex;
  for (QChar c : text) {
    hex += QStringLiteral("%1 ").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
  }
  return hex;
}

QString BytesToHex(const uint8_t *bytes, int count) {
  QString hex;
  if (bytes == nullptr) return hex;
  hex.reserve(count * 3);
  for (int i = 0; i < count; ++i) {
    hex += QStringLiteral("%1 ").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
  }
  return hex;
}

QString BytesToText(const uint8_t *bytes, int count) {
  QString text;
  if (bytes == nullptr) return text;
  for (int i = 0; i < count && bytes[i] > 32; ++i) text += QChar(bytes[i]);
  return text;
}

int64_t HexToInt(const QString &text) {
  int64_t value = 0;
  for (QChar c : text.trimmed().toUpper()) {
    int digit = 0;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digit = c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) digit = c.unicode() - 'A' + 10;
    // Wraps like the unsigned arithmetic it stands for instead of overflowing.
    value = static_cast<int64_t>(static_cast<uint64_t>(value) * 16u + static_cast<uint64_t>(digit));
  }
  return value;
}

uint16_t Checksum16(const uint8_t *bytes, int count) {
  uint32_t sum = 0;
  if (bytes == nullptr) return 0;
  for (int i = 0; i < count; ++i) sum += bytes[i];
  return static_cast<uint16_t>(sum & 0xFFFFu);
}

double RoundDecimals(double value, int decimals) {
  return QString::number(value, 'f', decimals < 0 ? 0 : decimals).toDouble();
}

}  // namespace mdlFunction
