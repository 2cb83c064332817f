#include "cpcl_page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fields.h"
#include "symbol.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

constexpr int kMaxHeight = 8000;
constexpr int kMaxCoordinate = 32000;
constexpr int kMaxMultiLines = 200;

int CpclFontHeight(int font, int size) {
  int base = 24;
  switch (font) {
    case 0:
      return 9 + 3 * std::clamp(size, 0, 6);
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

bool Vertical(std::string_view word) {
  return word.starts_with("V");
}

}  // namespace

const std::vector<CpclPage::Word> &CpclPage::Words() {
  using C = CpclPage;
  static const std::vector<Word> words = {
      {"TEXT", &C::Text},
      {"T", &C::Text},
      {"VTEXT", &C::Text},
      {"VT", &C::Text},
      {"TEXT90", &C::Text},
      {"T90", &C::Text},
      {"TEXT180", &C::Text},
      {"T180", &C::Text},
      {"TEXT270", &C::Text},
      {"T270", &C::Text},
      {"SCALE-TEXT", &C::ScaleText},
      {"ST", &C::ScaleText},
      {"VSCALE-TEXT", &C::ScaleText},
      {"VST", &C::ScaleText},
      {"SCALE-TO-FIT", &C::ScaleText},
      {"STF", &C::ScaleText},
      {"ML", &C::MultiLine},
      {"MULTILINE", &C::MultiLine},
      {"CONCAT", &C::Concat},
      {"VCONCAT", &C::Concat},
      {"BARCODE", &C::Barcode},
      {"B", &C::Barcode},
      {"VBARCODE", &C::Barcode},
      {"VB", &C::Barcode},
      {"BARCODE-TEXT", &C::BarcodeText},
      {"BT", &C::BarcodeText},
      {"BOX", &C::Shape},
      {"LINE", &C::Shape},
      {"L", &C::Shape},
      {"INVERSE-LINE", &C::Shape},
      {"IL", &C::Shape},
      {"EXPANDED-GRAPHICS", &C::ExpandedGraphics},
      {"EG", &C::ExpandedGraphics},
      {"VEXPANDED-GRAPHICS", &C::ExpandedGraphics},
      {"VEG", &C::ExpandedGraphics},
      {"LEFT", &C::Justify},
      {"CENTER", &C::Justify},
      {"RIGHT", &C::Justify},
      {"SETMAG", &C::SetMag},
      {"SETBOLD", &C::SetBold},
      {"SETSP", &C::SetSpacing},
      {"UNDERLINE", &C::Underline},
      {"PAGE-WIDTH", &C::PageWidth},
      {"PW", &C::PageWidth},
      {"IN-DOTS", &C::Units},
      {"IN-INCHES", &C::Units},
      {"IN-CENTIMETERS", &C::Units},
      {"IN-MILLIMETERS", &C::Units},
      {"PCX", &C::NotModelled},
      {"COUNT", &C::NotModelled},
      {"PATTERN", &C::Accept},
      {"CONTRAST", &C::Accept},
      {"TONE", &C::Accept},
      {"SPEED", &C::Accept},
      {"SETFF", &C::Accept},
      {"PREFEED", &C::Accept},
      {"POSTFEED", &C::Accept},
      {"PRESENT-AT", &C::Accept},
      {"JOURNAL", &C::Accept},
      {"LABEL", &C::Accept},
      {"GAP-SENSE", &C::Accept},
      {"BAR-SENSE", &C::Accept},
      {"WAIT", &C::Accept},
      {"BEEP", &C::Accept},
      {"CUT", &C::Accept},
      {"PARTIAL-CUT", &C::Accept},
      {"PACE", &C::Accept},
      {"NO-PACE", &C::Accept},
      {"COUNTRY", &C::Accept},
      {"ON-OUT-OF-PAPER", &C::Accept},
      {"ON-FEED", &C::Accept},
      {"TIMEOUT", &C::Accept},
      {"REWIND-ON", &C::Accept},
      {"REWIND-OFF", &C::Accept},
  };
  return words;
}

CpclPage::CpclPage(int width_dots, std::string code_page, bool one_is_dark)
    : code_page_(std::move(code_page)), one_is_dark_(one_is_dark) {
  label_.kind = "cpcl";
  label_.width = width_dots;
}

CpclPage::Start CpclPage::Begin(std::string_view header) {
  const auto w = SplitWords(Trim(header), 6);
  if (w.size() == 1 && (Upper(w[0]) == "UTILITIES" || Upper(w[0]) == "U")) {
    open_ = true;
    utilities_ = true;
    return Start::kUtilities;
  }
  if (w.size() < 5 || !std::all_of(w.begin(), w.begin() + 5, [](auto s) { return ToInt(s); }))
    return Start::kInvalid;
  const int width = label_.width;
  label_ = Label{};
  label_.kind = "cpcl";
  label_.width = width;
  label_.height = std::clamp(ToIntOr(w[3], 400), 1, kMaxHeight);
  label_.copies = std::clamp(ToIntOr(w[4], 1), 1, kMaxCopies);
  open_ = true;
  utilities_ = false;
  block_ = Block::kNone;
  pending_.reset();
  barcode_text_ = false;
  mag_x_ = mag_y_ = 1;
  bold_ = false;
  underline_ = spacing_ = 0;
  dots_per_unit_ = 1;
  align_ = Element::Align::kLeft;
  align_end_ = 0;
  return Start::kLabel;
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

CpclPage::Outcome CpclPage::Apply(std::string_view line, std::string &problem) {
  line = Trim(line);
  const std::string upper = Upper(line);
  const bool ends_label = upper == "PRINT" || upper == "FORM" || upper == "ABORT";
  if (block_ != Block::kNone && !ends_label) {
    problem = BlockLine(line);
    return Outcome::kContinue;
  }
  if (block_ != Block::kNone) {
    // A block left open must not keep the label from ending.
    problem = "block without its end line; closed at " + upper;
    block_ = Block::kNone;
    pending_.reset();
  }
  const auto words = SplitWords(line, 2);
  if (words.empty()) return Outcome::kContinue;
  const std::string word = Upper(words[0]);
  const std::string_view args = words.size() > 1 ? words[1] : std::string_view();
  if (word == "PRINT" || word == "FORM" || word == "END") {
    if (!utilities_) return Outcome::kPrint;
    Take();
    return Outcome::kContinue;
  }
  if (word == "ABORT") return Outcome::kAbort;
  const auto &table = Words();
  const auto it =
      std::find_if(table.begin(), table.end(), [&](const Word &w) { return w.word == word; });
  if (it == table.end()) {
    problem = "unknown command " + word.substr(0, 40);
    return Outcome::kContinue;
  }
  const std::string trouble = (this->*it->run)(word, args);
  if (!trouble.empty()) problem = word + ": " + trouble;
  return Outcome::kContinue;
}

std::string CpclPage::NotModelled(std::string_view word, std::string_view) {
  return std::string(word) + " is not modelled";
}

std::optional<int> CpclPage::Dots(std::string_view value) const {
  const std::string s(Trim(value));
  char *end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return static_cast<int>(
      std::lround(std::clamp(v * dots_per_unit_, double{-kMaxCoordinate}, double{kMaxCoordinate})));
}

std::string CpclPage::AddField(Element &&e) {
  e.align = align_;
  e.align_end = align_end_ > 0          ? align_end_
                : label_.area_width > 0 ? label_.area_width
                                        : label_.width;
  if (e.data.size() > kMaxTextBytes) return "text too long";
  return AddElement(label_, std::move(e)) ? "" : "label full";
}

std::optional<Element> CpclPage::TextElement(int rotation, std::string_view font,
                                             std::string_view size, std::string_view x,
                                             std::string_view y) {
  const auto px = Dots(x), py = Dots(y);
  if (!px || !py) return std::nullopt;
  Element e;
  e.kind = Element::Kind::kText;
  e.size = CpclFontHeight(ToIntOr(font, 0), ToIntOr(size, 0));
  e.x = *px;
  e.y = *py;
  e.rotation = rotation;
  e.mul_x = mag_x_;
  e.mul_y = mag_y_;
  e.bold = bold_;
  e.underline = underline_;
  e.letter_gap = spacing_;
  return e;
}

// TEXT font size x y data
std::string CpclPage::Text(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 5);
  if (w.size() < 4) return "needs font size x y text";
  auto e = TextElement(RotationOfTextWord(word), w[0], w[1], w[2], w[3]);
  if (!e) return "unreadable position";
  e->data = w.size() > 4 ? DecodeText(w[4], code_page_) : std::string();
  return AddField(std::move(*e));
}

// SCALE-TEXT name width height x y data: a scalable font, height in points.
std::string CpclPage::ScaleText(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 6);
  if (w.size() < 5) return "needs font width height x y text";
  auto e = TextElement(Vertical(word) ? 270 : 0, "7", "0", w[3], w[4]);
  if (!e) return "unreadable position";
  e->size = std::clamp(ToIntOr(w[2], 12), 1, 400) * 203 / 72;
  e->data = w.size() > 5 ? DecodeText(w[5], code_page_) : std::string();
  return AddField(std::move(*e));
}

