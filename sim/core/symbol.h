// Bar codes and 2-D symbols encoded by libzint into a grid of modules.
// The grid is all the layout needs (a receipt must know how tall a QR code
// is before it places the next line); drawing it is the renderer's job.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "label.h"

namespace ravo::sim {

struct SymbolRequest {
  int symbology = 0;  // libzint BARCODE_*; 0 = none
  std::string data;   // raw bytes, encoded as they are
  int option_1 = -1;  // libzint's symbology-specific options
  int option_2 = 0;
  int option_3 = 0;
};

struct Symbol {
  int columns = 0;
  int rows = 0;
  std::vector<uint8_t> dark;  // rows * columns, row by row, 1 = dark module
  std::string text;           // the human-readable line of a linear code, UTF-8
  bool Dark(int row, int column) const { return dark[static_cast<size_t>(row) * columns + column]; }
};

// Nothing when the data cannot be carried by the symbology.
std::optional<Symbol> EncodeSymbol(const SymbolRequest &request);

// The dots a symbol element covers: bars or modules scaled by the
// element's sizes, with the human-readable lines of a linear code.
struct Extent {
  int width = 0;
  int height = 0;
};
Extent SymbolExtent(const Element &e, const Symbol &symbol);
// Dots of one Data Matrix module: given, or fitted to the element's area.
int DataMatrixModule(const Element &e, const Symbol &symbol);
// Text height of a linear code's human-readable line.
int ReadableHeight(const Element &e);

// Bar-code names and numbers of the printer languages, as libzint
// symbologies; 0 for a name the language does not define.
int TsplBarcodeSymbology(std::string_view name);
int CpclBarcodeSymbology(std::string_view name);
int EscPosBarcodeSymbology(int m);

// Libzint symbologies for the 2-D symbols.
int QrSymbology();
int Pdf417Symbology();
int DataMatrixSymbology();
// Libzint's option_2 for a Data Matrix of rows x columns, 0 when no such size.
int DataMatrixSizeOption(int rows, int columns);

}  // namespace ravo::sim
