// The CPCL graphics block: "COMPRESSED-GRAPHICS" header followed by the
// raster, from an image file or from the caller's bytes.
#include <span>
#include <string>

#include "cpcl_command.h"
#include "cpcl_tables.h"
#include "image/printer_raster.h"
#include "pelican.h"

using prt::PrtCommandContext;

namespace {

constexpr uint32_t kRasterReserve = 32;
constexpr int32_t kMaxWidthBytes = 999;
// Images have no height limit of their own beyond what the header can
// carry; the buffer's growth is the practical bound.
constexpr uint32_t kUnlimitedHeight = INT32_MAX;

struct Block {
  int32_t vertical, widthBytes, height, x, y;
  const uint8_t *raster;  // widthBytes * height bytes

  size_t size() const { return static_cast<size_t>(widthBytes) * static_cast<size_t>(height); }
};

// Capability, argument range, then size: an empty block or rows wider
// than the model prints are refused (-25) before the buffer grows.
int32_t CheckBlock(const PrtCommandContext &ctx, const Block &b) {
  int32_t rc = pelican::CheckCpcl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  if (!pelican::InRange(b.widthBytes, 0, kMaxWidthBytes) || b.height < 0 || b.raster == nullptr) {
    return PRT_ERR_PARAMETER;
  }
  const auto maxWidthBytes = static_cast<int32_t>(prt::RasterRowBytes(ctx.rasterWidth()));
  if (b.widthBytes == 0 || b.height == 0 || b.widthBytes > maxWidthBytes) {
    return PRT_ERR_IMAGE_SIZE;
  }
  return PRT_SUCCESS;
}

int32_t MakeRoom(PrtCommandContext &ctx, uint64_t rasterSize) {
  const uint64_t reserve = rasterSize + kRasterReserve;
  if (!ctx.growable || ctx.capacity() - ctx.used >= reserve) return PRT_SUCCESS;
  if (reserve > UINT32_MAX) return PRT_ERR_OUT_OF_MEMORY;
  return prt::GrowCommandBuffer(ctx, static_cast<uint32_t>(reserve));
}

// Header and raster go in together or not at all.
int32_t AppendBlock(PrtCommandContext &ctx, const Block &b) {
  int32_t rc = CheckBlock(ctx, b);
  if (rc == PRT_SUCCESS) rc = MakeRoom(ctx, b.size());
  if (rc != PRT_SUCCESS) return rc;
  std::string header;
  rc = prt::FormatCommand(header, prt::kShortCommandArea, "%sCOMPRESSED-GRAPHICS %d %d %d %d ",
                          b.vertical != 0 ? "V" : "", b.widthBytes, b.height, b.x, b.y);
  if (rc != PRT_SUCCESS) return rc;
  if (ctx.buffer.empty() || ctx.capacity() - ctx.used < header.size() + uint64_t{b.size()}) {
    return PRT_ERR_BUFFER_TOO_SMALL;
  }
  prt::AppendCommand(ctx, header);
  return prt::AppendCommand(ctx, std::span(b.raster, b.size()));
}

int32_t SendBlock(PrtPrinter &printer, const Block &block) {
  int32_t rc = AppendBlock(*printer.context, block);
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
