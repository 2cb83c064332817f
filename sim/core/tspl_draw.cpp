// TSPL drawing commands: text, lines, shapes and bitmaps.
#include <algorithm>

#include "fields.h"
#include "tspl_fields.h"
#include "tspl_page.h"

namespace ravo::sim {
namespace {

constexpr int kMaxThickness = 1000;

// Cell height of the built-in bitmap fonts, in dots: "1" to "8", and the
// CJK fonts named by their height ("TSS24.BF2", "TST16.BF2", "K24" ...).
int FontHeight(std::string_view font) {
  static constexpr int kHeights[] = {12, 20, 24, 32, 48, 19, 27, 25};
  const auto n = ToInt(font);
  if (n && *n >= 1 && *n <= 8) return kHeights[*n - 1];
  const std::string name = Upper(font);
  for (std::string_view prefix : {"TSS", "TST", "KOR", "K"}) {
    if (!name.starts_with(prefix)) continue;
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const auto digits = rest.substr(0, rest.find_first_not_of("0123456789"));
    const auto height = ToInt(digits);
    if (height && *height >= 8 && *height <= 64) return *height;
  }
  return 0;  // "0" or a TrueType name: the multipliers are point sizes
}

// Font and multipliers of TEXT and BLOCK into the element.
void SetFont(Element &e, std::string_view font, std::string_view x_mul, std::string_view y_mul) {
  e.mul_x = std::clamp(ToIntOr(x_mul, 1), 1, 10);
  e.mul_y = std::clamp(ToIntOr(y_mul, 1), 1, 10);
  e.size = FontHeight(Unquote(font));
  if (e.size == 0) {
    e.size = std::clamp(ToIntOr(y_mul, 12), 1, 100) * 8 / 3;
    e.mul_x = e.mul_y = 1;
  }
}

bool AllNumbers(const std::vector<std::string_view> &f, size_t count) {
  if (f.size() < count) return false;
  for (size_t i = 0; i < count; ++i)
    if (!ToInt(f[i])) return false;
  return true;
}

// The next optional integer field before the final string, if any.
std::optional<int> OptionalNumber(std::string_view &rest) {
  const auto parts = SplitTsplFields(rest, 2);
  if (parts.size() < 2 || Trim(parts[0]).starts_with('"')) return std::nullopt;
  const auto n = ToInt(parts[0]);
  if (n) rest = parts[1];
  return n;
}

}  // namespace

// TEXT x,y,"font",rotation,x-mul,y-mul,[alignment,]"content"
std::string TsplPage::Text(std::string_view args) {
  const auto f = SplitTsplFields(args, 7);
  if (f.size() < 7 || !AllNumbers(f, 2)) return "needs x,y,font,rotation,x-mul,y-mul,content";
  Element e;
  e.kind = Element::Kind::kText;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.rotation = TsplRotation(f[3]);
  SetFont(e, f[2], f[4], f[5]);
  std::string_view rest = f[6];
  if (const auto alignment = OptionalNumber(rest)) e.anchor = TsplAnchor(*alignment);
  e.data = Decode(TsplString(rest));
  return Add(std::move(e));
}

// BLOCK x,y,width,height,"font",rotation,x-mul,y-mul,[space,][align,][fit,]"content"
std::string TsplPage::Block(std::string_view args) {
  const auto f = SplitTsplFields(args, 9);
  if (f.size() < 9 || !AllNumbers(f, 4)) return "needs x,y,width,height,font,rotation,x-mul,y-mul";
  Element e;
  e.kind = Element::Kind::kTextBlock;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = std::clamp(ToIntOr(f[2], 0), 1, kTsplMaxCoordinate);
  e.y1 = std::clamp(ToIntOr(f[3], 0), 1, kTsplMaxCoordinate);
  SetFont(e, f[4], f[6], f[7]);
  e.rotation = TsplRotation(f[5]);
  std::string_view rest = f[8];
  int options[3] = {0, 0, 0};  // space, align, fit
  for (int &option : options) {
    const auto n = OptionalNumber(rest);
    if (!n) break;
    option = *n;
  }
  e.line_gap = std::clamp(options[0], 0, 500);
  e.anchor = TsplAnchor(options[1]);
  e.fit = options[2] == 1;
  e.data = Decode(TsplString(rest));
  return Add(std::move(e));
}

// BOX x,y,x_end,y_end,thickness[,radius]
std::string TsplPage::Box(std::string_view args) {
  const auto f = SplitTsplFields(args, 6);
  if (!AllNumbers(f, 4)) return "needs x,y,x_end,y_end,thickness";
  Element e;
  e.kind = Element::Kind::kBox;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = TsplCoordinate(f[2]);
  e.y1 = TsplCoordinate(f[3]);
  e.thickness = f.size() > 4 ? std::clamp(ToIntOr(f[4], 1), 1, kMaxThickness) : 1;
  e.radius = f.size() > 5 ? std::clamp(ToIntOr(f[5], 0), 0, kMaxThickness) : 0;
  return Add(std::move(e));
}

// BAR x,y,width,height
std::string TsplPage::Bar(std::string_view args) {
  const auto f = SplitTsplFields(args, 4);
  if (!AllNumbers(f, 4)) return "needs x,y,width,height";
  Element e;
  e.kind = Element::Kind::kBar;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = std::clamp(ToIntOr(f[2], 0), 0, kTsplMaxCoordinate);
  e.y1 = std::clamp(ToIntOr(f[3], 0), 0, kTsplMaxCoordinate);
  return Add(std::move(e));
}

namespace {

// x,y,width,height of REVERSE and ERASE.
std::optional<Element> Area(std::string_view args, Element::Kind kind) {
  const auto f = SplitTsplFields(args, 4);
  if (!AllNumbers(f, 4)) return std::nullopt;
  Element e;
  e.kind = kind;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = std::clamp(ToIntOr(f[2], 0), 0, kTsplMaxCoordinate);
  e.y1 = std::clamp(ToIntOr(f[3], 0), 0, kTsplMaxCoordinate);
  return e;
}

}  // namespace

std::string TsplPage::Reverse(std::string_view args) {
  auto e = Area(args, Element::Kind::kReverse);
  return e ? Add(std::move(*e)) : "needs x,y,width,height";
}

std::string TsplPage::Erase(std::string_view args) {
  auto e = Area(args, Element::Kind::kErase);
  return e ? Add(std::move(*e)) : "needs x,y,width,height";
}

// CIRCLE x,y,diameter,thickness: x,y is the top-left of its square.
std::string TsplPage::Circle(std::string_view args) {
  const auto f = SplitTsplFields(args, 4);
  if (!AllNumbers(f, 4)) return "needs x,y,diameter,thickness";
  return Ellipse(std::string(f[0]) + "," + std::string(f[1]) + "," + std::string(f[2]) + "," +
                 std::string(f[2]) + "," + std::string(f[3]));
}

// ELLIPSE x,y,width,height,thickness
std::string TsplPage::Ellipse(std::string_view args) {
  const auto f = SplitTsplFields(args, 5);
  if (!AllNumbers(f, 5)) return "needs x,y,width,height,thickness";
  Element e;
  e.kind = Element::Kind::kEllipse;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = std::clamp(ToIntOr(f[2], 0), 1, kTsplMaxCoordinate);
  e.y1 = std::clamp(ToIntOr(f[3], 0), 1, kTsplMaxCoordinate);
  e.thickness = std::clamp(ToIntOr(f[4], 1), 1, kMaxThickness);
  return Add(std::move(e));
}

// DIAGONAL x1,y1,x2,y2,thickness
std::string TsplPage::Diagonal(std::string_view args) {
  const auto f = SplitTsplFields(args, 5);
  if (!AllNumbers(f, 4)) return "needs x1,y1,x2,y2,thickness";
  Element e;
  e.kind = Element::Kind::kLine;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.x1 = TsplCoordinate(f[2]);
  e.y1 = TsplCoordinate(f[3]);
  e.thickness = f.size() > 4 ? std::clamp(ToIntOr(f[4], 1), 1, kMaxThickness) : 1;
  return Add(std::move(e));
}

// BITMAP x,y,width bytes,height,mode: mode 0 overwrites, 1 ORs, 2 XORs.
std::string TsplPage::Bitmap(std::string_view args, std::string_view raster) {
  const auto f = SplitTsplFields(args, 5);
  if (!AllNumbers(f, 5)) return "needs x,y,width,height,mode";
  Element e;
  e.kind = Element::Kind::kBitmap;
  e.x = TsplCoordinate(f[0]);
  e.y = TsplCoordinate(f[1]);
  e.width_bytes = ToIntOr(f[2], 0);
  e.size = ToIntOr(f[3], 0);
  const int mode = ToIntOr(f[4], 0);
  e.mode = mode == 1   ? Element::BitmapMode::kOr
           : mode == 2 ? Element::BitmapMode::kXor
                       : Element::BitmapMode::kOverwrite;
  e.bits.reserve(raster.size());
  for (unsigned char c : raster) e.bits.push_back(static_cast<uint8_t>(~c));
  return Add(std::move(e));
}

}  // namespace ravo::sim
