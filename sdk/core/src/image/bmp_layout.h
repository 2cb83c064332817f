// The headers of a Windows bitmap: size, depth, orientation, colour masks,
// palette and compression, read and checked before any pixel is decoded.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "image/image_decoder.h"

namespace prt {

// Little-endian fields of the headers and of 16/32-bit pixels.
inline uint16_t Le16(const uint8_t *p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t Le32(const uint8_t *p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct BmpChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit BmpChannel(uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  uint8_t Of(uint32_t pixel) const {
    if (max == 0) return 0;
    uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + max / 2) / max);
  }
};

enum class BmpCompression { kNone, kRle8, kRle4 };

struct BmpLayout {
  uint64_t fileSize = 0;
  uint32_t dataOffset = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  bool bottomUp = true;
  uint16_t bitCount = 0;
  BmpCompression compression = BmpCompression::kNone;
  uint64_t stride = 0;                 // bytes of one uncompressed row
  std::array<BmpChannel, 3> channels;  // red, green, blue
  std::vector<Rgb> palette;            // 256 entries for depths up to 8
};

// False when the headers are broken or describe something not supported.
// An uncompressed bitmap must hold every row; a run-length encoded one must
// be bottom-up, 8-bit RLE8 or 4-bit RLE4.
bool ParseBmpLayout(std::FILE *file, BmpLayout &layout);

// Reads exactly `size` bytes at `offset`.
bool ReadBmpBytes(std::FILE *file, uint64_t offset, uint8_t *out, size_t size);

// Run-length encoded bitmaps (bmp_rle.cpp).
std::unique_ptr<ImageDecoder> OpenRleBmpDecoder(std::FILE *file, BmpLayout layout);

}  // namespace prt
