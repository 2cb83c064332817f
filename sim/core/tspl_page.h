// The TSPL image buffer and the settings that place it on the paper.
// Drawing commands add elements, CLS empties the buffer; PRINT does not
// clear it, as on a printer.  Each command method takes the command's
// arguments and returns what was wrong with them (empty when nothing was).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "label.h"

namespace ravo::sim {

class TsplPage {
 public:
  TsplPage(int width_dots, std::string code_page);

  // Settings (tspl_page.cpp).
  std::string Size(std::string_view args);
  std::string Cls(std::string_view args);
  std::string Direction(std::string_view args);
  std::string Reference(std::string_view args);
  std::string Shift(std::string_view args);
  std::string Offset(std::string_view args);
  std::string CodePage(std::string_view args);

  // Drawing (tspl_draw.cpp).
  std::string Text(std::string_view args);
  std::string Block(std::string_view args);
  std::string Box(std::string_view args);
  std::string Bar(std::string_view args);
  std::string Reverse(std::string_view args);
  std::string Erase(std::string_view args);
  std::string Circle(std::string_view args);
  std::string Ellipse(std::string_view args);
  std::string Diagonal(std::string_view args);
  // Arguments of a BITMAP header and its raster; dark dots are 0 bits.
  std::string Bitmap(std::string_view args, std::string_view raster);

  // Bar codes and 2-D symbols (tspl_symbols.cpp).
  std::string Barcode(std::string_view args);
  std::string QrCode(std::string_view args);
  std::string DataMatrix(std::string_view args);
  std::string Pdf417(std::string_view args);

  Label Snapshot() const;
  // The CODEPAGE in force as the host named it ("437" when none was set).
  const std::string &CodePageName() const { return code_page_name_; }

 private:
  std::string Add(Element &&e);
  std::string Decode(std::string_view bytes) const;

  Label label_;
  std::string code_page_;  // iconv name
  std::string code_page_name_ = "437";
  bool code_page_set_ = false;  // text is then read in that page only
  int offset_dots_ = 0;
};

// Dots for a TSPL length: "30 mm", "30mm", "240 dot" or inches; nothing
// for a malformed or negative length.
std::optional<int> TsplLength(std::string_view text);

// A TSPL string field: the surrounding quotes removed and \["] read as a
// double quote.
std::string TsplString(std::string_view field);

}  // namespace ravo::sim
