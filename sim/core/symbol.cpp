#include "symbol.h"

#include <zint.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace ravo::sim {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};

// Libzint keeps a row's modules as bits, lowest bit leftmost.
bool ModuleIsSet(const zint_symbol &s, int row, int column) {
  return (s.encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

struct Named {
  std::string_view name;
  int symbology;
};

// The TSPL reference's bar-code types.
constexpr Named kTspl[] = {
    {"128", BARCODE_CODE128},     {"128M", BARCODE_CODE128},     {"EAN128", BARCODE_GS1_128},
    {"25", BARCODE_C25INTER},     {"25C", BARCODE_C25INTER},     {"39", BARCODE_EXCODE39},
    {"39C", BARCODE_EXCODE39},    {"39S", BARCODE_CODE39},       {"93", BARCODE_CODE93},
    {"EAN13", BARCODE_EANX},      {"EAN13+2", BARCODE_EANX},     {"EAN13+5", BARCODE_EANX},
    {"EAN8", BARCODE_EANX},       {"EAN8+2", BARCODE_EANX},      {"EAN8+5", BARCODE_EANX},
    {"CODA", BARCODE_CODABAR},    {"POST", BARCODE_POSTNET},     {"UPCA", BARCODE_UPCA},
    {"UPCA+2", BARCODE_UPCA},     {"UPCA+5", BARCODE_UPCA},      {"UPCE", BARCODE_UPCE},
    {"UPCE+2", BARCODE_UPCE},     {"UPCE+5", BARCODE_UPCE},      {"CPOST", BARCODE_AUSPOST},
    {"MSI", BARCODE_MSI_PLESSEY}, {"MSIC", BARCODE_MSI_PLESSEY}, {"PLESSEY", BARCODE_PLESSEY},
    {"ITF14", BARCODE_ITF14},     {"EAN14", BARCODE_EAN14},      {"11", BARCODE_CODE11},
};

// The CPCL reference's types.
constexpr Named kCpcl[] = {
    {"128", BARCODE_CODE128},         {"UCCEAN128", BARCODE_GS1_128},
    {"39", BARCODE_EXCODE39},         {"39C", BARCODE_EXCODE39},
    {"F39", BARCODE_EXCODE39},        {"F39C", BARCODE_EXCODE39},
    {"93", BARCODE_CODE93},           {"CODABAR", BARCODE_CODABAR},
    {"CODABAR16", BARCODE_CODABAR},   {"EAN8", BARCODE_EANX},
    {"EAN82", BARCODE_EANX},          {"EAN85", BARCODE_EANX},
    {"EAN13", BARCODE_EANX},          {"EAN132", BARCODE_EANX},
    {"EAN135", BARCODE_EANX},         {"I2OF5", BARCODE_C25INTER},
    {"I2OF5C", BARCODE_C25INTER},     {"I2OF5G", BARCODE_C25INTER},
    {"MSI", BARCODE_MSI_PLESSEY},     {"MSI10", BARCODE_MSI_PLESSEY},
    {"MSI1010", BARCODE_MSI_PLESSEY}, {"MSI1110", BARCODE_MSI_PLESSEY},
    {"PLESSEY", BARCODE_PLESSEY},     {"POSTNET", BARCODE_POSTNET},
    {"UPCA", BARCODE_UPCA},           {"UPCA2", BARCODE_UPCA},
    {"UPCA5", BARCODE_UPCA},          {"UPCE", BARCODE_UPCE},
    {"UPCE2", BARCODE_UPCE},          {"UPCE5", BARCODE_UPCE},
};

template <size_t N>
int Find(const Named (&table)[N], std::string_view name) {
  for (const Named &n : table)
    if (n.name == name) return n.symbology;
  return 0;
}

}  // namespace

std::optional<Symbol> EncodeSymbol(const SymbolRequest &request) {
  if (request.symbology == 0 || request.data.empty()) return std::nullopt;
  std::unique_ptr<zint_symbol, SymbolDeleter> s(ZBarcode_Create());
  if (!s) return std::nullopt;
  s->symbology = request.symbology;
  s->input_mode = DATA_MODE;
  s->option_1 = request.option_1;
  s->option_2 = request.option_2;
  s->option_3 = request.option_3;
  const int result =
      ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char *>(request.data.data()),
                      static_cast<int>(request.data.size()));
  if (result >= ZINT_ERROR || s->rows <= 0 || s->width <= 0) return std::nullopt;
  Symbol out;
  out.columns = s->width;
  out.rows = s->rows;
  out.dark.resize(static_cast<size_t>(out.rows) * out.columns);
  for (int r = 0; r < out.rows; ++r)
    for (int c = 0; c < out.columns; ++c)
      out.dark[static_cast<size_t>(r) * out.columns + c] = ModuleIsSet(*s, r, c);
  out.text = reinterpret_cast<const char *>(s->text);
  return out;
}

