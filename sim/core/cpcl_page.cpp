#include "cpcl_page.h"

#include <algorithm>
#include <array>

#include "fields.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

constexpr int kMaxHeight = 8000;

int CpclFontHeight(int font, int size) {
  int base = 24;
  switch (font) {
    case 0:
      base = 9 + 3 * std::clamp(size, 0, 6);
      return base;
    case 1:
      base = 48;
      break;
    case 4:
      base = 47;
      break;
    case 6:
      base = 27;
      break;
    case 55:
      base = 16;
      break;
    default:
      break;
  }
  return base * (1 + std::clamp(size, 0, 7) / 2);
}

int RotationOfTextWord(std::string_view word) {
  if (word == "TEXT90" || word == "T90" || word == "VTEXT" || word == "VT") return 270;
  if (word == "TEXT180" || word == "T180") return 180;
  if (word == "TEXT270" || word == "T270") return 90;
  return 0;
}

bool IsTextWord(std::string_view w) {
  return w == "TEXT" || w == "T" || w == "VTEXT" || w == "VT" || w == "TEXT90" || w == "T90" ||
         w == "TEXT180" || w == "T180" || w == "TEXT270" || w == "T270";
}

}  // namespace

CpclPage::CpclPage(int width_dots, std::string code_page, bool one_is_dark)
    : code_page_(std::move(code_page)), one_is_dark_(one_is_dark) {
  label_.kind = "cpcl";
  label_.width = width_dots;
}

void CpclPage::Begin(std::string_view header) {
  const auto w = SplitWords(header, 6);
  label_.elements.clear();
  label_.bitmap_bytes = 0;
  label_.height = w.size() > 3 ? std::clamp(ToIntOr(w[3], 400), 1, kMaxHeight) : 400;
  label_.copies = w.size() > 4 ? std::clamp(ToIntOr(w[4], 1), 1, kMaxCopies) : 1;
  open_ = true;
  block_ = Block::kNone;
  pending_.reset();
  barcode_text_ = false;
  mag_x_ = mag_y_ = 1;
  align_ = Element::Align::kLeft;
  align_end_ = 0;
}

Label CpclPage::Take() {
  open_ = false;
  block_ = Block::kNone;
  Label done = std::move(label_);
  label_ = Label{};
  label_.kind = done.kind;
  label_.width = done.width;
  return done;
}

CpclPage::Outcome CpclPage::Apply(std::string_view line) {
  line = Trim(line);
  if (block_ != Block::kNone) {
    const std::string_view end = block_ == Block::kQr ? "ENDQR" : "ENDPDF";
    if (Upper(line) == end) {
      if (pending_) AddField(std::move(*pending_));
      pending_.reset();
      block_ = Block::kNone;
    } else if (pending_ && pending_->data.empty()) {
      if (block_ == Block::kQr) {
        // "<ecc letter>[mode],data"
        const size_t comma = line.find(',');
        if (comma != std::string_view::npos) {
          if (comma > 0) pending_->ecc = line[0];
          pending_->data = line.substr(comma + 1);
        } else {
          pending_->data = line;
        }
      } else {
        pending_->data = line;
      }
    }
    return Outcome::kContinue;
  }
  const auto words = SplitWords(line, 2);
  if (words.empty()) return Outcome::kContinue;
  const std::string word = Upper(words[0]);
  const std::string_view args = words.size() > 1 ? words[1] : std::string_view();
  if (word == "PRINT" || word == "FORM") return Outcome::kPrint;
  if (word == "ABORT") return Outcome::kAbort;
  if (IsTextWord(word)) {
    AddText(word, args);
  } else if (word == "BARCODE" || word == "VBARCODE" || word == "B" || word == "VB") {
    const bool vertical = word[0] == 'V';
    const auto kind = SplitWords(args, 2);
    const std::string first = kind.empty() ? "" : Upper(kind[0]);
    const std::string_view more = kind.size() > 1 ? kind[1] : std::string_view();
    if (first == "QR")
      StartQr(vertical, more);
    else if (first == "PDF-417")
      StartPdf(vertical, more);
    else
      AddBarcode(vertical, args);
  } else if (word == "EXPANDED-GRAPHICS" || word == "EG" || word == "VEXPANDED-GRAPHICS" ||
             word == "VEG") {
    AddExpandedGraphics(word, args);
  } else if (word == "LEFT") {
    SetAlign(Element::Align::kLeft, args);
  } else if (word == "CENTER") {
    SetAlign(Element::Align::kCenter, args);
  } else if (word == "RIGHT") {
    SetAlign(Element::Align::kRight, args);
  } else if (word == "BARCODE-TEXT" || word == "BT") {
    barcode_text_ = Upper(Trim(args)) != "OFF";
  } else if (word == "SETMAG") {
    const auto w = SplitWords(args, 2);
    mag_x_ = w.size() > 0 ? std::clamp(ToIntOr(w[0], 1), 1, 16) : 1;
    mag_y_ = w.size() > 1 ? std::clamp(ToIntOr(w[1], 1), 1, 16) : 1;
  } else if (word == "BOX" || word == "LINE" || word == "L") {
    const auto w = SplitWords(args, 5);
    if (w.size() < 5) return Outcome::kContinue;
    Element e;
    e.kind = word == "BOX" ? Element::Kind::kBox : Element::Kind::kLine;
    e.x = ToIntOr(w[0], 0);
    e.y = ToIntOr(w[1], 0);
    e.x1 = ToIntOr(w[2], 0);
    e.y1 = ToIntOr(w[3], 0);
    e.thickness = std::clamp(ToIntOr(w[4], 1), 1, 1000);
    AddElement(label_, std::move(e));
  }
  return Outcome::kContinue;
}

