// PWG raster documents for the integration tests, written with CUPS's
// raster library as a client would send them.
#pragma once

#include <string>

#include "label_png.h"

namespace ravo::app::test {

// One page of `picture` at 203 dpi on 4×6-inch media, as "sgray_8" or as
// "black_1" (grey below 128 is black).
bool WritePwg(const std::string &path, const GreyPicture &picture, const std::string &type);

}  // namespace ravo::app::test
