// libFuzzer target for one image decoder (chosen by FUZZ_DECODER at build
// time): the decoder alone row by row, then the whole rasterizer on the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "image/image_decoder.h"
#include "image/raster_stream.h"
#include "image/rasterizer.h"

namespace {

// Larger images only cost time; their code paths are the same.
constexpr uint64_t kMaxPixels = 1u << 22;
// What the widest printer accepts: the limits every real caller passes.
const prt::ImageLimits kPrinterLimits{1680, 65535};

bool SmallEnough(uint32_t width, uint32_t height) {
  return width <= (1u << 16) && static_cast<uint64_t>(width) * height <= kMaxPixels;
}

void DecodeRows(std::FILE *file) {
  auto decoder = prt::FUZZ_DECODER(file, kPrinterLimits);
  if (!decoder) return;
  const prt::ImageHeader &header = decoder->header();
  if (!kPrinterLimits.Accepts(header.width, header.height) ||
      !SmallEnough(header.width, header.height))
    return;
  std::vector<uint8_t> row(prt::DecodedRowBytes(header));
  for (uint32_t y = 0; y < header.height; ++y) {
    if (!decoder->ReadRow(row.data())) return;
  }
}

void Rasterize(std::FILE *file) {
  uint32_t width = 0, height = 0;
  if (prt::ReadImageSizeFrom(file, width, height) != 0 || !SmallEnough(width, height)) return;
  std::vector<uint8_t> raster(static_cast<size_t>(prt::RasterRowBytes(width)) * height);
  prt::RasterizeFrom(file, raster, prt::Threading::kNever, prt::ImageLimits{width, height});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  std::FILE *file = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (file == nullptr) return 0;
  DecodeRows(file);
  Rasterize(file);
  std::fclose(file);
  return 0;
}
