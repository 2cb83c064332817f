#include "tspl_page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fields.h"
#include "text_decode.h"

namespace ravo::sim {
namespace {

constexpr int kDefaultHeight = 240;  // 30 mm until a SIZE arrives
constexpr int kMaxHeight = 8000;     // 1 m of label

int NormaliseRotation(int r) {
  return (r == 90 || r == 180 || r == 270) ? r : 0;
}

// Cell height of the built-in bitmap fonts, in dots.
int TsplFontHeight(std::string_view font) {
  static constexpr int kHeights[] = {12, 20, 24, 32, 48, 19, 27, 25};
  const auto n = ToInt(font);
  if (n && *n >= 1 && *n <= 8) return kHeights[*n - 1];
  return 0;  // a TrueType name: the multipliers give the size
}

}  // namespace

int TsplLengthToDots(std::string_view text) {
  text = Trim(text);
  const std::string s(text);
  char *end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  std::string_view unit = Trim(std::string_view(end));
  if (!std::isfinite(value) || value < 0 || value > 10000) return 0;
  if (unit == "mm") return static_cast<int>(std::lround(value * 8));
  if (unit == "dot") return static_cast<int>(std::lround(value));
  return static_cast<int>(std::lround(value * 203.2));  // inches
}

TsplPage::TsplPage(int width_dots, std::string code_page) : code_page_(std::move(code_page)) {
  label_.kind = "tspl";
  label_.width = width_dots;
  label_.height = kDefaultHeight;
}

bool TsplPage::Apply(std::string_view word, std::string_view args) {
  if (word == "CLS") {
    label_.elements.clear();
    label_.bitmap_bytes = 0;
  } else if (word == "SIZE") {
    SetSize(args);
  } else if (word == "TEXT") {
    AddText(args);
  } else if (word == "BOX" || word == "BAR") {
    const auto f = SplitTsplFields(args, 5);
    Element e;
    e.kind = word == "BOX" ? Element::Kind::kBox : Element::Kind::kBar;
    e.x = ToIntOr(f[0], 0);
    e.y = f.size() > 1 ? ToIntOr(f[1], 0) : 0;
    e.x1 = f.size() > 2 ? ToIntOr(f[2], 0) : 0;
    e.y1 = f.size() > 3 ? ToIntOr(f[3], 0) : 0;
    e.thickness = f.size() > 4 ? std::max(1, ToIntOr(f[4], 1)) : 1;
    AddElement(label_, std::move(e));
  } else if (word == "BARCODE") {
    AddBarcode(args);
  } else if (word == "QRCODE") {
    AddQrCode(args);
  } else {
    return false;
  }
  return true;
}

void TsplPage::SetSize(std::string_view args) {
  const auto f = SplitTsplFields(args, 2);
  if (f.size() < 2) return;
  const int h = TsplLengthToDots(f[1]);
  if (h > 0) label_.height = std::min(h, kMaxHeight);
}

void TsplPage::AddText(std::string_view args) {
  const auto f = SplitTsplFields(args, 7);
  if (f.size() < 7) return;
  Element e;
  e.kind = Element::Kind::kText;
  e.x = ToIntOr(f[0], 0);
  e.y = ToIntOr(f[1], 0);
  e.rotation = NormaliseRotation(ToIntOr(f[3], 0));
  e.mul_x = std::clamp(ToIntOr(f[4], 1), 1, 10);
  e.mul_y = std::clamp(ToIntOr(f[5], 1), 1, 10);
  e.size = TsplFontHeight(Unquote(f[2]));
  if (e.size == 0) {  // TrueType: the multipliers are point sizes
    e.size = std::clamp(ToIntOr(f[5], 12), 1, 100) * 8 / 3;
    e.mul_x = e.mul_y = 1;
  }
  e.data = DecodeText(Unquote(f[6]), code_page_);
  AddElement(label_, std::move(e));
}

void TsplPage::AddBarcode(std::string_view args) {
  const auto f = SplitTsplFields(args, 9);
  if (f.size() < 9) return;
  Element e;
  e.kind = Element::Kind::kBarcode;
  e.x = ToIntOr(f[0], 0);
  e.y = ToIntOr(f[1], 0);
  e.symbology = Unquote(f[2]);
  e.size = std::clamp(ToIntOr(f[3], 50), 1, kMaxHeight);
  e.readable = ToIntOr(f[4], 0) != 0;
  e.rotation = NormaliseRotation(ToIntOr(f[5], 0));
  e.narrow = std::clamp(ToIntOr(f[6], 2), 1, 10);
  e.data = Unquote(f[8]);
  AddElement(label_, std::move(e));
}

// x,y,ECC,cell,mode,rotation[,Mn][,Sn],content
void TsplPage::AddQrCode(std::string_view args) {
  auto f = SplitTsplFields(args, 7);
  if (f.size() < 7) return;
  Element e;
  e.kind = Element::Kind::kQrCode;
  e.x = ToIntOr(f[0], 0);
  e.y = ToIntOr(f[1], 0);
  const std::string_view ecc = Trim(f[2]);
  e.ecc = ecc.empty() ? 'M' : ecc[0];
  e.size = std::clamp(ToIntOr(f[3], 4), 1, 10);
  e.rotation = NormaliseRotation(ToIntOr(f[5], 0));
  std::string_view rest = f[6];
  for (char option : {'M', 'S'}) {
    const auto more = SplitTsplFields(rest, 2);
    const std::string_view head = Trim(more[0]);
    if (more.size() == 2 && head.size() >= 2 && head.size() <= 3 && head[0] == option &&
        ToInt(head.substr(1)))
      rest = more[1];
  }
  e.data = Unquote(rest);
  AddElement(label_, std::move(e));
}

void TsplPage::AddBitmap(std::string_view header_args, std::string_view raster) {
  const auto f = SplitTsplFields(header_args, 5);
  if (f.size() < 5) return;
  Element e;
  e.kind = Element::Kind::kBitmap;
  e.x = ToIntOr(f[0], 0);
  e.y = ToIntOr(f[1], 0);
  e.width_bytes = ToIntOr(f[2], 0);
  e.size = ToIntOr(f[3], 0);
  e.opaque = ToIntOr(f[4], 0) == 0;  // mode 0 overwrites
  e.bits.reserve(raster.size());
  for (unsigned char c : raster) e.bits.push_back(static_cast<uint8_t>(~c));
  AddElement(label_, std::move(e));
}

Label TsplPage::Snapshot() const {
  return label_;
}

}  // namespace ravo::sim
