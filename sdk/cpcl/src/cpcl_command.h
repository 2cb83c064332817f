// The sequence of every CPCL command export: handle (-6), open port
// (-309), text conversion for the W variants, buffer reserve, CPCL
// capability (-3), the command's own checks and text, flush.  Each call
// returns its own result; no failure outlives the call that made it.
#pragma once

#include <cstdint>
#include <string>

#include "c_boundary.h"
#include "code_page.h"
#include "command_text.h"
#include "prt.h"

namespace pelican {

inline constexpr uint32_t kReserveBelow = 32;
inline constexpr uint32_t kReserveStep = 128;

inline int32_t CheckCpcl(const prt::PrtCommandContext &ctx) {
  return ctx.hasCapability(PRT_CAP_CPCL) ? PRT_SUCCESS : PRT_ERR_WRONG_PRINTER_TYPE;
}

// Keeps a little room ready so short commands never fail for space.
inline int32_t ReserveRoom(prt::PrtCommandContext &ctx) {
  if (!ctx.growable || ctx.capacity() - ctx.used >= kReserveBelow) return PRT_SUCCESS;
  return prt::GrowCommandBuffer(ctx, kReserveStep);
}

// Reserve, capability, then `build(ctx)`; all inside the validate-flush
// frame of the core.
template <typename Build>
int32_t BuildCpcl(prt::PrtCommandContext &ctx, Build &&build) {
  int32_t rc = ReserveRoom(ctx);
  if (rc == PRT_SUCCESS) rc = CheckCpcl(ctx);
  return rc != PRT_SUCCESS ? rc : build(ctx);
}

template <typename Build>
int32_t RunCpcl(PrtHandle handle, Build &&build) noexcept {
  return prt::RunCommand(handle,
                         [&](prt::PrtCommandContext &ctx) { return BuildCpcl(ctx, build); });
}

// W variants: the text is converted to the system code page first (a
// conversion failure returns its errno); `build(ctx, text)` gets 8-bit text.
template <typename Build>
int32_t RunCpclWide(PrtHandle handle, const PrtWChar *wide, Build &&build) noexcept {
  return prt::RunCommand(handle, [&](prt::PrtCommandContext &ctx) -> int32_t {
    if (wide == nullptr) return PRT_ERR_PARAMETER;
    std::string text;
    int32_t rc = prt::Utf16ToAnsi(prt::WideView(wide), text);
    if (rc != 0) return rc;
    return BuildCpcl(ctx, [&](prt::PrtCommandContext &c) { return build(c, text.c_str()); });
  });
}

// A command without arguments: one fixed line.
inline int32_t RunFixedLine(PrtHandle handle, const char *line) noexcept {
  return RunCpcl(handle, [&](prt::PrtCommandContext &ctx) {
    return prt::AppendFormatted(ctx, prt::kShortCommandArea, "%s", line);
  });
}

}  // namespace pelican
