// Whole-page TSPL for callers inside the project (the printer application):
// the label setup, a raster and the print command, formatted with the same
// builders as the TSPL_ exports.  Nothing here is exported from libheron.
//
// Each function appends to the context's buffer and sends nothing.
// Results: 0, -1 (a value outside its TSPL range), -2 (no room), -3 (the
// model does not speak TSPL), -9 (out of memory).  Nothing is appended on
// failure.
#pragma once

#include <cstdint>

#include "image/printer_raster.h"
#include "media_sensing.h"
#include "printer.h"

namespace heron {

struct PageSetup {
  int32_t widthHmm = 0;  // label width and length in hundredths of a mm
  int32_t lengthHmm = 0;
  prt::MediaSensing sensing = prt::MediaSensing::kGap;
  int32_t gapHmm = 0;     // gap or black-mark height (not for continuous)
  int32_t density = -1;   // DENSITY 0..15; -1 keeps the printer's own
  int32_t speed = 0;      // SPEED 1..12 inches per second; 0 keeps the printer's
  int32_t direction = 0;  // DIRECTION: 0, or 1 to print turned half round
  int32_t shiftDots = 0;  // SHIFT: moves the print along the feed, -1000..1000
  bool tearOff = false;   // SET TEAR ON and OFFSET offsetHmm
  int32_t offsetHmm = 0;  // where the label stops for tearing, -10000..10000
};

// SIZE, GAP/BLINE, DIRECTION, DENSITY, SPEED, SHIFT, SET TEAR, OFFSET, CLS;
// the optional lines only when they change something.  Grows a growable
// buffer as needed.
int32_t AppendPageSetup(prt::PrtCommandContext &ctx, const PageSetup &setup);

// "BITMAP x,y,rowBytes,height,mode" followed by the raster (0 = dark dot);
// header and raster go in together or not at all.  `mode` outside 0..2 is
// sent as 0.  Grows a growable buffer first (the order TSPL_BitMapA/W
// document: room, then the capability test).
int32_t AppendBitmap(prt::PrtCommandContext &ctx, int32_t x, int32_t y, int32_t mode,
                     const prt::PrinterRaster &raster);

// "PRINT sets,copies" into the room there is (the buffer does not grow).
int32_t AppendPrint(prt::PrtCommandContext &ctx, int32_t sets, int32_t copies);

}  // namespace heron
