// Each decoder delivers the pixels that were written, top row first.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "image_files.h"

namespace prt::test {
namespace {

std::vector<uint8_t> Indices(uint32_t width, uint32_t height, int colours) {
  std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < indices.size(); ++i)
    indices[i] = static_cast<uint8_t>((i * 5 + i / width) % colours);
  return indices;
}

std::vector<Rgb> Palette(int colours) {
  std::vector<Rgb> palette;
  for (int i = 0; i < colours; ++i) {
    palette.push_back(Rgb{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11),
                          static_cast<uint8_t>(i * 101)});
  }
  return palette;
}

std::vector<uint8_t> ThroughPalette(const std::vector<uint8_t> &indices,
                                    const std::vector<Rgb> &palette) {
  std::vector<uint8_t> rgb;
  for (uint8_t i : indices)
    rgb.insert(rgb.end(), {palette[i].red, palette[i].green, palette[i].blue});
  return rgb;
}

// 16-bit pixels keep 5 or 6 bits of each channel.
std::vector<uint8_t> Quantized(const std::vector<uint8_t> &rgb, const std::vector<int> &bits) {
  std::vector<uint8_t> out(rgb.size());
  for (size_t i = 0; i < rgb.size(); ++i) {
    uint32_t max = (1u << bits[i % 3]) - 1;
    uint32_t level = (rgb[i] * max + 127) / 255;
    out[i] = static_cast<uint8_t>((level * 255 + max / 2) / max);
  }
  return out;
}

struct Size {
  uint32_t width, height;
};
const Size kSizes[] = {{1, 1}, {7, 3}, {13, 6}};

TEST(BmpDecoder, EveryDepthAndOrientation) {
  TempDir dir;
  for (Size size : kSizes) {
    RgbImage image = RgbImage::Random(size.width, size.height, size.width);
    for (bool topDown : {false, true}) {
      for (uint16_t bits : {4, 8}) {
        BmpContent content{
            .width = size.width, .height = size.height, .bitCount = bits, .topDown = topDown};
        content.palette = Palette(bits == 4 ? 16 : 200);
        content.pixels = Indices(size.width, size.height, static_cast<int>(content.palette.size()));
        WriteBytes(dir.Path("p.bmp"), EncodeBmp(content));
        ImageHeader header;
        EXPECT_EQ(DecodeAll(dir.Path("p.bmp"), header),
                  ThroughPalette(content.pixels, content.palette))
            << bits << " bits, top-down " << topDown;
        EXPECT_EQ(header.format, RowFormat::kRgb);
      }
      const struct {
        uint16_t bits;
        std::vector<uint32_t> masks;
        std::vector<int> kept;
      } direct[] = {
          {24, {}, {8, 8, 8}},
          {32, {}, {8, 8, 8}},
          {16, {}, {5, 5, 5}},
          {16, {0xF800, 0x07E0, 0x001F}, {5, 6, 5}},
          {32, {0xFF000000, 0x00FF0000, 0x0000FF00}, {8, 8, 8}},
      };
      for (const auto &d : direct) {
        BmpContent content{
            .width = size.width, .height = size.height, .bitCount = d.bits, .topDown = topDown};
        content.masks = d.masks;
        content.pixels = image.rgb;
        WriteBytes(dir.Path("d.bmp"), EncodeBmp(content));
        ImageHeader header;
        EXPECT_EQ(DecodeAll(dir.Path("d.bmp"), header), Quantized(image.rgb, d.kept))
            << d.bits << " bits, masks " << d.masks.size() << ", top-down " << topDown;
        EXPECT_EQ(header.width, size.width);
        EXPECT_EQ(header.height, size.height);
      }
    }
  }
}

TEST(BmpDecoder, CoreHeaderAndShortPalette) {
  TempDir dir;
  BmpContent core{.width = 5, .height = 4, .bitCount = 8, .coreHeader = true};
  core.palette = Palette(256);
  core.pixels = Indices(5, 4, 256);
  WriteBytes(dir.Path("core.bmp"), EncodeBmp(core));
  ImageHeader header;
  EXPECT_EQ(DecodeAll(dir.Path("core.bmp"), header), ThroughPalette(core.pixels, core.palette));

  // Indices past a short colour table read as black.
  BmpContent shortTable{.width = 4, .height = 1, .bitCount = 8};
  shortTable.palette = {Rgb{1, 2, 3}};
  shortTable.pixels = {0, 9, 0, 200};
  WriteBytes(dir.Path("short.bmp"), EncodeBmp(shortTable));
  EXPECT_EQ(DecodeAll(dir.Path("short.bmp"), header),
            (std::vector<uint8_t>{1, 2, 3, 0, 0, 0, 1, 2, 3, 0, 0, 0}));
}

