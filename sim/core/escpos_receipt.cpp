// Receipt layout: lines of fixed-pitch text and inline pictures, blocks
// for symbols and rasters, cut into receipts.
#include "escpos_receipt.h"

#include <algorithm>

#include "code_page.h"
#include "symbol.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

// One receipt is at most this long; a longer one is cut, as a printer's
// paper would be torn, and the rest continues on a new receipt.
constexpr int kMaxReceiptHeight = 16000;

struct Cell {
  int width;
  int height;
};

Cell CellOf(bool font_b) {
  return font_b ? Cell{9, 17} : Cell{12, 24};
}

// Characters of the same look continue one text run.
bool SameLook(const Element &a, const Element &b) {
  return a.kind == Element::Kind::kText && a.mono && a.pitch == b.pitch && a.size == b.size &&
         a.letter_gap == b.letter_gap && a.mul_x == b.mul_x && a.mul_y == b.mul_y &&
         a.bold == b.bold && a.underline == b.underline && a.inverse == b.inverse &&
         a.rotation == b.rotation;
}

void AppendUtf8(std::string &d, char32_t c) {
  if (c < 0x80) {
    d.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    d += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    d += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    d += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
          static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

}  // namespace

Receipt::Receipt(ReceiptPrinter printer, ReceiptSink &sink)
    : printer_(std::move(printer)), sink_(&sink) {
  label_.kind = "text";
  label_.width = printer_.width_dots;
  Reset();
}

void Receipt::Reset() {
  modes_ = Modes{};
  modes_.kanji = !printer_.kanji_code_page.empty();
}

int Receipt::AreaWidth() const {
  const int room = std::max(0, printer_.width_dots - modes_.left_margin);
  return modes_.area_width > 0 ? std::min(modes_.area_width, room) : room;
}

std::string Receipt::DecodeBytes(std::string_view bytes) const {
  if (modes_.kanji) return DecodeText(bytes, printer_.kanji_code_page);
  std::string_view table = EscPosCodeTable(modes_.code_table);
  return DecodeIn(bytes, std::string(table.empty() ? "CP437" : table));
}

void Receipt::Text(std::string_view bytes) {
  for (char32_t c : CodePoints(DecodeBytes(bytes))) PutCharacter(c);
}

void Receipt::LineFeed() {
  PrintLine();
}

Element Receipt::TextElement() const {
  const Style &s = modes_.style;
  const Cell cell = CellOf(s.font_b);
  Element e;
  e.kind = Element::Kind::kText;
  e.mono = true;
  e.pitch = cell.width;
  e.size = cell.height;
  e.letter_gap = modes_.char_spacing;
  e.mul_x = s.mul_x;
  e.mul_y = s.mul_y;
  e.bold = s.bold;
  e.underline = s.underline;
  e.inverse = s.inverse;
  e.rotation = s.upside_down ? 180 : 0;
  return e;
}

void Receipt::PutCharacter(char32_t c) {
  const Style &s = modes_.style;
  const Cell cell = CellOf(s.font_b);
  const int column = (cell.width + modes_.char_spacing) * s.mul_x;
  if (c == U'\t') {
    int stop = 0;
    for (int tab : modes_.tabs)
      if (tab * column > line_x_) {
        stop = tab * column;
        break;
      }
    if (stop == 0 && modes_.tabs.empty()) stop = (line_x_ / (8 * column) + 1) * 8 * column;
    if (stop > 0 && stop <= AreaWidth()) line_x_ = stop;
    return;
  }
  if (c < 0x20 || c == 0x7F) return;  // CR and other controls print nothing
  const int advance = ((IsWide(c) ? 2 : 1) * cell.width + modes_.char_spacing) * s.mul_x;
  if (line_x_ + advance > AreaWidth() && line_x_ > 0) PrintLine();
  if (line_align_ < 0) line_align_ = modes_.align;
  Element look = TextElement();
  const bool continues = !line_.empty() && SameLook(line_.back().e, look) &&
                         line_.back().x + line_.back().width == line_x_ &&
                         line_.back().e.data.size() < kMaxTextBytes;
  if (!continues) line_.push_back({std::move(look), line_x_, 0, cell.height * s.mul_y});
  Item &item = line_.back();
  AppendUtf8(item.e.data, c);
  item.width += advance;
  line_x_ += advance;
}

// A picture inside the text line (ESC *): it wraps like a character.
void Receipt::PutInline(Element &&e, int width, int height) {
  if (line_x_ + width > AreaWidth() && line_x_ > 0) PrintLine();
  if (line_align_ < 0) line_align_ = modes_.align;
  line_.push_back({std::move(e), line_x_, width, height});
  line_x_ += width;
}

// A symbol or raster on a line of its own, placed by the justification.
void Receipt::PutBlock(Element &&e, int width, int height) {
  if (!line_.empty()) PrintLine();
  MakeRoom(height, 1);
  const int free = std::max(0, AreaWidth() - width);
  e.x = modes_.left_margin + (modes_.align == 1 ? free / 2 : modes_.align == 2 ? free : 0);
  e.y = y_;
  if (!AddElement(label_, std::move(e))) sink_->ReceiptNote("receipt full: picture left out");
  Feed(height);
}

void Receipt::PutSymbol(Element &&e) {
  const auto symbol = EncodeSymbol({e.symbology, e.data, e.option_1, e.option_2, e.option_3});
  if (!symbol) {
    sink_->ReceiptNote("symbol data cannot be encoded: nothing printed");
    return;
  }
  const Extent extent = SymbolExtent(e, *symbol);
  PutBlock(std::move(e), extent.width, extent.height);
}

// Lays out the line buffer: justified, characters standing on a common
// base line, and moves on by the line's height or the line spacing.
void Receipt::PrintLine() {
  if (line_.empty()) {
    Feed(modes_.line_spacing);
    return;
  }
  int height = 0;
  for (const Item &item : line_) height = std::max(height, item.height);
  MakeRoom(height, line_.size());
  const int free = std::max(0, AreaWidth() - line_x_);
  const int align = line_align_ < 0 ? modes_.align : line_align_;
  const int dx = modes_.left_margin + (align == 1 ? free / 2 : align == 2 ? free : 0);
  for (Item &item : line_) {
    item.e.x = dx + item.x;
    item.e.y = y_ + height - item.height;
    AddElement(label_, std::move(item.e));
  }
  line_.clear();
  line_x_ = 0;
  line_align_ = -1;
  Feed(std::max(height, modes_.line_spacing));
}

void Receipt::Feed(int dots) {
  y_ = std::min(y_ + std::max(dots, 0), kMaxReceiptHeight);
}

// Cuts early when the receipt could not hold what comes next.
void Receipt::MakeRoom(int height, size_t elements) {
  if (label_.elements.empty()) return;
  if (y_ + height > kMaxReceiptHeight || label_.elements.size() + elements > kMaxElements) {
    sink_->ReceiptNote("receipt too long: cut and continued");
    std::vector<Item> pending = std::move(line_);
    line_.clear();
    Cut();
    line_ = std::move(pending);
    in_progress_ = true;
  }
}

void Receipt::Cut() {
  if (!line_.empty()) PrintLine();
  if (!label_.elements.empty()) {
    label_.height = std::max(y_, 1);
    sink_->ReceiptPrint(label_);
  }
  label_.elements.clear();
  label_.bitmap_bytes = 0;
  y_ = 0;
  in_progress_ = false;
}

void Receipt::Finish() {
  Cut();
}

}  // namespace ravo::sim
