#include "image_files.h"

#include <gif_lib.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>

// jpeglib.h needs FILE declared first.
#include <jpeglib.h>

namespace prt::test {

Rgb RgbImage::At(uint32_t x, uint32_t y) const {
  const uint8_t *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return Rgb{p[0], p[1], p[2]};
}

RgbImage RgbImage::Uniform(uint32_t width, uint32_t height, Rgb colour) {
  RgbImage image{width, height, {}};
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    image.rgb.insert(image.rgb.end(), {colour.red, colour.green, colour.blue});
  }
  return image;
}

RgbImage RgbImage::Random(uint32_t width, uint32_t height, uint32_t seed) {
  RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  std::mt19937 random(seed);
  for (auto &byte : image.rgb) byte = static_cast<uint8_t>(random());
  return image;
}

std::vector<uint8_t> ReferenceRaster(const RgbImage &image) {
  const uint32_t w = image.width, h = image.height;
  std::vector<int32_t> grey(static_cast<size_t>(w) * h);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      Rgb c = image.At(x, y);
      double value = c.red * 0.29891 + c.green * 0.58661 + c.blue * 0.11448;
      grey[y * w + x] = static_cast<int32_t>(value) & 0xFF;
    }
  }
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      size_t i = static_cast<size_t>(y) * w + x;
      int32_t v = grey[i];
      float e = 0;
      if (v <= 128) {
        grey[i] = 0;
        e = static_cast<float>(v);
      } else {
        grey[i] = 255;
        e = static_cast<float>(v - 255);
      }
      if (x < w - 1) grey[i + 1] += static_cast<int32_t>(e * 0.4375f);
      if (y < h - 1) {
        if (x > 0) grey[i + w - 1] += static_cast<int32_t>(e * 0.1875f);
        grey[i + w] += static_cast<int32_t>(e * 0.3125f);
        if (x < w - 1) grey[i + w + 1] += static_cast<int32_t>(e * 0.0625f);
      }
    }
  }
  size_t rowBytes = (w + 7) / 8;
  std::vector<uint8_t> raster(rowBytes * h, 0);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      if (grey[static_cast<size_t>(y) * w + x] <= 128)
        raster[y * rowBytes + x / 8] |= 0x80 >> (x % 8);
    }
  }
  return raster;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "raster-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