// The headers of an ordinary palette bitmap with RLE8 or RLE4 compression
// set and `stream` as its data.
std::vector<uint8_t> RleBmp(uint32_t width, uint32_t height, uint16_t bits,
                            const std::vector<uint8_t> &stream, bool topDown = false) {
  BmpContent content{.width = width, .height = height, .bitCount = bits, .topDown = topDown};
  content.palette = Palette(1 << bits);
  content.pixels.assign(static_cast<size_t>(width) * height, 0);
  std::vector<uint8_t> bytes = EncodeBmp(content);
  bytes.resize(bytes[10] | bytes[11] << 8);  // up to the pixel data
  bytes[30] = bits == 8 ? 1 : 2;
  bytes.insert(bytes.end(), stream.begin(), stream.end());
  return bytes;
}

// Palette colours of `indices`; -1 is a pixel the stream skipped (white).
std::vector<uint8_t> RleColours(const std::vector<int> &indices, const std::vector<Rgb> &palette) {
  std::vector<uint8_t> rgb;
  for (int i : indices) {
    const Rgb c = i < 0 ? Rgb{255, 255, 255} : palette[i];
    rgb.insert(rgb.end(), {c.red, c.green, c.blue});
  }
  return rgb;
}

TEST(BmpDecoder, RunLengthEncodedRows) {
  TempDir dir;
  ImageHeader header;
  // RLE8, 5 x 4, stream from the bottom row: a run, an absolute run (odd,
  // padded) that overflows the width, a delta along the row, a delta two
  // rows up that enters part-way along, an early end of bitmap.
  // clang-format off
  const std::vector<uint8_t> rle8 = {
      3, 1, 0, 3, 2, 3, 1, 0, 0, 0,  // bottom: 1 1 1 2 3 (the last 1 is clipped)
      1, 3, 0, 2, 1, 0, 2, 2,        // next: 3 - 2 2
      0, 2, 0, 2,                    // two rows up, same column (4)
      1, 1, 0, 1};                   // top: 1 in column 4, end of bitmap
  const std::vector<int> top8 = {
      -1, -1, -1, -1, 1,
      -1, -1, -1, -1, -1,
      3, -1, 2, 2, -1,
      1, 1, 1, 2, 3};
  // clang-format on
  WriteBytes(dir.Path("rle8.bmp"), RleBmp(5, 4, 8, rle8));
  EXPECT_EQ(DecodeAll(dir.Path("rle8.bmp"), header), RleColours(top8, Palette(256)));
  EXPECT_EQ(header.width, 5u);
  EXPECT_EQ(header.height, 4u);

  // RLE4: a run alternates its two nibbles; an absolute run of 5 nibbles
  // takes 3 bytes and a pad byte.
  const std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 5, 0x31, 0x23, 0x10, 0x00, 0, 1};
  WriteBytes(dir.Path("rle4.bmp"), RleBmp(5, 2, 4, rle4));
  EXPECT_EQ(DecodeAll(dir.Path("rle4.bmp"), header),
            RleColours({3, 1, 2, 3, 1, 1, 2, 1, 2, 1}, Palette(16)));

  // A stream that stops without an end mark leaves the rest blank.
  WriteBytes(dir.Path("open.bmp"), RleBmp(3, 2, 8, {2, 7}));
  EXPECT_EQ(DecodeAll(dir.Path("open.bmp"), header),
            RleColours({-1, -1, -1, 7, 7, -1}, Palette(256)));

  const struct {
    const char *what;
    std::vector<uint8_t> bytes;
  } broken[] = {
      {"command cut off", RleBmp(4, 2, 8, {2, 1, 0})},
      {"absolute run cut off", RleBmp(4, 2, 8, {0, 4, 1, 2})},
      {"delta cut off", RleBmp(4, 2, 8, {0, 2, 1})},
      {"top-down", RleBmp(4, 2, 8, {2, 1, 0, 1}, true)},
      {"wider than 65535", RleBmp(65536, 1, 8, {0, 1})},
      {"RLE4 on an 8-bit image",
       [] {
         auto bytes = RleBmp(4, 2, 8, {2, 1, 0, 1});
         bytes[30] = 2;
         return bytes;
       }()},
  };
  for (const auto &b : broken) {
    WriteBytes(dir.Path("bad.bmp"), b.bytes);
    EXPECT_TRUE(DecodeAll(dir.Path("bad.bmp"), header).empty()) << b.what;
  }
}

