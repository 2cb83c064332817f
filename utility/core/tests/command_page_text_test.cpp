// The command test window's page text: hexadecimal pieces, the text/hex
// switch, files loaded into a page and the number boxes.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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

TEST(PageText, SwitchingToHexAndBack) {
  struct Case {
    QString text;
    QString hex;
  };
  const Case cases[] = {
      {"AB", "41 42 "},
      {"", ""},
      {"  AB\n", "41 42 "},      // trimmed ends
      {"A\nB", "41 0D 0A 42 "},  // line breaks go as CR LF
  };
  for (const Case &c : cases) {
    EXPECT_EQ(PageTextToHex(c.text), c.hex) << c.text.toStdString();
    EXPECT_EQ(PageHexToText(c.hex), c.text.trimmed()) << c.hex.toStdString();
  }
  // Line breaks and repeated blanks in hexadecimal text separate pieces.
  EXPECT_EQ(PageHexToText("41  42\n43"), "ABC");
  EXPECT_EQ(PageHexToText("141"), "A");
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
