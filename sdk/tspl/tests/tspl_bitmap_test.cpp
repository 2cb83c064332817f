// TSPL_BitMapW / TSPL_BitMapA: header, inverted raster, limits, paths.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "command_test_images.h"
#include "command_test_support.h"
#include "heron.h"

using prt::testing::Black;
using prt::testing::FakePortScope;
using prt::testing::FakePrinter;
using prt::testing::Hex;
using prt::testing::ImageDir;
using prt::testing::White;

namespace {

std::u16string Wide(const std::string &ascii) {
  return {ascii.begin(), ascii.end()};
}
const PrtWChar *W(const std::u16string &s) {
  return reinterpret_cast<const PrtWChar *>(s.c_str());
}

TEST(TsplBitmap, SendsHeaderAndInvertedRaster) {
  ImageDir dir;
  struct Row {
    const char *name;
    std::string file;
    int32_t mode;
    std::string bytes;
  };
  const Row rows[] = {
      {"black 9x2", dir.Bmp("black.bmp", 9, 2, Black), 5,
       std::string("BITMAP 3,4,2,2,0\r\n\x00\x7F\x00\x7F", 22)},
      {"white 8x1", dir.Bmp("white.bmp", 8, 1, White), 2, "BITMAP 3,4,1,1,2\r\n\xFF"},
      {"left half dark",
       dir.Bmp("half.bmp", 16, 1, [](uint32_t x, uint32_t) { return x < 8 ? 0 : 255; }), 1,
       std::string("BITMAP 3,4,2,1,1\r\n\x00\xFF", 20)},
  };
  for (const Row &row : rows) {
    FakePortScope fake;
    FakePrinter printer(fake, "TQM");
    EXPECT_EQ(TSPL_BitMapW(printer.handle, 3, 4, row.mode, W(Wide(row.file))), 0) << row.name;
    ASSERT_EQ(fake.log.writes.size(), 1u) << row.name;  // header and raster in one write
    EXPECT_EQ(Hex(fake.Delivered()), Hex(row.bytes)) << row.name;
  }
}

TEST(TsplBitmap, RefusesImagesOutsideTheModelsLimits) {
  ImageDir dir;
  const std::string widest = dir.Bmp("384.bmp", 384, 1, Black);
  const std::string tooWide = dir.Bmp("385.bmp", 385, 1, Black);
  const std::string tooTall = dir.Bmp("tall.bmp", 1, 65536, White);
  FakePortScope fake;
  FakePrinter narrow(fake, "TQX58");  // 384 dots
  EXPECT_EQ(TSPL_BitMapA(narrow.handle, 0, 0, 0, widest.c_str()), 0);
  EXPECT_EQ(TSPL_BitMapA(narrow.handle, 0, 0, 0, tooWide.c_str()), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(TSPL_BitMapA(narrow.handle, 0, 0, 0, tooTall.c_str()), PRT_ERR_IMAGE_SIZE);
  FakePrinter generic(fake, "unknown");  // no raster width at all
  EXPECT_EQ(TSPL_BitMapA(generic.handle, 0, 0, 0, widest.c_str()), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(fake.log.writes.size(), 1u);

  // Model 0x1721 takes at most 900 dots; the size is judged before the
  // language, so a taller image is refused as too large, not as TSPL.
  const std::string tallest = dir.Bmp("900.bmp", 8, 900, White);
  const std::string tooTallHere = dir.Bmp("901.bmp", 8, 901, White);
  FakePrinter shortModel(fake, "KP600");
  EXPECT_EQ(TSPL_BitMapA(shortModel.handle, 0, 0, 0, tallest.c_str()), PRT_ERR_WRONG_PRINTER_TYPE);
  EXPECT_EQ(TSPL_BitMapA(shortModel.handle, 0, 0, 0, tooTallHere.c_str()), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(TSPL_BitMapA(narrow.handle, 0, 0, 0, tooTallHere.c_str()), 0);
  EXPECT_EQ(fake.log.writes.size(), 2u);
}

TEST(TsplBitmap, DecodesBeforeTheModelIsTested) {
  ImageDir dir;
  const std::string image = dir.Bmp("ok.bmp", 8, 8, Black);
  FakePortScope fake;
  FakePrinter receipt(fake, "KP330");
  EXPECT_EQ(TSPL_BitMapA(receipt.handle, 0, 0, 0, dir.Missing().c_str()), ENOENT);
  EXPECT_EQ(TSPL_BitMapA(receipt.handle, 0, 0, 0, image.c_str()), PRT_ERR_WRONG_PRINTER_TYPE);
  EXPECT_EQ(receipt.context().used, 0u);
  EXPECT_TRUE(fake.log.writes.empty());
}

TEST(TsplBitmap, PathsAreConvertedAndBounded) {
  ImageDir dir;
  // "ü" in the file name: CP1252 byte FC in the 8-bit path, UTF-8 on disk.
  const std::string image = dir.Bmp("b\xC3\xBC.bmp", 8, 1, Black);
  const std::string ansi = image.substr(0, image.size() - 7) + "b\xFC.bmp";
  ::setenv("RAVO_ACP", "CP1252", 1);
  FakePortScope fake;
  FakePrinter printer(fake, "TQM");
  EXPECT_EQ(TSPL_BitMapA(printer.handle, 0, 0, 0, ansi.c_str()), 0);
  std::u16string wide = Wide(image.substr(0, image.size() - 7)) + u"b\u00FC.bmp";
  EXPECT_EQ(TSPL_BitMapW(printer.handle, 0, 0, 0, W(wide)), 0);
  const std::string line = std::string("BITMAP 0,0,1,1,0\r\n") + '\0';
  EXPECT_EQ(Hex(fake.Delivered()), Hex(line + line));
  ::setenv("RAVO_ACP", "UTF-8", 1);
  EXPECT_EQ(TSPL_BitMapA(printer.handle, 0, 0, 0, "bad\xFF.bmp"), EILSEQ);
  ::unsetenv("RAVO_ACP");
  EXPECT_EQ(TSPL_BitMapA(printer.handle, 0, 0, 0, std::string(260, 'p').c_str()),
            PRT_ERR_BUFFER_TOO_SMALL);
  EXPECT_EQ(TSPL_BitMapA(printer.handle, 0, 0, 0, nullptr), PRT_ERR_PARAMETER);
  EXPECT_EQ(TSPL_BitMapW(printer.handle, 0, 0, 0, nullptr), PRT_ERR_PARAMETER);
  EXPECT_EQ(TSPL_BitMapA(nullptr, 0, 0, 0, ansi.c_str()), PRT_ERR_INVALID_HANDLE);
  FakePrinter closed(fake, "TQM", false);
  EXPECT_EQ(TSPL_BitMapA(closed.handle, 0, 0, 0, ansi.c_str()), PRT_ERR_PORT_NOT_OPEN);
}

TEST(TsplBitmap, LargeRasterGrowsTheBufferOnceAndSurvivesAFailedWrite) {
  ImageDir dir;
  const std::string image = dir.Bmp("wide.bmp", 576, 100, White);
  FakePortScope fake;
  FakePrinter printer(fake, "TQX80");
  fake.script.writeResults = {-322, 0};
  EXPECT_EQ(TSPL_BitMapA(printer.handle, 0, 0, 0, image.c_str()), -322);
  const std::string header = "BITMAP 0,0,72,100,0\r\n";
  EXPECT_EQ(printer.context().used, header.size() + 7200);
  const uint32_t capacity = printer.context().capacity();
  EXPECT_EQ(capacity % 128, 0u);
  EXPECT_EQ(TSPL_Print(printer.handle, 1, 1), 0);
  EXPECT_EQ(fake.Delivered(), header + std::string(7200, '\xFF') + "PRINT 1,1\r\n");
  EXPECT_EQ(printer.context().capacity(), capacity);
}

}  // namespace