// TEXT font size x y data
void CpclPage::AddText(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 5);
  if (w.size() < 4) return;
  Element e;
  e.kind = Element::Kind::kText;
  e.size = CpclFontHeight(ToIntOr(w[0], 0), ToIntOr(w[1], 0));
  e.x = ToIntOr(w[2], 0);
  e.y = ToIntOr(w[3], 0);
  e.rotation = RotationOfTextWord(word);
  e.mul_x = mag_x_;
  e.mul_y = mag_y_;
  e.data = w.size() > 4 ? DecodeText(w[4], code_page_) : std::string();
  AddField(std::move(e));
}

// BARCODE type width ratio height x y data
void CpclPage::AddBarcode(bool vertical, std::string_view args) {
  const auto w = SplitWords(args, 7);
  if (w.size() < 7) return;
  Element e;
  e.kind = Element::Kind::kBarcode;
  e.cpcl = true;
  e.symbology = Upper(w[0]);
  e.narrow = std::clamp(ToIntOr(w[1], 1), 1, 10);
  e.size = std::clamp(ToIntOr(w[3], 50), 1, kMaxHeight);
  e.x = ToIntOr(w[4], 0);
  e.y = ToIntOr(w[5], 0);
  e.rotation = vertical ? 270 : 0;
  e.readable = barcode_text_;
  e.data = w[6];
  AddField(std::move(e));
}

// x y M model U unit
void CpclPage::StartQr(bool vertical, std::string_view args) {
  const auto w = SplitWords(args, 8);
  Element e;
  e.kind = Element::Kind::kQrCode;
  e.x = w.size() > 0 ? ToIntOr(w[0], 0) : 0;
  e.y = w.size() > 1 ? ToIntOr(w[1], 0) : 0;
  e.size = 6;
  for (size_t i = 2; i + 1 < w.size(); ++i)
    if (Upper(w[i]) == "U") e.size = std::clamp(ToIntOr(w[i + 1], 6), 1, 32);
  e.rotation = vertical ? 270 : 0;
  pending_ = std::move(e);
  block_ = Block::kQr;
}

// x y XD xd YD yd C columns R rows S security ...
void CpclPage::StartPdf(bool vertical, std::string_view args) {
  const auto w = SplitWords(args, 16);
  Element e;
  e.kind = Element::Kind::kPdf417;
  e.x = w.size() > 0 ? ToIntOr(w[0], 0) : 0;
  e.y = w.size() > 1 ? ToIntOr(w[1], 0) : 0;
  e.narrow = 2;
  e.size = 6;
  for (size_t i = 2; i + 1 < w.size(); ++i) {
    const std::string key = Upper(w[i]);
    if (key == "XD") e.narrow = std::clamp(ToIntOr(w[i + 1], 2), 1, 10);
    if (key == "YD") e.size = std::clamp(ToIntOr(w[i + 1], 6), 1, 40);
    if (key == "C") e.mul_x = std::clamp(ToIntOr(w[i + 1], 0), 0, 30);
  }
  e.rotation = vertical ? 270 : 0;
  pending_ = std::move(e);
  block_ = Block::kPdf;
}

// LEFT / CENTER / RIGHT [end]: later fields are justified between their x
// and `end` (the page's right edge when not given) until the next one.
void CpclPage::SetAlign(Element::Align align, std::string_view args) {
  const auto w = SplitWords(args, 1);
  align_ = align;
  align_end_ = w.empty() ? 0 : std::max(0, ToIntOr(w[0], 0));
}

void CpclPage::AddField(Element &&e) {
  e.align = align_;
  e.align_end = align_end_ > 0 ? align_end_ : label_.width;
  AddElement(label_, std::move(e));
}

// [V]EXPANDED-GRAPHICS widthBytes height x y hexdigits: the same raster as
// COMPRESSED-GRAPHICS written as two hex digits a byte on the command line.
void CpclPage::AddExpandedGraphics(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 5);
  if (w.size() < 5) return;
  std::string raster;
  raster.reserve(w[4].size() / 2);
  for (size_t i = 0; i + 1 < w[4].size(); i += 2) {
    const int high = HexDigit(w[4][i]);
    const int low = HexDigit(w[4][i + 1]);
    if (high < 0 || low < 0) break;  // the raster ends at the first non-hex pair
    raster.push_back(static_cast<char>(high << 4 | low));
  }
  AddRaster(word.starts_with("V"), {w[0], w[1], w[2], w[3]}, raster);
}

// [V]COMPRESSED-GRAPHICS widthBytes height x y
void CpclPage::AddGraphics(std::string_view header, std::string_view raster) {
  const auto w = SplitWords(header, 5);
  if (w.size() < 5) return;
  AddRaster(w[0].starts_with("V"), {w[1], w[2], w[3], w[4]}, raster);
}

// numbers: widthBytes, height, x, y.
void CpclPage::AddRaster(bool turned, std::array<std::string_view, 4> numbers,
                         std::string_view raster) {
  Element e;
  e.kind = Element::Kind::kBitmap;
  e.width_bytes = ToIntOr(numbers[0], 0);
  e.size = ToIntOr(numbers[1], 0);
  e.x = ToIntOr(numbers[2], 0);
  e.y = ToIntOr(numbers[3], 0);
  e.rotation = turned ? 270 : 0;
  e.bits.reserve(raster.size());
  for (unsigned char c : raster) e.bits.push_back(one_is_dark_ ? c : static_cast<uint8_t>(~c));
  AddElement(label_, std::move(e));
}

}  // namespace ravo::sim
