// One-pass Floyd–Steinberg error diffusion into packed one-bit rows.
#pragma once

#include <cstdint>
#include <vector>

namespace prt {

// Diffusion state of one image that is fed a row at a time from the top.
// Only the errors carried into the next row are kept, not the image.
class FloydSteinberg {
 public:
  explicit FloydSteinberg(uint32_t width);

  // Adds the carried errors to `grey`, thresholds (≤ 128 is dark, so 128
  // itself is dark) and packs the row into `out`, most significant bit
  // first, 1 = dark, padding bits 0.  `out` holds (width + 7) / 8 bytes.
  void Row(const uint8_t *grey, uint8_t *out);

 private:
  uint32_t width_;
  // Errors into the current row and into the row after it; column c at
  // index c + 1.
  std::vector<int32_t> carried_;
  std::vector<int32_t> next_;
};

}  // namespace prt
