// ESC/POS for receipt printers: a page as "GS v 0" raster bands, then feed
// and cut.  The SDK has no ESC command writer (libegret only moves bytes),
// so this is the only one.
#pragma once

#include <cstdint>

#include "page_raster.h"
#include "printer.h"

namespace ravo::app {

// Rows per "GS v 0" band; small enough for the input buffers of receipt
// printers.
inline constexpr uint32_t kEscBandRows = 256;

// ESC @, the page's rows as bands (1 = dark, as GS v 0 wants), ESC d 3
// (feed) and GS V 66 0 (feed to the cutter and cut).  Results as the SDK's
// builders: 0, -2 or -9.
int32_t AppendEscPage(prt::PrtCommandContext &ctx, const PageRaster &page);

}  // namespace ravo::app
