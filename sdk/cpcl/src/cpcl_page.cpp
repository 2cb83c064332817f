#include "cpcl_page.h"

#include <array>
#include <span>
#include <string>

#include "cpcl_command.h"
#include "cpcl_tables.h"
#include "image/rasterizer.h"

using prt::AppendFormatted;
using prt::kShortCommandArea;
using prt::PrtCommandContext;

namespace pelican {
namespace {

constexpr int32_t kResolution = 200;  // dots per inch the header declares
constexpr uint32_t kRasterReserve = 32;
constexpr uint32_t kLineReserve = 64;
constexpr int32_t kMaxWidthBytes = 999;
constexpr int32_t kMaxHeight = 65535;
constexpr int32_t kMaxCopies = 1024;

// Capability, argument range, then size: an empty block or rows wider
// than the model prints are refused (-25) before the buffer grows.
int32_t CheckGraphics(const PrtCommandContext &ctx, const GraphicsBlock &b) {
  int32_t rc = CheckCpcl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  if (!InRange(b.widthBytes, 0, kMaxWidthBytes) || b.height < 0 || b.raster == nullptr) {
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

bool ValidSetup(const LabelSetup &s) {
  return InRange(s.heightDots, 1, kMaxHeight) && InRange(s.copies, 1, kMaxCopies) &&
         InRange(s.pageWidthDots, 0, kMaxWidthBytes * 8) && InRange(s.contrast, -1, 3) &&
         InRange(s.speed, -1, 5);
}

// A fixed buffer never grows: the line then fails for room.
int32_t AppendLine(PrtCommandContext &ctx, const std::string &line) {
  const uint32_t room = static_cast<uint32_t>(line.size()) + kLineReserve;
  int32_t rc = ctx.growable ? prt::EnsureRoom(ctx, room) : PRT_SUCCESS;
  return rc != PRT_SUCCESS ? rc : AppendFormatted(ctx, kShortCommandArea, "%s\r\n", line.c_str());
}

// Appends every line or, on the first failure, takes them all back out.
int32_t AppendLines(PrtCommandContext &ctx, std::span<const std::string> lines) {
  const uint32_t before = ctx.used;
  for (const std::string &line : lines) {
    int32_t rc = AppendLine(ctx, line);
    if (rc != PRT_SUCCESS) {
      ctx.used = before;
      return rc;
    }
  }
  return PRT_SUCCESS;
}

}  // namespace

int32_t AppendLabelHeader(PrtCommandContext &ctx, int32_t offset, int32_t height, int32_t qty) {
  int32_t rc = CheckCpcl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  return AppendFormatted(ctx, kShortCommandArea, "! %d %d %d %d %d\r\n", offset, kResolution,
                         kResolution, height, qty);
}

int32_t AppendLabelStart(PrtCommandContext &ctx, const LabelSetup &setup) {
  int32_t rc = CheckCpcl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  if (!ValidSetup(setup)) return PRT_ERR_PARAMETER;
  const uint32_t before = ctx.used;
  rc = ctx.growable ? prt::EnsureRoom(ctx, kLineReserve) : PRT_SUCCESS;
  if (rc == PRT_SUCCESS) rc = AppendLabelHeader(ctx, 0, setup.heightDots, setup.copies);
  if (rc != PRT_SUCCESS) return rc;
  std::string lines[4];
  size_t count = 0;
  if (setup.pageWidthDots > 0) lines[count++] = "PAGE-WIDTH " + std::to_string(setup.pageWidthDots);
  if (setup.contrast >= 0) lines[count++] = "CONTRAST " + std::to_string(setup.contrast);
  if (setup.speed >= 0) lines[count++] = "SPEED " + std::to_string(setup.speed);
  if (setup.sensing == prt::MediaSensing::kGap) lines[count++] = "GAP-SENSE";
  if (setup.sensing == prt::MediaSensing::kBlackMark) lines[count++] = "BAR-SENSE";
  rc = AppendLines(ctx, std::span(lines, count));
  if (rc != PRT_SUCCESS) ctx.used = before;
  return rc;
}

int32_t AppendGraphics(PrtCommandContext &ctx, const GraphicsBlock &b) {
  int32_t rc = CheckGraphics(ctx, b);
  if (rc == PRT_SUCCESS) rc = MakeRoom(ctx, b.size());
  if (rc != PRT_SUCCESS) return rc;
  std::string header;
  rc = prt::FormatCommand(header, kShortCommandArea, "%sCOMPRESSED-GRAPHICS %d %d %d %d ",
                          b.vertical != 0 ? "V" : "", b.widthBytes, b.height, b.x, b.y);
  if (rc != PRT_SUCCESS) return rc;
  if (ctx.buffer.empty() || ctx.capacity() - ctx.used < header.size() + uint64_t{b.size()}) {
    return PRT_ERR_BUFFER_TOO_SMALL;
  }
  prt::AppendCommand(ctx, header);
  return prt::AppendCommand(ctx, std::span(b.raster, b.size()));
}

int32_t AppendLabelEnd(PrtCommandContext &ctx, prt::MediaSensing sensing) {
  int32_t rc = CheckCpcl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  // Graphics data ends without a line end: an empty line closes it.
  // Continuous paper has no next label to feed to.
  if (sensing == prt::MediaSensing::kContinuous) {
    return AppendLines(ctx, std::array<std::string, 2>{"", "PRINT"});
  }
  return AppendLines(ctx, std::array<std::string, 3>{"", "FORM", "PRINT"});
}

}  // namespace pelican
