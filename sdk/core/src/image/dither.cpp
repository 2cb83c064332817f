#include "image/dither.h"

#include <array>
#include <utility>

namespace prt {
namespace {

// Every value met lies in -128..383: a pixel receives at most 16/16 of
// errors that are each at most 128 in size (and at least -128), so the
// error e = v or v - 255 of every pixel again lies in -128..128.
constexpr int32_t kLowest = -128;
constexpr int32_t kValues = 512;

// What a pixel of value v passes on.  e × weight in float is exact for
// |e| ≤ 128 and truncating it toward zero is C++ integer division.
// The 7/16 share sits in its own table: it is on the chain from one pixel
// to the next, where a plain 4-byte index saves a cycle.
struct Shares {
  int32_t belowLeft;   // 3/16 to (x - 1, y + 1)
  int32_t below;       // 5/16 to (x, y + 1)
  int32_t belowRight;  // 1/16 to (x + 1, y + 1)
};

struct ShareTable {
  std::array<int32_t, kValues> right;  // 7/16 to (x + 1, y)
  std::array<Shares, kValues> byValue;

  constexpr ShareTable() : right{}, byValue{} {
    for (int32_t i = 0; i < kValues; ++i) {
      int32_t value = i + kLowest;
      int32_t error = value <= 128 ? value : value - 255;
      right[i] = error * 7 / 16;
      byValue[i] = Shares{error * 3 / 16, error * 5 / 16, error / 16};
    }
  }
};

constexpr ShareTable kShareTable;

}  // namespace

FloydSteinberg::FloydSteinberg(uint32_t width)
    : width_(width), carried_(width, 0), next_(width, 0) {}

// The chain from one pixel to the next is one table load and one add; the
// row below is gathered in registers and stored once per column.
void FloydSteinberg::Row(const uint8_t *grey, uint8_t *out) {
  const int32_t *rightShare = kShareTable.right.data() - kLowest;
  const Shares *shares = kShareTable.byValue.data() - kLowest;
  const int32_t *carried = carried_.data();
  int32_t *next = next_.data();
  int32_t fromLeft = 0;   // share for x from x - 1
  int32_t belowLeft = 0;  // what (x - 1, y + 1) has gathered so far
  int32_t belowHere = 0;  // what (x, y + 1) has gathered so far
  uint32_t bits = 0;
  for (uint32_t x = 0; x < width_; ++x) {
    int32_t value = grey[x] + carried[x] + fromLeft;
    const Shares &s = shares[value];
    bits = bits << 1 | static_cast<uint32_t>(value <= 128);
    if (x % 8 == 7) {
      out[x / 8] = static_cast<uint8_t>(bits);
      bits = 0;
    }
    fromLeft = rightShare[value];
    if (x > 0) next[x - 1] = belowLeft + s.belowLeft;
    belowLeft = belowHere + s.below;
    belowHere = s.belowRight;
  }
  if (width_ > 0) next[width_ - 1] = belowLeft;
  if (width_ % 8 != 0) out[width_ / 8] = static_cast<uint8_t>(bits << (8 - width_ % 8));
  std::swap(carried_, next_);
}

}  // namespace prt
