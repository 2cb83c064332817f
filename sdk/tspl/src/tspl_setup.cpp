// TSPL_Setup: four lines, appended one by one and sent in one write.
#include "heron.h"
#include "tspl_command.h"

using prt::AppendFormatted;
using prt::kShortCommandArea;
using prt::PrtCommandContext;

namespace {

constexpr uint32_t kSetupReserve = 32;

bool InRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

// Each line is a command of its own: capability, checks, room.  The first
// failure stops the sequence; lines already appended stay pending.
int32_t AppendSetupLines(PrtCommandContext &ctx, int32_t width, int32_t height, int32_t speed,
                         int32_t density, int32_t gap, int32_t gapOffset) {
  int32_t rc = heron::CheckTspl(ctx);
  if (rc == PRT_SUCCESS) {
    rc = AppendFormatted(ctx, kShortCommandArea, "SIZE %d%s,%d%s\r\n", width, "mm", height, "mm");
  }
  if (rc != PRT_SUCCESS) return rc;
  if (!InRange(speed, 1, 7)) return PRT_ERR_PARAMETER;
  rc = AppendFormatted(ctx, kShortCommandArea, "SPEED %d\r\n", speed);
  if (rc != PRT_SUCCESS) return rc;
  if (!InRange(density, 0, 6)) return PRT_ERR_PARAMETER;
  rc = AppendFormatted(ctx, kShortCommandArea, "DENSITY %d\r\n", density);
  if (rc != PRT_SUCCESS) return rc;
  return AppendFormatted(ctx, kShortCommandArea, "GAP %d%s,%d%s\r\n", gap, "mm", gapOffset, "mm");
}

}  // namespace

extern "C" PRT_API int32_t TSPL_Setup(PrtHandle handle, int32_t width, int32_t height,
                                      int32_t speed, int32_t density, int32_t gap,
                                      int32_t gapOffset) {
  return prt::RunCommand(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (ctx.growable && ctx.capacity() - ctx.used < kSetupReserve) {
      int32_t rc = prt::GrowCommandBuffer(ctx, kSetupReserve);
      if (rc != PRT_SUCCESS) return rc;
    }
    return AppendSetupLines(ctx, width, height, speed, density, gap, gapOffset);
  });
}
