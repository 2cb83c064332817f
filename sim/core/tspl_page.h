// The TSPL image buffer: drawing commands add elements, CLS empties it,
// SIZE sets the label height.  PRINT does not clear it, as on a printer.
#pragma once

#include <string>
#include <string_view>

#include "label.h"

namespace ravo::sim {

class TsplPage {
 public:
  TsplPage(int width_dots, std::string code_page);

  // Handles SIZE, CLS and the drawing words; false for any other word.
  bool Apply(std::string_view word, std::string_view args);
  // Raster after a BITMAP header line; dark dots are 0 bits.
  void AddBitmap(std::string_view header_args, std::string_view raster);
  Label Snapshot() const;

 private:
  void AddText(std::string_view args);
  void AddBarcode(std::string_view args);
  void AddQrCode(std::string_view args);
  void SetSize(std::string_view args);

  Label label_;
  std::string code_page_;
};

// Dots for a TSPL length: "30 mm", "30mm", "240 dot" or inches.
int TsplLengthToDots(std::string_view text);

}  // namespace ravo::sim
