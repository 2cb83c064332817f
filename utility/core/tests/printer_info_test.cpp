// The printer-information answers: production date from the serial number,
// printed length and firmware version.
#include <gtest/gtest.h>

#include "printer_info.h"

namespace ucore {
namespace {

TEST(ProductionDate, SerialPatterns) {
  const struct {
    const char *serial;
    SerialPattern pattern;
    QDate date;
  } cases[] = {
      // Standard: the last seven characters carry year digit and week.
      {"TQX5011234", SerialPattern::Standard, QDate(2025, 1, 1)},  // week 01: 1 January
      {"TQX5021234", SerialPattern::Standard, QDate(2025, 1, 6)},  // 8 Jan (Wed) -> Mon 6 Jan
      {"5121234", SerialPattern::Standard, QDate(2025, 3, 17)},    // 19 Mar (Wed) -> Mon 17 Mar
      {"TQX6101234", SerialPattern::Standard, QDate(2026, 3, 2)},  // 5 Mar (Thu) -> Mon 2 Mar
      // Dealer: first four digits, each pair plus 40.
      {"6548ABCDEF", SerialPattern::Dealer, QDate(2025, 2, 17)},  // week 8 of 2025
      {"6541", SerialPattern::Dealer, QDate(2025, 1, 1)},
      {"4541", SerialPattern::Dealer, QDate(2005, 1, 1)},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ProductionDate(QString::fromLatin1(c.serial), c.pattern, 2026), c.date) << c.serial;
  }
}

TEST(ProductionDate, NoDateWhereTheSerialHoldsNone) {
  const struct {
    const char *serial;
    SerialPattern pattern;
  } cases[] = {
      {"", SerialPattern::Standard},
      {"XXXXX5011234", SerialPattern::Standard},  // a printer without a number
      {"501123", SerialPattern::Standard},        // shorter than seven
      {"TQXA011234", SerialPattern::Standard},    // no digit where the year is
      {"TQX5AB1234", SerialPattern::Standard},    // no digits where the week is
      {"TQX5001234", SerialPattern::Standard},    // week 0
      {"TQX5991234", SerialPattern::Standard},    // week 99
      {"654", SerialPattern::Dealer},
      {"65A8", SerialPattern::Dealer},
      {"3948", SerialPattern::Dealer},  // year before 2000 by the dealer's offset
  };
  for (const auto &c : cases) {
    EXPECT_FALSE(ProductionDate(QString::fromLatin1(c.serial), c.pattern, 2026)) << c.serial;
  }
}

TEST(PrintedLength, CounterBytesToMetres) {
  const struct {
    std::vector<uint8_t> bytes;
    const char *shown;
  } cases[] = {
      {{0x00, 0x00, 0x30, 0x39}, "37.035"},  // 12345
      {{0x00, 0x00, 0x00, 0x00}, "0"},
      {{0x01}, "50331.648"},                // one byte: 2^24, missing bytes are 0
      {{0xFF, 0xFF, 0xFF, 0xF6}, "-0.03"},  // read as signed: -10
      {{0x7F, 0xFF, 0xFF, 0xFF}, "6442450.941"},
  };
  for (const auto &c : cases) {
    const auto metres = PrintedLengthMetres(c.bytes.data(), int(c.bytes.size()));
    ASSERT_TRUE(metres);
    EXPECT_EQ(FormatMetres(*metres), QLatin1String(c.shown));
  }
  EXPECT_FALSE(PrintedLengthMetres(nullptr, 0));
}

TEST(FirmwareVersion, ThreeOrFourBytes) {
  const struct {
    std::vector<uint8_t> bytes;
    std::optional<QString> text;
  } cases[] = {
      {{1, 2, 7}, QStringLiteral("V 1.2.7")},
      {{1, 2, 7, 3}, QStringLiteral("V 1.2.7.Beta3")},
      {{1, 2, 7, 0}, QStringLiteral("V 1.2.7")},
      {{10, 0, 255}, QStringLiteral("V 10.0.255")},
      {{1, 2}, std::nullopt},
      {{1, 2, 3, 4, 5}, std::nullopt},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FirmwareVersionText(c.bytes.data(), int(c.bytes.size())), c.text);
  }
}

}  // namespace
}  // namespace ucore
