// Built with -ffp-contract=off: a fused multiply-add changes the rounding
// of the sums and with it the grey of a few dozen colours.
#include "image/grey.h"

#include <array>

namespace prt {
namespace {

constexpr double kRed = 0.29891;
constexpr double kGreen = 0.58661;
constexpr double kBlue = 0.11448;

uint8_t Truncate(double value) {
  return static_cast<uint8_t>(static_cast<int32_t>(value) & 0xFF);
}

// Each product is the same double whether looked up or computed, so the
// sums below round exactly like GreyOf's.
struct GreyTables {
  std::array<double, 256> red;
  std::array<double, 256> green;
  std::array<double, 256> blue;
  std::array<uint8_t, 256> ofGrey;

  GreyTables() {
    for (int v = 0; v < 256; ++v) {
      red[v] = v * kRed;
      green[v] = v * kGreen;
      blue[v] = v * kBlue;
      ofGrey[v] = Truncate(red[v] + green[v] + blue[v]);
    }
  }
};

const GreyTables &Tables() {
  static const GreyTables tables;
  return tables;
}

}  // namespace

uint8_t GreyOf(uint8_t red, uint8_t green, uint8_t blue) {
  double value = red * kRed + green * kGreen + blue * kBlue;
  return Truncate(value);
}

void RgbRowToGrey(const uint8_t *rgb, uint32_t width, uint8_t *grey) {
  const GreyTables &t = Tables();
  for (uint32_t x = 0; x < width; ++x, rgb += 3) {
    double value = t.red[rgb[0]] + t.green[rgb[1]];
    value += t.blue[rgb[2]];
    grey[x] = Truncate(value);
  }
}

void GreyRowToGrey(const uint8_t *in, uint32_t width, uint8_t *grey) {
  const GreyTables &t = Tables();
  for (uint32_t x = 0; x < width; ++x) grey[x] = t.ofGrey[in[x]];
}

}  // namespace prt
