#include "page_raster.h"

#include <algorithm>
#include <cstring>

#include "image/grey.h"

namespace ravo::app {
namespace {

bool BitAt(const uint8_t *row, uint32_t x) {
  return (row[x / 8] & (0x80u >> (x % 8))) != 0;
}

void SetBit(uint8_t *row, uint32_t x) {
  row[x / 8] = static_cast<uint8_t>(row[x / 8] | (0x80u >> (x % 8)));
}

// Dots [first, first + width) of a 1-bit line into a cleared row.
void CopyBits(const uint8_t *line, uint32_t first, uint32_t width, uint8_t *row) {
  if (first % 8 == 0) {
    const uint32_t bytes = (width + 7) / 8;
    std::memcpy(row, line + first / 8, bytes);
    if (width % 8 != 0) row[bytes - 1] &= static_cast<uint8_t>(0xFFu << (8 - width % 8));
    return;
  }
  for (uint32_t x = 0; x < width; ++x) {
    if (BitAt(line, first + x)) SetBit(row, x);
  }
}

PageRaster Blank(uint32_t width, uint32_t height) {
  PageRaster page;
  page.width = width;
  page.height = height;
  page.bits.assign(static_cast<size_t>(page.rowBytes()) * height, 0);
  return page;
}

}  // namespace

bool PageRaster::RowIsBlank(uint32_t y) const {
  const uint8_t *r = row(y);
  return std::all_of(r, r + rowBytes(), [](uint8_t b) { return b == 0; });
}

std::optional<LineFormat> LineFormatOf(const cups_page_header2_t &header, bool prepared) {
  const unsigned bits = header.cupsBitsPerPixel;
  switch (header.cupsColorSpace) {
    case CUPS_CSPACE_K:
      if (bits == 1) return LineFormat::kBlack1;
      break;
    case CUPS_CSPACE_SW:
    case CUPS_CSPACE_W:
      if (bits == 8) return prepared ? LineFormat::kPreparedGrey8 : LineFormat::kGrey8;
      break;
    case CUPS_CSPACE_SRGB:
    case CUPS_CSPACE_RGB:
      if (bits == 24) return LineFormat::kRgb8;
      break;
    default:
      break;
  }
  return std::nullopt;
}

PageAssembler::PageAssembler(uint32_t lineWidth, uint32_t height, LineFormat format,
                             uint32_t maxWidth, uint32_t firstColumn)
    : format_(format),
      firstColumn_(std::min(firstColumn, lineWidth)),
      page_(Blank(std::min(lineWidth - firstColumn_, maxWidth), height)),
      dither_(page_.width),
      grey_(page_.width) {}

void PageAssembler::AddLine(const uint8_t *line) {
  if (next_ >= page_.height) return;
  uint8_t *out = page_.bits.data() + static_cast<size_t>(next_) * page_.rowBytes();
  ++next_;
  if (page_.width == 0) return;
  switch (format_) {
    case LineFormat::kBlack1:
      CopyBits(line, firstColumn_, page_.width, out);
      return;
    case LineFormat::kGrey8:
      prt::GreyRowToGrey(line + firstColumn_, page_.width, grey_.data());
      break;
    case LineFormat::kRgb8:
      prt::RgbRowToGrey(line + size_t{3} * firstColumn_, page_.width, grey_.data());
      break;
    case LineFormat::kPreparedGrey8:
      std::memcpy(grey_.data(), line + firstColumn_, page_.width);
      break;
  }
  dither_.Row(grey_.data(), out);
}

PageRaster PageAssembler::Take() {
  return std::move(page_);
}

PageRaster Shifted(const PageRaster &page, int32_t offsetDots, uint32_t maxWidth) {
  const int64_t shiftedWidth = std::max<int64_t>(0, int64_t{page.width} + offsetDots);
  const auto width = static_cast<uint32_t>(std::min<int64_t>(shiftedWidth, maxWidth));
  if (offsetDots == 0 && width == page.width) return page;
  PageRaster out = Blank(width, page.height);
  for (uint32_t y = 0; y < page.height; ++y) {
    const uint8_t *src = page.row(y);
    uint8_t *dst = out.bits.data() + static_cast<size_t>(y) * out.rowBytes();
    for (uint32_t x = 0; x < width; ++x) {
      const int64_t from = int64_t{x} - offsetDots;
      if (from >= 0 && from < page.width && BitAt(src, static_cast<uint32_t>(from))) {
        SetBit(dst, x);
      }
    }
  }
  return out;
}

PageRaster Turned(const PageRaster &page) {
  PageRaster out = Blank(page.width, page.height);
  for (uint32_t y = 0; y < page.height; ++y) {
    const uint8_t *src = page.row(y);
    uint8_t *dst = out.bits.data() + static_cast<size_t>(page.height - 1 - y) * out.rowBytes();
    for (uint32_t x = 0; x < page.width; ++x) {
      if (BitAt(src, x)) SetBit(dst, page.width - 1 - x);
    }
  }
  return out;
}

}  // namespace ravo::app
