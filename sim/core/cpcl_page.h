// One CPCL label from its "!" header to PRINT, FORM or ABORT.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "label.h"

namespace ravo::sim {

class CpclPage {
 public:
  enum class Outcome { kContinue, kPrint, kAbort };

  CpclPage(int width_dots, std::string code_page, bool one_is_dark);

  // Starts a label from a header line "! offset hres vres height qty".
  void Begin(std::string_view header);
  bool Open() const { return open_; }
  Outcome Apply(std::string_view line);
  // header: "[V]COMPRESSED-GRAPHICS widthBytes height x y" (the first word
  // only says whether the graphics are turned), raster: the bytes.
  void AddGraphics(std::string_view header, std::string_view raster);
  // The finished label; the page is closed afterwards.
  Label Take();

 private:
  enum class Block { kNone, kQr, kPdf };
  void AddText(std::string_view word, std::string_view args);
  void AddBarcode(bool vertical, std::string_view args);
  void StartQr(bool vertical, std::string_view args);
  void StartPdf(bool vertical, std::string_view args);
  void AddExpandedGraphics(std::string_view word, std::string_view args);
  void AddRaster(bool turned, std::array<std::string_view, 4> numbers, std::string_view raster);
  void SetAlign(Element::Align align, std::string_view args);
  // Adds a field with the justification in force.
  void AddField(Element &&e);

  Label label_;
  std::string code_page_;
  bool one_is_dark_;
  bool open_ = false;
  Block block_ = Block::kNone;
  std::optional<Element> pending_;
  bool barcode_text_ = false;
  int mag_x_ = 1, mag_y_ = 1;
  Element::Align align_ = Element::Align::kLeft;
  int align_end_ = 0;  // 0: the page's right edge
};

}  // namespace ravo::sim
