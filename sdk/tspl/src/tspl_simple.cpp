// TSPL exports whose command is a fixed line or a few numbers.
#include "heron.h"
#include "tspl_command.h"
#include "tspl_page.h"

using heron::RunFixedLine;
using heron::RunTspl;
using prt::AppendFormatted;
using prt::kShortCommandArea;
using prt::PrtCommandContext;

namespace {
constexpr int32_t kMaxFeed = 65535;
}

extern "C" PRT_API int32_t TSPL_SelfTest(PrtHandle handle) {
  return RunFixedLine(handle, "SELFTEST\r\n");
}

extern "C" PRT_API int32_t TSPL_ClearBuffer(PrtHandle handle) {
  return RunFixedLine(handle, "CLS\r\n");
}

extern "C" PRT_API int32_t TSPL_FormFeed(PrtHandle handle) {
  return RunFixedLine(handle, "FORMFEED\r\n");
}

extern "C" PRT_API int32_t TSPL_Home(PrtHandle handle) {
  return RunFixedLine(handle, "HOME\r\n");
}

extern "C" PRT_API int32_t TSPL_Learn(PrtHandle handle) {
  return RunFixedLine(handle, "ZZZLEARN\r\n");
}

extern "C" PRT_API int32_t TSPL_Box(PrtHandle handle, int32_t xStart, int32_t yStart, int32_t xEnd,
                                    int32_t yEnd, int32_t thickness) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "BOX %d,%d,%d,%d,%d\r\n", xStart, yStart, xEnd,
                           yEnd, thickness);
  });
}

extern "C" PRT_API int32_t TSPL_Print(PrtHandle handle, int32_t sets, int32_t copies) {
  return RunTspl(handle,
                 [&](PrtCommandContext &ctx) { return heron::AppendPrint(ctx, sets, copies); });
}

extern "C" PRT_API int32_t TSPL_SetTear(PrtHandle handle, int32_t on) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "SET TEAR %s\r\n", on != 0 ? "ON" : "OFF");
  });
}

extern "C" PRT_API int32_t TSPL_Offset(PrtHandle handle, int32_t offset) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "OFFSET %d%s\r\n", offset, "mm");
  });
}

extern "C" PRT_API int32_t TSPL_Direction(PrtHandle handle, int32_t direction) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "DIRECTION %d\r\n", direction != 0 ? 1 : 0);
  });
}

extern "C" PRT_API int32_t TSPL_Feed(PrtHandle handle, int32_t length) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (length < 0 || length > kMaxFeed) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kShortCommandArea, "FEED %d\r\n", length);
  });
}
