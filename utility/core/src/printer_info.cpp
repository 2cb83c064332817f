#include "printer_info.h"

namespace ucore {
namespace {

constexpr int kLastWeek = 53;

// Digits at [from, from + length) as a number; -1 when any is not a digit.
int DigitsAt(const QString &text, int from, int length) {
  int value = 0;
  for (int i = from; i < from + length; ++i) {
    const QChar c = text.at(i);
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

}  // namespace

QDate WeekStart(int year, int week) {
  const QDate first(year, 1, 1);
  if (week == 1) return first;
  const QDate day = first.addDays(qint64(week) * 7 - 7);
  // dayOfWeek: Monday 1 ... Sunday 7.
  return day.addDays(1 - day.dayOfWeek());
}

std::optional<QDate> ProductionDate(const QString &serial, SerialPattern pattern, int currentYear) {
  if (serial.isEmpty() || serial.startsWith(QLatin1String("XXXXX"))) return std::nullopt;
  int year = 0;
  int week = 0;
  if (pattern == SerialPattern::Dealer) {
    if (serial.size() < 4) return std::nullopt;
    const int yy = DigitsAt(serial, 0, 2);
    const int ww = DigitsAt(serial, 2, 2);
    if (yy < 40 || ww < 0) return std::nullopt;
    year = 2000 + (yy - 40);
    week = ww - 40;
  } else {
    if (serial.size() < 7) return std::nullopt;
    const int from = int(serial.size()) - 7;
    const int digit = DigitsAt(serial, from, 1);
    week = DigitsAt(serial, from + 1, 2);
    if (digit < 0 || week < 0) return std::nullopt;
    year = currentYear / 10 * 10 + digit;
  }
  if (week < 1 || week > kLastWeek) return std::nullopt;
  const QDate date = WeekStart(year, week);
  if (!date.isValid()) return std::nullopt;
  return date;
}

std::optional<double> PrintedLengthMetres(const uint8_t *bytes, int count) {
  if (count <= 0) return std::nullopt;
  uint32_t raw = 0;
  for (int i = 0; i < 4; ++i) raw = (raw << 8) | (i < count ? bytes[i] : 0u);
  const auto n = static_cast<int32_t>(raw);
  return n / 10.0 * 3 / 100;
}

QString FormatMetres(double metres) {
  return QString::number(metres, 'g', 15);
}

std::optional<QString> FirmwareVersionText(const uint8_t *bytes, int count) {
  if (count != 3 && count != 4) return std::nullopt;
  QString text = QStringLiteral("V %1.%2.%3").arg(bytes[0]).arg(bytes[1]).arg(bytes[2]);
  if (count == 4 && bytes[3] != 0) text += QStringLiteral(".Beta%1").arg(bytes[3]);
  return text;
}

}  // namespace ucore
