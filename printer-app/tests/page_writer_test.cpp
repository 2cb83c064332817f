// One page in each printer language, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "esc_raster.h"
#include "model_table.h"
#include "page_writer.h"

namespace ravo::app {
namespace {

std::string Hex(const std::string &bytes) {
  std::string out;
  char digits[4];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X ", c);
    out += digits;
  }
  return out;
}

// 16 dots wide, 4 rows: blank, two inked rows, blank.
PageRaster SmallPage() {
  PageRaster page;
  page.width = 16;
  page.height = 4;
  page.bits = {0x00, 0x00, 0xF0, 0x0F, 0x80, 0x01, 0x00, 0x00};
  return page;
}

JobSettings SmallLabel() {
  JobSettings s;
  s.widthHmm = 200;  // 2 mm by 0.5 mm
  s.lengthHmm = 50;
  s.copies = 2;
  return s;
}

std::string Written(const char *model, Language language, const JobSettings &settings,
                    const PageRaster &page) {
  auto ctx = prt::MakeCommandContext(*prt::FindModel(model));
  EXPECT_EQ(AppendPage(*ctx, language, settings, page), PRT_SUCCESS) << model;
  return std::string(ctx->buffer.begin(), ctx->buffer.begin() + ctx->used);
}

TEST(PageWriter, TsplPageSendsOnlyTheInkedRowsWithDarkAsZero) {
  JobSettings s = SmallLabel();
  s.darkness = 50;
  s.speedIps = 3;
  const std::string expected =
      "SIZE 2mm,0.5mm\r\nGAP 3mm,0mm\r\nDIRECTION 0\r\nDENSITY 8\r\nSPEED 3\r\n"
      "SET TEAR OFF\r\nCLS\r\n"
      "BITMAP 0,1,2,2,0\r\n\x0F\xF0\x7F\xFE"
      "PRINT 1,2\r\n";
  EXPECT_EQ(Hex(Written("TQM", Language::kTspl, s, SmallPage())), Hex(expected));
}

TEST(PageWriter, TsplTurnsWithDirectionAndMovesTheRasterForOffsets) {
  JobSettings s = SmallLabel();
  s.upsideDown = true;
  s.leftOffsetDots = 4;
  s.topOffsetDots = 12;
  s.tearOff = true;
  s.tearOffsetHmm = 150;
  const std::string expected =
      "SIZE 2mm,0.5mm\r\nGAP 3mm,0mm\r\nDIRECTION 1\r\nSHIFT 12\r\nSET TEAR ON\r\n"
      "OFFSET 1.5mm\r\nCLS\r\n"
      "BITMAP 0,1,3,2,0\r\n\xF0\xFF\x0F\xF7\xFF\xEF"
      "PRINT 1,2\r\n";
  EXPECT_EQ(Hex(Written("TQM", Language::kTspl, s, SmallPage())), Hex(expected));
}

TEST(PageWriter, BlankTsplLabelStillFeedsALabel) {
  PageRaster blank = SmallPage();
  blank.bits.assign(8, 0);
  const std::string written = Written("TQM", Language::kTspl, SmallLabel(), blank);
  EXPECT_EQ(written.find("BITMAP"), std::string::npos);
  EXPECT_TRUE(written.ends_with("CLS\r\nPRINT 1,2\r\n")) << written;
}

TEST(PageWriter, CpclLabelTurnsInSoftwareAndCarriesTheCopies) {
  JobSettings s = SmallLabel();
  s.darkness = 100;
  s.upsideDown = true;
  s.sensing = prt::MediaSensing::kBlackMark;
  const std::string expected =
      "! 0 200 200 4 2\r\nPAGE-WIDTH 16\r\nCONTRAST 3\r\nBAR-SENSE\r\n"
      "COMPRESSED-GRAPHICS 2 2 0 1 \x7F\xFE\x0F\xF0"
      "\r\nFORM\r\nPRINT\r\n";
  EXPECT_EQ(Hex(Written("MC300", Language::kCpcl, s, SmallPage())), Hex(expected));
}

TEST(PageWriter, ReceiptIsAsLongAsItsInkOncePerCopy) {
  const std::string page = std::string("\x1B\x40\x1D\x76\x30\x00\x02\x00\x02\x00", 10) +
                           std::string("\xF0\x0F\x80\x01", 4) +
                           std::string("\x1B\x64\x03\x1D\x56\x42\x00", 7);
  EXPECT_EQ(Hex(Written("KP330", Language::kEsc, SmallLabel(), SmallPage())), Hex(page + page));
}

TEST(PageWriter, ReceiptsTallerThanABandGoInBands) {
  PageRaster tall;
  tall.width = 8;
  tall.height = kEscBandRows + 2;
  tall.bits.assign(tall.height, 0x01);
  JobSettings s = SmallLabel();
  s.copies = 1;
  const std::string written = Written("KP330", Language::kEsc, s, tall);
  const std::string firstBand("\x1D\x76\x30\x00\x01\x00\x00\x01", 8);  // 256 rows
  const std::string secondBand("\x1D\x76\x30\x00\x01\x00\x02\x00", 8);
  EXPECT_EQ(written.find(firstBand), 2u);
  EXPECT_EQ(written.find(secondBand), 2u + 8 + kEscBandRows);
}

}  // namespace
}  // namespace ravo::app
