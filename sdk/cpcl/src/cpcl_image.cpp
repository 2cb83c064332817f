// The CPCL graphics block: "COMPRESSED-GRAPHICS" header followed by the
// raster, from an image file or from the caller's bytes.
#include <span>
#include <string>

#include "c_boundary.h"
#include "cpcl_page.h"
#include "image/printer_raster.h"
#include "pelican.h"

using prt::PrtCommandContext;

namespace {

// Images have no height limit of their own beyond what the header can
// carry; the buffer's growth is the practical bound.
constexpr uint32_t kUnlimitedHeight = INT32_MAX;

using Block = pelican::GraphicsBlock;

int32_t SendBlock(PrtPrinter &printer, const Block &block) {
  int32_t rc = pelican::AppendGraphics(*printer.context, block);
  return rc != PRT_SUCCESS ? rc : prt::FlushCommandBuffer(printer);
}

int32_t SendImageFile(PrtPrinter &printer, int32_t vertical, int32_t x, int32_t y,
                      const std::string &path) {
  prt::PrinterRaster raster;
  const prt::ImageLimits limits{printer.context->rasterWidth(), kUnlimitedHeight};
  int32_t rc = prt::LoadInvertedRaster(path, limits, raster);
  if (rc != PRT_SUCCESS) return rc;
  return SendBlock(printer, Block{vertical, static_cast<int32_t>(raster.rowBytes),
                                  static_cast<int32_t>(raster.height), x, y, raster.bytes.data()});
}

}  // namespace

extern "C" PRT_API int32_t CPCL_AddImageW(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                          const PrtWChar *path) {
  return prt::WithOpenPrinter(handle, [&](PrtPrinter &printer) {
    return prt::WithImagePath(path, [&](const std::string &file) {
      return SendImageFile(printer, vertical, x, y, file);
    });
  });
}

extern "C" PRT_API int32_t CPCL_AddImageA(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                          const char *path) {
  return prt::WithOpenPrinter(handle, [&](PrtPrinter &printer) {
    return prt::WithImagePath(path, [&](const std::string &file) {
      return SendImageFile(printer, vertical, x, y, file);
    });
  });
}

extern "C" PRT_API int32_t CPCL_AddImageData(PrtHandle handle, int32_t vertical, int32_t widthBytes,
                                             int32_t heightDots, int32_t x, int32_t y,
                                             const uint8_t *data) {
  return prt::WithOpenPrinter(handle, [&](PrtPrinter &printer) {
    return SendBlock(printer, Block{vertical, widthBytes, heightDots, x, y, data});
  });
}