TEST(BmpDecoder, BrokenHeadersAreRefused) {
  TempDir dir;
  BmpContent content{
      .width = 8, .height = 8, .bitCount = 24, .pixels = RgbImage::Random(8, 8, 1).rgb};
  std::vector<uint8_t> good = EncodeBmp(content);
  const struct {
    const char *what;
    size_t offset;
    uint8_t value;
  } damage[] = {
      {"bit count 7", 28, 7},     {"RLE compression", 30, 1},     {"width 0", 18, 0},
      {"header size 20", 14, 20}, {"height too large", 25, 0x10},
  };
  for (const auto &d : damage) {
    std::vector<uint8_t> bytes = good;
    if (std::string(d.what) == "width 0") bytes[19] = bytes[20] = bytes[21] = 0;
    bytes[d.offset] = d.value;
    WriteBytes(dir.Path("bad.bmp"), bytes);
    ImageHeader header;
    EXPECT_TRUE(DecodeAll(dir.Path("bad.bmp"), header).empty()) << d.what;
  }
  // An empty image is refused as a size, not as a broken file.
  BmpContent emptyCore{.width = 0, .height = 2, .bitCount = 24, .coreHeader = true};
  WriteBytes(dir.Path("empty.bmp"), EncodeBmp(emptyCore));
  std::FILE *file = std::fopen(dir.Path("empty.bmp").c_str(), "rb");
  int32_t result = 0;
  EXPECT_EQ(OpenImageDecoder(file, result), nullptr);
  EXPECT_EQ(result, PRT_ERR_IMAGE_SIZE);
  std::fclose(file);

  good.resize(good.size() - 1);  // last row incomplete
  WriteBytes(dir.Path("cut.bmp"), good);
  ImageHeader header;
  EXPECT_TRUE(DecodeAll(dir.Path("cut.bmp"), header).empty());
}

TEST(PngDecoder, ColourTypesAndDepths) {
  TempDir dir;
  for (Size size : kSizes) {
    RgbImage image = RgbImage::Random(size.width, size.height, size.height);
    for (bool interlaced : {false, true}) {
      std::vector<uint8_t> indices = Indices(size.width, size.height, 16);
      std::vector<Rgb> palette = Palette(16);
      // Palette with transparency: alpha is dropped, the colours stay.
      PngContent pal{size.width, size.height, PNG_COLOR_TYPE_PALETTE, 4,
                     interlaced, palette,     {0, 128, 255}};
      PngContent rgba{size.width, size.height, PNG_COLOR_TYPE_RGB_ALPHA, 8, interlaced};
      PngContent rgb16{size.width, size.height, PNG_COLOR_TYPE_RGB, 16, interlaced};
      PngContent grey2{size.width, size.height, PNG_COLOR_TYPE_GRAY, 2, interlaced};
      PngContent greyAlpha{size.width, size.height, PNG_COLOR_TYPE_GRAY_ALPHA, 8, interlaced};
      std::vector<uint8_t> rgbExpected, greyExpected, grey2Expected;
      for (uint32_t y = 0; y < size.height; ++y) {
        std::vector<uint8_t> palRow((size.width + 1) / 2), rgbaRow, rgb16Row,
            grey2Row((size.width + 3) / 4), greyAlphaRow;
        for (uint32_t x = 0; x < size.width; ++x) {
          uint8_t index = indices[y * size.width + x];
          palRow[x / 2] |= static_cast<uint8_t>(index << (x % 2 == 0 ? 4 : 0));
          Rgb c = image.At(x, y);
          rgbaRow.insert(rgbaRow.end(), {c.red, c.green, c.blue, static_cast<uint8_t>(x * 40)});
          rgb16Row.insert(rgb16Row.end(), {c.red, c.green, c.green, c.blue, c.blue, c.red});
          rgbExpected.insert(rgbExpected.end(), {c.red, c.green, c.blue});
          grey2Row[x / 4] |= static_cast<uint8_t>((c.red >> 6) << (6 - 2 * (x % 4)));
          grey2Expected.push_back(static_cast<uint8_t>((c.red >> 6) * 0x55));
          greyAlphaRow.insert(greyAlphaRow.end(), {c.green, c.blue});
          greyExpected.push_back(c.green);
        }
        pal.rows.push_back(palRow);
        rgba.rows.push_back(rgbaRow);
        rgb16.rows.push_back(rgb16Row);
        grey2.rows.push_back(grey2Row);
        greyAlpha.rows.push_back(greyAlphaRow);
      }
      const struct {
        const char *name;
        const PngContent &content;
        RowFormat format;
        std::vector<uint8_t> expected;
      } cases[] = {
          {"palette", pal, RowFormat::kRgb, ThroughPalette(indices, palette)},
          {"rgba", rgba, RowFormat::kRgb, rgbExpected},
          {"rgb16", rgb16, RowFormat::kRgb, rgbExpected},
          {"grey2", grey2, RowFormat::kGrey, grey2Expected},
          {"grey+alpha", greyAlpha, RowFormat::kGrey, greyExpected},
      };
      for (const auto &c : cases) {
        WritePng(dir.Path("t.png"), c.content);
        ImageHeader header;
        EXPECT_EQ(DecodeAll(dir.Path("t.png"), header), c.expected)
            << c.name << " " << size.width << "x" << size.height << " interlaced " << interlaced;
        EXPECT_EQ(header.format, c.format) << c.name;
      }
    }
  }
}