// ML height, then "T font size x y" and text lines up to ENDML.
std::string CpclPage::MultiLine(std::string_view, std::string_view args) {
  const auto height = Dots(SplitWords(args, 1).empty() ? "" : SplitWords(args, 1)[0]);
  if (!height || *height <= 0) return "needs the line height";
  multi_line_height_ = *height;
  multi_line_count_ = -1;  // the text command comes first
  block_ = Block::kMultiLine;
  return {};
}

// CONCAT x y, then "font size offset text" lines up to ENDCONCAT; the
// pieces are set in the first piece's font.
std::string CpclPage::Concat(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 2);
  if (w.size() < 2) return "needs x y";
  auto e = TextElement(Vertical(word) ? 270 : 0, "7", "0", w[0], w[1]);
  if (!e) return "unreadable position";
  e->size = 0;
  pending_ = std::move(*e);
  block_ = Block::kConcat;
  return {};
}

std::string CpclPage::BlockLine(std::string_view line) {
  const std::string upper = Upper(line);
  const bool end = (block_ == Block::kQr && upper == "ENDQR") ||
                   (block_ == Block::kPdf && upper == "ENDPDF") ||
                   (block_ == Block::kMultiLine && upper == "ENDML") ||
                   (block_ == Block::kConcat && upper == "ENDCONCAT");
  std::string problem;
  if (end) {
    if (pending_ && block_ != Block::kMultiLine) problem = AddField(std::move(*pending_));
    pending_.reset();
    block_ = Block::kNone;
    return problem;
  }
  switch (block_) {
    case Block::kQr:
      // "<ecc letter>[mode],data"
      if (pending_ && pending_->data.empty()) {
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
          pending_->data = line;
        } else {
          static constexpr std::string_view kLevels = "LMQH";
          const size_t level = comma > 0 ? kLevels.find(line[0]) : std::string_view::npos;
          if (level != std::string_view::npos) pending_->option_1 = static_cast<int>(level) + 1;
          pending_->data = line.substr(comma + 1);
        }
      }
      break;
    case Block::kPdf:
      if (pending_ && pending_->data.empty()) pending_->data = line;
      break;
    case Block::kMultiLine: {
      if (multi_line_count_ < 0) {
        const auto w = SplitWords(line, 6);
        if (w.size() < 5) return "ML needs a text command first";
        pending_ = TextElement(RotationOfTextWord(Upper(w[0])), w[1], w[2], w[3], w[4]);
        multi_line_count_ = 0;
        if (pending_ && w.size() > 5) return BlockLine(w[5]);
      } else if (pending_ && multi_line_count_ < kMaxMultiLines) {
        Element e = *pending_;
        e.y += multi_line_height_ * multi_line_count_++;
        e.data = DecodeText(line, code_page_);
        problem = AddField(std::move(e));
      }
      break;
    }
    case Block::kConcat: {
      const auto w = SplitWords(line, 4);
      if (!pending_ || w.size() < 4) break;
      if (pending_->size == 0) {
        pending_->size = CpclFontHeight(ToIntOr(w[0], 0), ToIntOr(w[1], 0));
        pending_->y += ToIntOr(w[2], 0);
      }
      pending_->data += DecodeText(w[3], code_page_);
      break;
    }
    case Block::kNone:
      break;
  }
  return problem;
}

