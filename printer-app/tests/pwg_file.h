// PWG and Apple raster documents for the integration tests, written with CUPS's
// raster library as a client would send them.
#pragma once

#include <string>

#include "label_png.h"

namespace ravo::app::test {

// One page of `picture` at 203 dpi on 4×6-inch media, 8-bit grey, as PWG
// raster or (apple = true) as Apple raster.
bool WritePwg(const std::string &path, const GreyPicture &picture, bool apple = false);

}  // namespace ravo::app::test
