// TSPL_BitMapW / TSPL_BitMapA: a BITMAP header followed by the image's
// raster, sent in one write.
#include <string>

#include "heron.h"
#include "image/printer_raster.h"
#include "tspl_command.h"
#include "tspl_fields.h"

using prt::PrtCommandContext;

namespace {

constexpr uint32_t kMaxHeight = 65535;
constexpr uint32_t kMaxHeightShortModel = 900;
constexpr int32_t kShortModelId = 0x1721;
constexpr uint32_t kRasterReserve = 32;

prt::ImageLimits LimitsFor(const PrtCommandContext &ctx) {
  return {ctx.rasterWidth(), ctx.modelId == kShortModelId ? kMaxHeightShortModel : kMaxHeight};
}

// Header and raster go in together or not at all.
int32_t AppendBitmap(PrtCommandContext &ctx, int32_t x, int32_t y, int32_t mode,
                     const prt::PrinterRaster &raster) {
  int32_t rc = heron::CheckTspl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  std::string header;
  rc = prt::FormatCommand(header, prt::kShortCommandArea, "BITMAP %d,%d,%u,%u,%d\r\n", x, y,
                          raster.rowBytes, raster.height, heron::BitmapMode(mode));
  if (rc != PRT_SUCCESS) return rc;
  const uint64_t needed = header.size() + static_cast<uint64_t>(raster.bytes.size());
  if (ctx.buffer.empty() || ctx.capacity() - ctx.used < needed) return PRT_ERR_BUFFER_TOO_SMALL;
  prt::AppendCommand(ctx, header);
  return prt::AppendCommand(ctx, raster.bytes);
}

int32_t PrintImage(PrtPrinter &printer, int32_t x, int32_t y, int32_t mode,
                   const std::string &path) {
  PrtCommandContext &ctx = *printer.context;
  prt::PrinterRaster raster;
  int32_t rc = prt::LoadInvertedRaster(path, LimitsFor(ctx), raster);
  if (rc != PRT_SUCCESS) return rc;
  const uint64_t reserve = raster.bytes.size() + uint64_t{kRasterReserve};
  if (ctx.growable && ctx.capacity() - ctx.used < reserve) {
    if (reserve > UINT32_MAX) return PRT_ERR_OUT_OF_MEMORY;
    rc = prt::GrowCommandBuffer(ctx, static_cast<uint32_t>(reserve));
    if (rc != PRT_SUCCESS) return rc;
  }
  rc = AppendBitmap(ctx, x, y, mode, raster);
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
