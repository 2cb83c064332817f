// The sequence of every TSPL command export: handle (-6), open port
// (-309), TSPL capability (-3), the command's own checks and text, flush.
#pragma once

#include <cstdint>

#include "c_boundary.h"
#include "command_text.h"
#include "prt.h"

namespace heron {

inline int32_t CheckTspl(const prt::PrtCommandContext &ctx) {
  return ctx.hasCapability(PRT_CAP_TSPL) ? PRT_SUCCESS : PRT_ERR_WRONG_PRINTER_TYPE;
}

// `build` appends the command to the context's buffer after the
// capability test; its nonzero result is returned and nothing is sent.
template <typename Build>
int32_t RunTspl(PrtHandle handle, Build &&build) noexcept {
  return prt::RunCommand(handle, [&](prt::PrtCommandContext &ctx) -> int32_t {
    int32_t rc = CheckTspl(ctx);
    return rc != PRT_SUCCESS ? rc : build(ctx);
  });
}

// A command without arguments: one fixed line.
inline int32_t RunFixedLine(PrtHandle handle, const char *line) noexcept {
  return RunTspl(handle, [&](prt::PrtCommandContext &ctx) {
    return prt::AppendFormatted(ctx, prt::kShortCommandArea, "%s", line);
  });
}

}  // namespace heron
