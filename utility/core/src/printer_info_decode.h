// Decoding of the printer-information answers: the production date coded
// in the serial number, the printed-length counter and the firmware
// version.  Qt Core only: shared by the information window and the ravo
// tool, and tested without a window.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace ravo::utility {

// Where the production date sits in a serial number.
enum class SerialLayout {
  Standard,  // last seven characters: Y W W ... (year digit, two week digits)
  Dealer,    // first four characters: YY WW, each offset by 40
};

// The production date coded in a serial number: 1 January for week "01"
// of the standard layout, otherwise the Monday of the coded week.  Nothing
// in the cases ProductionDateText gives nothing.
std::optional<QDate> ProductionDate(const QString &serial, SerialLayout layout, int currentYear);

// The production date of a serial number as the window shows it: the year
// followed by "-01-01" for week "01" of the standard layout, otherwise the
// Monday of the coded week in the locale's short date format.  Nothing for
// an empty serial number, one starting "XXXXX" (never programmed) or one
// that does not fit its layout.  currentYear supplies the decade of the
// standard layout's single year digit.
std::optional<QString> ProductionDateText(const QString &serial, SerialLayout layout,
                                          int currentYear, const QLocale &locale);

// The Monday of `week` counted from 1 January of `year`: 1 January plus
// (week - 1) weeks, moved back to the Monday of that week.
QDate MondayOfWeek(int year, int week);

// Printed length in metres from the counter bytes received (big-endian,
// missing bytes count as 0); nothing when no byte arrived.
std::optional<double> PrintedLengthMetres(std::span<const uint8_t> received);

// Printed length from the counter bytes received (big-endian, missing
// bytes count as 0): "<metres> (m)"; nothing when no byte arrived.
std::optional<QString> PrintedLengthText(std::span<const uint8_t> received);

// Firmware version from the answer: "V a.b.c", plus ".BetaN" for a
// four-byte answer with a nonzero fourth byte; nothing for any other length.
std::optional<QString> FirmwareVersionText(std::span<const uint8_t> received);

}  // namespace ravo::utility