TEST(GifDecoder, FramesOnTheScreen) {
  TempDir dir;
  std::vector<Rgb> palette = Palette(256);
  for (Size size : kSizes) {
    for (bool interlaced : {false, true}) {
      GifContent full{size.width, size.height, 0,
                      0,          size.width,  size.height,
                      interlaced, palette,     Indices(size.width, size.height, 256)};
      WriteGif(dir.Path("full.gif"), full);
      ImageHeader header;
      EXPECT_EQ(DecodeAll(dir.Path("full.gif"), header), ThroughPalette(full.indices, palette))
          << size.width << "x" << size.height << " interlaced " << interlaced;
    }
  }
  // A 2x2 frame at (1, 1) on a 4x3 screen: white around it.
  GifContent framed{4, 3, 1, 1, 2, 2, false, palette, {1, 2, 3, 4}};
  WriteGif(dir.Path("framed.gif"), framed);
  std::vector<uint8_t> expected(4 * 3 * 3, 255);
  for (uint32_t i = 0; i < 4; ++i) {
    uint32_t x = 1 + i % 2, y = 1 + i / 2;
    Rgb c = palette[i + 1];
    size_t at = (y * 4 + x) * 3;
    expected[at] = c.red;
    expected[at + 1] = c.green;
    expected[at + 2] = c.blue;
  }
  ImageHeader header;
  EXPECT_EQ(DecodeAll(dir.Path("framed.gif"), header), expected);
  EXPECT_EQ(header.width, 4u);
  EXPECT_EQ(header.height, 3u);
}

// JPEG is lossy: a smooth image must come back close, top row first.
TEST(JpegDecoder, SmoothImagesComeBackClose) {
  TempDir dir;
  for (Size size : kSizes) {
    RgbImage image{size.width, size.height, {}};
    for (uint32_t y = 0; y < size.height; ++y) {
      for (uint32_t x = 0; x < size.width; ++x) {
        image.rgb.insert(image.rgb.end(),
                         {static_cast<uint8_t>(40 + 6 * y), static_cast<uint8_t>(100 + 5 * x),
                          static_cast<uint8_t>(200 - 3 * y)});
      }
    }
    WriteJpeg(dir.Path("t.jpg"), image, 100);
    ImageHeader header;
    std::vector<uint8_t> decoded = DecodeAll(dir.Path("t.jpg"), header);
    ASSERT_EQ(decoded.size(), image.rgb.size()) << size.width << "x" << size.height;
    EXPECT_EQ(header.format, RowFormat::kRgb);
    for (size_t i = 0; i < decoded.size(); ++i) {
      EXPECT_LE(std::abs(decoded[i] - image.rgb[i]), 6) << "byte " << i;
    }
  }
  std::vector<uint8_t> bytes = ReadBytes(dir.Path("t.jpg"));
  bytes.resize(bytes.size() / 3);
  WriteBytes(dir.Path("cut.jpg"), bytes);
  ImageHeader header;
  EXPECT_TRUE(DecodeAll(dir.Path("cut.jpg"), header).empty());
}

TEST(JpegDecoder, CmykBecomesRgb) {
  TempDir dir;
  const struct {
    uint8_t cmyk[4];
    Rgb rgb;
  } cases[] = {
      {{255, 128, 0, 255}, {255, 128, 0}},
      {{255, 255, 255, 128}, {128, 128, 128}},
      {{0, 0, 0, 0}, {0, 0, 0}},
  };
  for (const auto &c : cases) {
    WriteCmykJpeg(dir.Path("cmyk.jpg"), 16, 8, c.cmyk);
    ImageHeader header;
    std::vector<uint8_t> decoded = DecodeAll(dir.Path("cmyk.jpg"), header);
    ASSERT_EQ(decoded.size(), 16u * 8 * 3);
    EXPECT_EQ(header.format, RowFormat::kRgb);
    const uint8_t expected[3] = {c.rgb.red, c.rgb.green, c.rgb.blue};
    for (size_t i = 0; i < decoded.size(); ++i) {
      EXPECT_LE(std::abs(decoded[i] - expected[i % 3]), 3) << "byte " << i;
    }
  }
}

}  // namespace
}  // namespace prt::test