int ReadableHeight(const Element &e) {
  return e.readable_size > 0 ? e.readable_size : std::min(36, 16 + 4 * e.narrow);
}

int DataMatrixModule(const Element &e, const Symbol &symbol) {
  if (e.size > 0) return e.size;
  if (e.x1 <= 0 || e.y1 <= 0) return 4;
  return std::max(1, std::min(e.x1 / symbol.columns, e.y1 / symbol.rows));
}

Extent SymbolExtent(const Element &e, const Symbol &symbol) {
  switch (e.kind) {
    case Element::Kind::kQrCode:
      return {symbol.columns * e.size, symbol.rows * e.size};
    case Element::Kind::kDataMatrix: {
      const int module = DataMatrixModule(e, symbol);
      return {symbol.columns * module, symbol.rows * module};
    }
    case Element::Kind::kPdf417:
      return {symbol.columns * e.narrow, symbol.rows * e.size};
    default: {
      const int line = ReadableHeight(e) + e.readable_gap;
      return {symbol.columns * e.narrow,
              e.size + (e.readable ? line : 0) + (e.readable_above ? line : 0)};
    }
  }
}

int TsplBarcodeSymbology(std::string_view name) {
  return Find(kTspl, name);
}

int CpclBarcodeSymbology(std::string_view name) {
  return Find(kCpcl, name);
}

// GS k: 0..6 (NUL-terminated forms) and 65.. (counted forms).
int EscPosBarcodeSymbology(int m) {
  static constexpr int kByNumber[] = {
      BARCODE_UPCA,     BARCODE_UPCE,     BARCODE_EANX,     BARCODE_EANX,    BARCODE_CODE39,
      BARCODE_C25INTER, BARCODE_CODABAR,  BARCODE_CODE93,   BARCODE_CODE128, BARCODE_GS1_128,
      BARCODE_DBAR_OMN, BARCODE_DBAR_OMN, BARCODE_DBAR_LTD, BARCODE_DBAR_EXP};
  if (m >= 0 && m <= 6) return kByNumber[m];
  if (m >= 65 && m <= 78) return kByNumber[m - 65];
  return 0;
}

int QrSymbology() {
  return BARCODE_QRCODE;
}

int Pdf417Symbology() {
  return BARCODE_PDF417;
}

int DataMatrixSymbology() {
  return BARCODE_DATAMATRIX;
}

int DataMatrixSizeOption(int rows, int columns) {
  // Libzint's numbering of the ECC 200 sizes (rows x columns).
  static constexpr std::pair<int, int> kSizes[] = {
      {10, 10}, {12, 12}, {14, 14}, {16, 16}, {18, 18},   {20, 20},   {22, 22},   {24, 24},
      {26, 26}, {32, 32}, {36, 36}, {40, 40}, {44, 44},   {48, 48},   {52, 52},   {64, 64},
      {72, 72}, {80, 80}, {88, 88}, {96, 96}, {104, 104}, {120, 120}, {132, 132}, {144, 144},
      {8, 18},  {8, 32},  {12, 26}, {12, 36}, {16, 36},   {16, 48}};
  for (size_t i = 0; i < std::size(kSizes); ++i)
    if (kSizes[i].first == rows && kSizes[i].second == columns) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace ravo::sim
