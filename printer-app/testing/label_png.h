// Grey PNG images for the integration tests: documents to print and the
// virtual printer's rendered labels to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravo::app::test {

struct GreyPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> grey;  // 0 black … 255 white, rows from the top

  static GreyPicture White(uint32_t width, uint32_t height);
  void Fill(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1, uint8_t value);
  uint8_t At(uint32_t x, uint32_t y) const { return grey[size_t{y} * width + x]; }
  // Share of dark pixels (grey below 128) in [x0, x1) × [y0, y1).
  double DarkShare(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1) const;
};

bool WritePng(const std::string &path, const GreyPicture &picture);
// Reads a PNG of any colour type as grey; empty on failure.
GreyPicture ReadPng(const std::string &path);

// The picture the print tests send: a 4×6-inch label at 203 dpi (812 ×
// 1218) with a black block, a thin bar and a grey ramp that only dithering
// turns into dots.
GreyPicture TestLabel();

}  // namespace ravo::app::test
