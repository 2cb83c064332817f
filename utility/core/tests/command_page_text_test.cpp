// The command test window's page text: hexadecimal pieces, the text/hex
// switch, files loaded into a page, the number boxes and the log.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "command_log.h"
#include "command_page_text.h"

using namespace ravo::utility;

namespace {

QString Hex(const QByteArray &bytes) {
  return QString::fromLatin1(bytes.toHex(' '));
}

TEST(HexCommand, PiecesBecomeBytes) {
  struct Case {
    const char *page;
    const char *bytes;  // hex, blank separated
  };
  const Case cases[] = {
      {"1B,40\r\n", "1b 40"},
      {"1B 40\r\n", "1b 40"},
      {"0x1b,0x40", "1b 40"},
      {"141", "41"},       // lowest eight bits
      {"FFFFFF1B", "1b"},  // eight digits still a number
      {"  1b   ,, 2 \t3\n", "1b 02 03"},
      {"", ""},
  };
  for (const Case &c : cases) {
    HexCommand command = ParseHexCommand(c.page);
    EXPECT_FALSE(command.badPiece) << c.page;
    EXPECT_EQ(Hex(command.bytes), QString::fromLatin1(c.bytes)) << c.page;
  }
}

TEST(HexCommand, BadPieceStopsWithTheBytesBeforeIt) {
  struct Case {
    const char *page;
    const char *bytes;
    const char *bad;
  };
  const Case cases[] = {
      {"1B 0X40 0A", "1b", "0X40"},  // only lower-case 0x is a prefix
      {"1B 4G", "1b", "4G"},
      {"123456789", "", "123456789"},  // nine digits
      {"41 -1", "41", "-1"},
  };
  for (const Case &c : cases) {
    HexCommand command = ParseHexCommand(c.page);
    ASSERT_TRUE(command.badPiece) << c.page;
    EXPECT_EQ(*command.badPiece, QString::fromLatin1(c.bad));
    EXPECT_EQ(Hex(command.bytes), QString::fromLatin1(c.bytes)) << c.page;
  }
}

// Switching never changes what the page sends: text to hexadecimal keeps
// every byte, and hexadecimal that no text sends unchanged stays as it is.
TEST(PageText, SwitchingKeepsTheBytes) {
  struct Case {
    QString text;
    QString hex;
  };
  const Case cases[] = {
      {"AB", "41 42 "},
      {"", ""},
      {"ZZZGETSN\n", "5A 5A 5A 47 45 54 53 4E 0D 0A "},  // the line end is the command's
      {"  AB\n", "20 20 41 42 0D 0A "},
      {"A\nB", "41 0D 0A 42 "},
      {"A\tB", "41 09 42 "},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(PageTextToHex(c.text), c.hex) << c.text.toStdString();
    const PageAsText back = PageHexToText(c.hex);
    ASSERT_TRUE(back.text) << c.hex.toStdString();
    EXPECT_EQ(*back.text, c.text) << c.hex.toStdString();
    EXPECT_EQ(PageBuffer(*back.text), ParseHexCommand(c.hex.toLatin1()).bytes);
  }
  // Pieces are read as a send reads them.
  EXPECT_EQ(PageHexToText("41  42\n43").text, "ABC");
  EXPECT_EQ(PageHexToText("141,0x42").text, "AB");

  const char *noText[] = {"41 0A 42", "41 0D", "00", "1B 40", "7F", "41 0D 0D 0A"};
  for (const char *hex : noText) {
    const PageAsText back = PageHexToText(QLatin1String(hex));
    EXPECT_FALSE(back.text) << hex;
    EXPECT_FALSE(back.badPiece) << hex;
  }
  const PageAsText bad = PageHexToText("41 4G");
  EXPECT_FALSE(bad.text);
  EXPECT_EQ(bad.badPiece, "4G");
}

TEST(CommandLog, TimeHexAndAsciiSixteenBytesALine) {
  const QTime at(10, 15, 2, 123);
  EXPECT_EQ(ReceivedLogEntry(at, QByteArray("AB\r\n", 4)),
            "10:15:02.123  41 42 0D 0A " + QString(36, ' ') + " AB..\n");
  const QByteArray seventeen = QByteArray("0123456789ABCDEF") + char(0xC8);
  EXPECT_EQ(ReceivedLogEntry(at, seventeen),
            "10:15:02.123  30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46  0123456789ABCDEF\n" +
                QString(14, ' ') + "C8 " + QString(45, ' ') + " .\n");
  EXPECT_TRUE(ReceivedLogEntry(at, {}).isEmpty());
  EXPECT_EQ(LogNote(QTime(9, 5, 7, 8), "none"), "09:05:07.008  none\n");
}

TEST(PageText, LoadFile) {
  QTemporaryDir dir;
  QString path = dir.filePath("cmd.txt");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("SIZE 30 mm\r\n\r\nCLS");
  file.close();

  LoadedPage hex = LoadPageFile(path, true);
  ASSERT_FALSE(hex.error);
  EXPECT_TRUE(hex.text.startsWith("53 49 5A 45 20 "));
  EXPECT_TRUE(hex.text.endsWith("43 4C 53 "));
  LoadedPage text = LoadPageFile(path, false);
  EXPECT_EQ(text.text, "SIZE 30 mm\n\nCLS\n");  // empty lines kept, last line ended

  LoadedPage missing = LoadPageFile(dir.filePath("none"), false);
  ASSERT_TRUE(missing.error);
  EXPECT_FALSE(missing.error->isEmpty());
}

TEST(BoxNumber, DecimalWithinRange) {
  EXPECT_EQ(ReadBoxNumber("256", 0, 1000).value, 256);
  EXPECT_EQ(ReadBoxNumber(" 7 ", 0, 1000).value, 7);
  for (const char *bad : {"", "12a", "0x10", "-1", "1001", "99999999999"}) {
    EXPECT_TRUE(ReadBoxNumber(bad, 0, 1000).error) << bad;
  }
}

}  // namespace
