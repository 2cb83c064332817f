// ReadGreyImage must hand over exactly the grey the rasterizer dithers:
// dithering its pixels gives the rasterizer's raster for every kind of
// image, so a caller that scales first still prints as the libraries do.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <memory>

#include "image/dither.h"
#include "image/grey_image.h"
#include "image/rasterizer.h"
#include "image_files.h"

namespace prt::test {
namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};

int32_t ReadGrey(const std::string &path, GreyImage &image, uint64_t maxPixels = 1u << 24) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  return ReadGreyImage(file.get(), maxPixels, image);
}

std::vector<uint8_t> Dithered(const GreyImage &image) {
  std::vector<uint8_t> raster(RasterRowBytes(image.width) * image.height);
  FloydSteinberg diffusion(image.width);
  for (uint32_t y = 0; y < image.height; ++y) {
    diffusion.Row(image.pixels.data() + y * image.width,
                  raster.data() + y * RasterRowBytes(image.width));
  }
  return raster;
}

std::vector<uint8_t> Rasterized(const std::string &path, const GreyImage &image) {
  std::vector<uint8_t> raster(RasterRowBytes(image.width) * image.height);
  EXPECT_EQ(RasterizeImageFile(path, raster), 0) << path;
  return raster;
}

TEST(GreyImage, DitheredGivesTheRasterizersRasterForEveryKindOfImage) {
  TempDir dir;
  const RgbImage photo = RgbImage::Random(37, 23, 7);
  WriteRgbPng(dir.Path("rgb.png"), photo);
  WriteJpeg(dir.Path("photo.jpg"), photo, 90);
  PngContent grey{19, 5, PNG_COLOR_TYPE_GRAY, 8};
  for (uint32_t y = 0; y < grey.height; ++y) {
    std::vector<uint8_t> row;
    for (uint32_t x = 0; x < grey.width; ++x) row.push_back(static_cast<uint8_t>(x * 13 + y * 50));
    grey.rows.push_back(row);
  }
  WritePng(dir.Path("grey.png"), grey);
  PngContent oneBit{12, 2, PNG_COLOR_TYPE_PALETTE, 1};
  oneBit.rows = {{0xA5, 0x3F}, {0x0F, 0xF0}};
  oneBit.palette = {Rgb{255, 255, 255}, Rgb{0, 0, 0}};
  WritePng(dir.Path("one-dark.png"), oneBit);
  oneBit.palette = {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
  WritePng(dir.Path("one-light.png"), oneBit);
  for (const char *name : {"rgb.png", "photo.jpg", "grey.png", "one-dark.png", "one-light.png"}) {
    GreyImage image;
    ASSERT_EQ(ReadGrey(dir.Path(name), image), 0) << name;
    EXPECT_EQ(Dithered(image), Rasterized(dir.Path(name), image)) << name;
  }
}

TEST(GreyImage, RefusesTooManyPixelsAndWhatIsNoImage) {
  TempDir dir;
  WriteRgbPng(dir.Path("big.png"), RgbImage::Uniform(40, 30, Rgb{9, 9, 9}));
  WriteBytes(dir.Path("text.txt"), {'S', 'I', 'Z', 'E', ' ', '4'});
  GreyImage image;
  EXPECT_EQ(ReadGrey(dir.Path("big.png"), image, 40 * 30 - 1), PRT_ERR_IMAGE_SIZE);
  EXPECT_TRUE(image.pixels.empty());  // refused before anything was allocated
  EXPECT_EQ(ReadGrey(dir.Path("big.png"), image, 40 * 30), 0);
  EXPECT_EQ(ReadGrey(dir.Path("text.txt"), image), PRT_ERR_IMAGE_LOAD);
}

}  // namespace
}  // namespace prt::test
