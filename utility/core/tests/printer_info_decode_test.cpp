// Production date, printed length and firmware version from the printer's
// answers.
#include <QTest>
#include <vector>

#include "printer_info_decode.h"

using namespace ravo::utility;
using Bytes = std::vector<uint8_t>;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(SerialLayout)

class PrinterInfoDecodeTest : public QObject {
  Q_OBJECT

 private slots:
  void productionDate_data();
  void productionDate();
  void mondayOfWeek_data();
  void mondayOfWeek();
  void printedLength_data();
  void printedLength();
  void firmwareVersion_data();
  void firmwareVersion();
};

void PrinterInfoDecodeTest::productionDate_data() {
  QTest::addColumn<QString>("serial");
  QTest::addColumn<SerialLayout>("layout");
  QTest::addColumn<int>("currentYear");
  QTest::addColumn<QString>("expected");  // "!" = unreadable, else ISO date or literal text
  const auto S = SerialLayout::Standard;
  const auto D = SerialLayout::Dealer;
  // Standard: the last seven characters, year digit then week.
  QTest::newRow("standard week 12") << "AB5120001" << S << 2026 << "2025-03-17";
  QTest::newRow("standard week 01 is literal") << "Q7301X3019999" << S << 2026 << "2023-01-01";
  QTest::newRow("standard 1 Jan Wednesday, week 2") << "XY5020000" << S << 2026 << "2025-01-06";
  QTest::newRow("standard decade from the clock") << "9520000" << S << 2031 << "2039-12-19";
  QTest::newRow("standard exactly seven") << "4530000" << S << 2026 << "2024-12-30";
  QTest::newRow("standard six characters") << "512000" << S << 2026 << "!";
  QTest::newRow("standard letter for a digit") << "AB5X20001" << S << 2026 << "!";
  QTest::newRow("standard week 00") << "AB5000001" << S << 2026 << "!";
  QTest::newRow("standard week 54") << "AB5540001" << S << 2026 << "!";
  // Dealer: first four characters, each pair offset by 40.
  QTest::newRow("dealer 6548") << "6548ABCDEF" << D << 2026 << "2025-02-17";
  // Week 1 of the dealer layout has no literal form: Monday on or before 1 January.
  QTest::newRow("dealer week 1") << "6541" << D << 2026 << "2024-12-30";
  QTest::newRow("dealer single-digit year") << "4543" << D << 2026 << "2005-01-10";
  QTest::newRow("dealer year below offset") << "3950" << D << 2026 << "!";
  QTest::newRow("dealer week below offset") << "6540" << D << 2026 << "!";
  QTest::newRow("dealer three characters") << "654" << D << 2026 << "!";
  QTest::newRow("dealer non-digit") << "65A8" << D << 2026 << "!";
  // Never programmed, or nothing read.
  QTest::newRow("XXXXX standard") << "XXXXX5120001" << S << 2026 << "!";
  QTest::newRow("XXXXX dealer") << "XXXXX" << D << 2026 << "!";
  QTest::newRow("empty") << "" << S << 2026 << "!";
}

void PrinterInfoDecodeTest::productionDate() {
  QFETCH(QString, serial);
  QFETCH(SerialLayout, layout);
  QFETCH(int, currentYear);
  QFETCH(QString, expected);
  const QLocale locale(QLocale::German, QLocale::Germany);  // short format dd.MM.yy
  const auto text = ProductionDateText(serial, layout, currentYear, locale);
  const auto date = ProductionDate(serial, layout, currentYear);  // what the ravo tool prints
  if (expected == "!") {
    QVERIFY2(!text.has_value(), qPrintable(text.value_or(QString())));
    QVERIFY(!date.has_value());
    return;
  }
  QVERIFY(text.has_value());
  QVERIFY(date.has_value());
  QCOMPARE(date->toString(Qt::ISODate), expected);
  if (expected.endsWith("-01-01")) {
    QCOMPARE(*text, expected);
  } else {
    const QDate date = QDate::fromString(expected, Qt::ISODate);
    QCOMPARE(date.dayOfWeek(), 1);
    QCOMPARE(*text, date.toString("dd.MM.yy"));
  }
}

