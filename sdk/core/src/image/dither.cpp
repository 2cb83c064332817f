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

// Column c of a row of errors sits at index c + 1, so that the store for
// the column left of x needs no test at x = 0 (it lands in index 0).
FloydSteinberg::FloydSteinberg(uint32_t width)
    : width_(width), carried_(width + 1, 0), next_(width + 1, 0) {}

// The chain from one pixel to the next is one table load and one add; the
// row below is gathered in registers and stored once per column.  Pixels
// go eight at a time, one output byte each.
void FloydSteinberg::Row(const uint8_t *grey, uint8_t *out) {
  const uint32_t width = width_;
  const int32_t *rightShare = kShareTable.right.data() - kLowest;
  const Shares *shares = kShareTable.byValue.data() - kLowest;
  const int32_t *carried = carried_.data() + 1;
  int32_t *nextLeft = next_.data();  // nextLeft[x] is column x - 1
  int32_t fromLeft = 0;              // share for x from x - 1
  int32_t belowLeft = 0;             // what (x - 1, y + 1) has gathered so far
  int32_t belowHere = 0;             // what (x, y + 1) has gathered so far
  auto step = [&](uint32_t x) -> uint32_t {
    int32_t value = grey[x] + carried[x] + fromLeft;
    const Shares &s = shares[value];
    fromLeft = rightShare[value];
    nextLeft[x] = belowLeft + s.belowLeft;
    belowLeft = belowHere + s.below;
    belowHere = s.belowRight;
    return value <= 128 ? 1u : 0u;
  };
  uint32_t x = 0;
  for (uint32_t byte = 0; byte < width / 8; ++byte) {
    uint32_t bits = 0;
    for (int bit = 0; bit < 8; ++bit, ++x) bits = bits << 1 | step(x);
    out[byte] = static_cast<uint8_t>(bits);
  }
  if (width % 8 != 0) {
    uint32_t bits = 0;
    for (; x < width; ++x) bits = bits << 1 | step(x);
    out[width / 8] = static_cast<uint8_t>(bits << (8 - width % 8));
  }
  nextLeft[width] = belowLeft;
  std::swap(carried_, next_);
}

}  // namespace prt
