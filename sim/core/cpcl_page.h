// One CPCL label from its "!" header to PRINT, FORM or ABORT, or a
// utility session ("! UTILITIES" ... PRINT) that prints nothing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "label.h"

namespace ravo::sim {

class CpclPage {
 public:
  enum class Outcome { kContinue, kPrint, kAbort };
  enum class Start { kLabel, kUtilities, kInvalid };

  CpclPage(int width_dots, std::string code_page, bool one_is_dark);

  // Starts a label from a header "offset hres vres height qty" (the text
  // after "! "), or a utility session from "UTILITIES".
  Start Begin(std::string_view header);
  bool Open() const { return open_; }
  // One line of the label; problem tells what was wrong with it.
  Outcome Apply(std::string_view line, std::string &problem);
  // header: "[V]COMPRESSED-GRAPHICS widthBytes height x y" (the first word
  // only says whether the graphics are turned), raster: the bytes.
  void AddGraphics(std::string_view header, std::string_view raster);
  // The finished label; the page is closed afterwards.
  Label Take();

 private:
  using Run = std::string (CpclPage::*)(std::string_view word, std::string_view args);
  struct Word {
    std::string_view word;
    Run run;
  };
  static const std::vector<Word> &Words();
  // Lines inside QR, PDF417, multi-line and concatenated-text blocks.
  enum class Block { kNone, kQr, kPdf, kMultiLine, kConcat };
  std::string BlockLine(std::string_view line);

  std::string Accept(std::string_view, std::string_view) { return {}; }
  std::string NotModelled(std::string_view word, std::string_view);
  std::string Text(std::string_view word, std::string_view args);
  std::string Barcode(std::string_view word, std::string_view args);
  std::string BarcodeText(std::string_view word, std::string_view args);
  std::string Shape(std::string_view word, std::string_view args);
  std::string ExpandedGraphics(std::string_view word, std::string_view args);
  std::string Justify(std::string_view word, std::string_view args);
  std::string SetMag(std::string_view word, std::string_view args);
  std::string SetBold(std::string_view word, std::string_view args);
  std::string SetSpacing(std::string_view word, std::string_view args);
  std::string Underline(std::string_view word, std::string_view args);
  std::string PageWidth(std::string_view word, std::string_view args);
  std::string Units(std::string_view word, std::string_view args);
  std::string MultiLine(std::string_view word, std::string_view args);
  std::string Concat(std::string_view word, std::string_view args);
  std::string ScaleText(std::string_view word, std::string_view args);

  std::string StartQr(bool vertical, std::string_view args);
  std::string StartPdf(bool vertical, std::string_view args);
  void AddRaster(bool turned, std::array<std::string_view, 4> numbers, std::string_view raster);
  // Adds a field with the justification in force.
  std::string AddField(Element &&e);
  std::optional<Element> TextElement(int rotation, std::string_view font, std::string_view size,
                                     std::string_view x, std::string_view y);
  // A length in the units in force, as dots.
  std::optional<int> Dots(std::string_view value) const;

  Label label_;
  std::string code_page_;
  bool one_is_dark_;
  bool open_ = false;
  bool utilities_ = false;
  Block block_ = Block::kNone;
  std::optional<Element> pending_;
  int multi_line_height_ = 0;
  int multi_line_count_ = 0;
  bool barcode_text_ = false;
  int barcode_text_size_ = 0, barcode_text_gap_ = 0;
  int mag_x_ = 1, mag_y_ = 1;
  bool bold_ = false;
  int underline_ = 0;
  int spacing_ = 0;
  double dots_per_unit_ = 1;
  Element::Align align_ = Element::Align::kLeft;
  int align_end_ = 0;  // 0: the page's right edge
};

}  // namespace ravo::sim