// BARCODE type width ratio height x y data, or BARCODE QR / PDF-417 blocks.
std::string CpclPage::Barcode(std::string_view word, std::string_view args) {
  const bool vertical = Vertical(word);
  const auto kind = SplitWords(args, 2);
  const std::string first = kind.empty() ? "" : Upper(kind[0]);
  const std::string_view more = kind.size() > 1 ? kind[1] : std::string_view();
  if (first == "QR") return StartQr(vertical, more);
  if (first == "PDF-417") return StartPdf(vertical, more);
  const auto w = SplitWords(args, 7);
  if (w.size() < 7) return "needs type width ratio height x y data";
  Element e;
  e.kind = Element::Kind::kBarcode;
  e.symbology = CpclBarcodeSymbology(Upper(w[0]));
  if (e.symbology == 0) return "unknown bar code type " + std::string(w[0]);
  e.narrow = std::clamp(ToIntOr(w[1], 1), 1, 10);
  const auto height = Dots(w[3]), x = Dots(w[4]), y = Dots(w[5]);
  if (!height || !x || !y) return "unreadable height or position";
  e.size = std::clamp(*height, 1, kMaxHeight);
  e.x = *x;
  e.y = *y;
  e.rotation = vertical ? 270 : 0;
  e.readable = barcode_text_;
  e.readable_size = barcode_text_size_;
  e.readable_gap = barcode_text_gap_;
  e.data = w[6];
  return AddField(std::move(e));
}

