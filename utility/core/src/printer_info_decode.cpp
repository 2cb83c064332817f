#include "printer_info_decode.h"

namespace ravo::utility {
namespace {

// Decimal value of text that must consist of digits only.
std::optional<int> Digits(const QString &text) {
  if (text.isEmpty()) return std::nullopt;
  int value = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

struct YearWeek {
  QString year;
  QString week;  // as the layout gives it; "01" is special in the standard one
};

std::optional<YearWeek> DealerYearWeek(const QString &serial) {
  if (serial.size() < 4) return std::nullopt;
  const auto years = Digits(serial.mid(0, 2));
  const auto weeks = Digits(serial.mid(2, 2));
  if (!years || !weeks) return std::nullopt;
  const int year = *years - 40;
  const int week = *weeks - 40;
  if (year < 0 || week < 1 || week > 53) return std::nullopt;
  // Two digits, so that 45.. reads as 2005 rather than a three-digit year.
  return YearWeek{QStringLiteral("20%1").arg(year, 2, 10, QLatin1Char('0')), QString::number(week)};
}

std::optional<YearWeek> StandardYearWeek(const QString &serial, int currentYear) {
  if (serial.size() < 7) return std::nullopt;
  const QString seven = serial.right(7);
  const auto yearDigit = Digits(seven.mid(0, 1));
  const auto week = Digits(seven.mid(1, 2));
  if (!yearDigit || !week || *week < 1 || *week > 53) return std::nullopt;
  const QString decade = QString::number(currentYear).left(3);
  return YearWeek{decade + seven.mid(0, 1), seven.mid(1, 2)};
}

}  // namespace

QDate MondayOfWeek(int year, int week) {
  const QDate day = QDate(year, 1, 1).addDays(qint64(week) * 7 - 7);
  return day.addDays(1 - day.dayOfWeek());  // dayOfWeek: Monday 1 ... Sunday 7
}

namespace {

std::optional<YearWeek> CodedYearWeek(const QString &serial, SerialLayout layout, int currentYear) {
  if (serial.isEmpty() || serial.startsWith(QLatin1String("XXXXX"))) return std::nullopt;
  return layout == SerialLayout::Dealer ? DealerYearWeek(serial)
                                        : StandardYearWeek(serial, currentYear);
}

}  // namespace

std::optional<QDate> ProductionDate(const QString &serial, SerialLayout layout, int currentYear) {
  const auto yearWeek = CodedYearWeek(serial, layout, currentYear);
  if (!yearWeek) return std::nullopt;
  const int year = yearWeek->year.toInt();
  if (yearWeek->week == QLatin1String("01")) return QDate(year, 1, 1);
  return MondayOfWeek(year, yearWeek->week.toInt());
}

std::optional<QString> ProductionDateText(const QString &serial, SerialLayout layout,
                                          int currentYear, const QLocale &locale) {
  const auto yearWeek = CodedYearWeek(serial, layout, currentYear);
  if (!yearWeek) return std::nullopt;
  // Week "01" is shown as written, without moving to a Monday.
  if (yearWeek->week == QLatin1String("01")) return yearWeek->year + QStringLiteral("-01-01");
  return locale.toString(*ProductionDate(serial, layout, currentYear), QLocale::ShortFormat);
}

std::optional<double> PrintedLengthMetres(std::span<const uint8_t> received) {
  if (received.empty()) return std::nullopt;
  uint32_t raw = 0;
  for (size_t i = 0; i < 4; ++i) raw = (raw << 8) | (i < received.size() ? received[i] : 0u);
  const auto counter = static_cast<int32_t>(raw);
  return counter / 10.0 * 3 / 100;
}

std::optional<QString> PrintedLengthText(std::span<const uint8_t> received) {
  const auto metres = PrintedLengthMetres(received);
  if (!metres) return std::nullopt;
  return QString::number(*metres, 'g', 15) + QStringLiteral(" (m)");
}

std::optional<QString> FirmwareVersionText(std::span<const uint8_t> received) {
  if (received.size() != 3 && received.size() != 4) return std::nullopt;
  QString text = QStringLiteral("V %1.%2.%3").arg(received[0]).arg(received[1]).arg(received[2]);
  if (received.size() == 4 && received[3] != 0) text += QStringLiteral(".Beta%1").arg(received[3]);
  return text;
}

}  // namespace ravo::utility
