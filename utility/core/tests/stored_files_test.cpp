// The stored-files wire formats: listing and room answers, RUN, KILL and
// DOWNLOAD framing.
#include <gtest/gtest.h>

#include <QtEndian>
#include <array>

#include "stored_files.h"

using namespace ravo::utility;

namespace {

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

TEST(StoredFiles, ListAnswer) {
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
  for (const Case &c : cases) EXPECT_EQ(ParseFileList(c.answer), c.names) << c.answer.toStdString();
}

TEST(StoredFiles, RoomPerStorageAndItsText) {
  std::array<uint8_t, 16> answer{};
  const int32_t values[] = {1048576, 524288, -3000, 2047};
  for (int i = 0; i < 4; ++i) qToLittleEndian(values[i], answer.data() + 4 * i);
  const QByteArrayView bytes(answer.data(), 16);
  const auto flash = ParseStorageRoom(bytes, Storage::Flash);
  const auto dram = ParseStorageRoom(bytes, Storage::Dram);
  ASSERT_TRUE(flash && dram);
  EXPECT_EQ(flash->total, 1048576);
  EXPECT_EQ(flash->free, 524288);
  const QString pattern = "free {0} KB of {1} KB";
  EXPECT_EQ(SpaceText(pattern, *flash), "free 512 KB of 1024 KB");
  EXPECT_EQ(SpaceText(pattern, *dram), "free 1 KB of -2 KB");  // toward zero
  EXPECT_FALSE(ParseStorageRoom(bytes.first(15), Storage::Flash));
}

TEST(StoredFiles, Commands) {
  EXPECT_EQ(ListFilesCommand(Storage::Flash), QByteArray("ZZZFILES F\r\n"));
  EXPECT_EQ(ListFilesCommand(Storage::Dram), QByteArray("ZZZFILES N\r\n"));
  EXPECT_EQ(RunFileCommand("A.PRN"), QByteArray("RUN \"A.PRN\"\r\n"));
  EXPECT_EQ(KillFileCommand(Storage::Dram, "A"), QByteArray("KILL \"A\"\r\n"));
  EXPECT_EQ(KillFileCommand(Storage::Flash, "\xC4"), QByteArray("KILL F,\"\xC4\"\r\n"));
  EXPECT_EQ(KillStorageCommand(Storage::Flash), QByteArray("KILL F,\"*\"\r\n"));
  EXPECT_EQ(KillEverythingCommand(), QByteArray("KILL \"*\"\r\nKILL F,\"*\"\r\n"));
  for (const char *bad : {"", "A\"B", "A\r\n", "A\tB", "A\x7F"}) {
    EXPECT_FALSE(IsCommandSafeName(bad)) << bad;
  }
  EXPECT_TRUE(IsCommandSafeName("MY LABEL.PRG"));
}

TEST(StoredFiles, NameADownloadStores) {
  EXPECT_EQ(StoredName("\"HELLO.BAS\"\r\nCLS\r\nEOP\r\n"), QByteArray("HELLO.BAS"));
  EXPECT_EQ(StoredName("\"LOGO.BMP\",12,BINARY"), QByteArray("LOGO.BMP"));
  EXPECT_FALSE(StoredName("CLS\r\n"));  // no name to look for
  EXPECT_FALSE(StoredName("\"\"rest"));
  EXPECT_FALSE(StoredName("\"UNENDED"));
}

}  // namespace
