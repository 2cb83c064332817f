// Image file -> one-bit raster of printer dots.
//
// Raster layout: rows top to bottom, (width + 7) / 8 bytes per row, most
// significant bit = leftmost pixel, 1 = dark, padding bits 0.  Callers that
// send 0 for a dark dot invert the buffer themselves.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/image_decoder.h"

namespace prt {

// Row width in bytes of a raster `width` pixels wide.
inline uint32_t RasterRowBytes(uint32_t width) {
  return (width + 7) / 8;
}

// Reads the image's size in pixels, from the header where the format
// allows.  Returns 0; errno when the file is missing or unreadable, EISDIR
// for a directory; -21 (PRT_ERR_IMAGE_LOAD) when it exists but cannot be
// decoded, or is no regular file (a FIFO, socket or device is refused
// without waiting for a writer); -25 (PRT_ERR_IMAGE_SIZE) when it is 0
// pixels wide or high.
int32_t ReadImageSize(const std::string &path, uint32_t &width, uint32_t &height);

// Decodes the file and fills `raster`, which holds at least
// RasterRowBytes(width) * height bytes.  `limits` are the sizes the
// caller accepted (normally what ReadImageSize reported): a file beyond
// them gives -25 before any pixel memory is taken.  Same results as
// ReadImageSize, plus -9 when memory runs out and -25 when `raster` is too
// small or decoding would need more than limits.workBytes.
// The format is taken from the file's first bytes (PNG, JPEG, GIF, BMP),
// not from its name.  Rows are decoded and dithered as they stream by; a
// large colour image is decoded on a helper thread that has ended before
// the call returns.  On -21 part of the raster may already be written.
int32_t RasterizeImageFile(const std::string &path, std::span<uint8_t> raster,
                           const ImageLimits &limits = {});

}  // namespace prt
