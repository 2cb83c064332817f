// What each ESC/POS command does to the receipt, in one table.
#include <algorithm>
#include <cstdlib>

#include "code_page.h"
#include "escpos_receipt.h"
#include "symbol.h"

namespace ravo::sim {
namespace {

constexpr unsigned char kEsc = 0x1B, kFs = 0x1C, kGs = 0x1D, kDle = 0x10;
constexpr int kMaxNvImages = 16;

uint8_t Byte(std::string_view p, size_t i) {
  return i < p.size() ? static_cast<uint8_t>(p[i]) : 0;
}

int Word(std::string_view p, size_t i) {
  return Byte(p, i) | Byte(p, i + 1) << 8;
}

// Column-format image data (ESC *, GS *, FS q): each column is
// bytes_per_column bytes, top dot in the high bit; into a row raster.
Element ColumnImage(std::string_view data, int columns, int bytes_per_column) {
  Element e;
  e.kind = Element::Kind::kBitmap;
  e.width_bytes = (columns + 7) / 8;
  e.size = bytes_per_column * 8;
  e.bits.assign(static_cast<size_t>(e.width_bytes) * e.size, 0);
  for (int c = 0; c < columns; ++c)
    for (int b = 0; b < bytes_per_column; ++b) {
      const uint8_t v = Byte(data, static_cast<size_t>(c) * bytes_per_column + b);
      for (int bit = 0; bit < 8; ++bit)
        if (v >> (7 - bit) & 1)
          e.bits[static_cast<size_t>(b * 8 + bit) * e.width_bytes + c / 8] |= 0x80 >> (c % 8);
    }
  return e;
}

// Row-format raster, 1 = dark, as it arrives; only the rows the data holds.
Element RowImage(std::string_view data, int width_bytes, int rows) {
  Element e;
  e.kind = Element::Kind::kBitmap;
  e.width_bytes = width_bytes;
  e.size = width_bytes > 0 ? std::min<int>(rows, static_cast<int>(data.size() / width_bytes)) : 0;
  e.bits.assign(data.begin(), data.begin() + static_cast<ptrdiff_t>(width_bytes) * e.size);
  return e;
}

// GS k data in the ESC/POS form: Code 128 names its code set with {A, {B
// or {C (set C carries two digits a byte); Code 39 may bring its stars.
std::string BarcodeText(int m, std::string_view d) {
  if (m == 69 || m == 4) {
    if (d.size() >= 2 && d.front() == '*' && d.back() == '*') d = d.substr(1, d.size() - 2);
    return std::string(d);
  }
  if (m != 73 && m != 74) return std::string(d);
  std::string out;
  char set = 'B';
  for (size_t i = 0; i < d.size(); ++i) {
    if (d[i] == '{' && i + 1 < d.size()) {
      const char c = d[i + 1];
      ++i;
      if (c == 'A' || c == 'B' || c == 'C') set = c;
      if (c == '{') out.push_back('{');
      continue;  // shift and FNC codes carry no character
    }
    const auto v = static_cast<unsigned char>(d[i]);
    if (set != 'C') {
      out.push_back(d[i]);
    } else if (v < 100) {
      out += {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    }
  }
  return out;
}

}  // namespace

const std::vector<Receipt::Entry> &Receipt::Table() {
  using R = Receipt;
  static const std::vector<Entry> table = {
      {kEsc, '@', &R::Initialize, false},
      {kEsc, '!', &R::PrintMode, false},
      {kEsc, 'E', &R::Bold, false},
      {kEsc, 'G', &R::Bold, false},
      {kEsc, '-', &R::Underline, false},
      {kEsc, 'a', &R::Justify, false},
      {kEsc, 'd', &R::FeedLines, false},
      {kEsc, 'J', &R::FeedDots, false},
      {kEsc, 't', &R::CodeTable, false},
      {kEsc, 'M', &R::Font, false},
      {kEsc, ' ', &R::CharSpacing, false},
      {kEsc, '2', &R::DefaultLineSpacing, false},
      {kEsc, '3', &R::LineSpacing, false},
      {kEsc, '$', &R::AbsolutePosition, false},
      {kEsc, '\\', &R::RelativePosition, false},
      {kEsc, '{', &R::UpsideDown, false},
      {kEsc, 'D', &R::Tabs, false},
      {kEsc, '*', &R::BitImage, false},
      {kEsc, 'p', &R::Pulse, false},
      {kEsc, 'i', &R::OldCut, false},
      {kEsc, 'm', &R::OldCut, false},
      {kEsc, 'L', &R::NotModelled, false},  // page mode
      {kEsc, 'V', &R::NotModelled, false},  // turned characters
      {kEsc, 'e', &R::NotModelled, false},  // reverse feed
      {kEsc, 'K', &R::NotModelled, false},
      {kEsc, '&', &R::NotModelled, false},  // user-defined characters
      {kEsc, 'u', &R::StatusByte, true},
      {kEsc, 'v', &R::StatusByte, true},
      {kEsc, 'R', &R::Accept, false},
      {kEsc, 'S', &R::Accept, false},
      {kEsc, 'T', &R::Accept, false},
      {kEsc, 'W', &R::Accept, false},
      {kEsc, 0x0C, &R::Accept, false},
      {kEsc, 'c', &R::Accept, false},
      {kEsc, '=', &R::Accept, false},
      {kEsc, '?', &R::Accept, false},
      {kEsc, '%', &R::Accept, false},
      {kEsc, 'U', &R::Accept, false},
      {kEsc, 'r', &R::Accept, false},
      {kEsc, '<', &R::Accept, false},
      {kEsc, 'B', &R::Accept, false},
      {kEsc, '7', &R::Accept, false},
      {kEsc, '8', &R::Accept, false},
      {kEsc, '9', &R::Accept, false},
      {kEsc, '(', &R::Accept, false},
      {kGs, '!', &R::CharacterSize, false},
      {kGs, 'B', &R::Reverse, false},
      {kGs, 'L', &R::LeftMargin, false},
      {kGs, 'W', &R::AreaWidthCommand, false},
      {kGs, 'H', &R::HriPosition, false},
      {kGs, 'f', &R::HriFont, false},
      {kGs, 'h', &R::BarHeight, false},
      {kGs, 'w', &R::BarWidth, false},
      {kGs, 'k', &R::Barcode, false},
      {kGs, '(', &R::Symbol2D, false},
      {kGs, '8', &R::Graphics, false},
      {kGs, 'v', &R::Raster, false},
      {kGs, 'V', &R::CutPaper, false},
      {kGs, '*', &R::DefineDownloaded, false},
      {kGs, '/', &R::PrintDownloaded, false},
      {kGs, 'I', &R::PrinterId, true},
      {kGs, 'r', &R::StatusByte, true},
      {kGs, 'a', &R::Accept, true},
      {kGs, 'Q', &R::NotModelled, false},
      {kGs, ':', &R::NotModelled, false},  // macros
      {kGs, '^', &R::NotModelled, false},
      {kGs, 'C', &R::NotModelled, false},  // counters
      {kGs, 'c', &R::NotModelled, false},
      {kGs, 'g', &R::Accept, true},
      {kGs, 'P', &R::Accept, false},
      {kGs, 'b', &R::Accept, false},
      {kGs, 'T', &R::Accept, false},
      {kGs, 'E', &R::Accept, false},
      {kGs, 'j', &R::Accept, false},
      {kGs, '$', &R::Accept, false},
      {kGs, '\\', &R::Accept, false},
      {kFs, '&', &R::KanjiOn, false},
      {kFs, '.', &R::KanjiOff, false},
      {kFs, 'q', &R::DefineNvImages, false},
      {kFs, 'p', &R::PrintNvImage, false},
      {kFs, '!', &R::Accept, false},
      {kFs, '-', &R::Accept, false},
      {kFs, 'S', &R::Accept, false},
      {kFs, 'W', &R::Accept, false},
      {kFs, 'C', &R::Accept, false},
      {kFs, '2', &R::Accept, false},
      {kFs, '(', &R::Accept, false},
      {kDle, 0x04, &R::RealTimeStatus, true},
      {kDle, 0x05, &R::Accept, true},
      {kDle, 0x14, &R::Accept, true},
  };
  return table;
}

void Receipt::Command(std::string_view command, std::string_view data) {
  if (command.size() < 2) return;
  const auto lead = static_cast<unsigned char>(command[0]);
  const auto code = static_cast<unsigned char>(command[1]);
  for (const Entry &entry : Table()) {
    if (entry.lead != lead || entry.code != code) continue;
    if (!entry.query) in_progress_ = true;
    (this->*entry.run)(command.substr(2), data);
    return;
  }
  sink_->ReceiptNote("ESC/POS command not understood");
}

void Receipt::NotModelled(std::string_view, std::string_view) {
  sink_->ReceiptNote(
      "ESC/POS command accepted but not drawn (page mode, turned text, macros, "
      "counters or user characters)");
}

void Receipt::Initialize(std::string_view, std::string_view) {
  if (!line_.empty()) sink_->ReceiptNote("ESC @ cleared a line that was not printed yet");
  line_.clear();
  line_x_ = 0;
  line_align_ = -1;
  Reset();
}

// ESC ! n: bit 0 font B, 3 bold, 4 double height, 5 double width, 7 underline.
void Receipt::PrintMode(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  Style &s = modes_.style;
  s.font_b = n & 0x01;
  s.bold = n & 0x08;
  s.mul_y = n & 0x10 ? 2 : 1;
  s.mul_x = n & 0x20 ? 2 : 1;
  s.underline = n & 0x80 ? 1 : 0;
}

void Receipt::Bold(std::string_view p, std::string_view) {
  modes_.style.bold = Byte(p, 0) & 1;
}

void Receipt::Underline(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  modes_.style.underline = (n == 1 || n == 49) ? 1 : (n == 2 || n == 50) ? 2 : 0;
}

void Receipt::Justify(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  modes_.align = (n == 1 || n == 49) ? 1 : (n == 2 || n == 50) ? 2 : 0;
}

// ESC d n: prints the line and feeds n lines in all.
void Receipt::FeedLines(std::string_view p, std::string_view) {
  const int n = Byte(p, 0);
  if (!line_.empty()) {
    PrintLine();
    Feed(std::max(n - 1, 0) * modes_.line_spacing);
  } else {
    Feed(n * modes_.line_spacing);
  }
}

// ESC J n: prints the line and feeds n dots.
void Receipt::FeedDots(std::string_view p, std::string_view) {
  const int n = Byte(p, 0);
  if (line_.empty()) {
    Feed(n);
    return;
  }
  const int spacing = modes_.line_spacing;
  modes_.line_spacing = n;
  PrintLine();
  modes_.line_spacing = spacing;
}

void Receipt::CodeTable(std::string_view p, std::string_view) {
  modes_.code_table = Byte(p, 0);
  if (EscPosCodeTable(modes_.code_table).empty())
    sink_->ReceiptNote("unknown character code table " + std::to_string(modes_.code_table) +
                       ": read as PC437");
}

void Receipt::Font(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  modes_.style.font_b = n == 1 || n == 49;
}

void Receipt::CharSpacing(std::string_view p, std::string_view) {
  modes_.char_spacing = Byte(p, 0);
}

void Receipt::DefaultLineSpacing(std::string_view, std::string_view) {
  modes_.line_spacing = Modes{}.line_spacing;
}

void Receipt::LineSpacing(std::string_view p, std::string_view) {
  modes_.line_spacing = Byte(p, 0);
}

void Receipt::AbsolutePosition(std::string_view p, std::string_view) {
  const int x = Word(p, 0);
  if (x < AreaWidth()) line_x_ = x;
}

void Receipt::RelativePosition(std::string_view p, std::string_view) {
  const int x = line_x_ + static_cast<int16_t>(Word(p, 0));
  if (x >= 0 && x < AreaWidth()) line_x_ = x;
}

void Receipt::UpsideDown(std::string_view p, std::string_view) {
  modes_.style.upside_down = Byte(p, 0) & 1;
}

void Receipt::Tabs(std::string_view p, std::string_view) {
  modes_.tabs.clear();
  for (unsigned char c : p) {
    if (c == 0 || (!modes_.tabs.empty() && c <= modes_.tabs.back())) break;
    modes_.tabs.push_back(c);
  }
}

// ESC * m nL nH: m 0/1 eight-dot columns, 32/33 twenty-four-dot columns;
// the single-density modes print every column twice as wide, the eight-dot
// modes every dot three times as tall.
void Receipt::BitImage(std::string_view p, std::string_view data) {
  const int m = Byte(p, 0);
  if (m != 0 && m != 1 && m != 32 && m != 33) {
    sink_->ReceiptNote("ESC * mode " + std::to_string(m) + " not known");
    return;
  }
  const int columns = Word(p, 1);
  Element e = ColumnImage(data, columns, m >= 32 ? 3 : 1);
  e.mul_x = (m == 0 || m == 32) ? 2 : 1;
  e.mul_y = m < 32 ? 3 : 1;
  const int height = e.size * e.mul_y;
  PutInline(std::move(e), columns * ((m == 0 || m == 32) ? 2 : 1), height);
}

void Receipt::Pulse(std::string_view, std::string_view) {
  sink_->ReceiptNote("cash drawer pulse");
}

// GS V m [n]: the forms with n feed n dots first.
void Receipt::CutPaper(std::string_view p, std::string_view) {
  const uint8_t m = Byte(p, 0);
  if (m >= 65) {
    if (!line_.empty()) PrintLine();
    Feed(Byte(p, 1));
  }
  Cut();
}

void Receipt::OldCut(std::string_view, std::string_view) {
  Cut();
}

// GS ! n: width multiplier in the high nibble, height in the low one.
void Receipt::CharacterSize(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  modes_.style.mul_x = (n >> 4 & 7) + 1;
  modes_.style.mul_y = (n & 7) + 1;
}

void Receipt::Reverse(std::string_view p, std::string_view) {
  modes_.style.inverse = Byte(p, 0) & 1;
}

void Receipt::LeftMargin(std::string_view p, std::string_view) {
  modes_.left_margin = std::min(Word(p, 0), printer_.width_dots - 1);
}

void Receipt::AreaWidthCommand(std::string_view p, std::string_view) {
  modes_.area_width = Word(p, 0);
}

void Receipt::HriPosition(std::string_view p, std::string_view) {
  modes_.hri = Byte(p, 0) & 3;
}

void Receipt::HriFont(std::string_view p, std::string_view) {
  modes_.hri_font_b = Byte(p, 0) & 1;
}

void Receipt::BarHeight(std::string_view p, std::string_view) {
  modes_.bar_height = std::max<int>(1, Byte(p, 0));
}

void Receipt::BarWidth(std::string_view p, std::string_view) {
  modes_.bar_module = std::clamp<int>(Byte(p, 0), 1, 6);
}

// GS k m d1..dk NUL (m 0..6) or GS k m n d1..dn (m 65..).
void Receipt::Barcode(std::string_view p, std::string_view data) {
  const int m = Byte(p, 0);
  Element e;
  e.kind = Element::Kind::kBarcode;
  e.symbology = EscPosBarcodeSymbology(m);
  if (e.symbology == 0) {
    sink_->ReceiptNote("bar code system " + std::to_string(m) + " not known");
    return;
  }
  const std::string_view raw = m <= 6 ? p.substr(1, p.size() >= 2 ? p.size() - 2 : 0) : data;
  e.data = BarcodeText(m, raw);
  e.narrow = modes_.bar_module;
  e.size = modes_.bar_height;
  e.readable = modes_.hri & 2;
  e.readable_above = modes_.hri & 1;
  e.readable_size = modes_.hri_font_b ? 17 : 24;
  PutSymbol(std::move(e));
}

// GS ( k: cn 49 QR code, cn 48 PDF417; the other GS ( families are
// settings that change nothing on paper, and GS ( L is graphics.
void Receipt::Symbol2D(std::string_view p, std::string_view data) {
  const uint8_t family = Byte(p, 0);
  if (family == 'L') return Graphics(p, data);
  if (family != 'k') return;
  const uint8_t cn = Byte(data, 0), fn = Byte(data, 1);
  const std::string_view args = data.size() > 2 ? data.substr(2) : std::string_view();
  if (cn == 49) return Qr(fn, args);
  if (cn == 48) return Pdf417(fn, args);
  sink_->ReceiptNote("2-D symbol type " + std::to_string(cn) + " not known");
}

void Receipt::Qr(uint8_t fn, std::string_view args) {
  switch (fn) {
    case 65:  // model
      break;
    case 67:
      modes_.qr_module = std::clamp<int>(Byte(args, 0), 1, 16);
      break;
    case 69:
      modes_.qr_ecc = std::clamp(Byte(args, 0) - 47, 1, 4);
      break;
    case 80:
      qr_data_ = args.size() > 1 ? std::string(args.substr(1)) : std::string();
      break;
    case 81: {
      Element e;
      e.kind = Element::Kind::kQrCode;
      e.symbology = QrSymbology();
      e.size = modes_.qr_module;
      e.option_1 = modes_.qr_ecc;
      e.data = qr_data_;
      PutSymbol(std::move(e));
      break;
    }
    default:
      sink_->ReceiptNote("QR code function " + std::to_string(fn) + " not modelled");
  }
}

void Receipt::Pdf417(uint8_t fn, std::string_view args) {
  const int n = Byte(args, 0);
  switch (fn) {
    case 65:
      modes_.pdf_columns = std::clamp(n, 0, 30);
      break;
    case 66:
      modes_.pdf_rows = n == 0 ? 0 : std::clamp(n, 3, 90);
      break;
    case 67:
      modes_.pdf_module = std::clamp(n, 1, 8);
      break;
    case 68:
      modes_.pdf_row = std::clamp(n, 1, 8);
      break;
    case 69:
      modes_.pdf_ecc = n == 48 ? std::clamp(Byte(args, 1) - 48, 0, 8) : -1;
      break;
    case 70:
      break;
    case 80:
      pdf_data_ = args.size() > 1 ? std::string(args.substr(1)) : std::string();
      break;
    case 81: {
      Element e;
      e.kind = Element::Kind::kPdf417;
      e.symbology = Pdf417Symbology();
      e.narrow = modes_.pdf_module;
      e.size = modes_.pdf_module * modes_.pdf_row;
      e.option_1 = modes_.pdf_ecc;
      e.option_2 = modes_.pdf_columns;
      e.option_3 = modes_.pdf_rows;
      e.data = pdf_data_;
      PutSymbol(std::move(e));
      break;
    }
    default:
      sink_->ReceiptNote("PDF417 function " + std::to_string(fn) + " not modelled");
  }
}

// GS v 0 m xL xH yL yH: x bytes by y rows; m 1 doubles the width, 2 the height.
void Receipt::Raster(std::string_view p, std::string_view data) {
  const uint8_t m = Byte(p, 1);
  Element e = RowImage(data, Word(p, 2), Word(p, 4));
  e.mul_x = m & 1 ? 2 : 1;
  e.mul_y = m & 2 ? 2 : 1;
  const int width = e.width_bytes * 8 * e.mul_x, height = e.size * e.mul_y;
  PutBlock(std::move(e), width, height);
}

// GS ( L and GS 8 L: m fn ...; fn 112 stores a raster in the print buffer
// (a bx by c xL xH yL yH data, x and y in dots), fn 50 prints it.
void Receipt::Graphics(std::string_view, std::string_view data) {
  const uint8_t fn = Byte(data, 1);
  if (fn == 112 && data.size() >= 10) {
    const int width = Word(data, 6), rows = Word(data, 8);
    graphics_ = RowImage(data.substr(10), (width + 7) / 8, rows);
    graphics_.mul_x = Byte(data, 3) == 2 ? 2 : 1;
    graphics_.mul_y = Byte(data, 4) == 2 ? 2 : 1;
  } else if (fn == 50) {
    if (graphics_.bits.empty()) return;
    Element e = std::move(graphics_);
    graphics_ = Element{};
    const int width = e.width_bytes * 8 * e.mul_x, height = e.size * e.mul_y;
    PutBlock(std::move(e), width, height);
  } else {
    sink_->ReceiptNote("graphics function " + std::to_string(fn) + " not modelled");
  }
}

// GS * x y: an image of x * 8 columns, each y bytes tall.
void Receipt::DefineDownloaded(std::string_view p, std::string_view data) {
  downloaded_ = ColumnImage(data, Byte(p, 0) * 8, Byte(p, 1));
}

// GS / m: prints it; m 1 doubles the width, 2 the height.
void Receipt::PrintDownloaded(std::string_view p, std::string_view) {
  if (downloaded_.bits.empty()) return;
  Element e = downloaded_;
  const uint8_t m = Byte(p, 0);
  e.mul_x = m & 1 ? 2 : 1;
  e.mul_y = m & 2 ? 2 : 1;
  const int width = e.width_bytes * 8 * e.mul_x, height = e.size * e.mul_y;
  PutBlock(std::move(e), width, height);
}

// FS q n [xL xH yL yH d...]: n images of x * 8 columns, y bytes tall each.
void Receipt::DefineNvImages(std::string_view p, std::string_view) {
  nv_images_.clear();
  size_t at = 1;
  for (int i = 0; i < Byte(p, 0) && i < kMaxNvImages && at + 4 <= p.size(); ++i) {
    const int x = Word(p, at), y = Word(p, at + 2);
    const size_t length = static_cast<size_t>(x) * y * 8;
    nv_images_.push_back(ColumnImage(p.substr(at + 4, length), x * 8, y));
    at += 4 + length;
  }
}

void Receipt::PrintNvImage(std::string_view p, std::string_view) {
  const int n = Byte(p, 0);
  if (n < 1 || n > static_cast<int>(nv_images_.size())) {
    sink_->ReceiptNote("no stored image " + std::to_string(n));
    return;
  }
  Element e = nv_images_[static_cast<size_t>(n - 1)];
  const uint8_t m = Byte(p, 1);
  e.mul_x = m & 1 ? 2 : 1;
  e.mul_y = m & 2 ? 2 : 1;
  const int width = e.width_bytes * 8 * e.mul_x, height = e.size * e.mul_y;
  PutBlock(std::move(e), width, height);
}

void Receipt::KanjiOn(std::string_view, std::string_view) {
  modes_.kanji = !printer_.kanji_code_page.empty();
}

void Receipt::KanjiOff(std::string_view, std::string_view) {
  modes_.kanji = false;
}

// DLE EOT n: online, paper present, no error (bits 1 and 4 are always set).
void Receipt::RealTimeStatus(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  if (n >= 1 && n <= 4) sink_->ReceiptAnswer(std::string_view("\x12", 1));
}

// GS r, ESC u, ESC v: paper and drawer sensors, all clear.
void Receipt::StatusByte(std::string_view, std::string_view) {
  sink_->ReceiptAnswer(std::string_view("\x00", 1));
}

// GS I n: one ID byte (n 1..3, 49..51) or "_" text NUL (n 65..69).
void Receipt::PrinterId(std::string_view p, std::string_view) {
  const uint8_t n = Byte(p, 0);
  const auto text = [&](const std::string &s) {
    sink_->ReceiptAnswer("_" + s + std::string(1, '\0'));
  };
  switch (n) {
    case 1:
    case 49:
      return sink_->ReceiptAnswer(std::string_view("\x20", 1));
    case 2:
    case 50:  // automatic cutter, and multi-byte characters when it has a Kanji page
      return sink_->ReceiptAnswer(
          std::string(1, static_cast<char>(0x02 | (printer_.kanji_code_page.empty() ? 0 : 1))));
    case 3:
    case 51:
      return sink_->ReceiptAnswer(
          std::string(1, static_cast<char>(std::max(1, std::atoi(printer_.firmware.c_str())))));
    case 65:
      return text(printer_.firmware);
    case 66:
      return text("Ravo");
    case 67:
      return text(printer_.model);
    case 68:
      return text(printer_.serial);
    case 69:
      return text(modes_.kanji ? printer_.kanji_code_page
                               : std::string(EscPosCodeTable(modes_.code_table)));
    default:
      sink_->ReceiptNote("GS I " + std::to_string(n) + " not known");
  }
}

}  // namespace ravo::sim
