// Raster lines into printer dots: each colour space converted the way the
// SDK's rasterizer converts images, cut to the head, moved and turned.
#include <gtest/gtest.h>

#include <vector>

#include "image/dither.h"
#include "image/grey.h"
#include "page_raster.h"

namespace ravo::app {
namespace {

std::vector<uint8_t> Bits(const PageRaster &page) {
  return page.bits;
}

// The SDK's path for a grey image: weights, then Floyd–Steinberg.
std::vector<uint8_t> LibraryDots(const std::vector<std::vector<uint8_t>> &rows, uint32_t width,
                                 bool rgb) {
  std::vector<uint8_t> out;
  prt::FloydSteinberg diffusion(width);
  std::vector<uint8_t> grey(width), packed((width + 7) / 8);
  for (const auto &row : rows) {
    if (rgb) {
      prt::RgbRowToGrey(row.data(), width, grey.data());
    } else {
      prt::GreyRowToGrey(row.data(), width, grey.data());
    }
    diffusion.Row(grey.data(), packed.data());
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

TEST(PageAssembler, GreyAndColourLinesAreDitheredAsTheLibrariesDitherImages) {
  constexpr uint32_t kWidth = 21;
  std::vector<std::vector<uint8_t>> grey, rgb;
  for (uint32_t y = 0; y < 6; ++y) {
    grey.emplace_back();
    rgb.emplace_back();
    for (uint32_t x = 0; x < kWidth; ++x) {
      grey.back().push_back(static_cast<uint8_t>(x * 12 + y * 7));
      for (int c = 0; c < 3; ++c) rgb.back().push_back(static_cast<uint8_t>(x * 9 + c * 40 + y));
    }
  }
  PageAssembler fromGrey(kWidth, 6, LineFormat::kGrey8, 576);
  PageAssembler fromRgb(kWidth, 6, LineFormat::kRgb8, 576);
  for (uint32_t y = 0; y < 6; ++y) {
    fromGrey.AddLine(grey[y].data());
    fromRgb.AddLine(rgb[y].data());
  }
  EXPECT_EQ(Bits(fromGrey.Take()), LibraryDots(grey, kWidth, false));
  EXPECT_EQ(Bits(fromRgb.Take()), LibraryDots(rgb, kWidth, true));
}

TEST(PageAssembler, PreparedGreyIsDitheredWithoutWeightingAgain) {
  std::vector<uint8_t> line(16, 200);
  PageAssembler prepared(16, 1, LineFormat::kPreparedGrey8, 576);
  prepared.AddLine(line.data());
  std::vector<uint8_t> expected(2);
  prt::FloydSteinberg(16).Row(line.data(), expected.data());
  EXPECT_EQ(Bits(prepared.Take()), expected);
}

TEST(PageAssembler, BlackLinesAreCopiedCutToTheHeadAndPaddingCleared) {
  const std::vector<uint8_t> line = {0xFF, 0xFF, 0xFF};
  PageAssembler cut(24, 3, LineFormat::kBlack1, 12);  // a 12-dot head
  cut.AddLine(line.data());
  cut.AddLine(line.data());
  const PageRaster page = cut.Take();
  EXPECT_EQ(page.width, 12u);
  EXPECT_EQ(page.height, 3u);
  EXPECT_EQ(Bits(page), (std::vector<uint8_t>{0xFF, 0xF0, 0xFF, 0xF0, 0x00, 0x00}));  // row 3 blank
}

// A receipt printer's head prints the middle of the page.
TEST(PageAssembler, TheHeadCanStartInsideTheLine) {
  // Dots 3 ... 12 of 1-bit lines: byte-aligned and not.
  const std::vector<uint8_t> black = {0b00011010, 0b11000011};
  PageAssembler unaligned(16, 1, LineFormat::kBlack1, 10, 3);
  unaligned.AddLine(black.data());
  EXPECT_EQ(Bits(unaligned.Take()), (std::vector<uint8_t>{0b11010110, 0b00000000}));
  PageAssembler aligned(16, 1, LineFormat::kBlack1, 4, 8);
  aligned.AddLine(black.data());
  EXPECT_EQ(Bits(aligned.Take()), std::vector<uint8_t>{0b11000000});

  // Grey and colour lines: the same dots as the middle alone.
  std::vector<uint8_t> grey(20), rgb(60);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<uint8_t>(i < 4 ? 0 : i * 12);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i < 12 ? 0 : i * 4);
  const std::vector<uint8_t> middleGrey(grey.begin() + 4, grey.begin() + 16);
  const std::vector<uint8_t> middleRgb(rgb.begin() + 12, rgb.begin() + 48);
  PageAssembler fromGrey(20, 1, LineFormat::kGrey8, 12, 4);
  PageAssembler fromRgb(20, 1, LineFormat::kRgb8, 12, 4);
  fromGrey.AddLine(grey.data());
  fromRgb.AddLine(rgb.data());
  EXPECT_EQ(Bits(fromGrey.Take()), LibraryDots({middleGrey}, 12, false));
  EXPECT_EQ(Bits(fromRgb.Take()), LibraryDots({middleRgb}, 12, true));
}

TEST(PageAssembler, LinesPastThePageAreIgnored) {
  const std::vector<uint8_t> line = {0x80};
  PageAssembler one(8, 1, LineFormat::kBlack1, 8);
  one.AddLine(line.data());
  one.AddLine(line.data());
  EXPECT_EQ(Bits(one.Take()), std::vector<uint8_t>{0x80});
}

TEST(PageRaster, ShiftedMovesDotsAndCutsAtTheHead) {
  PageRaster page;
  page.width = 10;
  page.height = 1;
  page.bits = {0xC0, 0x40};  // dots 0, 1 and 9
  const PageRaster right = Shifted(page, 3, 12);
  EXPECT_EQ(right.width, 12u);                                 // 13 wide, cut to the head
  EXPECT_EQ(Bits(right), (std::vector<uint8_t>{0x18, 0x00}));  // dots 3, 4; 12 is cut
  const PageRaster left = Shifted(page, -1, 12);
  EXPECT_EQ(left.width, 9u);
  EXPECT_EQ(Bits(left), (std::vector<uint8_t>{0x80, 0x80}));  // dots 0 and 8
}

TEST(PageRaster, TurnedIsAHalfTurn) {
  PageRaster page;
  page.width = 9;
  page.height = 2;
  page.bits = {0x80, 0x00, 0x00, 0x80};  // (0,0) and (8,1)
  const PageRaster turned = Turned(page);
  EXPECT_EQ(Bits(turned), (std::vector<uint8_t>{0x80, 0x00, 0x00, 0x80}));
  page.bits = {0x40, 0x00, 0x00, 0x00};  // (1,0) goes to (7,1)
  EXPECT_EQ(Bits(Turned(page)), (std::vector<uint8_t>{0x00, 0x00, 0x01, 0x00}));
}

TEST(PageRaster, FormatsOfRasterHeaders) {
  struct Row {
    cups_cspace_t space;
    unsigned bits;
    bool prepared;
    std::optional<LineFormat> format;
  };
  const Row rows[] = {
      {CUPS_CSPACE_K, 1, false, LineFormat::kBlack1},
      {CUPS_CSPACE_SW, 8, false, LineFormat::kGrey8},
      {CUPS_CSPACE_SW, 8, true, LineFormat::kPreparedGrey8},
      {CUPS_CSPACE_SRGB, 24, false, LineFormat::kRgb8},
      {CUPS_CSPACE_SW, 16, false, std::nullopt},
      {CUPS_CSPACE_CMYK, 32, false, std::nullopt},
      {CUPS_CSPACE_K, 8, false, std::nullopt},
  };
  for (const Row &row : rows) {
    cups_page_header2_t header{};
    header.cupsColorSpace = row.space;
    header.cupsBitsPerPixel = row.bits;
    EXPECT_EQ(LineFormatOf(header, row.prepared), row.format) << row.space << "/" << row.bits;
  }
}

}  // namespace
}  // namespace ravo::app
