// TSPL exports that carry caller text: bar code, QR code and text.
#include <cstring>

#include "heron.h"
#include "tspl_command.h"
#include "tspl_fields.h"

using heron::RunTspl;
using prt::AppendFormatted;
using prt::PrtCommandContext;

namespace {

constexpr size_t kBarcodeArea = 509;
constexpr size_t kQrArea = 1019;
constexpr size_t kQrContentLimit = 1020;  // content bytes refused from here on

}  // namespace

extern "C" PRT_API int32_t TSPL_BarCode(PrtHandle handle, int32_t x, int32_t y, int32_t type,
                                        int32_t height, int32_t readable, int32_t rotation,
                                        int32_t narrow, int32_t wide, const char *content) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    const char *name = heron::BarcodeName(type);
    if (name == nullptr || content == nullptr) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kBarcodeArea, "BARCODE %d,%d,\"%s\",%d,%d,%d,%d,%d,\"%s\"\r\n", x,
                           y, name, height, readable != 0 ? 1 : 0, heron::NormalRotation(rotation),
                           narrow, wide, content);
  });
}

extern "C" PRT_API int32_t TSPL_QrCode(PrtHandle handle, int32_t x, int32_t y, int32_t level,
                                       int32_t cellWidth, int32_t mode, int32_t rotation,
                                       int32_t model, int32_t mask, const char *content) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (content == nullptr) return PRT_ERR_PARAMETER;
    if (std::strlen(content) >= kQrContentLimit) return PRT_ERR_BUFFER_TOO_SMALL;
    if (cellWidth < 1 || cellWidth > 10) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, kQrArea, "QRCODE %d,%d,%c,%d,%c,%d,%s,S%d,%s\r\n", x, y,
                           heron::QrLevelLetter(level), cellWidth, mode != 0 ? 'M' : 'A',
                           heron::NormalRotation(rotation), model != 0 ? "M2" : "M1",
                           heron::QrMask(mask), content);
  });
}

extern "C" PRT_API int32_t TSPL_Text(PrtHandle handle, int32_t x, int32_t y, int32_t font,
                                     int32_t rotation, int32_t xMul, int32_t yMul,
                                     const char *text) {
  return RunTspl(handle, [&](PrtCommandContext &ctx) -> int32_t {
    if (text == nullptr) return PRT_ERR_PARAMETER;
    return AppendFormatted(ctx, prt::kShortCommandArea, "TEXT %d,%d,\"%s\",%d,%d,%d,\"%s\"\r\n", x,
                           y, heron::FontName(font).c_str(), heron::NormalRotation(rotation), xMul,
                           yMul, text);
  });
}
