// CPCL exports that carry caller text: text, bar code, QR code, PDF417,
// each in an 8-bit and a UTF-16 variant.
#include "cpcl_command.h"
#include "cpcl_tables.h"
#include "pelican.h"

using pelican::InRange;
using prt::AppendFormatted;
using prt::kLongCommandArea;
using prt::PrtCommandContext;

namespace {

struct TextArgs {
  int32_t rotate, font, size, x, y;
};

int32_t AppendText(PrtCommandContext &ctx, const TextArgs &a, const char *text) {
  if (!pelican::IsTextFont(a.font) || !InRange(a.size, 0, 7) || text == nullptr) {
    return PRT_ERR_PARAMETER;
  }
  return AppendFormatted(ctx, kLongCommandArea, "%s %d %d %d %d %s\r\n",
                         pelican::TextCommandWord(a.rotate), a.font, a.size, a.x, a.y, text);
}

struct BarcodeArgs {
  int32_t vertical, type, width, ratio, height, x, y;
};

int32_t AppendBarcode(PrtCommandContext &ctx, const BarcodeArgs &a, const char *data) {
  const char *name = pelican::Lookup(pelican::kBarcodeNames, a.type);
  if (name == nullptr || !pelican::IsBarcodeRatio(a.ratio) || data == nullptr) {
    return PRT_ERR_PARAMETER;
  }
  return AppendFormatted(ctx, kLongCommandArea, "%s %s %d %d %d %d %d %s\r\n",
                         a.vertical != 0 ? "VBARCODE" : "BARCODE", name, a.width, a.ratio, a.height,
                         a.x, a.y, data);
}

struct QrArgs {
  int32_t vertical, x, y, model, unit, level;
};

int32_t AppendQr(PrtCommandContext &ctx, const QrArgs &a, const char *data) {
  if (!InRange(a.model, 1, 2) || data == nullptr) return PRT_ERR_PARAMETER;
  return AppendFormatted(ctx, kLongCommandArea, "%s %d %d M %d U %d \r\n%c,%s\r\nENDQR\r\n",
                         a.vertical != 0 ? "VB QR" : "B QR", a.x, a.y, a.model, a.unit,
                         pelican::QrLevelLetter(a.level), data);
}

struct Pdf417Args {
  int32_t vertical, x, y, xd, yd, columns, rows, security;
};

int32_t AppendPdf417(PrtCommandContext &ctx, const Pdf417Args &a, const char *data) {
  if (!InRange(a.columns, 1, 30) || !InRange(a.rows, 0, 90) || !InRange(a.security, 0, 8) ||
      data == nullptr) {
    return PRT_ERR_PARAMETER;
  }
  return AppendFormatted(
      ctx, kLongCommandArea,
      "%sBARCODE PDF-417 %d %d XD %d YD %d C %d R %d S %d B0\r\n%s\r\nENDPDF\r\n",
      a.vertical != 0 ? "V" : "", a.x, a.y, a.xd, a.yd, a.columns, a.rows, a.security, data);
}

// Binds an Append* function and its arguments for the A and W runners.
template <typename Args>
auto Bind(int32_t (*append)(PrtCommandContext &, const Args &, const char *), const Args &args) {
  return
      [append, &args](PrtCommandContext &ctx, const char *text) { return append(ctx, args, text); };
}

template <typename Args>
int32_t RunNarrow(PrtHandle handle,
                  int32_t (*append)(PrtCommandContext &, const Args &, const char *),
                  const Args &args, const char *text) {
  auto bound = Bind(append, args);
  return pelican::RunCpcl(handle, [&](PrtCommandContext &ctx) { return bound(ctx, text); });
}

template <typename Args>
int32_t RunWide(PrtHandle handle,
                int32_t (*append)(PrtCommandContext &, const Args &, const char *),
                const Args &args, const PrtWChar *text) {
  return pelican::RunCpclWide(handle, text, Bind(append, args));
}

}  // namespace

extern "C" PRT_API int32_t CPCL_AddText(PrtHandle handle, int32_t rotate, int32_t font,
                                        int32_t size, int32_t x, int32_t y, const char *text) {
  return RunNarrow(handle, AppendText, TextArgs{rotate, font, size, x, y}, text);
}

extern "C" PRT_API int32_t CPCL_AddTextW(PrtHandle handle, int32_t rotate, int32_t font,
                                         int32_t size, int32_t x, int32_t y, const PrtWChar *text) {
  return RunWide(handle, AppendText, TextArgs{rotate, font, size, x, y}, text);
}

extern "C" PRT_API int32_t CPCL_AddBarCodeA(PrtHandle handle, int32_t vertical, int32_t type,
                                            int32_t width, int32_t ratio, int32_t height, int32_t x,
                                            int32_t y, const char *data) {
  return RunNarrow(handle, AppendBarcode, BarcodeArgs{vertical, type, width, ratio, height, x, y},
                   data);
}

extern "C" PRT_API int32_t CPCL_AddBarCodeW(PrtHandle handle, int32_t vertical, int32_t type,
                                            int32_t width, int32_t ratio, int32_t height, int32_t x,
                                            int32_t y, const PrtWChar *data) {
  return RunWide(handle, AppendBarcode, BarcodeArgs{vertical, type, width, ratio, height, x, y},
                 data);
}

extern "C" PRT_API int32_t CPCL_AddQRCodeA(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                           int32_t model, int32_t unit, int32_t level,
                                           const char *data) {
  return RunNarrow(handle, AppendQr, QrArgs{vertical, x, y, model, unit, level}, data);
}

extern "C" PRT_API int32_t CPCL_AddQRCodeW(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                           int32_t model, int32_t unit, int32_t level,
                                           const PrtWChar *data) {
  return RunWide(handle, AppendQr, QrArgs{vertical, x, y, model, unit, level}, data);
}

extern "C" PRT_API int32_t CPCL_AddPDF417A(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                           int32_t xd, int32_t yd, int32_t columns, int32_t rows,
                                           int32_t security, const char *data) {
  return RunNarrow(handle, AppendPdf417,
                   Pdf417Args{vertical, x, y, xd, yd, columns, rows, security}, data);
}

extern "C" PRT_API int32_t CPCL_AddPDF417W(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                           int32_t xd, int32_t yd, int32_t columns, int32_t rows,
                                           int32_t security, const PrtWChar *data) {
  return RunWide(handle, AppendPdf417, Pdf417Args{vertical, x, y, xd, yd, columns, rows, security},
                 data);
}
