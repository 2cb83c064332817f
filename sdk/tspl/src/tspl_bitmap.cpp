// TSPL_BitMapW / TSPL_BitMapA: a BITMAP header followed by the image's
// raster, sent in one write.
#include <string>

#include "c_boundary.h"
#include "heron.h"
#include "image/printer_raster.h"
#include "tspl_page.h"

using prt::PrtCommandContext;

namespace {

constexpr uint32_t kMaxHeight = 65535;
constexpr uint32_t kMaxHeightShortModel = 900;
constexpr int32_t kShortModelId = 0x1721;

prt::ImageLimits LimitsFor(const PrtCommandContext &ctx) {
  return {ctx.rasterWidth(), ctx.modelId == kShortModelId ? kMaxHeightShortModel : kMaxHeight};
}

int32_t PrintImage(PrtPrinter &printer, int32_t x, int32_t y, int32_t mode,
                   const std::string &path) {
  PrtCommandContext &ctx = *printer.context;
  prt::PrinterRaster raster;
  int32_t rc = prt::LoadInvertedRaster(path, LimitsFor(ctx), raster);
  if (rc != PRT_SUCCESS) return rc;
  rc = heron::AppendBitmap(ctx, x, y, mode, raster);
  return rc != PRT_SUCCESS ? rc : prt::FlushCommandBuffer(printer);
}

}  // namespace

extern "C" PRT_API int32_t TSPL_BitMapW(PrtHandle handle, int32_t x, int32_t y, int32_t mode,
                                        const PrtWChar *path) {
  return prt::WithOpenPrinter(handle, [&](PrtPrinter &printer) {
    return prt::WithImagePath(
        path, [&](const std::string &file) { return PrintImage(printer, x, y, mode, file); });
  });
}

extern "C" PRT_API int32_t TSPL_BitMapA(PrtHandle handle, int32_t x, int32_t y, int32_t mode,
                                        const char *path) {
  return prt::WithOpenPrinter(handle, [&](PrtPrinter &printer) {
    return prt::WithImagePath(
        path, [&](const std::string &file) { return PrintImage(printer, x, y, mode, file); });
  });
}
