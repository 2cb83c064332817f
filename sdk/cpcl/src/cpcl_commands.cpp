// CPCL exports whose command is a fixed line or a few checked numbers.
#include "cpcl_command.h"
#include "cpcl_page.h"
#include "cpcl_tables.h"
#include "pelican.h"

using pelican::InRange;
using pelican::RunCpcl;
using pelican::RunFixedLine;
using prt::AppendFormatted;
using prt::kShortCommandArea;
using prt::PrtCommandContext;

namespace {

constexpr int32_t kMaxFeed = 4000;

// "WORD value" for a value inside low..high, else -1.
int32_t RunRanged(PrtHandle handle, const char *word, int32_t value, int32_t low, int32_t high) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (!InRange(value, low, high)) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kShortCommandArea, "%s %d\r\n", word, value);
  });
}

// "WORD x0 y0 x1 y1 thickness", unchecked.
int32_t RunShape(PrtHandle handle, const char *word, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                 int32_t thickness) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "%s %d %d %d %d %d\r\n", word, x0, y0, x1, y1,
                           thickness);
  });
}

}  // namespace

extern "C" PRT_API int32_t CPCL_AddLabel(PrtHandle handle, int32_t offset, int32_t height,
                                         int32_t qty) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) {
    return pelican::AppendLabelHeader(ctx, offset, height, qty);
  });
}

extern "C" PRT_API int32_t CPCL_AddAlign(PrtHandle handle, int32_t align) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    const char *word = pelican::Lookup(pelican::kAlignWords, align);
    if (word == nullptr) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kShortCommandArea, "%s\r\n", word);
  });
}

extern "C" PRT_API int32_t CPCL_AddBarCodeText(PrtHandle handle, int32_t enable, int32_t font,
                                               int32_t size, int32_t offset) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) {
    if (enable == 0) return AppendFormatted(ctx, kShortCommandArea, "BARCODE-TEXT OFF\r\n");
    return AppendFormatted(ctx, kShortCommandArea, "BARCODE-TEXT %d %d %d\r\n", font, size, offset);
  });
}

extern "C" PRT_API int32_t CPCL_AddBox(PrtHandle handle, int32_t x0, int32_t y0, int32_t x1,
                                       int32_t y1, int32_t thickness) {
  return RunShape(handle, "BOX", x0, y0, x1, y1, thickness);
}

extern "C" PRT_API int32_t CPCL_AddLine(PrtHandle handle, int32_t x0, int32_t y0, int32_t x1,
                                        int32_t y1, int32_t thickness) {
  return RunShape(handle, "LINE", x0, y0, x1, y1, thickness);
}

extern "C" PRT_API int32_t CPCL_SetFontSize(PrtHandle handle, int32_t width, int32_t height) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (!InRange(width, 0, 16) || !InRange(height, 0, 127)) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kShortCommandArea, "SETMAG %d %d\r\n", width, height);
  });
}

extern "C" PRT_API int32_t CPCL_SetDensity(PrtHandle handle, int32_t density) {
  return RunRanged(handle, "CONTRAST", density, 0, 3);
}

extern "C" PRT_API int32_t CPCL_SetSpeed(PrtHandle handle, int32_t speed) {
  return RunRanged(handle, "SPEED", speed, 0, 5);
}

extern "C" PRT_API int32_t CPCL_SetTextSpacing(PrtHandle handle, int32_t spacing) {
  return RunRanged(handle, "SETSP", spacing, 0, 999);
}

extern "C" PRT_API int32_t CPCL_SetLeftMargin(PrtHandle handle, int32_t margin) {
  return RunRanged(handle, "LMARGIN", margin, 0, 999);
}

extern "C" PRT_API int32_t CPCL_SetTextBold(PrtHandle handle, int32_t bold) {
  return RunRanged(handle, "SETBOLD", bold, 0, 5);
}

extern "C" PRT_API int32_t CPCL_SetTextUnderline(PrtHandle handle, int32_t underline) {
  return RunCpcl(handle, [&](PrtCommandContext &ctx) {
    return AppendFormatted(ctx, kShortCommandArea, "UNDERLINE %s\r\n",
                           underline != 0 ? "ON" : "OFF");
  });
}

extern "C" PRT_API int32_t CPCL_PreFeed(PrtHandle handle, int32_t length) {
  return RunRanged(handle, "PREFEED", length, -kMaxFeed, kMaxFeed);
}

extern "C" PRT_API int32_t CPCL_PostFeed(PrtHandle handle, int32_t length) {
  return RunRanged(handle, "POSTFEED", length, -kMaxFeed, kMaxFeed);
}

extern "C" PRT_API int32_t CPCL_Abort(PrtHandle handle) {
  return RunFixedLine(handle, "ABORT\r\n");
}

extern "C" PRT_API int32_t CPCL_Print(PrtHandle handle) {
  return RunFixedLine(handle, "PRINT\r\n");
}

extern "C" PRT_API int32_t CPCL_NextLabelPos(PrtHandle handle) {
  return RunFixedLine(handle, "FORM\r\n");
}
