// One page in the printer's language: the setup the job asks for, the
// page's dots and the print command, through the SDK's command writers
// (TSPL BITMAP, CPCL COMPRESSED-GRAPHICS) or the ESC raster writer.
#pragma once

#include <cstdint>

#include "job_settings.h"
#include "model_drivers.h"
#include "page_raster.h"
#include "printer.h"

namespace ravo::app {

// Appends the page to the context's buffer (made for the printer's model
// row, so the print width is known).  Dots beyond the print width are cut;
// blank rows at the top and bottom are not sent (a label keeps its length,
// a receipt ends up as long as its ink).
// Returns 0 or the SDK's result code; nothing is sent.
int32_t AppendPage(prt::PrtCommandContext &ctx, Language language, const JobSettings &settings,
                   const PageRaster &page);

// The first column of a `pageWidth`-dot page under a `headWidth`-dot head:
// a receipt printer's head sits in the middle of its paper (the page's
// margins fall beside it), a label printer's at the left edge.
uint32_t FirstHeadColumn(Language language, uint32_t pageWidth, uint32_t headWidth);

// TSPL DENSITY 0..15 and CPCL CONTRAST 0..3 for a darkness of 0..100.
int32_t TsplDensity(int32_t darkness);
int32_t CpclContrast(int32_t darkness);

}  // namespace ravo::app
