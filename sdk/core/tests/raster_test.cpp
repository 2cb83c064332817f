// The rasterizer against a straightforward full-image implementation, its
// one-bit copy rules and its results for files that are not images.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "image/grey.h"
#include "image/raster_stream.h"
#include "image/rasterizer.h"
#include "image_files.h"

namespace prt::test {
namespace {

std::vector<uint8_t> Rasterize(const std::string &path, int32_t &result,
                               Threading threading = Threading::kAuto) {
  uint32_t width = 0, height = 0;
  result = ReadImageSize(path, width, height);
  if (result != 0) return {};
  std::vector<uint8_t> raster(RasterRowBytes(width) * height, 0);
  std::FILE *file = std::fopen(path.c_str(), "rb");
  result = RasterizeFrom(file, raster, threading);
  std::fclose(file);
  return raster;
}

int CountDark(const std::vector<uint8_t> &raster) {
  int count = 0;
  for (uint8_t byte : raster) count += __builtin_popcount(byte);
  return count;
}

TEST(GreyConversion, MatchesTheFormulaOnEveryColour) {
  std::vector<uint8_t> rgb(256 * 3), grey(256);
  for (int red = 0; red < 256; ++red) {
    for (int green = 0; green < 256; ++green) {
      for (int blue = 0; blue < 256; ++blue) {
        rgb[3 * blue] = static_cast<uint8_t>(red);
        rgb[3 * blue + 1] = static_cast<uint8_t>(green);
        rgb[3 * blue + 2] = static_cast<uint8_t>(blue);
      }
      RgbRowToGrey(rgb.data(), 256, grey.data());
      for (int blue = 0; blue < 256; ++blue) {
        double value = red * 0.29891 + green * 0.58661 + blue * 0.11448;
        ASSERT_EQ(grey[blue], static_cast<int32_t>(value) & 0xFF)
            << red << "," << green << "," << blue;
      }
    }
  }
  std::vector<uint8_t> levels(256), greyOfLevels(256);
  for (int v = 0; v < 256; ++v) levels[v] = static_cast<uint8_t>(v);
  GreyRowToGrey(levels.data(), 256, greyOfLevels.data());
  for (int v = 0; v < 256; ++v) EXPECT_EQ(greyOfLevels[v], GreyOf(levels[v], levels[v], levels[v]));
}

// Every threading mode and a lossless format each must agree bit for bit
// with the reference on random colours.
TEST(Dithering, RandomImagesMatchTheReference) {
  TempDir dir;
  const struct {
    uint32_t width, height;
  } sizes[] = {{1, 1}, {9, 5}, {37, 23}, {64, 3}, {700, 400}};
  for (const auto &size : sizes) {
    RgbImage image = RgbImage::Random(size.width, size.height, size.width * 31 + size.height);
    std::vector<uint8_t> expected = ReferenceRaster(image);
    std::string png = dir.Path("random.png"), bmp = dir.Path("random.bmp");
    WriteRgbPng(png, image);
    WriteBytes(bmp, EncodeBmp(BmpContent{
                        .width = size.width, .height = size.height, .pixels = image.rgb}));
    for (const std::string &path : {png, bmp}) {
      for (Threading threading : {Threading::kNever, Threading::kAlways, Threading::kAuto}) {
        int32_t result = -1;
        std::vector<uint8_t> raster = Rasterize(path, result, threading);
        ASSERT_EQ(result, 0) << path;
        EXPECT_EQ(raster, expected) << path << " " << size.width << "x" << size.height << " mode "
                                    << static_cast<int>(threading);
      }
    }
  }
}

TEST(Dithering, UniformImages) {
  TempDir dir;
  const struct {
    Rgb colour;
    uint32_t width, height;
    int expectedDark;  // -1: only compare with the reference
  } cases[] = {
      {{0, 0, 0}, 16, 4, 16 * 4},   {{255, 255, 255}, 16, 4, 0},
      {{0, 0, 0}, 9, 4, 9 * 4},     {{128, 128, 128}, 1, 1, 1},  // the tie is dark
      {{129, 129, 129}, 1, 1, 0},   {{128, 128, 128}, 9, 4, -1},
      {{129, 129, 129}, 16, 4, -1}, {{200, 10, 90}, 13, 4, -1},
  };
  for (const auto &c : cases) {
    RgbImage image = RgbImage::Uniform(c.width, c.height, c.colour);
    std::string path = dir.Path("uniform.png");
    WriteRgbPng(path, image);
    int32_t result = -1;
    std::vector<uint8_t> raster = Rasterize(path, result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(raster, ReferenceRaster(image));
    if (c.expectedDark >= 0) {
      EXPECT_EQ(CountDark(raster), c.expectedDark);
    }
    size_t rowBytes = RasterRowBytes(c.width);
    uint8_t padding = static_cast<uint8_t>(0xFF >> (c.width % 8 == 0 ? 8 : c.width % 8));
    for (uint32_t y = 0; y < c.height; ++y)
      EXPECT_EQ(raster[y * rowBytes + rowBytes - 1] & padding, 0);
  }
  // Grey 128 starts dark, and its error of +128 makes the next pixel light;
  // 129 starts light and stays mostly light.
  const struct {
    uint8_t level;
    int minDark, maxDark;
  } fields[] = {{128, 32 * 32 / 2 - 32, 32 * 32 / 2 + 32}, {129, 1, 32 * 32 / 2 - 1}};
  for (const auto &f : fields) {
    WriteRgbPng(dir.Path("field.png"), RgbImage::Uniform(32, 32, Rgb{f.level, f.level, f.level}));
    int32_t result = -1;
    std::vector<uint8_t> raster = Rasterize(dir.Path("field.png"), result);
    EXPECT_EQ(bool(raster[0] & 0x80), f.level == 128);  // first pixel: no error yet
    EXPECT_GE(CountDark(raster), f.minDark) << int(f.level);
    EXPECT_LE(CountDark(raster), f.maxDark) << int(f.level);
  }
}

// One-bit images: 3 rows of a width-12 pattern whose padding bits are set
// in the file, so the copy must clear them.
struct OneBitCase {
  const char *name;
  Rgb entry0, entry1;
  bool inverted;
};

class OneBitCopy : public ::testing::TestWithParam<OneBitCase> {};

const uint8_t kOneBitRows[3][2] = {{0xA5, 0x3F}, {0xFF, 0xFF}, {0x00, 0x0F}};

std::vector<uint8_t> ExpectedOneBit(bool inverted) {
  std::vector<uint8_t> expected;
  for (const auto &row : kOneBitRows) {
    expected.push_back(inverted ? ~row[0] & 0xFF : row[0]);
    expected.push_back((inverted ? ~row[1] : row[1]) & 0xF0);
  }
  return expected;
}

TEST_P(OneBitCopy, PngPalette) {
  TempDir dir;
  PngContent content{12, 3, PNG_COLOR_TYPE_PALETTE, 1};
  content.palette = {GetParam().entry0, GetParam().entry1};
  for (const auto &row : kOneBitRows) content.rows.push_back({row[0], row[1]});
  WritePng(dir.Path("one.png"), content);
  int32_t result = -1;
  EXPECT_EQ(Rasterize(dir.Path("one.png"), result), ExpectedOneBit(GetParam().inverted));
  EXPECT_EQ(result, 0);
}

TEST_P(OneBitCopy, BmpPalette) {
  TempDir dir;
  BmpContent content{.width = 12, .height = 3, .bitCount = 1, .padByte = 0xFF};
  content.palette = {GetParam().entry0, GetParam().entry1};
  for (const auto &row : kOneBitRows) {
    for (int x = 0; x < 12; ++x) content.pixels.push_back((row[x / 8] >> (7 - x % 8)) & 1);
  }
  WriteBytes(dir.Path("one.bmp"), EncodeBmp(content));
  int32_t result = -1;
  EXPECT_EQ(Rasterize(dir.Path("one.bmp"), result), ExpectedOneBit(GetParam().inverted));
  EXPECT_EQ(result, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, OneBitCopy,
    ::testing::Values(OneBitCase{"BlackWhite", {0, 0, 0}, {255, 255, 255}, true},
                      OneBitCase{"WhiteBlack", {255, 255, 255}, {0, 0, 0}, false},
                      OneBitCase{"PureBlueIsTakenForWhite", {0, 0, 0}, {0, 0, 255}, true},
                      OneBitCase{"YellowIsNotWhite", {0, 0, 0}, {255, 255, 0}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OneBitCopyGrey, OneBitGreyPngCountsAsBlackAndWhite) {
  TempDir dir;
  PngContent content{12, 3, PNG_COLOR_TYPE_GRAY, 1};
  for (const auto &row : kOneBitRows) content.rows.push_back({row[0], row[1]});
  WritePng(dir.Path("grey1.png"), content);
  int32_t result = -1;
  EXPECT_EQ(Rasterize(dir.Path("grey1.png"), result), ExpectedOneBit(true));
}

TEST(OneBitCopyGrey, WholeBytesAreCopiedByteForByte) {
  TempDir dir;
  BmpContent content{.width = 16, .height = 2, .bitCount = 1, .topDown = true};
  content.palette = {{255, 255, 255}, {0, 0, 0}};
  for (int i = 0; i < 32; ++i) content.pixels.push_back(static_cast<uint8_t>((i * 7) % 3 == 0));
  WriteBytes(dir.Path("w16.bmp"), EncodeBmp(content));
  int32_t result = -1;
  std::vector<uint8_t> raster = Rasterize(dir.Path("w16.bmp"), result);
  std::vector<uint8_t> bytes = ReadBytes(dir.Path("w16.bmp"));
  // Rows sit at the end of the file, 4 bytes apart (two of them padding).
  size_t data = bytes.size() - 8;
  EXPECT_EQ(raster,
            (std::vector<uint8_t>{bytes[data], bytes[data + 1], bytes[data + 4], bytes[data + 5]}));
}

TEST(RasterizerResults, FilesThatAreNotImages) {
  TempDir dir;
  WriteBytes(dir.Path("empty.png"), {});
  WriteBytes(dir.Path("text.png"), {'h', 'e', 'l', 'l', 'o', '\n'});
  WriteBytes(dir.Path("badbmp.bmp"), {'B', 'M', 1, 2, 3});
  std::vector<uint8_t> png;
  WriteRgbPng(dir.Path("good.png"), RgbImage::Random(40, 40, 7));
  png = ReadBytes(dir.Path("good.png"));
  png.resize(png.size() / 2);
  WriteBytes(dir.Path("cut.png"), png);
  const struct {
    std::string path;
    int32_t sizeResult, rasterResult;
  } cases[] = {
      {dir.Path("missing.png"), ENOENT, ENOENT},
      {dir.Path(""), EISDIR, EISDIR},
      {dir.Path("empty.png"), -21, -21},
      {dir.Path("text.png"), -21, -21},
      {dir.Path("badbmp.bmp"), -21, -21},
      // The header is intact, so only the full decode finds the damage.
      {dir.Path("cut.png"), 0, -21},
  };
  for (const auto &c : cases) {
    uint32_t width = 77, height = 88;
    EXPECT_EQ(ReadImageSize(c.path, width, height), c.sizeResult) << c.path;
    std::vector<uint8_t> raster(40 * 5, 0);
    EXPECT_EQ(RasterizeImageFile(c.path, raster), c.rasterResult) << c.path;
    if (c.sizeResult != 0) {
      EXPECT_EQ(width * 1000 + height, 77088u) << "outputs kept";
    }
  }
}

TEST(RasterizerResults, UnreadableFileGivesErrno) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  WriteRgbPng(dir.Path("locked.png"), RgbImage::Random(4, 4, 1));
  chmod(dir.Path("locked.png").c_str(), 0);
  uint32_t width = 0, height = 0;
  EXPECT_EQ(ReadImageSize(dir.Path("locked.png"), width, height), EACCES);
}

TEST(RasterizerResults, SmallRasterIsRefusedUntouched) {
  TempDir dir;
  WriteRgbPng(dir.Path("img.jpg"), RgbImage::Uniform(9, 3, Rgb{}));  // PNG bytes, JPEG name
  uint32_t width = 0, height = 0;
  ASSERT_EQ(ReadImageSize(dir.Path("img.jpg"), width, height), 0);
  EXPECT_EQ(width, 9u);
  EXPECT_EQ(height, 3u);
  std::vector<uint8_t> small(5, 0x5A);
  EXPECT_EQ(RasterizeImageFile(dir.Path("img.jpg"), small), -25);
  EXPECT_EQ(small, std::vector<uint8_t>(5, 0x5A));
  std::vector<uint8_t> exact(6, 0);
  EXPECT_EQ(RasterizeImageFile(dir.Path("img.jpg"), exact), 0);
  EXPECT_EQ(exact, (std::vector<uint8_t>{0xFF, 0x80, 0xFF, 0x80, 0xFF, 0x80}));
}

// A broken body found by the decoding thread must come back as a failure.
TEST(RasterizerResults, DamageFoundByTheHelperThread) {
  TempDir dir;
  RgbImage image = RgbImage::Random(600, 600, 3);
  WriteRgbPng(dir.Path("big.png"), image);
  std::vector<uint8_t> bytes = ReadBytes(dir.Path("big.png"));
  bytes.resize(bytes.size() * 3 / 4);
  WriteBytes(dir.Path("big-cut.png"), bytes);
  for (Threading threading : {Threading::kNever, Threading::kAlways}) {
    int32_t result = 0;
    Rasterize(dir.Path("big-cut.png"), result, threading);
    EXPECT_EQ(result, -21);
  }
}

}  // namespace
}  // namespace prt::test
