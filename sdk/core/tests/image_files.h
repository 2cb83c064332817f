// Writers for small test images in every format the decoders read, and a
// straightforward rasterizer to check the streaming one against.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image/image_decoder.h"

namespace prt::test {

struct RgbImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;  // row by row, three bytes per pixel

  Rgb At(uint32_t x, uint32_t y) const;
  static RgbImage Uniform(uint32_t width, uint32_t height, Rgb colour);
  static RgbImage Random(uint32_t width, uint32_t height, uint32_t seed);
};

// Grey, full-size working image and float error, exactly as described for
// the rasterizer, with no streaming or shortcuts.
std::vector<uint8_t> ReferenceRaster(const RgbImage &image);

// A folder removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string Path(const std::string &name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);
std::vector<uint8_t> ReadBytes(const std::string &path);

// BMP: `pixels` are palette indices (bitCount ≤ 8, one per pixel) or RGB
// triples (16, 24, 32).  Masks are used with bit-field compression.
struct BmpContent {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bitCount = 24;
  bool topDown = false;
  bool coreHeader = false;  // the 12-byte header with 3-byte palette entries
  std::vector<Rgb> palette;
  std::vector<uint32_t> masks;  // red, green, blue; empty = no bit fields
  std::vector<uint8_t> pixels;
  uint8_t padByte = 0;  // fills row padding and unused bits
};
std::vector<uint8_t> EncodeBmp(const BmpContent &content);

// PNG: rows in libpng's packed layout for the colour type and depth.
struct PngContent {
  uint32_t width = 0;
  uint32_t height = 0;
  int colourType = 2;  // PNG_COLOR_TYPE_RGB
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<Rgb> palette;
  std::vector<uint8_t> transparency;  // tRNS alphas of palette entries
  std::vector<std::vector<uint8_t>> rows;
};
void WritePng(const std::string &path, const PngContent &content);
void WriteRgbPng(const std::string &path, const RgbImage &image);

void WriteJpeg(const std::string &path, const RgbImage &image, int quality,
               bool progressive = false);
// A uniform CMYK JPEG holding `cmyk` as stored samples (Adobe style: 255
// means no ink).
void WriteCmykJpeg(const std::string &path, uint32_t width, uint32_t height,
                   const uint8_t (&cmyk)[4]);

// GIF with one frame of palette indices placed at (left, top) on a screen.
struct GifContent {
  uint32_t screenWidth = 0;
  uint32_t screenHeight = 0;
  uint32_t left = 0;
  uint32_t top = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  bool interlaced = false;
  std::vector<Rgb> palette;  // 2, 4, ... 256 entries
  std::vector<uint8_t> indices;
};
void WriteGif(const std::string &path, const GifContent &content);

// All rows of `path` as the decoder delivers them, or empty on failure.
std::vector<uint8_t> DecodeAll(const std::string &path, ImageHeader &header);

}  // namespace prt::test
