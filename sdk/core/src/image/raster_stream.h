// The rasterizer on an already open file (or an in-memory stream from
// fmemopen), for the file-path entry points, the tools and the fuzzers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

#include "image/image_decoder.h"

namespace prt {

enum class Threading {
  kAuto,    // a helper thread for large colour images
  kNever,   // everything on the calling thread
  kAlways,  // a helper thread for every colour image
};

// As ReadImageSize, on `file` positioned anywhere.
int32_t ReadImageSizeFrom(std::FILE *file, uint32_t &width, uint32_t &height);

// As RasterizeImageFile, on `file` positioned anywhere.  The results are
// the same bits whatever `threading` says.
int32_t RasterizeFrom(std::FILE *file, std::span<uint8_t> raster,
                      Threading threading = Threading::kAuto, const ImageLimits &limits = {});

}  // namespace prt
