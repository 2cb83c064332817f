#include "image/grey_image.h"

#include <new>

#include "image/grey.h"
#include "image/image_decoder.h"

namespace prt {
namespace {

void OneBitRowToGrey(const ImageHeader &header, const uint8_t *bits, uint8_t *grey) {
  const bool setIsDark = OneBitSetIsDark(header);
  for (uint32_t x = 0; x < header.width; ++x) {
    const bool set = (bits[x / 8] & (0x80u >> (x % 8))) != 0;
    grey[x] = set == setIsDark ? 0 : 255;
  }
}

int32_t Decode(ImageDecoder &decoder, uint64_t maxPixels, GreyImage &out) {
  const ImageHeader &header = decoder.header();
  const uint64_t pixels = uint64_t{header.width} * header.height;
  if (pixels == 0 || pixels > maxPixels) return PRT_ERR_IMAGE_SIZE;
  out.width = header.width;
  out.height = header.height;
  out.pixels.assign(static_cast<size_t>(pixels), 255);
  std::vector<uint8_t> row(DecodedRowBytes(header));
  for (uint32_t y = 0; y < header.height; ++y) {
    if (!decoder.ReadRow(row.data())) return kImageLoadError;
    uint8_t *grey = out.pixels.data() + static_cast<size_t>(y) * header.width;
    switch (header.format) {
      case RowFormat::kOneBit:
        OneBitRowToGrey(header, row.data(), grey);
        break;
      case RowFormat::kGrey:
        GreyRowToGrey(row.data(), header.width, grey);
        break;
      case RowFormat::kRgb:
        RgbRowToGrey(row.data(), header.width, grey);
        break;
    }
  }
  return PRT_SUCCESS;
}

}  // namespace

int32_t ReadGreyImage(std::FILE *file, uint64_t maxPixels, GreyImage &out) {
  try {
    if (std::fseek(file, 0, SEEK_SET) != 0) return kImageLoadError;
    int32_t result = 0;
    auto decoder = OpenImageDecoder(file, result);
    if (!decoder) return result;
    return Decode(*decoder, maxPixels, out);
  } catch (const std::bad_alloc &) {
    return PRT_ERR_OUT_OF_MEMORY;
  } catch (...) {
    return kImageLoadError;
  }
}

}  // namespace prt