// BARCODE-TEXT font size offset, or OFF.
std::string CpclPage::BarcodeText(std::string_view, std::string_view args) {
  const auto w = SplitWords(args, 3);
  if (!w.empty() && Upper(w[0]) == "OFF") {
    barcode_text_ = false;
    return {};
  }
  barcode_text_ = true;
  barcode_text_size_ = w.size() >= 2 ? CpclFontHeight(ToIntOr(w[0], 7), ToIntOr(w[1], 0)) : 0;
  barcode_text_gap_ = w.size() >= 3 ? std::clamp(ToIntOr(w[2], 2), 0, 100) : 2;
  return {};
}

// x y M model U unit
std::string CpclPage::StartQr(bool vertical, std::string_view args) {
  const auto w = SplitWords(args, 8);
  Element e;
  e.kind = Element::Kind::kQrCode;
  e.symbology = QrSymbology();
  e.x = w.size() > 0 ? Dots(w[0]).value_or(0) : 0;
  e.y = w.size() > 1 ? Dots(w[1]).value_or(0) : 0;
  e.size = 6;
  e.option_1 = 2;
  for (size_t i = 2; i + 1 < w.size(); ++i)
    if (Upper(w[i]) == "U") e.size = std::clamp(ToIntOr(w[i + 1], 6), 1, 32);
  e.rotation = vertical ? 270 : 0;
  pending_ = std::move(e);
  block_ = Block::kQr;
  return {};
}

// x y XD xd YD yd C columns S security ...
std::string CpclPage::StartPdf(bool vertical, std::string_view args) {
  const auto w = SplitWords(args, 16);
  Element e;
  e.kind = Element::Kind::kPdf417;
  e.symbology = Pdf417Symbology();
  e.x = w.size() > 0 ? Dots(w[0]).value_or(0) : 0;
  e.y = w.size() > 1 ? Dots(w[1]).value_or(0) : 0;
  e.narrow = 2;
  e.size = 6;
  for (size_t i = 2; i + 1 < w.size(); ++i) {
    const std::string key = Upper(w[i]);
    if (key == "XD") e.narrow = std::clamp(ToIntOr(w[i + 1], 2), 1, 10);
    if (key == "YD") e.size = std::clamp(ToIntOr(w[i + 1], 6), 1, 40);
    if (key == "C") e.option_2 = std::clamp(ToIntOr(w[i + 1], 0), 0, 30);
    if (key == "S") e.option_1 = std::clamp(ToIntOr(w[i + 1], 1), 0, 8);
  }
  e.rotation = vertical ? 270 : 0;
  pending_ = std::move(e);
  block_ = Block::kPdf;
  return {};
}

