// A whole image file as the grey values the rasterizer dithers, for a
// caller that scales the image before dithering it (the printer
// application): colour weighted as GreyOf, grey through GreyRowToGrey,
// one-bit images as 0 (dark) and 255.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace prt {

struct GreyImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // width * height, rows from the top
};

// Decodes `file` (PNG, JPEG, GIF or BMP, told by its first bytes).
// Returns 0; -21 (PRT_ERR_IMAGE_LOAD) for a file that cannot be decoded;
// -25 (PRT_ERR_IMAGE_SIZE) for an empty image or one of more than
// `maxPixels` pixels, refused before anything is allocated for it; -9
// when memory runs out.
int32_t ReadGreyImage(std::FILE *file, uint64_t maxPixels, GreyImage &out);

}  // namespace prt
