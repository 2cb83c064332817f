#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <array>

#include "command_text.h"
#include "download_framing.h"
#include "label_job.h"
#include "template_files.h"

using namespace ravo::utility;

namespace {

QString Hex(const QByteArray &bytes) {
  return QString::fromLatin1(bytes.toHex(' '));
}

const uint8_t *U8(const QByteArray &bytes) {
  return reinterpret_cast<const uint8_t *>(bytes.constData());
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

TEST(LabelJob, ThreeLinesOnDefaultBoxes) {
  QStringList expected{"CLS",
                       "SIZE 30 mm,30 mm",
                       "TEXT 10,10,\"5\",0,1,1,\"one\"",
                       "TEXT 10,40,\"5\",0,1,1,\"two\"",
                       "TEXT 10,70,\"5\",0,1,1,\"three\"",
                       "PRINT 1"};
  EXPECT_EQ(LabelJobCommands("30", "30", "one\ntwo\r\nthree"), expected);
}

TEST(LabelJob, LinesAreSentAsTyped) {
  QStringList job = LabelJobCommands(" 56 ", "", "say \"{2}\" %1\n");
  ASSERT_EQ(job.size(), 5);
  EXPECT_EQ(job[1], "SIZE 56 mm,10 mm");  // empty box counts as the lowest size
  EXPECT_EQ(job[2], "TEXT 10,10,\"5\",0,1,1,\"say \"{2}\" %1\"");
  EXPECT_EQ(job[3], "TEXT 10,40,\"5\",0,1,1,\"\"");  // the final line break adds a line
}

TEST(LabelJob, BoxesClampOnLeaving) {
  struct Case {
    const char *text;
    int highest;
    const char *result;
  };
  const Case cases[] = {
      {"90", 56, "56"},
      {"5", 56, "10"},
      {"300", 210, "210"},
      {"", 210, "10"},
      {"56", 56, "56"},
      {"10", 56, "10"},
      {"99999999999999999999", 56, "56"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ClampSizeText(c.text, c.highest), QString::fromLatin1(c.result)) << c.text;
  }
}

TEST(LabelJob, NumberBoxKeys) {
  for (QChar key : {QChar('0'), QChar('9'), QChar(8), QChar(13), QChar(127)}) {
    EXPECT_TRUE(IsNumberBoxKey(key)) << int{key.unicode()};
  }
  for (QChar key : {QChar('a'), QChar('-'), QChar(' '), QChar(0x16), QChar(0x0661)}) {
    EXPECT_FALSE(IsNumberBoxKey(key)) << int{key.unicode()};
  }
}

TEST(Download, PrefixAndPieces) {
  EXPECT_EQ(DownloadPrefix(Storage::Flash), QByteArray("DOWNLOAD F,"));
  EXPECT_EQ(DownloadPrefix(Storage::Dram), QByteArray("DOWNLOAD "));
  struct Case {
    qsizetype size;
    std::vector<qsizetype> pieces;
  };
  const Case cases[] = {{0, {}}, {1, {1}}, {1024, {1024}}, {2500, {1024, 1024, 452}}};
  for (const Case &c : cases) {
    QByteArray file(c.size, '\0');
    for (qsizetype i = 0; i < c.size; ++i) file[i] = static_cast<char>(i * 7);
    std::vector<qsizetype> sizes;
    QByteArray joined;
    for (QByteArrayView piece : DownloadPieces(file)) {
      sizes.push_back(piece.size());
      joined += piece;
    }
    EXPECT_EQ(sizes, c.pieces) << c.size;
    EXPECT_EQ(joined, file);
  }
}

TEST(TemplateFiles, ListAnswer) {
  struct Case {
    QByteArray answer;
    QList<QByteArray> names;
  };
  const Case cases[] = {
      {"A.PRN,LOGO.BMP\r", {"A.PRN", "LOGO.BMP"}},
      {"A,B,\r", {"A", "B", ""}},
      {"\r", {}},
      {"", {}},
      {"MY FILE,B\r", {"MY"}},  // a blank ends the list
      {"X", {}},                // one byte is no list
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ParseFileList(U8(c.answer), static_cast<int>(c.answer.size())), c.names)
        << c.answer.toStdString();
  }
}

TEST(TemplateFiles, SpaceText) {
  std::array<uint8_t, 16> answer{};
  const int32_t values[] = {1048576, 524288, -3000, 2047};
  for (int i = 0; i < 4; ++i) qToLittleEndian(values[i], answer.data() + 4 * i);
  const QString pattern = "free {0} KB of {1} KB";
  EXPECT_EQ(SpaceText(pattern, answer.data(), 16, Storage::Flash), "free 512 KB of 1024 KB");
  EXPECT_EQ(SpaceText(pattern, answer.data(), 16, Storage::Dram), "free 1 KB of -2 KB");
  EXPECT_FALSE(SpaceText(pattern, answer.data(), 15, Storage::Flash));
}

TEST(TemplateFiles, Commands) {
  EXPECT_EQ(ListFilesCommand(Storage::Flash), QByteArray("ZZZFILES F\r\n"));
  EXPECT_EQ(ListFilesCommand(Storage::Dram), QByteArray("ZZZFILES N\r\n"));
  EXPECT_EQ(RunFileCommand("A.PRN"), QByteArray("RUN \"A.PRN\"\r\n"));
  EXPECT_EQ(KillFileCommand(Storage::Dram, "A"), QByteArray("KILL \"A\"\r\n"));
  EXPECT_EQ(KillFileCommand(Storage::Flash, "\xC4"), QByteArray("KILL F,\"\xC4\"\r\n"));
  EXPECT_EQ(KillStorageCommand(Storage::Flash), QByteArray("KILL F,\"*\"\r\n"));
  EXPECT_EQ(KillEverythingCommand(), QByteArray("KILL \"*\"\r\nKILL F,\"*\"\r\n"));
}

}  // namespace
