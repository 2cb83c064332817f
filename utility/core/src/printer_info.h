// Decoding of the printer's information answers: the production date coded
// in its serial number, the printed-length counter and the firmware version.
// Pure functions, shared by the printer-information window and the ravo tool.
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

namespace ucore {

// The two serial-number layouts: the dealer's printers ("Vanta_Serial"
// printer types) code year and week in their first four digits, plus 40
// each; all others carry the last digit of the year and the week in the
// first three of their last seven characters.
enum class SerialPattern { Standard, Dealer };

// The Monday that starts the given week of the year; week 1 is 1 January
// itself whatever day it falls on.  Weeks below 1 count back from it.
QDate WeekStart(int year, int week);

// Production date coded in a serial number.  Empty when the serial is
// empty, starts with "XXXXX" (a printer without a number) or does not
// follow its pattern (too short, no digits where digits are taken, a week
// outside 1 ... 53, or a dealer year before 2000).  The dealer's year is
// 2000 plus the coded number, so 45 stands for 2005.
// currentYear supplies the decade of the standard pattern.
std::optional<QDate> ProductionDate(const QString &serial, SerialPattern pattern, int currentYear);

// Printed length in metres from the 4-byte big-endian counter (tenths of
// dots at 8 dots/mm, scaled as N / 10 * 3 / 100); bytes not received count
// as 0.  Empty when no byte arrived.
std::optional<double> PrintedLengthMetres(const uint8_t *bytes, int count);

// Metres in the shortest decimal form, for example "37.035" or "0".
QString FormatMetres(double metres);

// "V 1.2.7" from three bytes; with a fourth, nonzero byte ".Beta3" follows.
// Empty for any other count.
std::optional<QString> FirmwareVersionText(const uint8_t *bytes, int count);

}  // namespace ucore
