#include "barcode_symbol.h"

#include <zint.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

namespace ravo::sim {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

int TsplSymbology(const std::string &name) {
  static const std::map<std::string, int> table = {
      {"128", BARCODE_CODE128},     {"128M", BARCODE_CODE128},     {"EAN128", BARCODE_GS1_128},
      {"25", BARCODE_C25INTER},     {"25C", BARCODE_C25INTER},     {"39", BARCODE_EXCODE39},
      {"39C", BARCODE_EXCODE39},    {"39S", BARCODE_CODE39},       {"93", BARCODE_CODE93},
      {"EAN13", BARCODE_EANX},      {"EAN13+2", BARCODE_EANX},     {"EAN13+5", BARCODE_EANX},
      {"EAN8", BARCODE_EANX},       {"EAN8+2", BARCODE_EANX},      {"EAN8+5", BARCODE_EANX},
      {"CODA", BARCODE_CODABAR},    {"POST", BARCODE_POSTNET},     {"UPCA", BARCODE_UPCA},
      {"UPCA+2", BARCODE_UPCA},     {"UPCA+5", BARCODE_UPCA},      {"UPCE", BARCODE_UPCE},
      {"UPCE+2", BARCODE_UPCE},     {"UPCE+5", BARCODE_UPCE},      {"CPOST", BARCODE_AUSPOST},
      {"MSI", BARCODE_MSI_PLESSEY}, {"MSIC", BARCODE_MSI_PLESSEY}, {"PLESSEY", BARCODE_PLESSEY},
      {"ITF14", BARCODE_ITF14},     {"EAN14", BARCODE_EAN14},      {"11", BARCODE_CODE11}};
  const auto it = table.find(name);
  return it == table.end() ? BARCODE_CODE128 : it->second;
}

int CpclSymbology(const std::string &name) {
  if (name.starts_with("128")) return BARCODE_CODE128;
  if (name.starts_with("UCCEAN128")) return BARCODE_GS1_128;
  if (name == "39" || name == "39C" || name == "F39" || name == "F39C") return BARCODE_EXCODE39;
  if (name == "93") return BARCODE_CODE93;
  if (name.starts_with("CODABAR") || name.starts_with("NW7")) return BARCODE_CODABAR;
  if (name.starts_with("EAN") || name.starts_with("PLUS")) return BARCODE_EANX;
  if (name.starts_with("I2OF5")) return BARCODE_C25INTER;
  if (name.starts_with("INDUST2OF5")) return BARCODE_C25IND;
  if (name.starts_with("MSI")) return BARCODE_MSI_PLESSEY;
  if (name == "PLESSEY") return BARCODE_PLESSEY;
  if (name == "POSTNET") return BARCODE_POSTNET;
  if (name.starts_with("UPCA")) return BARCODE_UPCA;
  if (name.starts_with("UPCE")) return BARCODE_UPCE;
  return BARCODE_CODE128;
}

// Encodes and rasterises; zint's raster X-dimension is two pixels per unit
// of scale.
QImage Encode(Symbol &symbol, const std::string &data) {
  symbol->whitespace_width = 0;
  symbol->border_width = 0;
  if (data.empty() ||
      ZBarcode_Encode_and_Buffer(symbol.get(), reinterpret_cast<const unsigned char *>(data.data()),
                                 static_cast<int>(data.size()), 0) >= ZINT_ERROR)
    return {};
  const int w = symbol->bitmap_width;
  const int h = symbol->bitmap_height;
  QImage image(w, h, QImage::Format_Grayscale8);
  for (int y = 0; y < h; ++y) {
    uchar *row = image.scanLine(y);
    for (int x = 0; x < w; ++x) {
      const unsigned char *rgb = symbol->bitmap + 3 * (y * w + x);
      row[x] = (rgb[0] + rgb[1] + rgb[2]) / 3 < 128 ? 0 : 255;
    }
  }
  return image;
}

Symbol NewSymbol(int symbology) {
  Symbol s(ZBarcode_Create());
  s->symbology = symbology;
  return s;
}

}  // namespace

QImage BarcodeImage(const Element &e) {
  const int symbology = e.cpcl ? CpclSymbology(e.symbology) : TsplSymbology(e.symbology);
  for (int attempt : {symbology, static_cast<int>(BARCODE_CODE128)}) {
    Symbol s = NewSymbol(attempt);
    s->scale = static_cast<float>(e.narrow) / 2.0f;
    s->height = static_cast<float>(e.size) / static_cast<float>(e.narrow);
    s->show_hrt = e.readable ? 1 : 0;
    QImage image = Encode(s, e.data);
    if (!image.isNull()) return image;
  }
  return {};
}

QImage QrImage(const Element &e) {
  Symbol s = NewSymbol(BARCODE_QRCODE);
  s->scale = static_cast<float>(e.size) / 2.0f;
  switch (e.ecc) {
    case 'L':
      s->option_1 = 1;
      break;
    case 'Q':
      s->option_1 = 3;
      break;
    case 'H':
      s->option_1 = 4;
      break;
    default:
      s->option_1 = 2;
      break;
  }
  return Encode(s, e.data);
}

QImage Pdf417Image(const Element &e) {
  Symbol s = NewSymbol(BARCODE_PDF417);
  s->scale = static_cast<float>(e.narrow) / 2.0f;
  s->option_2 = e.mul_x;  // columns, 0 = automatic
  QImage image = Encode(s, e.data);
  if (image.isNull()) return image;
  // Row height in dots comes from YD relative to the module width.
  const int factor = std::max(1, e.size / std::max(1, e.narrow * 3));
  return image.scaled(image.width(), image.height() * factor);
}

}  // namespace ravo::sim