void PrinterInfoDecodeTest::mondayOfWeek_data() {
  QTest::addColumn<int>("year");
  QTest::addColumn<int>("week");
  QTest::addColumn<QDate>("monday");
  // One row per weekday that 1 January can fall on.
  QTest::newRow("2024 starts Monday") << 2024 << 3 << QDate(2024, 1, 15);
  QTest::newRow("2019 starts Tuesday") << 2019 << 3 << QDate(2019, 1, 14);
  QTest::newRow("2025 starts Wednesday") << 2025 << 2 << QDate(2025, 1, 6);
  QTest::newRow("2026 starts Thursday") << 2026 << 2 << QDate(2026, 1, 5);
  QTest::newRow("2027 starts Friday") << 2027 << 2 << QDate(2027, 1, 4);
  QTest::newRow("2022 starts Saturday") << 2022 << 2 << QDate(2022, 1, 3);
  QTest::newRow("2023 starts Sunday") << 2023 << 2 << QDate(2023, 1, 2);
  QTest::newRow("week 53 of 2026") << 2026 << 53 << QDate(2026, 12, 28);
}

void PrinterInfoDecodeTest::mondayOfWeek() {
  QFETCH(int, year);
  QFETCH(int, week);
  QFETCH(QDate, monday);
  QCOMPARE(MondayOfWeek(year, week), monday);
}

void PrinterInfoDecodeTest::printedLength_data() {
  QTest::addColumn<Bytes>("answer");
  QTest::addColumn<QString>("expected");
  QTest::newRow("12345") << Bytes{0x00, 0x00, 0x30, 0x39} << "37.035 (m)";
  QTest::newRow("zero") << Bytes{0, 0, 0, 0} << "0 (m)";
  QTest::newRow("one byte 0x01 is 2^24") << Bytes{0x01} << "50331.648 (m)";
  QTest::newRow("two bytes") << Bytes{0x00, 0x01} << "196.608 (m)";
  QTest::newRow("ten") << Bytes{0, 0, 0, 10} << "0.03 (m)";
  QTest::newRow("largest") << Bytes{0x7F, 0xFF, 0xFF, 0xFF} << "6442450.941 (m)";
  QTest::newRow("negative") << Bytes{0xFF, 0xFF, 0xFF, 0xF6} << "-0.03 (m)";
  QTest::newRow("nothing") << Bytes{} << "!";
}

void PrinterInfoDecodeTest::printedLength() {
  QFETCH(Bytes, answer);
  QFETCH(QString, expected);
  QCOMPARE(PrintedLengthText(answer).value_or("!"), expected);
}

void PrinterInfoDecodeTest::firmwareVersion_data() {
  QTest::addColumn<Bytes>("answer");
  QTest::addColumn<QString>("expected");
  QTest::newRow("release") << Bytes{1, 2, 7} << "V 1.2.7";
  QTest::newRow("beta") << Bytes{1, 2, 7, 3} << "V 1.2.7.Beta3";
  QTest::newRow("four bytes, beta 0") << Bytes{1, 2, 7, 0} << "V 1.2.7";
  QTest::newRow("no leading zeros") << Bytes{10, 0, 255, 200} << "V 10.0.255.Beta200";
  QTest::newRow("two bytes") << Bytes{1, 2} << "!";
  QTest::newRow("nothing") << Bytes{} << "!";
  QTest::newRow("five bytes") << Bytes{1, 2, 3, 4, 5} << "!";
}

void PrinterInfoDecodeTest::firmwareVersion() {
  QFETCH(Bytes, answer);
  QFETCH(QString, expected);
  QCOMPARE(FirmwareVersionText(answer).value_or("!"), expected);
}

QTEST_APPLESS_MAIN(PrinterInfoDecodeTest)
#include "printer_info_decode_test.moc"
