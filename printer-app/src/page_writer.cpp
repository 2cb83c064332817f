#include "page_writer.h"

#include <algorithm>

#include "command_buffer.h"
#include "cpcl_page.h"
#include "esc_raster.h"
#include "image/printer_raster.h"
#include "tspl_page.h"

namespace ravo::app {
namespace {

constexpr int32_t kMaxTsplSpeed = 12;
constexpr int32_t kMaxCpclSpeed = 5;
constexpr int32_t kMaxShift = 1000;
constexpr uint32_t kPrintLineRoom = 32;

struct InkedRows {
  uint32_t first = 0;
  uint32_t count = 0;
};

InkedRows FindInkedRows(const PageRaster &page) {
  uint32_t first = 0;
  while (first < page.height && page.RowIsBlank(first)) ++first;
  uint32_t end = page.height;
  while (end > first && page.RowIsBlank(end - 1)) --end;
  return {first, end - first};
}

// Rows [first, first + count) with 0 for a dark dot, as BITMAP and
// COMPRESSED-GRAPHICS carry them.
prt::PrinterRaster PrinterRows(const PageRaster &page, InkedRows rows) {
  prt::PrinterRaster raster;
  raster.rowBytes = page.rowBytes();
  raster.height = rows.count;
  const auto begin = page.bits.begin() + static_cast<ptrdiff_t>(rows.first) * page.rowBytes();
  raster.bytes.assign(begin, begin + static_cast<ptrdiff_t>(rows.count) * page.rowBytes());
  for (uint8_t &byte : raster.bytes) byte = static_cast<uint8_t>(~byte);
  return raster;
}

// The page where the head prints it: shifted, cut to the print width and,
// for languages without a print direction, turned.
PageRaster OnHead(const prt::PrtCommandContext &ctx, const JobSettings &s, const PageRaster &page,
                  bool turnInSoftware) {
  PageRaster placed = Shifted(page, s.leftOffsetDots, ctx.rasterWidth());
  return turnInSoftware && s.upsideDown ? Turned(placed) : placed;
}

int32_t AppendTsplPage(prt::PrtCommandContext &ctx, const JobSettings &s, const PageRaster &page) {
  heron::PageSetup setup;
  setup.widthHmm = s.widthHmm;
  setup.lengthHmm = s.lengthHmm;
  setup.sensing = s.sensing;
  setup.gapHmm = s.gapHmm;
  setup.density = s.darkness < 0 ? -1 : TsplDensity(s.darkness);
  setup.speed = std::min(s.speedIps, kMaxTsplSpeed);
  setup.direction = s.upsideDown ? 1 : 0;
  setup.shiftDots = std::clamp(s.topOffsetDots, -kMaxShift, kMaxShift);
  setup.tearOff = s.tearOff;
  setup.offsetHmm = s.tearOffsetHmm;
  int32_t rc = heron::AppendPageSetup(ctx, setup);
  if (rc != PRT_SUCCESS) return rc;
  const PageRaster placed = OnHead(ctx, s, page, false);
  const InkedRows rows = FindInkedRows(placed);
  if (rows.count > 0 && placed.width > 0) {
    rc =
        heron::AppendBitmap(ctx, 0, static_cast<int32_t>(rows.first), 0, PrinterRows(placed, rows));
    if (rc != PRT_SUCCESS) return rc;
  }
  rc = prt::EnsureRoom(ctx, kPrintLineRoom);
  return rc != PRT_SUCCESS ? rc : heron::AppendPrint(ctx, 1, s.copies);
}

int32_t AppendCpclPage(prt::PrtCommandContext &ctx, const JobSettings &s, const PageRaster &page) {
  const PageRaster placed = OnHead(ctx, s, page, true);
  pelican::LabelSetup setup;
  setup.heightDots = static_cast<int32_t>(std::max<uint32_t>(placed.height, 1));
  setup.copies = s.copies;
  setup.pageWidthDots = static_cast<int32_t>(placed.width);
  setup.sensing = s.sensing;
  setup.contrast = s.darkness < 0 ? -1 : CpclContrast(s.darkness);
  setup.speed = s.speedIps > 0 ? std::min(s.speedIps, kMaxCpclSpeed) : -1;
  int32_t rc = pelican::AppendLabelStart(ctx, setup);
  if (rc != PRT_SUCCESS) return rc;
  const InkedRows rows = FindInkedRows(placed);
  if (rows.count > 0 && placed.width > 0) {
    const prt::PrinterRaster raster = PrinterRows(placed, rows);
    pelican::GraphicsBlock block;
    block.widthBytes = static_cast<int32_t>(raster.rowBytes);
    block.height = static_cast<int32_t>(raster.height);
    block.y = std::max(0, static_cast<int32_t>(rows.first) + s.topOffsetDots);
    block.raster = raster.bytes.data();
    rc = pelican::AppendGraphics(ctx, block);
    if (rc != PRT_SUCCESS) return rc;
  }
  return pelican::AppendLabelEnd(ctx, s.sensing);
}

// A receipt is as long as its ink (PAPPL centres a short picture on the
// page, which would feed blank paper); copies are the page again.
int32_t AppendEscPages(prt::PrtCommandContext &ctx, const JobSettings &s, const PageRaster &page) {
  PageRaster placed = OnHead(ctx, s, page, true);
  const InkedRows rows = FindInkedRows(placed);
  const auto begin = placed.bits.begin() + static_cast<ptrdiff_t>(rows.first) * placed.rowBytes();
  placed.bits.assign(begin, begin + static_cast<ptrdiff_t>(rows.count) * placed.rowBytes());
  placed.height = rows.count;
  for (int32_t copy = 0; copy < s.copies; ++copy) {
    int32_t rc = AppendEscPage(ctx, placed);
    if (rc != PRT_SUCCESS) return rc;
  }
  return PRT_SUCCESS;
}

}  // namespace

uint32_t FirstHeadColumn(Language language, uint32_t pageWidth, uint32_t headWidth) {
  if (language != Language::kEsc || pageWidth <= headWidth) return 0;
  return (pageWidth - headWidth) / 2;
}

int32_t TsplDensity(int32_t darkness) {
  return (std::clamp(darkness, 0, 100) * 15 + 50) / 100;
}

int32_t CpclContrast(int32_t darkness) {
  return (std::clamp(darkness, 0, 100) * 3 + 50) / 100;
}

int32_t AppendPage(prt::PrtCommandContext &ctx, Language language, const JobSettings &settings,
                   const PageRaster &page) {
  switch (language) {
    case Language::kTspl:
      return AppendTsplPage(ctx, settings, page);
    case Language::kCpcl:
      return AppendCpclPage(ctx, settings, page);
    case Language::kEsc:
      return AppendEscPages(ctx, settings, page);
  }
  return PRT_ERR_PARAMETER;
}

}  // namespace ravo::app
