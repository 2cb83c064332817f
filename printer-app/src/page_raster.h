// One page of dots as the raster callbacks collect it: lines from PAPPL in
// the document's colour space, turned into printer dots the way the SDK's
// rasterizer turns images (grey weights, Floyd–Steinberg).
#pragma once

#include <cups/raster.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "image/dither.h"

namespace ravo::app {

// Rows top to bottom, (width + 7) / 8 bytes each, most significant bit
// leftmost, 1 = dark dot, padding bits 0.
struct PageRaster {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bits;

  uint32_t rowBytes() const { return (width + 7) / 8; }
  const uint8_t *row(uint32_t y) const { return bits.data() + static_cast<size_t>(y) * rowBytes(); }
  bool RowIsBlank(uint32_t y) const;
};

enum class LineFormat {
  kBlack1,         // 1 bit, 1 = black (PWG black_1)
  kGrey8,          // 8-bit grey from a client, 255 = white (sgray_8)
  kRgb8,           // 8-bit red, green, blue (srgb_8)
  kPreparedGrey8,  // 8-bit grey already weighted by the image filter
};

// The format of a raster header's lines; nothing for what the printer
// does not advertise (16 bits, CMYK, …).  `prepared` marks lines that come
// from the application's own image filter.
std::optional<LineFormat> LineFormatOf(const cups_page_header2_t &header, bool prepared);

class PageAssembler {
 public:
  // Lines are `lineWidth` pixels wide; the head prints `maxWidth` of them
  // from `firstColumn` on, the others are dropped.
  PageAssembler(uint32_t lineWidth, uint32_t height, LineFormat format, uint32_t maxWidth,
                uint32_t firstColumn = 0);

  // Adds the next line; lines past the page's height are ignored.
  void AddLine(const uint8_t *line);

  PageRaster Take();

 private:
  LineFormat format_;
  uint32_t firstColumn_;
  PageRaster page_;
  uint32_t next_ = 0;
  prt::FloydSteinberg dither_;
  std::vector<uint8_t> grey_;
};

// The page moved `offsetDots` to the right (left when negative) and cut to
// `maxWidth`; dots pushed off either edge are lost.
PageRaster Shifted(const PageRaster &page, int32_t offsetDots, uint32_t maxWidth);

// The page turned half round.
PageRaster Turned(const PageRaster &page);

}  // namespace ravo::app
