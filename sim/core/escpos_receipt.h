// A receipt printer's ESC/POS interpreter: text and commands in, laid-out
// receipts out.  Text is set in fixed-pitch cells (font A 12 x 24 dots,
// font B 9 x 17, CJK characters two cells) and wrapped at the print area's
// edge; bar codes, 2-D symbols and pictures sit on lines of their own.  A
// cut (GS V) ends a receipt; so does the end of the job.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "label.h"

namespace ravo::sim {

class ReceiptSink {
 public:
  virtual ~ReceiptSink() = default;
  virtual void ReceiptAnswer(std::string_view bytes) = 0;
  virtual void ReceiptPrint(const Label &label) = 0;
  virtual void ReceiptNote(std::string_view message) = 0;
};

// What the printer says about itself when asked (GS I).
struct ReceiptPrinter {
  int width_dots = 576;
  std::string model;
  std::string serial;
  std::string firmware;         // "1.2.7"
  std::string kanji_code_page;  // read in Kanji mode (FS &), an iconv name
};

class Receipt {
 public:
  Receipt(ReceiptPrinter printer, ReceiptSink &sink);

  // Printable text without its line end.
  void Text(std::string_view bytes);
  // LF: prints the line and moves on by the line spacing.
  void LineFeed();
  // command: the introducer, code and parameters; data: the raw bytes that
  // follow (raster, symbol data).
  void Command(std::string_view command, std::string_view data);
  // True from the first ESC/POS command of a receipt until it ends: the
  // host speaks ESC/POS, so its lines are text, not label commands.
  bool InProgress() const { return in_progress_; }
  // Anything waiting to be printed.
  bool HasContent() const { return !line_.empty() || !label_.elements.empty(); }
  // End of the job: prints what was laid out.
  void Finish();

 private:
  struct Style {
    bool font_b = false;
    bool bold = false;
    int underline = 0;
    bool inverse = false;
    bool upside_down = false;
    int mul_x = 1, mul_y = 1;
    bool operator==(const Style &) const = default;
  };
  // Everything ESC @ puts back.
  struct Modes {
    Style style;
    int align = 0;  // 0 left, 1 centre, 2 right
    int line_spacing = 30;
    int left_margin = 0;
    int area_width = 0;  // 0 = to the right edge of the paper
    int char_spacing = 0;
    int code_table = 0;
    bool kanji = true;
    std::vector<int> tabs;  // columns; empty = every eighth
    int bar_height = 162, bar_module = 3, hri = 0;
    bool hri_font_b = false;
    int qr_module = 3, qr_ecc = 1;
    int pdf_columns = 0, pdf_rows = 0, pdf_module = 3, pdf_row = 3, pdf_ecc = -1;
  };
  struct Item {
    Element e;
    int x = 0, width = 0, height = 0;
  };
  using Handler = void (Receipt::*)(std::string_view params, std::string_view data);
  struct Entry {
    unsigned char lead;
    unsigned char code;
    Handler run;
    bool query;  // asks only; does not start a receipt
  };

  // Layout (escpos_receipt.cpp).
  void Reset();
  void PutCharacter(char32_t c);
  void PutInline(Element &&e, int width, int height);
  void PutBlock(Element &&e, int width, int height);
  void PutSymbol(Element &&e);
  void PrintLine();
  void Feed(int dots);
  void MakeRoom(int height, size_t elements);
  void Cut();
  int AreaWidth() const;
  std::string DecodeBytes(std::string_view bytes) const;
  Element TextElement() const;

  // Commands (escpos_commands.cpp).
  static const std::vector<Entry> &Table();
  void Accept(std::string_view, std::string_view) {}
  void NotModelled(std::string_view params, std::string_view data);
  void Initialize(std::string_view, std::string_view);
  void PrintMode(std::string_view p, std::string_view);
  void Bold(std::string_view p, std::string_view);
  void Underline(std::string_view p, std::string_view);
  void Justify(std::string_view p, std::string_view);
  void FeedLines(std::string_view p, std::string_view);
  void FeedDots(std::string_view p, std::string_view);
  void CodeTable(std::string_view p, std::string_view);
  void Font(std::string_view p, std::string_view);
  void CharSpacing(std::string_view p, std::string_view);
  void DefaultLineSpacing(std::string_view, std::string_view);
  void LineSpacing(std::string_view p, std::string_view);
  void AbsolutePosition(std::string_view p, std::string_view);
  void RelativePosition(std::string_view p, std::string_view);
  void UpsideDown(std::string_view p, std::string_view);
  void Tabs(std::string_view p, std::string_view);
  void BitImage(std::string_view p, std::string_view data);
  void Pulse(std::string_view, std::string_view);
  void CutPaper(std::string_view p, std::string_view);
  void CharacterSize(std::string_view p, std::string_view);
  void Reverse(std::string_view p, std::string_view);
  void LeftMargin(std::string_view p, std::string_view);
  void AreaWidthCommand(std::string_view p, std::string_view);
  void HriPosition(std::string_view p, std::string_view);
  void HriFont(std::string_view p, std::string_view);
  void BarHeight(std::string_view p, std::string_view);
  void BarWidth(std::string_view p, std::string_view);
  void Barcode(std::string_view p, std::string_view data);
  void Symbol2D(std::string_view p, std::string_view data);
  void Qr(uint8_t fn, std::string_view args);
  void Pdf417(uint8_t fn, std::string_view args);
  void Raster(std::string_view p, std::string_view data);
  void Graphics(std::string_view p, std::string_view data);
  void DefineDownloaded(std::string_view p, std::string_view data);
  void PrintDownloaded(std::string_view p, std::string_view);
  void DefineNvImages(std::string_view p, std::string_view);
  void PrintNvImage(std::string_view p, std::string_view);
  void KanjiOn(std::string_view, std::string_view);
  void KanjiOff(std::string_view, std::string_view);
  void RealTimeStatus(std::string_view p, std::string_view);
  void StatusByte(std::string_view p, std::string_view);
  void PrinterId(std::string_view p, std::string_view);
  void OldCut(std::string_view, std::string_view);

  ReceiptPrinter printer_;
  ReceiptSink *sink_;  // a pointer, so that a receipt under way can be swapped between hosts
  Modes modes_;
  Label label_;
  int y_ = 0;
  std::vector<Item> line_;
  int line_x_ = 0;
  int line_align_ = -1;
  bool in_progress_ = false;
  std::string qr_data_, pdf_data_;
  Element graphics_;    // GS ( L raster waiting for its print command
  Element downloaded_;  // GS * image
  std::vector<Element> nv_images_;
};

}  // namespace ravo::sim
