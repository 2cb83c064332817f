#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "files_fixture.h"
#include "mdl_function.h"

using namespace mdlFunction;

namespace {

TEST(CodePage, NameToNumber) {
  struct Case {
    const char *name;
    const char *number;
  };
  const Case cases[] = {
      {"PC858(Euro)", "19"}, {"Default", "0"},      {"PC437(USA:Standard Europe)", "0"},
      {"ABICOMP", "67"},     {"No such page", "0"}, {"pc858(euro)", "0"}};
  for (const Case &c : cases) {
    EXPECT_EQ(ConvertCodePage(QString::fromLatin1(c.name), {}), QLatin1String(c.number)) << c.name;
  }
}

TEST(CodePage, NumberToNameTakesFirstRow) {
  struct Case {
    const char *number;
    const char *name;
  };
  const Case cases[] = {
      {"0", "Default"}, {"13", "PC857(Turkish)"}, {"67", "ABICOMP"}, {"99", "0"}, {"", "0"}};
  for (const Case &c : cases) {
    EXPECT_EQ(ConvertCodePage({}, QString::fromLatin1(c.number)), QLatin1String(c.name))
        << c.number;
  }
}

TEST(CodePage, EveryNameRoundTripsThroughItsNumber) {
  const QStringList names = FillCodePageList();
  ASSERT_EQ(names.size(), 46);
  EXPECT_EQ(names.first(), QLatin1String("Default"));
  for (const QString &name : names) {
    const QString number = ConvertCodePage(name, {});
    const QString back = ConvertCodePage({}, number);
    // Only the PC437 row shares its number with an earlier row.
    if (name != QLatin1String("PC437(USA:Standard Europe)")) {
      EXPECT_EQ(back, name);
    }
  }
}

TEST(InternationalCharacters, IndexUsesTheRomanNumeralCharacters) {
  EXPECT_EQ(InternationalCharacterList().size(), 16);
  EXPECT_EQ(GetInternationalCharIndex(QStringLiteral("Denmark \u2161")), 10);
  EXPECT_EQ(GetInternationalCharIndex(QStringLiteral("Spain \u2160")), 7);
  EXPECT_EQ(GetInternationalCharIndex(QStringLiteral("China")), 15);
  EXPECT_EQ(GetInternationalCharIndex(QStringLiteral("Denmark II")), 0);
  EXPECT_EQ(GetInternationalCharIndex(QString()), 0);
}

TEST(SelectComboText, ExactMatchOrFirstItem) {
  const QStringList items{"a", "B", "b"};
  EXPECT_EQ(SelectComboText(items, "b"), 2);
  EXPECT_EQ(SelectComboText(items, "B"), 1);
  EXPECT_EQ(SelectComboText(items, "c"), 0);
  EXPECT_EQ(SelectComboText({}, "c"), 0);
}

TEST(SplitString, KeepsEmptyPieces) {
  EXPECT_EQ(SplitString("a|b|", '|'), (QStringList{"a", "b", ""}));
  EXPECT_EQ(SplitString("|a", '|'), (QStringList{"", "a"}));
  EXPECT_EQ(SplitString("abc", '|'), (QStringList{"abc"}));
  EXPECT_EQ(SplitString("", '|'), (QStringList{""}));
}

TEST(Hex, TextAndBytes) {
  EXPECT_EQ(StringToHex("AB"), QLatin1String("41 42 "));
  EXPECT_EQ(StringToHex(""), QString());
  EXPECT_EQ(StringToHex(QStringLiteral("\u4E2D\n")), QLatin1String("4E2D 0A "));
  const uint8_t bytes[] = {0x00, 0x0F, 0xA0, 0xFF};
  EXPECT_EQ(BytesToHex(bytes, 4), QLatin1String("00 0F A0 FF "));
  EXPECT_EQ(BytesToHex(bytes, 2), QLatin1String("00 0F "));
  EXPECT_EQ(BytesToHex(bytes, 0), QString());
}

TEST(Hex, BytesToTextStopsAtBlankOrControl) {
  const uint8_t serial[] = {'S', 'N', '1', ' ', 'X'};
  EXPECT_EQ(BytesToText(serial, 5), QLatin1String("SN1"));
  EXPECT_EQ(BytesToText(serial, 2), QLatin1String("SN"));
  const uint8_t version[] = {'1', '.', '2', 0x0D, '9'};
  EXPECT_EQ(BytesToText(version, 5), QLatin1String("1.2"));
}

TEST(Hex, HexToInt) {
  struct Case {
    const char *text;
    int64_t value;
  };
  const Case cases[] = {{"ff", 255}, {" 1A ", 26}, {"", 0},
                        {"G1", 1},   {"1G", 16},   {"0d0a", 0x0D0A}};
  for (const Case &c : cases) EXPECT_EQ(HexToInt(QLatin1String(c.text)), c.value) << c.text;
}

TEST(Checksum16, WrapsAtSixteenBits) {
  std::array<uint8_t, 254> ones;
  ones.fill(0xFF);
  EXPECT_EQ(Checksum16(ones.data(), 254), 0xFD02);
  std::array<uint8_t, 300> big;
  big.fill(0xFF);
  EXPECT_EQ(Checksum16(big.data(), 300), (300 * 255) % 65536);
  EXPECT_EQ(Checksum16(big.data(), 0), 0);
}

TEST(RoundDecimals, RoundsToPlaces) {
  EXPECT_DOUBLE_EQ(RoundDecimals(1.25, 1), 1.3);
  EXPECT_DOUBLE_EQ(RoundDecimals(2.5, 0), 3.0);
  EXPECT_DOUBLE_EQ(RoundDecimals(-1.234, 2), -1.23);
  EXPECT_DOUBLE_EQ(RoundDecimals(3.3, 3), 3.3);
}

using FileFunctions = FilesFixture;

TEST_F(FileFunctions, ReadTextLinesSkipsBlankLinesAndKeepsPadding) {
  Write("lines.txt", "first\r\n   \r\n\t\r\n  padded word  \r\n\r\nlast");
  EXPECT_EQ(ReadTextLines(Path("lines.txt")), (QStringList{"first", "  padded word  ", "last"}));
  EXPECT_TRUE(ReadTextLines(Path("missing.txt")).isEmpty());
}

TEST_F(FileFunctions, ReadTextLinesDecodesTheCodePage) {
  qputenv("RAVO_ACP", "GBK");
  Write("gbk.txt", QByteArray("\xD6\xD0\xCE\xC4\r\n"));  // "中文" in GBK
  EXPECT_EQ(ReadTextLines(Path("gbk.txt")), QStringList{QStringLiteral("\u4E2D\u6587")});
  qunsetenv("RAVO_ACP");
}

TEST_F(FileFunctions, WholeFileReaders) {
  QByteArray data;
  for (int i = 0; i < 2500; ++i) data.append(static_cast<char>(i % 251));
  Write("data.bin", data);
  EXPECT_EQ(ReadFileBytes(Path("data.bin")), data);
  EXPECT_EQ(GetFileSizeOf(Path("data.bin")), 2500);
  EXPECT_EQ(GetFileSizeOf(Path("missing.bin")), -1);
  std::vector<uint8_t> buffer(2500);
  EXPECT_EQ(ReadFileToBuffer(Path("data.bin"), buffer.data(), 2500), 2500);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(buffer.data()), 2500), data);
  EXPECT_EQ(ReadFileToBuffer(Path("data.bin"), buffer.data(), 100), -1);
  EXPECT_EQ(ReadFileToBuffer(Path("missing.bin"), buffer.data(), 100), -1);
}

TEST(PortNames, KindsFromThePortLibrary) {
  int32_t error = -1;
  for (const QString &name : EnumPortNames("LPT", &error)) {
    EXPECT_TRUE(name.startsWith("LPT") && name.endsWith(':')) << name.toStdString();
  }
  EXPECT_EQ(error, 0);
  for (const QString &name : EnumPortNames("COM", &error)) EXPECT_TRUE(name.endsWith(':'));
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(EnumPortNames("TCPIP", &error).isEmpty());
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(EnumPortNames("XYZ", &error).isEmpty());
  EXPECT_NE(error, 0);
}

}  // namespace