// BOX, LINE and INVERSE-LINE x0 y0 x1 y1 width.
std::string CpclPage::Shape(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 5);
  if (w.size() < 5) return "needs x0 y0 x1 y1 width";
  std::optional<int> v[5];
  for (size_t i = 0; i < 5; ++i)
    if (!(v[i] = Dots(w[i]))) return "unreadable number " + std::string(w[i]);
  Element e;
  e.kind = word == "BOX" ? Element::Kind::kBox : Element::Kind::kLine;
  e.x = *v[0];
  e.y = *v[1];
  e.x1 = *v[2];
  e.y1 = *v[3];
  e.thickness = std::clamp(*v[4], 1, 1000);
  if (word == "INVERSE-LINE" || word == "IL") {
    // Inverts the band a straight LINE of the same arguments would cover.
    if (e.x != e.x1 && e.y != e.y1) return "only straight inverse lines are modelled";
    e.kind = Element::Kind::kReverse;
    const int x = std::min(e.x, e.x1), y = std::min(e.y, e.y1);
    e.x1 = e.x == e.x1 ? e.thickness : std::abs(e.x1 - e.x);
    e.y1 = e.y == e.y1 ? e.thickness : std::abs(e.y1 - e.y);
    e.x = x;
    e.y = y;
  }
  return AddElement(label_, std::move(e)) ? "" : "label full";
}

// LEFT / CENTER / RIGHT [end]: later fields are justified between their x
// and `end` (the page's right edge when not given) until the next one.
std::string CpclPage::Justify(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 1);
  align_ = word == "CENTER"  ? Element::Align::kCenter
           : word == "RIGHT" ? Element::Align::kRight
                             : Element::Align::kLeft;
  align_end_ = w.empty() ? 0 : std::max(0, Dots(w[0]).value_or(0));
  return {};
}

std::string CpclPage::SetMag(std::string_view, std::string_view args) {
  const auto w = SplitWords(args, 2);
  mag_x_ = w.size() > 0 ? std::clamp(ToIntOr(w[0], 1), 1, 16) : 1;
  mag_y_ = w.size() > 1 ? std::clamp(ToIntOr(w[1], 1), 1, 16) : 1;
  return {};
}

std::string CpclPage::SetBold(std::string_view, std::string_view args) {
  const auto n = ToInt(args);
  if (!n) return "needs a number";
  bold_ = *n > 0;
  return {};
}

std::string CpclPage::SetSpacing(std::string_view, std::string_view args) {
  const auto n = ToInt(args);
  if (!n) return "needs a number";
  spacing_ = std::clamp(*n, 0, 100);
  return {};
}

std::string CpclPage::Underline(std::string_view, std::string_view args) {
  underline_ = Upper(Trim(args)) == "ON" ? 2 : 0;
  return {};
}

std::string CpclPage::PageWidth(std::string_view, std::string_view args) {
  const auto width = Dots(args);
  if (!width || *width <= 0) return "needs a width";
  label_.area_width = std::min(*width, label_.width);
  return {};
}

std::string CpclPage::Units(std::string_view word, std::string_view) {
  dots_per_unit_ = word == "IN-INCHES"        ? 203.2
                   : word == "IN-CENTIMETERS" ? 80
                   : word == "IN-MILLIMETERS" ? 8
                                              : 1;
  return {};
}

// [V]EXPANDED-GRAPHICS widthBytes height x y hexdigits: the same raster as
// COMPRESSED-GRAPHICS written as two hex digits a byte on the command line.
std::string CpclPage::ExpandedGraphics(std::string_view word, std::string_view args) {
  const auto w = SplitWords(args, 5);
  if (w.size() < 5) return "needs widthBytes height x y data";
  std::string raster;
  raster.reserve(w[4].size() / 2);
  for (size_t i = 0; i + 1 < w[4].size(); i += 2) {
    const int high = HexDigit(w[4][i]);
    const int low = HexDigit(w[4][i + 1]);
    if (high < 0 || low < 0) break;  // the raster ends at the first non-hex pair
    raster.push_back(static_cast<char>(high << 4 | low));
  }
  AddRaster(Vertical(word), {w[0], w[1], w[2], w[3]}, raster);
  return {};
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
  e.x = Dots(numbers[2]).value_or(0);
  e.y = Dots(numbers[3]).value_or(0);
  e.rotation = turned ? 270 : 0;
  e.bits.reserve(raster.size());
  for (unsigned char c : raster) e.bits.push_back(one_is_dark_ ? c : static_cast<uint8_t>(~c));
  AddElement(label_, std::move(e));
}

}  // namespace ravo::sim
