// Stands in for the image decoders until they are part of the core: every
// image file is reported as undecodable.
#include "image/rasterizer.h"
#include "prt.h"

namespace prt {

int32_t ReadImageSize(const std::string &, uint32_t &, uint32_t &) {
  return PRT_ERR_IMAGE_LOAD;
}

int32_t RasterizeImageFile(const std::string &, std::span<uint8_t>) {
  return PRT_ERR_IMAGE_LOAD;
}

}  // namespace prt
