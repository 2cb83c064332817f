#include "image/image_decoder.h"

#include <cstring>

namespace prt {

size_t DecodedRowBytes(const ImageHeader &header) {
  size_t width = header.width;
  switch (header.format) {
    case RowFormat::kOneBit:
      return (width + 7) / 8;
    case RowFormat::kGrey:
      return width;
    case RowFormat::kRgb:
      return width * 3;
  }
  return width * 3;
}

namespace {

enum class Format { kUnknown, kPng, kJpeg, kGif, kBmp };

Format Sniff(const unsigned char *magic, size_t size) {
  static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= sizeof kPng && std::memcmp(magic, kPng, sizeof kPng) == 0) return Format::kPng;
  if (size >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) return Format::kJpeg;
  if (size >= 6 && (std::memcmp(magic, "GIF87a", 6) == 0 || std::memcmp(magic, "GIF89a", 6) == 0))
    return Format::kGif;
  if (size >= 2 && magic[0] == 'B' && magic[1] == 'M') return Format::kBmp;
  return Format::kUnknown;
}

}  // namespace

std::unique_ptr<ImageDecoder> OpenImageDecoder(std::FILE *file, int32_t &result,
                                               const ImageLimits &limits) {
  unsigned char magic[8] = {};
  size_t got = std::fread(magic, 1, sizeof magic, file);
  result = kImageLoadError;
  if (std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
  std::unique_ptr<ImageDecoder> decoder;
  switch (Sniff(magic, got)) {
    case Format::kPng:
      decoder = OpenPngDecoder(file, limits);
      break;
    case Format::kJpeg:
      decoder = OpenJpegDecoder(file, limits);
      break;
    case Format::kGif:
      decoder = OpenGifDecoder(file, limits);
      break;
    case Format::kBmp:
      decoder = OpenBmpDecoder(file, limits);
      break;
    case Format::kUnknown:
      break;
  }
  if (!decoder) return nullptr;
  const ImageHeader &header = decoder->header();
  // An empty image is a size problem, like one too large for the caller.
  if (header.width == 0 || header.height == 0 || !limits.Accepts(header.width, header.height)) {
    result = PRT_ERR_IMAGE_SIZE;
    return nullptr;
  }
  result = 0;
  return decoder;
}

}  // namespace prt
