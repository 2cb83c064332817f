// Decoders that turn an image file into rows of pixels, one row at a time
// from the top, so that no full-size copy of the image has to be kept.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "prt.h"

namespace prt {

// Result of a file that exists but cannot be decoded (PRT_ERR_IMAGE_LOAD).
inline constexpr int32_t kImageLoadError = PRT_ERR_IMAGE_LOAD;

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// How the rows of a decoder are laid out.
enum class RowFormat {
  kOneBit,  // packed palette indices, most significant bit first
  kGrey,    // one byte per pixel; red = green = blue
  kRgb,     // three bytes per pixel: red, green, blue
};

struct ImageHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  RowFormat format = RowFormat::kRgb;
  // The two-entry colour table of a one-bit image, unchanged from the file.
  std::array<Rgb, 2> palette{};
};

// Most a decoder may hold for a whole image at once (the rows of an
// interlaced PNG or GIF frame, the coefficients of a progressive JPEG).
inline constexpr size_t kDecoderWorkBytes = size_t{256} << 20;

// The largest image a caller accepts.  A decoder refuses a header beyond
// these sizes with PRT_ERR_IMAGE_SIZE before it allocates anything for the
// pixels, and keeps every whole-image buffer within workBytes.
struct ImageLimits {
  uint32_t maxWidth = UINT32_MAX;  // pixels
  uint32_t maxHeight = UINT32_MAX;
  size_t workBytes = kDecoderWorkBytes;

  bool Accepts(uint32_t width, uint32_t height) const {
    return width <= maxWidth && height <= maxHeight;
  }
};

// Bytes one row of `header` occupies in the decoder's layout.
size_t DecodedRowBytes(const ImageHeader &header);

// One decode of one image.  The header is known once the decoder exists;
// ReadRow then delivers the rows from the top, each DecodedRowBytes long.
class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;

  const ImageHeader &header() const { return header_; }

  // Writes the next row into `row`; false when the data is broken or the
  // image needs more memory than the limits allow (error() tells which).
  virtual bool ReadRow(uint8_t *row) = 0;

  // Why the last ReadRow failed: kImageLoadError or PRT_ERR_IMAGE_SIZE.
  int32_t error() const { return error_; }

 protected:
  ImageHeader header_;
  int32_t error_ = kImageLoadError;
};

// Picks the decoder by the file's first bytes and reads the header.  The
// file must stay open while the decoder lives.  Returns nullptr with
// `result` = kImageLoadError when the content is not a supported image,
// PRT_ERR_IMAGE_SIZE when it is empty (0 pixels wide or high) or beyond
// `limits`.
std::unique_ptr<ImageDecoder> OpenImageDecoder(std::FILE *file, int32_t &result,
                                               const ImageLimits &limits = {});

// The decoders behind OpenImageDecoder; each expects the file at offset 0
// and returns nullptr when the header is broken.  They read the header
// only; the caller compares it with the limits before reading a row.
std::unique_ptr<ImageDecoder> OpenPngDecoder(std::FILE *file, const ImageLimits &limits = {});
std::unique_ptr<ImageDecoder> OpenJpegDecoder(std::FILE *file, const ImageLimits &limits = {});
std::unique_ptr<ImageDecoder> OpenGifDecoder(std::FILE *file, const ImageLimits &limits = {});
std::unique_ptr<ImageDecoder> OpenBmpDecoder(std::FILE *file, const ImageLimits &limits = {});

}  // namespace prt
