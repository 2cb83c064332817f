#include "tspl_page.h"

#include <cstdlib>
#include <string>

#include "tspl_command.h"
#include "tspl_fields.h"

using prt::AppendFormatted;
using prt::kShortCommandArea;
using prt::PrtCommandContext;

namespace heron {
namespace {

constexpr uint32_t kLineReserve = 32;
constexpr int32_t kMaxLengthHmm = 1000000;  // ten metres
constexpr int32_t kMaxDensity = 15;
constexpr int32_t kMaxSpeed = 12;
constexpr int32_t kMaxShift = 1000;
constexpr int32_t kMaxOffsetHmm = 10000;

bool InRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

// Hundredths of a millimetre as the shortest decimal: 10160 -> "101.6".
std::string Millimetres(int32_t hmm) {
  std::string text = hmm < 0 ? "-" : "";
  const int32_t magnitude = std::abs(hmm);
  text += std::to_string(magnitude / 100);
  int32_t fraction = magnitude % 100;
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

bool ValidSetup(const PageSetup &s) {
  return InRange(s.widthHmm, 1, kMaxLengthHmm) && InRange(s.lengthHmm, 1, kMaxLengthHmm) &&
         InRange(s.gapHmm, 0, kMaxLengthHmm) && InRange(s.density, -1, kMaxDensity) &&
         InRange(s.speed, 0, kMaxSpeed) && InRange(s.direction, 0, 1) &&
         InRange(s.shiftDots, -kMaxShift, kMaxShift) &&
         InRange(s.offsetHmm, -kMaxOffsetHmm, kMaxOffsetHmm);
}

// A fixed buffer never grows: the line then fails for room.
int32_t AppendLine(PrtCommandContext &ctx, const std::string &line) {
  const uint32_t room = static_cast<uint32_t>(line.size()) + kLineReserve;
  int32_t rc = ctx.growable ? prt::EnsureRoom(ctx, room) : PRT_SUCCESS;
  return rc != PRT_SUCCESS ? rc : AppendFormatted(ctx, kShortCommandArea, "%s\r\n", line.c_str());
}

std::string SensingLine(const PageSetup &s) {
  switch (s.sensing) {
    case prt::MediaSensing::kBlackMark:
      return "BLINE " + Millimetres(s.gapHmm) + "mm,0mm";
    case prt::MediaSensing::kContinuous:
      return "GAP 0,0";
    case prt::MediaSensing::kGap:
      break;
  }
  return "GAP " + Millimetres(s.gapHmm) + "mm,0mm";
}

}  // namespace

int32_t AppendPageSetup(PrtCommandContext &ctx, const PageSetup &setup) {
  int32_t rc = CheckTspl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  if (!ValidSetup(setup)) return PRT_ERR_PARAMETER;
  std::string lines[9];
  size_t count = 0;
  lines[count++] =
      "SIZE " + Millimetres(setup.widthHmm) + "mm," + Millimetres(setup.lengthHmm) + "mm";
  lines[count++] = SensingLine(setup);
  lines[count++] = "DIRECTION " + std::to_string(setup.direction);
  if (setup.density >= 0) lines[count++] = "DENSITY " + std::to_string(setup.density);
  if (setup.speed > 0) lines[count++] = "SPEED " + std::to_string(setup.speed);
  if (setup.shiftDots != 0) lines[count++] = "SHIFT " + std::to_string(setup.shiftDots);
  lines[count++] = setup.tearOff ? "SET TEAR ON" : "SET TEAR OFF";
  if (setup.tearOff) lines[count++] = "OFFSET " + Millimetres(setup.offsetHmm) + "mm";
  lines[count++] = "CLS";
  // All lines or none: a later failure takes the earlier lines back out.
  const uint32_t before = ctx.used;
  for (size_t i = 0; i < count; ++i) {
    rc = AppendLine(ctx, lines[i]);
    if (rc != PRT_SUCCESS) {
      ctx.used = before;
      return rc;
    }
  }
  return PRT_SUCCESS;
}

int32_t AppendBitmap(PrtCommandContext &ctx, int32_t x, int32_t y, int32_t mode,
                     const prt::PrinterRaster &raster) {
  const uint64_t reserve = raster.bytes.size() + uint64_t{kLineReserve};
  if (ctx.growable && ctx.capacity() - ctx.used < reserve) {
    if (reserve > UINT32_MAX) return PRT_ERR_OUT_OF_MEMORY;
    int32_t grown = prt::GrowCommandBuffer(ctx, static_cast<uint32_t>(reserve));
    if (grown != PRT_SUCCESS) return grown;
  }
  int32_t rc = CheckTspl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  std::string header;
  rc = prt::FormatCommand(header, kShortCommandArea, "BITMAP %d,%d,%u,%u,%d\r\n", x, y,
                          raster.rowBytes, raster.height, BitmapMode(mode));
  if (rc != PRT_SUCCESS) return rc;
  const uint64_t needed = header.size() + static_cast<uint64_t>(raster.bytes.size());
  if (ctx.buffer.empty() || ctx.capacity() - ctx.used < needed) return PRT_ERR_BUFFER_TOO_SMALL;
  prt::AppendCommand(ctx, header);
  return prt::AppendCommand(ctx, raster.bytes);
}

int32_t AppendPrint(PrtCommandContext &ctx, int32_t sets, int32_t copies) {
  int32_t rc = CheckTspl(ctx);
  if (rc != PRT_SUCCESS) return rc;
  return AppendFormatted(ctx, kShortCommandArea, "PRINT %d,%d\r\n", sets, copies);
}

}  // namespace heron
