#include "image/dither.h"

#include <utility>

namespace prt {

FloydSteinberg::FloydSteinberg(uint32_t width)
    : width_(width), carried_(width, 0), next_(width, 0) {}

// The error e is at most 128 in size, so e × 7/16 and the other shares are
// exact in float, and truncating them toward zero is C++ integer division.
void FloydSteinberg::Row(const uint8_t *grey, uint8_t *out) {
  const int32_t *carried = carried_.data();
  int32_t *next = next_.data();
  int32_t fromLeft = 0;   // 7/16 share for x
  int32_t belowLeft = 0;  // what x - 1 of the next row has gathered so far
  int32_t belowHere = 0;  // what x of the next row has gathered so far
  uint32_t bits = 0;
  for (uint32_t x = 0; x < width_; ++x) {
    int32_t value = grey[x] + carried[x] + fromLeft;
    bool dark = value <= 128;
    int32_t error = dark ? value : value - 255;
    bits = bits << 1 | static_cast<uint32_t>(dark);
    if (x % 8 == 7) {
      out[x / 8] = static_cast<uint8_t>(bits);
      bits = 0;
    }
    fromLeft = error * 7 / 16;
    if (x > 0) next[x - 1] = belowLeft + error * 3 / 16;
    belowLeft = belowHere + error * 5 / 16;
    belowHere = error / 16;
  }
  if (width_ > 0) next[width_ - 1] = belowLeft;
  if (width_ % 8 != 0) out[width_ / 8] = static_cast<uint8_t>(bits << (8 - width_ % 8));
  std::swap(carried_, next_);
}

}  // namespace prt
