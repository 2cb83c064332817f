// Whole-label CPCL for callers inside the project (the printer
// application): the label header and settings, a graphics block and the
// label's end, formatted with the same builders as the CPCL_ exports.
// Nothing here is exported from libpelican.
//
// Each function appends to the context's buffer and sends nothing; a
// growable buffer grows as needed.  Results: 0, -1 (a value outside its
// CPCL range), -2 (no room), -3 (the model does not speak CPCL), -9 (out of
// memory), -25 (graphics empty or wider than the model prints).  Nothing is
// appended on failure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "media_sensing.h"
#include "printer.h"

namespace pelican {

struct LabelSetup {
  int32_t heightDots = 0;     // label height, 1..65535
  int32_t copies = 1;         // the header's quantity, 1..1024
  int32_t pageWidthDots = 0;  // PAGE-WIDTH; 0 leaves it out
  prt::MediaSensing sensing = prt::MediaSensing::kGap;
  int32_t contrast = -1;  // CONTRAST 0..3; -1 leaves it out
  int32_t speed = -1;     // SPEED 0..5; -1 leaves it out
};

struct GraphicsBlock {
  int32_t vertical = 0;  // nonzero: VCOMPRESSED-GRAPHICS
  int32_t widthBytes = 0;
  int32_t height = 0;
  int32_t x = 0;
  int32_t y = 0;
  const uint8_t *raster = nullptr;  // widthBytes * height bytes

  size_t size() const { return static_cast<size_t>(widthBytes) * static_cast<size_t>(height); }
};

// "! offset 200 200 height qty", the line that starts every label.
int32_t AppendLabelHeader(prt::PrtCommandContext &ctx, int32_t offset, int32_t height, int32_t qty);

// The header for `setup`, then PAGE-WIDTH, CONTRAST, SPEED and GAP-SENSE
// or BAR-SENSE (continuous paper gets no sensing line).
int32_t AppendLabelStart(prt::PrtCommandContext &ctx, const LabelSetup &setup);

// "[V]COMPRESSED-GRAPHICS widthBytes height x y " followed by the raster.
int32_t AppendGraphics(prt::PrtCommandContext &ctx, const GraphicsBlock &block);

// FORM (labels only: feed to the next label's top) and PRINT.
int32_t AppendLabelEnd(prt::PrtCommandContext &ctx, prt::MediaSensing sensing);

}  // namespace pelican