namespace {

void Put16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t> &out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Packs v into the mask's bits, scaling 0..255 to the mask's range.
uint32_t ToMask(uint8_t v, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = __builtin_ctz(mask);
  uint32_t max = mask >> shift;
  return ((v * max + 127) / 255) << shift;
}

void EncodeBmpRow(const BmpContent &content, uint32_t y, std::vector<uint8_t> &row) {
  for (uint32_t x = 0; x < content.width; ++x) {
    size_t i = static_cast<size_t>(y) * content.width + x;
    if (content.bitCount <= 8) {
      uint32_t bitPos = x * content.bitCount;
      uint32_t shift = 8 - content.bitCount - bitPos % 8;
      uint8_t &byte = row[bitPos / 8];
      uint8_t field = static_cast<uint8_t>(((1u << content.bitCount) - 1) << shift);
      byte = static_cast<uint8_t>((byte & ~field) | (content.pixels[i] << shift));
      continue;
    }
    const uint8_t *c = &content.pixels[i * 3];
    if (content.bitCount == 24) {
      row[3 * x] = c[2];
      row[3 * x + 1] = c[1];
      row[3 * x + 2] = c[0];
      continue;
    }
    std::vector<uint32_t> masks = content.masks;
    if (masks.empty()) {
      masks = content.bitCount == 16 ? std::vector<uint32_t>{0x7C00, 0x03E0, 0x001F}
                                     : std::vector<uint32_t>{0xFF0000, 0xFF00, 0xFF};
    }
    uint32_t v = ToMask(c[0], masks[0]) | ToMask(c[1], masks[1]) | ToMask(c[2], masks[2]);
    for (int b = 0; b < content.bitCount / 8; ++b)
      row[x * (content.bitCount / 8) + b] = static_cast<uint8_t>(v >> (8 * b));
  }
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const BmpContent &content) {
  uint32_t infoSize = content.coreHeader ? 12 : 40;
  uint32_t entrySize = content.coreHeader ? 3 : 4;
  uint32_t maskBytes = content.masks.empty() ? 0 : 12;
  uint32_t stride = (content.width * content.bitCount + 31) / 32 * 4;
  uint32_t offset =
      14 + infoSize + maskBytes + static_cast<uint32_t>(content.palette.size()) * entrySize;
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, offset + stride * content.height);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, infoSize);
  if (content.coreHeader) {
    Put16(out, content.width);
    Put16(out, content.height);
    Put16(out, 1);
    Put16(out, content.bitCount);
  } else {
    Put32(out, content.width);
    Put32(out, content.topDown ? static_cast<uint32_t>(-static_cast<int32_t>(content.height))
                               : content.height);
    Put16(out, 1);
    Put16(out, content.bitCount);
    Put32(out, content.masks.empty() ? 0 : 3);
    Put32(out, stride * content.height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(content.palette.size()));
    Put32(out, 0);
  }
  for (uint32_t mask : content.masks) Put32(out, mask);
  for (const Rgb &c : content.palette) {
    out.insert(out.end(), {c.blue, c.green, c.red});
    if (!content.coreHeader) out.push_back(0);
  }
  for (uint32_t i = 0; i < content.height; ++i) {
    uint32_t y = content.topDown ? i : content.height - 1 - i;
    std::vector<uint8_t> row(stride, content.padByte);
    EncodeBmpRow(content, y, row);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void WritePng(const std::string &path, const PngContent &content) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    throw std::runtime_error("libpng failed writing " + path);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, content.width, content.height, content.bitDepth, content.colourType,
               content.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (const Rgb &c : content.palette) palette.push_back(png_color{c.red, c.green, c.blue});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!content.transparency.empty()) {
    png_set_tRNS(png, info, content.transparency.data(),
                 static_cast<int>(content.transparency.size()), nullptr);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const auto &row : content.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void WriteRgbPng(const std::string &path, const RgbImage &image) {
  PngContent content{image.width, image.height};
  size_t rowBytes = static_cast<size_t>(image.width) * 3;
  for (uint32_t y = 0; y < image.height; ++y) {
    auto begin = image.rgb.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
    content.rows.emplace_back(begin, begin + static_cast<std::ptrdiff_t>(rowBytes));
  }
  WritePng(path, content);
}

void WriteJpeg(const std::string &path, const RgbImage &image, int quality, bool progressive) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + path);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = image.width;
  info.image_height = image.height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  for (uint32_t y = 0; y < image.height; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(&image.rgb[static_cast<size_t>(y) * image.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

void WriteCmykJpeg(const std::string &path, uint32_t width, uint32_t height,
                   const uint8_t (&cmyk)[4]) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + path);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row;
  for (uint32_t x = 0; x < width; ++x) row.insert(row.end(), cmyk, cmyk + 4);
  for (uint32_t y = 0; y < height; ++y) {
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&info, &rowPointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

void WriteGif(const std::string &path, const GifContent &content) {
  int error = 0;
  GifFileType *gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr) throw std::runtime_error("cannot create " + path);
  std::vector<GifColorType> colours;
  for (const Rgb &c : content.palette) colours.push_back(GifColorType{c.red, c.green, c.blue});
  ColorMapObject *map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  bool ok = EGifPutScreenDesc(gif, static_cast<int>(content.screenWidth),
                              static_cast<int>(content.screenHeight), 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, static_cast<int>(content.left), static_cast<int>(content.top),
                             static_cast<int>(content.width), static_cast<int>(content.height),
                             content.interlaced, nullptr) == GIF_OK;
  std::vector<uint32_t> order;
  if (content.interlaced) {
    const uint32_t start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (uint32_t y = start[pass]; y < content.height; y += step[pass]) order.push_back(y);
    }
  } else {
    for (uint32_t y = 0; y < content.height; ++y) order.push_back(y);
  }
  for (uint32_t y : order) {
    auto *line =
        const_cast<GifPixelType *>(&content.indices[static_cast<size_t>(y) * content.width]);
    ok = ok && EGifPutLine(gif, line, static_cast<int>(content.width)) == GIF_OK;
  }
  GifFreeMapObject(map);
  EGifCloseFile(gif, &error);
  if (!ok) throw std::runtime_error("giflib failed writing " + path);
}

std::vector<uint8_t> DecodeAll(const std::string &path, ImageHeader &header) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  int32_t result = 0;
  std::vector<uint8_t> pixels;
  if (auto decoder = OpenImageDecoder(file, result)) {
    header = decoder->header();
    size_t rowBytes = DecodedRowBytes(header);
    pixels.resize(rowBytes * header.height);
    for (uint32_t y = 0; y < header.height; ++y) {
      if (!decoder->ReadRow(&pixels[y * rowBytes])) {
        pixels.clear();
        break;
      }
    }
  }
  std::fclose(file);
  return pixels;
}

}  // namespace prt::test
