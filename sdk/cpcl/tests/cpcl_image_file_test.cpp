// CPCL image-file commands with real image files: the inverted raster in
// the graphics block and the size limits.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "command_test_images.h"
#include "command_test_support.h"
#include "pelican.h"

using prt::testing::Black;
using prt::testing::FakePortScope;
using prt::testing::FakePrinter;
using prt::testing::Hex;
using prt::testing::ImageDir;
using prt::testing::White;

namespace {

TEST(CpclImage, SendsTheInvertedRasterAsAGraphicsBlock) {
  ImageDir dir;
  const std::string black = dir.Bmp("black.bmp", 9, 2, Black);
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 10, 20, black.c_str()), 0);
  const std::u16string wide(black.begin(), black.end());
  EXPECT_EQ(
      CPCL_AddImageW(printer.handle, 1, 0, 0, reinterpret_cast<const PrtWChar *>(wide.c_str())), 0);
  const std::string raster("\x00\x7F\x00\x7F", 4);  // dark dots are 0 bits
  EXPECT_EQ(Hex(fake.Delivered()), Hex("COMPRESSED-GRAPHICS 2 2 10 20 " + raster +
                                       "VCOMPRESSED-GRAPHICS 2 2 0 0 " + raster));
}

TEST(CpclImage, RefusesImagesTheModelCannotPrint) {
  ImageDir dir;
  const std::string widest = dir.Bmp("576.bmp", 576, 2, White);
  const std::string tooWide = dir.Bmp("577.bmp", 577, 1, White);
  FakePortScope fake;
  FakePrinter printer(fake, "MC300");  // 576 dots
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 0, 0, widest.c_str()), 0);
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 0, 0, tooWide.c_str()), PRT_ERR_IMAGE_SIZE);
  EXPECT_EQ(CPCL_AddImageA(printer.handle, 0, 0, 0, dir.Missing().c_str()), ENOENT);
  FakePrinter label(fake, "TQM");  // decoded first, then refused for the language
  EXPECT_EQ(CPCL_AddImageA(label.handle, 0, 0, 0, widest.c_str()), PRT_ERR_WRONG_PRINTER_TYPE);
  EXPECT_EQ(fake.log.writes.size(), 1u);
  EXPECT_EQ(fake.Delivered().size(), std::string("COMPRESSED-GRAPHICS 72 2 0 0 ").size() + 144);
}

}  // namespace
